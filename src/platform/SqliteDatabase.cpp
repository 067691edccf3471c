// SPDX-License-Identifier: MIT
#include "SqliteDatabase.h"
#include "BufferedQuery.h"
#include "DbWait.h"
#include "SqliteFileIdentity.h"
#include "SqlitePasswordFunctions.h"
#include "SqliteScript.h"
#include "SqliteStoredProc.h"
#include <QAtomicInteger>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <sqlite3.h>

namespace {

QAtomicInteger<quint64> g_connectionCounter;

sqlite3* NativeHandle(const QSqlDatabase& db)
{
    const QVariant v = db.driver() ? db.driver()->handle() : QVariant();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0) return nullptr;
    return *static_cast<sqlite3* const*>(v.constData());
}

// wr_raise(message): fails the running statement with the message, so that a procedure body
// can refuse its input with a text of its own (RAISE() only works inside triggers).
void SqlRaise(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    const auto* text = argc > 0 ? reinterpret_cast<const char*>(sqlite3_value_text(argv[0])) : nullptr;
    sqlite3_result_error(ctx, text && *text ? text : "wr_raise", -1);
}

void Exec(const QSqlDatabase& db, const QString& statement)
{
    QSqlQuery q(db);
    if (!q.exec(statement)) RaiseSqliteError(q.lastError(), statement);
}

// A query whose whole result is fetched when it is opened, so that the row count is exact
// and the statement holds no lock once Open returns.
class TSqliteQuery final : public TBufferedQuery {
public:
    explicit TSqliteQuery(QString connectionName) : m_connectionName(std::move(connectionName)) {}

    void Open() override
    {
        Close();
        const QString text = SqlText();
        // Never read from a file that the path no longer names.
        SqliteRequireSameFile(m_connectionName);
        QSqlQuery q(SqliteDatabaseByName(m_connectionName));
        q.setForwardOnly(true);
        if (!q.exec(text)) RaiseSqliteError(q.lastError(), text);
        const QSqlRecord rec = q.record();
        QStringList columns;
        for (int c = 0; c < rec.count(); ++c) columns << rec.fieldName(c);
        std::vector<QVariantList> rows;
        while (q.next()) {
            QVariantList row;
            row.reserve(rec.count());
            for (int c = 0; c < rec.count(); ++c) row << q.value(c);
            rows.push_back(std::move(row));
        }
        if (q.lastError().isValid()) RaiseSqliteError(q.lastError(), text);
        SetResult(std::move(columns), std::move(rows));
    }

    void ExecSQL() override
    {
        Close();
        SqliteRequireSameFile(m_connectionName);
        Exec(SqliteDatabaseByName(m_connectionName), SqlText());
    }

private:
    QString m_connectionName;
};

} // namespace

QSqlDatabase SqliteDatabaseByName(const QString& connectionName)
{
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    if (!db.isValid() || !db.isOpen())
        throw EDatabaseError(QStringLiteral("The database connection has been closed"));
    return db;
}

void RaiseSqliteError(const QSqlError& error, const QString& statement)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty()) text = error.text().trimmed();
    if (text.isEmpty()) text = QStringLiteral("Unknown database error");
    throw EDatabaseError(QStringLiteral("%1 (SQL: %2)").arg(text, FirstSqlLine(statement)));
}

bool SqliteAutocommit(const QSqlDatabase& db)
{
    sqlite3* h = NativeHandle(db);
    return !h || sqlite3_get_autocommit(h) != 0;
}

