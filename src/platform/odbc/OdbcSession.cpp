// SPDX-License-Identifier: MIT
#include "OdbcSession.h"
#include "OdbcDatabase.h"
#include "platform/DbWait.h"
#include <QAtomicInteger>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>

namespace {
QAtomicInteger<quint64> g_sessionCounter;
QAtomicInt g_idleCheckSeconds = 60;

// Login timeout, so that reconnecting to a server that is down fails within seconds instead
// of hanging the user-interface thread.
const QString kConnectOptions = QStringLiteral("SQL_ATTR_ODBC_VERSION=SQL_OV_ODBC3;SQL_ATTR_LOGIN_TIMEOUT=15");

// A null QString would reach the server as NULL; the report code sends empty texts as
// empty texts.
QVariant BindableValue(const QVariant& v)
{
    if (!v.isNull() && v.typeId() == QMetaType::QString && v.toString().isNull()) return QVariant(QStringLiteral(""));
    return v;
}
} // namespace

QString OdbcStatementSummary(const QString& sql)
{
    QString first = sql.trimmed().section(QLatin1Char('\n'), 0, 0).trimmed();
    if (first.size() > 120) first = first.left(117) + QStringLiteral("...");
    return first;
}

TOdbcSession::TOdbcSession(QString connectionString)
    : m_connectionString(std::move(connectionString))
    , m_name(QStringLiteral("wr_odbc_%1").arg(g_sessionCounter.fetchAndAddOrdered(1)))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), m_name);
    if (!db.isValid()) {
        QSqlDatabase::removeDatabase(m_name);
        throw EDatabaseError(QStringLiteral("The Qt ODBC driver (QODBC) is not installed"));
    }
    db.setDatabaseName(m_connectionString);
    db.setConnectOptions(kConnectOptions);
    try {
        Open();
    } catch (...) {
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        throw;
    }
}

TOdbcSession::~TOdbcSession()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isValid()) db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

void TOdbcSession::Open()
{
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    if (!db.open()) {
        const QSqlError e = db.lastError();
        QString text = e.databaseText().trimmed();
        if (text.isEmpty()) text = e.text().trimmed();
        throw EDatabaseError(QStringLiteral("Cannot connect to %1: %2").arg(OdbcDescription(m_connectionString), text));
    }
    switch (db.driver()->dbmsType()) {
    case QSqlDriver::MSSqlServer: m_dialect = TOdbcDialect::SqlServer; break;
    case QSqlDriver::PostgreSQL: m_dialect = TOdbcDialect::PostgreSql; break;
    default:
        db.close();
        throw EDatabaseError(QStringLiteral("%1 is neither SQL Server nor PostgreSQL").arg(OdbcDescription(m_connectionString)));
    }
    m_suspect = false;
    m_lockTimeoutMs = 0;
    m_lockTimeoutRefused = false;
    m_lastUse.start();
}

bool TOdbcSession::IsOpen() const
{
    const QSqlDatabase db = QSqlDatabase::database(m_name, false);
    return db.isValid() && db.isOpen();
}

bool TOdbcSession::Ping()
{
    QSqlQuery q(QSqlDatabase::database(m_name, false));
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT 1"))) return false;
    while (q.next()) {}
    return !q.lastError().isValid();
}

void TOdbcSession::EnsureUsable()
{
    const bool idle = m_lastUse.isValid() && m_lastUse.elapsed() >= qint64(IdleCheckSeconds()) * 1000;
    if (IsOpen() && !m_suspect && !idle) return;
    if (IsOpen() && Ping()) {
        m_suspect = false;
        return;
    }
    if (m_inTransaction)
        throw EDatabaseError(QStringLiteral("The connection to the database failed inside a transaction; nothing of it was kept"));
    // The link is gone: drop the driver's handles and open anew. Failing here leaves the
    // session in doubt, so the next use tries again.
    m_suspect = true;
    QSqlDatabase::database(m_name, false).close();
    Open();
    ++m_reconnects;
}

QSqlQuery TOdbcSession::NewQuery()
{
    EnsureUsable();
    m_lastUse.start();
    QSqlQuery q(QSqlDatabase::database(m_name, false));
    // Forward-only: SQL Server can only walk several result sets of a batch this way.
    q.setForwardOnly(true);
    return q;
}

