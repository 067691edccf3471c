// SPDX-License-Identifier: MIT
// A database file that the path no longer names (replaced by rename, or deleted) is noticed
// before the next statement on every connection of this thread: nothing reaches the old
// file, its log is not left where the new file would replay it, and a new connection at the
// path works on the new file.
#include "TestDatabase.h"
#include "platform/SqliteDatabase.h"
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

class TstSqliteReplaced : public QObject {
    Q_OBJECT
private slots:
    void replacedByRename();
    void deleted();
};

void TstSqliteReplaced::replacedByRename()
{
    QTemporaryDir dir;
    const QString file = CreateTestDatabaseFile(dir.path(), false);
    const QString other = dir.filePath(QStringLiteral("other.db"));
    QVERIFY(QFile::copy(file, other));
    {
        auto conn = OpenDatabase(other);
        ExecTestSql(*conn, QStringLiteral("CREATE TABLE marker (v TEXT)"));
    }
    auto a = OpenDatabase(file);
    auto b = OpenDatabase(file);
    ExecTestSql(*a, QStringLiteral("CREATE TABLE written_before (v TEXT)"));  // in the old file's log
    QVERIFY(QFile(file + QStringLiteral("-wal")).size() > 0);
    QVERIFY(std::rename(QFile::encodeName(other).constData(), QFile::encodeName(file).constData()) == 0);

    QVERIFY_THROWS_EXCEPTION(EDatabaseError, ExecTestSql(*a, QStringLiteral("CREATE TABLE lost (v TEXT)")));
    QVERIFY(!a->Connected());
    QVERIFY(!b->Connected());  // the same old file: retired too
    QVERIFY(!QFile::exists(file + QStringLiteral("-wal")) || QFile(file + QStringLiteral("-wal")).size() == 0);

    auto fresh = OpenDatabase(file);
    QCOMPARE(QueryTestValue(*fresh, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'marker'")).AsInteger(), 1);
    QCOMPARE(QueryTestValue(*fresh, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name IN ('written_before', 'lost')")).AsInteger(), 0);
    QCOMPARE(QueryTestValue(*fresh, QStringLiteral("PRAGMA integrity_check")).AsString(), QStringLiteral("ok"));
    ExecTestSql(*fresh, QStringLiteral("CREATE TABLE after (v TEXT)"));
}

void TstSqliteReplaced::deleted()
{
    QTemporaryDir dir;
    const QString file = CreateTestDatabaseFile(dir.path(), false);
    auto conn = OpenDatabase(file);
    QVERIFY(QFile::remove(file));
    try {
        ExecTestSql(*conn, QStringLiteral("CREATE TABLE lost (v TEXT)"));
        QFAIL("a statement ran on a deleted file");
    } catch (const EDatabaseError& e) {
        QVERIFY2(e.Message().contains(file), qPrintable(e.Message()));
    }
    QVERIFY(!conn->Connected());
}

QTEST_GUILESS_MAIN(TstSqliteReplaced)
#include "tst_sqlitereplaced.moc"