TSqliteConnection::TSqliteConnection(const QString& file)
    : m_file(file)
    , m_name(QStringLiteral("wr_sqlite_%1").arg(g_connectionCounter.fetchAndAddOrdered(1)))
{
    if (file != QLatin1String(":memory:") && !QFileInfo(file).isFile())
        throw EDatabaseError(QStringLiteral("Database file not found: %1").arg(file));
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            try {
                Exec(db, QStringLiteral("PRAGMA foreign_keys = ON"));
                // Room for the pages of a large report, its history copy and the indexes a
                // save touches (SQLite's default is 2 MB): reading a report back right after
                // it was saved then costs no second read of its pages from the file.
                Exec(db, QStringLiteral("PRAGMA cache_size = -8192"));
                // Touch the schema so that a file which is not a database fails here.
                Exec(db, QStringLiteral("SELECT count(*) FROM sqlite_master"));
                sqlite3* h = NativeHandle(db);
                // Waits for other programs' locks go through the host's wait handler, if any.
                InstallSqliteWaitHandler(h);
                if (!h || sqlite3_create_function_v2(h, "wr_raise", 1, SQLITE_UTF8, nullptr, &SqlRaise,
                                                     nullptr, nullptr, nullptr) != SQLITE_OK)
                    error = QStringLiteral("Cannot register the SQL function wr_raise");
                else if (!RegisterSqlitePasswordFunctions(h))
                    error = QStringLiteral("Cannot register the password-proof SQL functions");
            } catch (const EDatabaseError& e) {
                error = e.Message();
            }
            if (!error.isEmpty()) db.close();
        }
    }
    if (!error.isEmpty()) {
        QSqlDatabase::removeDatabase(m_name);
        throw EDatabaseError(QStringLiteral("Cannot open database %1: %2").arg(file, error));
    }
    SqliteRegisterFile(m_name, file);
}

TSqliteConnection::~TSqliteConnection()
{
    SqliteUnregisterFile(m_name);
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isValid()) db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

std::unique_ptr<TDbQuery> TSqliteConnection::CreateQuery() { return std::make_unique<TSqliteQuery>(m_name); }

std::unique_ptr<TDbStoredProc> TSqliteConnection::CreateStoredProc()
{
    return std::make_unique<TSqliteStoredProc>(m_name);
}

bool TSqliteConnection::Connected() const
{
    const QSqlDatabase db = QSqlDatabase::database(m_name, false);
    return db.isValid() && db.isOpen();
}

QString TSqliteConnection::Description() const { return QStringLiteral("SQLite %1").arg(m_file); }

void TSqliteConnection::BeginTransaction()
{
    // As before a procedure: nothing is begun on a file the path no longer names.
    SqliteRequireSameFile(m_name);
    QSqlDatabase db = SqliteDatabaseByName(m_name);
    if (!SqliteAutocommit(db)) throw EDatabaseError(QStringLiteral("A transaction is already open on %1").arg(m_file));
    Exec(db, QStringLiteral("BEGIN IMMEDIATE"));
}

void TSqliteConnection::CommitTransaction()
{
    QSqlDatabase db = SqliteDatabaseByName(m_name);
    if (SqliteAutocommit(db)) throw EDatabaseError(QStringLiteral("No transaction is open on %1").arg(m_file));
    Exec(db, QStringLiteral("COMMIT"));
}

void TSqliteConnection::RollbackTransaction() noexcept
{
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    if (!db.isValid() || !db.isOpen() || SqliteAutocommit(db)) return;
    QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
}

bool TSqliteConnection::InTransaction() const
{
    const QSqlDatabase db = QSqlDatabase::database(m_name, false);
    return db.isValid() && db.isOpen() && !SqliteAutocommit(db);
}

