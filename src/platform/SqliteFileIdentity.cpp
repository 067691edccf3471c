// SPDX-License-Identifier: MIT
#include "SqliteFileIdentity.h"
#include "Exception.h"
#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QThread>
#include <sqlite3.h>
#include <sys/stat.h>

namespace {

struct TInode {
    dev_t dev = 0;
    ino_t ino = 0;
    bool valid = false;
    friend bool operator==(const TInode& a, const TInode& b) { return a.valid == b.valid && a.dev == b.dev && a.ino == b.ino; }
};

TInode InodeOf(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return {};
    return {st.st_dev, st.st_ino, true};
}

struct TOpenFile {
    QString path;
    TInode db, wal, shm;
    QThread* thread = nullptr;
};

QMutex g_mutex;
QHash<QString, TOpenFile> g_files;  // by connection name

sqlite3* Handle(const QSqlDatabase& db)
{
    const QVariant v = db.driver() ? db.driver()->handle() : QVariant();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0) return nullptr;
    return *static_cast<sqlite3* const*>(v.constData());
}

// Empties the old file's log into the old file and closes the connection without letting
// SQLite delete anything by path (which may by now name the new database's files).
void Retire(const QString& connectionName)
{
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    if (!db.isValid() || !db.isOpen()) return;
    if (sqlite3* h = Handle(db)) {
        int persist = 1;
        sqlite3_file_control(h, "main", SQLITE_FCNTL_PERSIST_WAL, &persist);
    }
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    q.finish();
    db.close();
}

// A file of the old database still at the path: moved aside when it may hold data (a log
// that could not be emptied), removed when it holds none.
void ClearAside(const QString& path, const TInode& old, bool mayHoldData)
{
    if (!old.valid || !(InodeOf(path) == old)) return;
    if (mayHoldData && QFile(path).size() > 0) {
        QFile::rename(path, path + QStringLiteral(".orphaned-") +
                                QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmsszzz")));
        return;
    }
    QFile::remove(path);
}

} // namespace

void SqliteRegisterFile(const QString& connectionName, const QString& file)
{
    if (file == QLatin1String(":memory:") || file.isEmpty()) return;
    TOpenFile f;
    f.path = file;
    f.db = InodeOf(file);
    f.wal = InodeOf(file + QStringLiteral("-wal"));
    f.shm = InodeOf(file + QStringLiteral("-shm"));
    f.thread = QThread::currentThread();
    QMutexLocker lock(&g_mutex);
    g_files.insert(connectionName, f);
}

void SqliteUnregisterFile(const QString& connectionName)
{
    QMutexLocker lock(&g_mutex);
    g_files.remove(connectionName);
}

void SqliteRequireSameFile(const QString& connectionName)
{
    TOpenFile mine;
    {
        QMutexLocker lock(&g_mutex);
        const auto it = g_files.constFind(connectionName);
        if (it == g_files.constEnd() || !it->db.valid) return;
        mine = *it;
    }
    if (InodeOf(mine.path) == mine.db) return;

    QStringList retire;
    {
        QMutexLocker lock(&g_mutex);
        for (auto it = g_files.constBegin(); it != g_files.constEnd(); ++it)
            if (it->db == mine.db && it->thread == QThread::currentThread()) retire << it.key();
    }
    for (const QString& name : retire) Retire(name);
    ClearAside(mine.path + QStringLiteral("-wal"), mine.wal, true);
    ClearAside(mine.path + QStringLiteral("-shm"), mine.shm, false);
    throw EDatabaseError(QStringLiteral("数据库文件 %1 在打开之后被替换、改名或删除了（例如恢复了备份），"
                                        "本次没有写入任何内容。下一次操作时会重新打开这个位置上的数据库文件。")
                             .arg(mine.path));
}