void TOdbcSession::Raise(const QSqlError& error, const QString& doing)
{
    MarkSuspect();
    QString text = error.databaseText().trimmed();
    if (text.isEmpty()) text = error.driverText().trimmed();
    if (text.isEmpty()) text = QStringLiteral("Unknown database error");
    // psqlodbc appends its own state line after ";\n"; keep the message on one line.
    text.replace(QLatin1String(";\n"), QLatin1String("; "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    throw EDatabaseError(doing.isEmpty() ? text : QStringLiteral("%1 (%2)").arg(text, doing));
}

void TOdbcSession::Fail(const QSqlError& error, const QString& doing, bool askOnLock)
{
    if (askOnLock && IsLockTimeoutError(m_dialect, error.nativeErrorCode(), error.databaseText() + QLatin1Char(' ') + error.driverText()))
        throw TLockTimedOut{error.databaseText().trimmed()};
    Raise(error, doing);
}

bool TOdbcSession::SetLockTimeout(int ms)
{
    if (m_lockTimeoutMs == ms) return true;
    if (m_lockTimeoutRefused) return ms == 0;
    QSqlQuery q(QSqlDatabase::database(m_name, false));
    if (!q.exec(LockTimeoutStatement(m_dialect, ms))) {
        // A server without the setting waits as it always did; a lost link shows on the
        // statement that follows.
        m_lockTimeoutRefused = true;
        return ms == 0;
    }
    m_lockTimeoutMs = ms;
    return true;
}

void TOdbcSession::BeginTransaction()
{
    if (m_inTransaction) throw EDatabaseError(QStringLiteral("A transaction is already open on this connection"));
    EnsureUsable();
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    if (!db.transaction()) Raise(db.lastError(), QStringLiteral("beginning a transaction"));
    m_inTransaction = true;
    m_lastUse.start();
}

void TOdbcSession::CommitTransaction()
{
    if (!m_inTransaction) throw EDatabaseError(QStringLiteral("No transaction is open on this connection"));
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    const bool ok = db.commit();
    if (!ok) {
        // The server keeps nothing of a transaction that could not be committed.
        const QSqlError error = db.lastError();
        RollbackTransaction();
        Raise(error, QStringLiteral("committing a transaction"));
    }
    m_inTransaction = false;
}

void TOdbcSession::RollbackTransaction() noexcept
{
    if (!m_inTransaction) return;
    m_inTransaction = false;
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    if (db.isValid() && db.isOpen() && !db.rollback()) m_suspect = true;
    // A setting made inside the transaction may have been undone with it (PostgreSQL).
    m_lockTimeoutMs = -1;
}

TOdbcSession::TResult TOdbcSession::Run(const QString& sql, const QVariantList& values, bool firstResult, bool rerunnable)
{
    // Run again after a lock wait, a statement would leave the transaction it belonged to.
    if (m_inTransaction) rerunnable = false;
    if (!rerunnable || !DbWaitHandled() || m_lockTimeoutRefused) return RunOnce(sql, values, firstResult, false);
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        try {
            return RunOnce(sql, values, firstResult, true);
        } catch (const TLockTimedOut& timedOut) {
            // The statement changed nothing; the user decides whether it runs again. The
            // handler may run other statements meanwhile (timers): each sets its own wait.
            if (AskDbWaitHandler(int(qMin<qint64>(waited.elapsed(), INT_MAX)))) continue;
            throw EDatabaseError(QStringLiteral("数据被其他工作站或程序锁定，等待 %1 秒后放弃: %2 (SQL: %3)")
                                     .arg(waited.elapsed() / 1000)
                                     .arg(timedOut.text, OdbcStatementSummary(sql)));
        }
    }
}

TOdbcSession::TResult TOdbcSession::RunOnce(const QString& sql, const QVariantList& values, bool firstResult, bool askOnLock)
{
    QSqlQuery q = NewQuery();
    askOnLock = SetLockTimeout(askOnLock ? kLockSliceMs : 0) && askOnLock;
    const QString doing = QStringLiteral("SQL: ") + OdbcStatementSummary(sql);
    bool ok;
    if (values.isEmpty()) {
        ok = q.exec(sql);
    } else {
        if (!q.prepare(sql)) Fail(q.lastError(), doing, askOnLock);
        for (const QVariant& v : values) q.addBindValue(BindableValue(v));
        ok = q.exec();
    }
    if (!ok) Fail(q.lastError(), doing, askOnLock);

    TResult result;
    bool kept = false;
    // Walk every result set: an error raised after the first one (a RAISERROR after a
    // SELECT, a failing second statement) only shows when its result set is reached.
    do {
        const QSqlRecord rec = q.record();
        const bool keep = rec.count() > 0 && !(firstResult && kept);
        if (keep) {
            result = TResult();
            result.hasColumns = true;
            for (int c = 0; c < rec.count(); ++c) result.columns << rec.fieldName(c);
        }
        while (q.next()) {
            if (!keep) continue;
            QVariantList row;
            row.reserve(rec.count());
            for (int c = 0; c < rec.count(); ++c) row << q.value(c);
            result.rows.push_back(std::move(row));
        }
        if (q.lastError().isValid()) Fail(q.lastError(), doing, askOnLock);
        kept = kept || keep;
    } while (q.nextResult());
    if (q.lastError().isValid()) Fail(q.lastError(), doing, askOnLock);
    m_lastUse.start();
    return result;
}

int TOdbcSession::IdleCheckSeconds() { return g_idleCheckSeconds.loadRelaxed(); }
void TOdbcSession::SetIdleCheckSeconds(int seconds) { g_idleCheckSeconds.storeRelaxed(qMax(0, seconds)); }