void CreateSqliteDatabase(const QString& file, const QStringList& scriptFiles,
                          const std::function<void(TSqliteConnection&)>& beforeMove)
{
    if (QFileInfo::exists(file)) throw EDatabaseError(QStringLiteral("Database file already exists: %1").arg(file));
    const QString dir = QFileInfo(file).absolutePath();
    if (!QDir().mkpath(dir)) throw EDatabaseError(QStringLiteral("Cannot create folder %1").arg(dir));
    const QString part = file + QStringLiteral(".part");
    QFile::remove(part);
    {
        // An empty file makes the connection's "file exists" check pass; SQLite fills it.
        QFile f(part);
        if (!f.open(QIODevice::WriteOnly))
            throw EDatabaseError(QStringLiteral("Cannot create %1: %2").arg(part, f.errorString()));
    }
    try {
        TSqliteConnection conn(part);
        const QSqlDatabase db = SqliteDatabaseByName(conn.ConnectionName());
        // One transaction per script: much faster, and a failing script leaves nothing.
        UpgradeSqliteDatabase(conn, scriptFiles);
        // Write-ahead logging: a commit costs one sync instead of several, and readers never
        // wait for a writer. The mode is stored in the file.
        Exec(db, QStringLiteral("PRAGMA journal_mode = WAL"));
        if (beforeMove) beforeMove(conn);
    } catch (...) {
        QFile::remove(part);
        throw;
    }
    if (!QFile::rename(part, file)) {
        QFile::remove(part);
        throw EDatabaseError(QStringLiteral("Cannot move %1 into place").arg(file));
    }
}

QStringList SqliteUpgradeScripts(const QString& folder)
{
    const QDir d(QDir(folder).filePath(QStringLiteral("upgrades")));
    QStringList files;
    for (const QString& name : d.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name))
        files << d.filePath(name);
    // The procedures last: their bodies may use what the upgrades add.
    files << QDir(folder).filePath(QStringLiteral("procedures.sql"));
    return files;
}

QStringList SqliteScriptFiles(const QString& folder, bool withDemoData)
{
    const QDir d(folder);
    QStringList files{d.filePath(QStringLiteral("schema.sql"))};
    files << SqliteUpgradeScripts(folder);   // ends with procedures.sql
    if (withDemoData) files << d.filePath(QStringLiteral("demo.sql"));
    return files;
}

namespace {

// The two names a statement pattern (after any leading comments) captures, with quotes of
// either kind ("x", [x], `x`) removed; empty when the statement does not match.
std::pair<QString, QString> TwoNames(const QString& statement, const QString& pattern)
{
    const QRegularExpression re(QStringLiteral(R"(^(?:\s*--[^\n]*(?:\n|$)|\s*/\*.*?\*/)*\s*)") + pattern,
                                QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption
                                    | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = re.match(statement);
    if (!m.hasMatch()) return {};
    auto unquote = [](QString x) {
        x.remove(QLatin1Char('"')).remove(QLatin1Char('[')).remove(QLatin1Char(']')).remove(QLatin1Char('`'));
        return x;
    };
    return {unquote(m.captured(1)), unquote(m.captured(2))};
}

// "ALTER TABLE t ADD [COLUMN] c ..." names (t, c); empty otherwise. Comments before the
// statement (a script's header, a note on the column) belong to its text and are skipped.
std::pair<QString, QString> AddedColumn(const QString& statement)
{
    return TwoNames(statement, QStringLiteral(R"(ALTER\s+TABLE\s+([\w"\[\]`.]+)\s+ADD\s+(?:COLUMN\s+)?([\w"\[\]`]+))"));
}

// "CREATE [UNIQUE] INDEX IF NOT EXISTS i ON t ..." names (i, t); empty otherwise.
std::pair<QString, QString> CreatedIndex(const QString& statement)
{
    return TwoNames(statement,
                    QStringLiteral(R"(CREATE\s+(?:UNIQUE\s+)?INDEX\s+IF\s+NOT\s+EXISTS\s+([\w"\[\]`.]+)\s+ON\s+([\w"\[\]`.]+))"));
}

QString SqlString(const QString& s) { return QLatin1Char('\'') + QString(s).replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\''); }

bool IndexExists(const QSqlDatabase& db, const QString& index)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = %1 COLLATE NOCASE").arg(SqlString(index))))
        RaiseSqliteError(q.lastError(), QStringLiteral("sqlite_master"));
    return q.next();
}

