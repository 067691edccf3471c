// SPDX-License-Identifier: MIT
#include "ServerTestDatabase.h"
#include <QAtomicInteger>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace {

QAtomicInteger<int> g_databaseCounter;

const QString kScriptDir = QStringLiteral(WR_SOURCE_DIR "/db/postgresql/");

QString DatabaseNameOf(const QString& connectionString)
{
    static const QRegularExpression re(QStringLiteral("(?:^|;)\\s*Database\\s*=\\s*([^;]*)"),
                                       QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(connectionString);
    return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

void ExecAdmin(const QString& sql)
{
    auto admin = OpenDatabase(TestServerConnectionString());
    auto q = admin->CreateQuery();
    q->SQL() << sql;
    q->ExecSQL();
}

// Owns a connection to a test database and drops the database after closing it.
class TDroppingConnection final : public TDbConnection {
public:
    TDroppingConnection(std::unique_ptr<TDbConnection> inner, QString target)
        : m_inner(std::move(inner)), m_target(std::move(target)) {}
    ~TDroppingConnection() override
    {
        m_inner.reset();
        DropServerTestDatabase(m_target);
    }
    std::unique_ptr<TDbQuery> CreateQuery() override { return m_inner->CreateQuery(); }
    std::unique_ptr<TDbStoredProc> CreateStoredProc() override { return m_inner->CreateStoredProc(); }
    bool Connected() const override { return m_inner->Connected(); }
    QString Dialect() const override { return m_inner->Dialect(); }
    QString Description() const override { return m_inner->Description(); }

private:
    std::unique_ptr<TDbConnection> m_inner;
    QString m_target;
};

} // namespace

QString TestServerConnectionString() { return qEnvironmentVariable("WR_TEST_ODBC").trimmed(); }

QString WorkstationConnectionString() { return qEnvironmentVariable("WR_TEST_ODBC_WORKSTATION").trimmed(); }

bool TestsUseServer() { return qEnvironmentVariable("WR_TEST_BACKEND").compare(QLatin1String("odbc"), Qt::CaseInsensitive) == 0; }

QString ServerTestsUnavailableReason()
{
    if (TestServerConnectionString().isEmpty() || WorkstationConnectionString().isEmpty())
        return QStringLiteral("WR_TEST_ODBC / WR_TEST_ODBC_WORKSTATION are not set: database-server tests run from "
                              "scripts/server-tests, which starts a throwaway PostgreSQL server");
    return {};
}

QString WithDatabaseName(const QString& connectionString, const QString& database)
{
    static const QRegularExpression re(QStringLiteral("((?:^|;)\\s*Database\\s*=\\s*)[^;]*"),
                                       QRegularExpression::CaseInsensitiveOption);
    QString s = connectionString;
    if (s.contains(re)) return s.replace(re, QStringLiteral("\\1") + database);
    if (!s.endsWith(QLatin1Char(';'))) s += QLatin1Char(';');
    return s + QStringLiteral("Database=") + database;
}

void RunSqlScriptFile(TDbConnection& conn, const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) throw EDatabaseError(QStringLiteral("Cannot read %1").arg(file));
    const QString text = QString::fromUtf8(f.readAll());
    try {
        auto q = conn.CreateQuery();
        q->SQL() << text;
        q->ExecSQL();
    } catch (const EDatabaseError& e) {
        throw EDatabaseError(QStringLiteral("%1: %2").arg(file, e.Message()));
    }
}

QStringList ServerUpgradeScripts()
{
    const QDir d(kScriptDir + QStringLiteral("upgrades"));
    QStringList files;
    for (const QString& name : d.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name))
        files << d.filePath(name);
    return files;
}

QString CreateServerTestDatabase(bool withDemoData)
{
    const QString reason = ServerTestsUnavailableReason();
    if (!reason.isEmpty()) throw EDatabaseError(reason);
    const QString name = QStringLiteral("wr_t_%1_%2_%3")
                             .arg(QCoreApplication::applicationPid())
                             .arg(g_databaseCounter.fetchAndAddOrdered(1))
                             .arg(QRandomGenerator::global()->bounded(100000));
    ExecAdmin(QStringLiteral("CREATE DATABASE %1 ENCODING 'UTF8' TEMPLATE template0").arg(name));
    const QString admin = WithDatabaseName(TestServerConnectionString(), name);
    try {
        auto conn = OpenDatabase(admin);
        RunSqlScriptFile(*conn, kScriptDir + QStringLiteral("schema.sql"));
        for (const QString& upgrade : ServerUpgradeScripts()) RunSqlScriptFile(*conn, upgrade);
        RunSqlScriptFile(*conn, kScriptDir + QStringLiteral("procedures.sql"));
        RunSqlScriptFile(*conn, kScriptDir + QStringLiteral("grants.sql"));
        if (withDemoData) RunSqlScriptFile(*conn, kScriptDir + QStringLiteral("demo.sql"));
    } catch (...) {
        DropServerTestDatabase(admin);
        throw;
    }
    return WithDatabaseName(WorkstationConnectionString(), name);
}

QString ServerAdminTarget(const QString& target)
{
    return WithDatabaseName(TestServerConnectionString(), DatabaseNameOf(target));
}

QString ServerScriptFile(const QString& name) { return kScriptDir + name; }

void DropServerTestDatabase(const QString& connectionString)
{
    const QString name = DatabaseNameOf(connectionString);
    if (!name.startsWith(QLatin1String("wr_t_"))) return;  // never drop anything we did not make
    try {
        ExecAdmin(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
    } catch (const Exception& e) {
        qWarning("Could not drop test database %s: %s", qPrintable(name), e.what());
    }
}

std::unique_ptr<TDbConnection> OpenServerTestDatabase(bool withDemoData)
{
    const QString target = CreateServerTestDatabase(withDemoData);
    try {
        return std::make_unique<TDroppingConnection>(OpenDatabase(target), target);
    } catch (...) {
        DropServerTestDatabase(target);
        throw;
    }
}
