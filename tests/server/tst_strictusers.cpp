// SPDX-License-Identifier: MIT
// Per-user database logins on the server: with StrictUserCheck on, a signature or a
// withdrawal in the name of a user other than the one mapped to the session's own login
// (WrUser.DbLogin) is refused by the database itself, whatever the program sends, and a save
// can neither sign, withdraw nor change the reviewer, nor name another user as its author.
// Two login roles, each mapped to one demo doctor, stand for two doctors' own logins.
#include "ServerTestDatabase.h"
#include "TestDatabase.h"
#include "hostdata/ReportSigning.h"
#include "platform/DateTime.h"
#include <QCoreApplication>
#include <QTest>
#include <QUuid>

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

// What a save sends of the review state and its author; the rest of the row is left empty.
struct TSaveFields {
    int state = 0;
    QString reviewer, reviewerCode;
    QDateTime reviewDate;
    QString savedBy;
    QString text;
};

void Save(TDbConnection& conn, const QString& ruid, const TSaveFields& f)
{
    auto sp = conn.CreateStoredProc();
    sp->SetProcedureName(QStringLiteral("sp_SaveReportInfo"));
    sp->RefreshParameters();
    sp->ParamByName(QStringLiteral("@Ruid")).SetAsString(ruid);
    sp->ParamByName(QStringLiteral("@SuoJian")).SetAsString(f.text);
    sp->ParamByName(QStringLiteral("@ReportState")).SetAsInteger(f.state);
    sp->ParamByName(QStringLiteral("@ShenHeDoctor")).SetAsString(f.reviewer);
    sp->ParamByName(QStringLiteral("@ShenHeDoctorCode")).SetAsString(f.reviewerCode);
    sp->ParamByName(QStringLiteral("@shenHeDate")).SetAsDateTime(QDateTimeToDateTime(f.reviewDate));
    sp->ParamByName(QStringLiteral("@SavedBy")).SetAsString(f.savedBy);
    sp->ExecProc();
    sp->Close();
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
    void strictSaveKeepsTheReviewState();
    void strictSaveRecordsTheSessionUser();
    void saveWithoutStrictKeepsTheOldRules();
    void aDoctorWithoutTheRightCannotSignOrWithdraw();

private:
    void SetStrict(bool on);
    QString NextUnsignedReport();
    QString SignedBy(const QString& ruid);
    // Review doctor code/name/state/review date and the saved text, in one line.
    QString Stored(const QString& ruid);
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

QString TstStrictUsers::Stored(const QString& ruid)
{
    return QueryTestValue(*m_admin, QStringLiteral("SELECT coalesce(ShenHeDoctorCode, '') || '/' || coalesce(ShenHeDoctor, '') || '/' "
                                                   "|| coalesce(ReportState::text, 'null') || '/' "
                                                   "|| coalesce(to_char(shenHeDate, 'YYYY-MM-DD HH24:MI:SS'), '') || '/' "
                                                   "|| coalesce(SuoJian, '') FROM Report WHERE ruid = '%1'")
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

void TstStrictUsers::strictSaveKeepsTheReviewState()
{
    SetStrict(true);
    auto a = OpenDatabase(AsLogin(m_target, m_loginA));
    auto b = OpenDatabase(AsLogin(m_target, m_loginB));
    const QDateTime forgedDate(QDate(2001, 2, 3), QTime(4, 5, 6));
    const TSaveFields forged{5, QStringLiteral("冒名"), m_codeB, forgedDate, QString(), QString()};

    // An unsigned report cannot be made final, nor given a reviewer, by a save; the rest of
    // the save is written.
    const QString ruid = NextUnsignedReport();
    QVERIFY(!ruid.isEmpty());
    const QString before = Stored(ruid);
    const QString reviewBefore = before.section(QLatin1Char('/'), 0, 3);
    TSaveFields f = forged;
    f.text = QStringLiteral("保存一");
    Save(*a, ruid, f);
    QCOMPARE(Stored(ruid), reviewBefore + QStringLiteral("/保存一"));
    QVERIFY(!ReadSignState(*m_admin, ruid).IsFinal());

    // Once A signed it, B's save can neither withdraw it nor change the reviewer or date.
    SignReport(*a, ruid, TSigner{m_nameA, m_codeA});
    const QString signedReview = Stored(ruid).section(QLatin1Char('/'), 0, 3);
    QVERIFY2(signedReview.startsWith(QStringLiteral("%1/%2/5/").arg(m_codeA, m_nameA)), qPrintable(signedReview));
    f = TSaveFields{2, QStringLiteral("冒名"), m_codeB, forgedDate, QString(), QStringLiteral("保存二")};
    Save(*b, ruid, f);
    QCOMPARE(Stored(ruid), signedReview + QStringLiteral("/保存二"));
    f.state = 7;
    Save(*b, ruid, f);
    QCOMPARE(ReadSignState(*m_admin, ruid).reportState, 5);

    // The editor's save of a signed report unlocked for editing sends what it loaded: the
    // text changes, the report stays signed and the edit is counted.
    const QString stored = Stored(ruid);
    f = TSaveFields{5, m_nameA, m_codeA, DateTimeToQDateTime(Now()), QString(), QStringLiteral("审核后修改")};
    Save(*a, ruid, f);
    NoteSignedEdit(*a, ruid, TSigner{m_nameA, m_codeA});
    QCOMPARE(Stored(ruid), stored.section(QLatin1Char('/'), 0, 3) + QStringLiteral("/审核后修改"));
    QVERIFY(ReadSignState(*m_admin, ruid).IsFinal());

    // A new report saved as final is stored without a state or reviewer.
    const QString fresh = QUuid::createUuid().toString(QUuid::WithoutBraces);
    f = forged;
    f.text = QStringLiteral("新报告");
    Save(*a, fresh, f);
    QCOMPARE(Stored(fresh), QStringLiteral("//null//新报告"));
    QVERIFY(!ReadSignState(*m_admin, fresh).IsFinal());

    // Below 5 the writing states still move as the program says.
    f.state = 2;
    Save(*a, fresh, f);
    QCOMPARE(Stored(fresh), QStringLiteral("//2//新报告"));
    SetStrict(false);
}

void TstStrictUsers::strictSaveRecordsTheSessionUser()
{
    SetStrict(true);
    const QString ruid = NextUnsignedReport();
    QVERIFY(!ruid.isEmpty());
    auto savedBy = [&] { return QueryTestValue(*m_admin, QStringLiteral("SELECT SavedBy FROM Report WHERE ruid = '%1'").arg(ruid)).AsString(); };

    // A's login saving in B's name is recorded as A, the doctor's name from the doctors' list.
    auto a = OpenDatabase(AsLogin(m_target, m_loginA));
    Save(*a, ruid, TSaveFields{1, {}, {}, {}, QStringLiteral("B(%1)@elsewhere").arg(m_codeB), QStringLiteral("x")});
    QVERIFY2(savedBy().startsWith(QStringLiteral("%1(%2)@").arg(m_nameA, m_codeA)), qPrintable(savedBy()));
    QVERIFY2(!savedBy().contains(QStringLiteral("elsewhere")), qPrintable(savedBy()));

    // A login that is nobody's own is recorded as that login, not as the name it sent.
    auto shared = OpenDatabase(m_target);
    Save(*shared, ruid, TSaveFields{1, {}, {}, {}, QStringLiteral("B(%1)@elsewhere").arg(m_codeB), QStringLiteral("y")});
    QVERIFY2(savedBy().startsWith(QStringLiteral("wr_ws@")), qPrintable(savedBy()));
    SetStrict(false);
}

void TstStrictUsers::saveWithoutStrictKeepsTheOldRules()
{
    // Off, a save writes the state, the reviewer and the author the program sends, as the
    // shared workstation login always did, except that it never takes a final report back.
    const QString ruid = NextUnsignedReport();
    QVERIFY(!ruid.isEmpty());
    auto shared = OpenDatabase(m_target);
    const QDateTime date(QDate(2001, 2, 3), QTime(4, 5, 6));
    Save(*shared, ruid, TSaveFields{5, QStringLiteral("某医生"), m_codeB, date, QStringLiteral("某人@ws1"), QStringLiteral("z")});
    QCOMPARE(Stored(ruid), QStringLiteral("%1/某医生/5/2001-02-03 04:05:06/z").arg(m_codeB));
    QCOMPARE(QueryTestValue(*m_admin, QStringLiteral("SELECT SavedBy FROM Report WHERE ruid = '%1'").arg(ruid)).AsString(),
             QStringLiteral("某人@ws1"));
    // Taking a final report back below 5 is a withdrawal, which a save never is.
    const QString refused = Refusal([&] { Save(*shared, ruid, TSaveFields{2, QString(), QString(), date, QString(), QStringLiteral("z")}); });
    QVERIFY2(refused.contains(QStringLiteral("撤销审核")), qPrintable(refused));
    QCOMPARE(ReadSignState(*m_admin, ruid).reportState, 5);
}

// Strict mode checks what the mapped user may do, not only who he is: with his own login, a
// doctor whose role lacks 审核报告 and 撤销审核 neither signs for himself nor withdraws
// another's signature.
void TstStrictUsers::aDoctorWithoutTheRightCannotSignOrWithdraw()
{
    SetStrict(true);
    ExecTestSql(*m_admin, QStringLiteral("UPDATE WrUser SET RoleCode = 'doctor' WHERE UserCode = '%1'").arg(m_codeB));
    auto a = OpenDatabase(AsLogin(m_target, m_loginA));
    auto b = OpenDatabase(AsLogin(m_target, m_loginB));
    const QString ruid = NextUnsignedReport();
    QVERIFY(!ruid.isEmpty());
    // No critical value to be told first: only the rights decide here.
    ExecTestSql(*m_admin, QStringLiteral("UPDATE Report SET WeiJiValue = '' WHERE ruid = '%1'").arg(ruid));
    QString refused = Refusal([&] { SignReport(*b, ruid, TSigner{QString(), m_codeB}); });
    QVERIFY2(refused.contains(QStringLiteral("审核报告")), qPrintable(refused));
    QVERIFY(!ReadSignState(*m_admin, ruid).IsFinal());

    SignReport(*a, ruid, TSigner{QString(), m_codeA});
    refused = Refusal([&] { WithdrawSignature(*b, ruid, TSigner{QString(), m_codeB}); });
    QVERIFY2(refused.contains(QStringLiteral("撤销审核")), qPrintable(refused));
    QCOMPARE(SignedBy(ruid), QStringLiteral("%1/%2/5").arg(m_codeA, m_nameA));
    ExecTestSql(*m_admin, QStringLiteral("UPDATE WrUser SET RoleCode = 'reviewer' WHERE UserCode = '%1'").arg(m_codeB));
    SetStrict(false);
}

QTEST_GUILESS_MAIN(TstStrictUsers)
#include "tst_strictusers.moc"
