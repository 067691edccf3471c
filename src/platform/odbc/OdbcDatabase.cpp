// SPDX-License-Identifier: MIT
#include "OdbcDatabase.h"
#include "platform/ConnectionString.h"
#include "OdbcSession.h"
#include "OdbcStoredProc.h"
#include "platform/DatabaseOpeners.h"

namespace {

std::shared_ptr<TOdbcSession> Lock(const std::weak_ptr<TOdbcSession>& s)
{
    auto session = s.lock();
    if (!session) throw EDatabaseError(QStringLiteral("The database connection has been closed"));
    return session;
}

// A query whose whole result is fetched when it is opened (a client-side data set): the row
// count is exact and nothing stays open on the server between operations.
class TOdbcQuery final : public TDbQuery {
public:
    explicit TOdbcQuery(std::weak_ptr<TOdbcSession> session) : m_session(std::move(session)) {}

    void Open() override
    {
        Close();
        auto session = Lock(m_session);
        const QString text = ServerText(*session);
        TOdbcSession::TResult r = session->Run(text, {}, true, IsSingleReadStatement(text));
        if (!r.hasColumns)
            throw EDatabaseError(QStringLiteral("The statement returned no result set (SQL: %1)").arg(OdbcStatementSummary(SqlText())));
        m_columns = std::move(r.columns);
        m_rows = std::move(r.rows);
        m_active = true;
    }

    void ExecSQL() override
    {
        Close();
        auto session = Lock(m_session);
        const QString text = ServerText(*session);
        session->Run(text, {}, true, IsSingleReadStatement(text));
    }

    void Close() override
    {
        m_active = false;
        m_columns.clear();
        m_rows.clear();
        m_pos = 0;
    }

    bool Active() const override { return m_active; }
    int RecordCount() const override { return static_cast<int>(m_rows.size()); }
    void First() override { m_pos = 0; }
    void Next() override { if (m_pos < m_rows.size()) ++m_pos; }
    bool Eof() const override { return m_pos >= m_rows.size(); }

    TDbValue FieldByName(const QString& name) const override
    {
        if (!m_active) throw EDatabaseError(QStringLiteral("Cannot read field '%1': the query is not open").arg(name));
        for (qsizetype c = 0; c < m_columns.size(); ++c) {
            if (m_columns.at(c).compare(name, Qt::CaseInsensitive) != 0) continue;
            return Eof() ? TDbValue() : TDbValue(m_rows[m_pos].at(c));
        }
        throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    }

    QStringList FieldNames() const override { return m_columns; }

private:
    QString ServerText(const TOdbcSession& session) const
    {
        const QString text = SqlText();
        return session.Dialect() == TOdbcDialect::PostgreSql ? RewriteBracketIdentifiers(text) : AddNationalLiteralPrefixes(text);
    }

    std::weak_ptr<TOdbcSession> m_session;
    bool m_active = false;
    QStringList m_columns;
    std::vector<QVariantList> m_rows;
    size_t m_pos = 0;
};

std::unique_ptr<TDbConnection> OpenOdbc(const QString& target)
{
    return std::make_unique<TOdbcConnection>(target);
}

// The platform library registers its ODBC backend as it loads, so that every program that
// opens databases through OpenDatabase reaches SQL Server without a set-up call of its own.
[[maybe_unused]] const bool g_registered = (RegisterOdbcOpener(), true);

} // namespace

void RegisterOdbcOpener() { g_odbcOpener = &OpenOdbc; }

void SetOdbcIdleCheckSeconds(int seconds) { TOdbcSession::SetIdleCheckSeconds(seconds); }

QString OdbcDescription(const QString& connectionString)
{
    // key=value pairs separated by ';'; a value may be braced and then hold ';', with '}}'
    // standing for a '}' of the value (a password may hold "};Server=x" and must not leak).
    QStringList kept;
    const QString& s = connectionString;
    qsizetype i = 0;
    while (i < s.size()) {
        const qsizetype j = OdbcPairEnd(s, i);
        const QString pair = s.mid(i, j - i).trimmed();
        const QString key = pair.section(QLatin1Char('='), 0, 0).trimmed();
        if (!pair.isEmpty() && key.compare(QLatin1String("pwd"), Qt::CaseInsensitive) != 0
            && key.compare(QLatin1String("password"), Qt::CaseInsensitive) != 0)
            kept << pair;
        i = j + 1;
    }
    return QStringLiteral("ODBC ") + kept.join(QLatin1Char(';'));
}

TOdbcConnection::TOdbcConnection(const QString& connectionString)
    : m_session(std::make_shared<TOdbcSession>(connectionString))
{
}

TOdbcConnection::~TOdbcConnection() = default;

std::unique_ptr<TDbQuery> TOdbcConnection::CreateQuery() { return std::make_unique<TOdbcQuery>(m_session); }

std::unique_ptr<TDbStoredProc> TOdbcConnection::CreateStoredProc() { return std::make_unique<TOdbcStoredProc>(m_session); }

bool TOdbcConnection::Connected() const { return m_session->IsOpen(); }

QString TOdbcConnection::Dialect() const
{
    return m_session->Dialect() == TOdbcDialect::PostgreSql ? QStringLiteral("postgresql") : QStringLiteral("sqlserver");
}

QString TOdbcConnection::Description() const { return OdbcDescription(m_session->ConnectionString()); }

int TOdbcConnection::ReconnectCount() const { return m_session->ReconnectCount(); }

void TOdbcConnection::BeginTransaction() { m_session->BeginTransaction(); }
void TOdbcConnection::CommitTransaction() { m_session->CommitTransaction(); }
void TOdbcConnection::RollbackTransaction() noexcept { m_session->RollbackTransaction(); }
bool TOdbcConnection::InTransaction() const { return m_session->InTransaction(); }
