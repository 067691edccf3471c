// SPDX-License-Identifier: MIT
// Per-user database logins on the server: with StrictUserCheck on, a signature or a
// withdrawal in the name of a user other than the one mapped to the session's own login
// (WrUser.DbLogin) is refused by the database itself, whatever the program sends. Two login
// roles, each mapped to one demo doctor, stand for two doctors' own logins.
#include "ServerTestDatabase.h"
#include "TestDatabase.h"
#include "hostdata/ReportSigning.h"
#include <QCoreApplication>
#include <QTest>

namespace {
QString RoleName(const char* which)
{
    return QStringLiteral("wr_strict_%1_%2").arg(QLatin1String(which)).arg(QCoreApplication::applicationPid());
}

QString AsLogin(const QString& target, const QString& login)
{
    QString s = target;
    s.replace(QStringLiteral("Uid=wr_ws"), QStringLiteral("Uid=") + login);
    return s;
}
} // namespace

class TstStrictUsers : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void offByDefault();
    void signingChecksTheSessionLogin();
    void withdrawingChecksTheSessionLogin();
    void unmappedAmbiguousAndDisabledLoginsCannotSign();

private:
    void SetStrict(bool on);
    QString NextUnsignedReport();
    QString SignedBy(const QString& ruid);
    // Runs `call`; returns the database's message, or empty when it succeeded.
    template <typename F> QString Refusal(F call);

    QString m_target, m_loginA, m_loginB;
    QString m_codeA, m_codeB, m_nameA;
    std::unique_ptr<TDbConnection> m_admin;
    QStringList m_used;
};

void TstStrictUsers::initTestCase()
{
    const QString reason = ServerTestsUnavailableReason();
    if (!reason.isEmpty()) QSKIP(qPrintable(reason));
    m_target = CreateServerTestDatabase(true);
    m_admin = OpenDatabase(ServerAdminTarget(m_target));
    m_loginA = RoleName("a");
    m_loginB = RoleName("b");
    for (const QString& login : {m_loginA, m_loginB})
        ExecTestSql(*m_admin, QStringLiteral("DO $$ BEGIN IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = '%1') THEN "
                                             "CREATE ROLE %1 LOGIN IN ROLE wr_workstation; END IF; END $$")
                                  .arg(login));
    auto q = m_admin->CreateQuery();
    q->SQL() << QStringLiteral("SELECT code, 姓名 AS name FROM csdoctor WHERE coalesce(code, '') <> '' ORDER BY code LIMIT 2");
    q->Open();
    QVERIFY(!q->Eof());
    m_codeA = q->FieldByName(QStringLiteral("code")).AsString();
    m_nameA = q->FieldByName(QStringLiteral("name")).AsString();
    q->Next();
    QVERIFY(!q->Eof());
    m_codeB = q->FieldByName(QStringLiteral("code")).AsString();
    // Both are reviewers; each has a login of their own.
    for (const auto& [code, login] : {std::pair{m_codeA, m_loginA}, std::pair{m_codeB, m_loginB}}) {
        ExecTestSql(*m_admin, QStringLiteral("DELETE FROM WrUser WHERE UserCode = '%1' OR DbLogin = '%2'").arg(code, login));
        ExecTestSql(*m_admin, QStringLiteral("INSERT INTO WrUser (UserCode, RoleCode, DbLogin) VALUES ('%1', 'reviewer', '%2')")
                                  .arg(code, login));
    }
}

void TstStrictUsers::cleanupTestCase()
{
    m_admin.reset();
    if (m_target.isEmpty()) return;
    DropServerTestDatabase(m_target);
    try {
        auto server = OpenDatabase(TestServerConnectionString());
        for (const QString& login : {m_loginA, m_loginB}) ExecTestSql(*server, QStringLiteral("DROP ROLE IF EXISTS %1").arg(login));
    } catch (const Exception& e) {
        qWarning("roles left behind: %s", e.what());
    }
}

void TstStrictUsers::SetStrict(bool on)
{
    ExecTestSql(*m_admin, QStringLiteral("UPDATE wr_setting SET value = '%1' WHERE name = 'StrictUserCheck'").arg(on ? 1 : 0));
}

QString TstStrictUsers::NextUnsignedReport()
{
    auto q = m_admin->CreateQuery();
    q->SQL() << QStringLiteral("SELECT ruid FROM Report WHERE coalesce(ReportState, 0) < 5 ORDER BY ruid");
    q->Open();
    for (; !q->Eof(); q->Next()) {
        const QString ruid = q->FieldByName(QStringLiteral("ruid")).AsString();
        if (!m_used.contains(ruid)) {
            m_used << ruid;
            return ruid;
        }
    }
    return {};
}

QString TstStrictUsers::SignedBy(const QString& ruid)
{
    return QueryTestValue(*m_admin, QStringLiteral("SELECT coalesce(ShenHeDoctorCode, '') || '/' || coalesce(ShenHeDoctor, '') || '/' "
                                                   "|| coalesce(ReportState, 0) FROM Report WHERE ruid = '%1'")
                                        .arg(ruid))
        .AsString();
}

template <typename F> QString TstStrictUsers::Refusal(F call)
{
    try {
        call();
        return {};
    } catch (const Exception& e) {
        return e.Message();
    }
}