// What a statement will do once over existing rows, for the progress; empty for the rest.
QString OneTimeWork(const QSqlDatabase& db, const QString& statement)
{
    const auto [index, table] = CreatedIndex(statement);
    if (index.isEmpty() || IndexExists(db, index)) return {};
    QSqlQuery q(db);
    const QString rows = q.exec(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(QString(table).replace(QLatin1Char('"'), QLatin1String("\"\""))))
            && q.next() ? q.value(0).toString() : QStringLiteral("?");
    return QStringLiteral("index %1 on %2 (%3 rows)").arg(index, table, rows);
}

// Runs `statement` while telling `progress` of it, Running about ten times a second.
void ExecReporting(const QSqlDatabase& db, const QString& statement, TSqliteUpgradeWork work,
                   const TSqliteUpgradeProgress& progress)
{
    struct TTicker {
        const TSqliteUpgradeProgress* progress;
        TSqliteUpgradeWork* work;
        QElapsedTimer clock;
        qint64 last = 0;
    } ticker{&progress, &work, {}, 0};
    ticker.clock.start();
    progress(work);
    sqlite3* h = NativeHandle(db);
    if (h)
        sqlite3_progress_handler(h, 10000, [](void* p) {
            auto* t = static_cast<TTicker*>(p);
            const qint64 now = t->clock.elapsed();
            if (now - t->last >= 100) {
                t->last = now;
                t->work->phase = TSqliteUpgradeWork::TPhase::Running;
                t->work->elapsedMs = now;
                try {
                    (*t->progress)(*t->work);
                } catch (...) {
                    // Nothing may leave through SQLite's C frames; a progress display that
                    // failed does not stop the upgrade.
                }
            }
            return 0;
        }, &ticker);
    try {
        Exec(db, statement);
    } catch (...) {
        if (h) sqlite3_progress_handler(h, 0, nullptr, nullptr);
        throw;
    }
    if (h) sqlite3_progress_handler(h, 0, nullptr, nullptr);
    work.phase = TSqliteUpgradeWork::TPhase::Finished;
    work.elapsedMs = ticker.clock.elapsed();
    progress(work);
}

bool ColumnExists(const QSqlDatabase& db, const QString& table, const QString& column)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(QString(table).replace(QLatin1Char('\''), QLatin1String("''")))))
        RaiseSqliteError(q.lastError(), QStringLiteral("pragma_table_info"));
    while (q.next())
        if (q.value(0).toString().compare(column, Qt::CaseInsensitive) == 0) return true;
    return false;
}

} // namespace

void UpgradeSqliteDatabase(TSqliteConnection& conn, const QStringList& scriptFiles, const TSqliteUpgradeProgress& progress)
{
    const QSqlDatabase db = SqliteDatabaseByName(conn.ConnectionName());
    for (const QString& script : scriptFiles) {
        QFile f(script);
        if (!f.open(QIODevice::ReadOnly))
            throw EDatabaseError(QStringLiteral("Cannot read %1: %2").arg(script, f.errorString()));
        const QStringList statements = SplitSqlStatements(QString::fromUtf8(f.readAll()));
        try {
            Exec(db, QStringLiteral("BEGIN IMMEDIATE"));
            for (const QString& s : statements) {
                // SQLite has no "ADD COLUMN IF NOT EXISTS": a column already there was added
                // by an earlier run of this script.
                const auto [table, column] = AddedColumn(s);
                if (!table.isEmpty() && ColumnExists(db, table, column)) continue;
                if (progress) {
                    TSqliteUpgradeWork work;
                    work.script = QFileInfo(script).fileName();
                    work.what = OneTimeWork(db, s);
                    if (!work.what.isEmpty()) {
                        ExecReporting(db, s, work, progress);
                        continue;
                    }
                }
                Exec(db, s);
            }
            Exec(db, QStringLiteral("COMMIT"));
        } catch (const EDatabaseError& e) {
            QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
            throw EDatabaseError(QStringLiteral("%1: %2").arg(QFileInfo(script).fileName(), e.Message()));
        }
    }
}