void TstStrictUsers::offByDefault()
{
    // The upgrade adds the setting switched off: the shared workstation login signs for
    // anyone, as before.
    QCOMPARE(QueryTestValue(*m_admin, QStringLiteral("SELECT value FROM wr_setting WHERE name = 'StrictUserCheck'")).AsString(),
             QStringLiteral("0"));
    const QString ruid = NextUnsignedReport();
    QVERIFY(!ruid.isEmpty());
    auto shared = OpenDatabase(m_target);
    SignReport(*shared, ruid, TSigner{QStringLiteral("任何人"), m_codeB});
    QCOMPARE(SignedBy(ruid), QStringLiteral("%1/任何人/5").arg(m_codeB));
}

void TstStrictUsers::signingChecksTheSessionLogin()
{
    SetStrict(true);
    auto a = OpenDatabase(AsLogin(m_target, m_loginA));
    // The connection really is A's own login.
    QCOMPARE(QueryTestValue(*a, QStringLiteral("SELECT session_user")).AsString(), m_loginA);

    const QString ruid = NextUnsignedReport();
    QVERIFY(!ruid.isEmpty());
    const QString refused = Refusal([&] { SignReport(*a, ruid, TSigner{QStringLiteral("冒名"), m_codeB}); });
    QVERIFY2(refused.contains(m_loginA) && refused.contains(m_codeB), qPrintable(refused));
    QVERIFY(!ReadSignState(*m_admin, ruid).IsFinal());

    // In A's own name it signs, with A's name from the doctors' list whatever name was sent.
    SignReport(*a, ruid, TSigner{QStringLiteral("别的名字"), m_codeA});
    QCOMPARE(SignedBy(ruid), QStringLiteral("%1/%2/5").arg(m_codeA, m_nameA));
    const QList<TReportEvent> events = ReadReportEvents(*m_admin, ruid);
    QVERIFY(!events.isEmpty());
    QCOMPARE(events.last().userCode, m_codeA);
    QCOMPARE(events.last().userName, m_nameA);
    SetStrict(false);
}

void TstStrictUsers::withdrawingChecksTheSessionLogin()
{
    const QString ruid = NextUnsignedReport();
    QVERIFY(!ruid.isEmpty());
    auto b = OpenDatabase(AsLogin(m_target, m_loginB));
    SignReport(*b, ruid, TSigner{QStringLiteral("B"), m_codeB});
    SetStrict(true);
    const QString refused = Refusal([&] { WithdrawSignature(*b, ruid, TSigner{QStringLiteral("A"), m_codeA}); });
    QVERIFY2(refused.contains(m_loginB), qPrintable(refused));
    QVERIFY(ReadSignState(*m_admin, ruid).IsFinal());
    WithdrawSignature(*b, ruid, TSigner{QStringLiteral("B"), m_codeB});
    QCOMPARE(ReadSignState(*m_admin, ruid).reportState, 2);
    SetStrict(false);
}

void TstStrictUsers::unmappedAmbiguousAndDisabledLoginsCannotSign()
{
    SetStrict(true);
    const QString ruid = NextUnsignedReport();
    QVERIFY(!ruid.isEmpty());
    // The shared workstation login is nobody's own.
    auto shared = OpenDatabase(m_target);
    QString refused = Refusal([&] { SignReport(*shared, ruid, TSigner{QStringLiteral("A"), m_codeA}); });
    QVERIFY2(refused.contains(QStringLiteral("wr_ws")), qPrintable(refused));

    // A disabled user's login signs no more.
    ExecTestSql(*m_admin, QStringLiteral("UPDATE WrUser SET Disabled = 1 WHERE UserCode = '%1'").arg(m_codeA));
    auto a = OpenDatabase(AsLogin(m_target, m_loginA));
    refused = Refusal([&] { SignReport(*a, ruid, TSigner{QStringLiteral("A"), m_codeA}); });
    QVERIFY2(refused.contains(m_loginA), qPrintable(refused));
    ExecTestSql(*m_admin, QStringLiteral("UPDATE WrUser SET Disabled = 0 WHERE UserCode = '%1'").arg(m_codeA));

    // One login mapped to two users is nobody in particular.
    ExecTestSql(*m_admin, QStringLiteral("UPDATE WrUser SET DbLogin = '%1' WHERE UserCode = '%2'").arg(m_loginA, m_codeB));
    refused = Refusal([&] { SignReport(*a, ruid, TSigner{QStringLiteral("A"), m_codeA}); });
    QVERIFY2(!refused.isEmpty(), "a login mapped to two users signed");
    ExecTestSql(*m_admin, QStringLiteral("UPDATE WrUser SET DbLogin = '%1' WHERE UserCode = '%2'").arg(m_loginB, m_codeB));
    QVERIFY(!ReadSignState(*m_admin, ruid).IsFinal());

    SignReport(*a, ruid, TSigner{QStringLiteral("A"), m_codeA});
    QVERIFY(ReadSignState(*m_admin, ruid).IsFinal());
    SetStrict(false);
}

QTEST_GUILESS_MAIN(TstStrictUsers)
#include "tst_strictusers.moc"
