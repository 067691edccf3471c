// SPDX-License-Identifier: MIT
// The workstation policy against the user's own configuration: the user's file can shorten
// the idle lock and take rights away, never lengthen the lock, switch it off or give back a
// right the policy refuses; a second policy file can only add strictness.
#include "hostdata/WorkstationPolicy.h"
#include "platform/IniFile.h"
#include <QTemporaryDir>
#include <QTest>

namespace {
// Policy files from "minutes|operation=value" specs, one per file; "-" for no such file.
QStringList PolicyFiles(const QTemporaryDir& dir, const QStringList& specs)
{
    QStringList files;
    for (int i = 0; i < specs.size(); ++i) {
        const QString file = dir.filePath(QStringLiteral("policy%1.ini").arg(i));
        files << file;
        if (specs.at(i) == QLatin1String("-")) continue;
        const QStringList parts = specs.at(i).split(QLatin1Char('|'));
        TIniFile ini(file);
        if (!parts.at(0).isEmpty()) ini.WriteString(QStringLiteral("Login"), QStringLiteral("IdleLockMinutes"), parts.at(0));
        for (const QString& p : parts.mid(1)) {
            const qsizetype eq = p.indexOf(QLatin1Char('='));
            ini.WriteString(QStringLiteral("Permissions"), p.left(eq), p.mid(eq + 1));
        }
    }
    return files;
}
} // namespace

class TstWorkstationPolicy : public QObject {
    Q_OBJECT
private slots:
    void idleLockTime_data();
    void idleLockTime();
    void rightsOnlyNarrow_data();
    void rightsOnlyNarrow();
    void environmentFileAddsToTheSystemOne();
};

void TstWorkstationPolicy::idleLockTime_data()
{
    QTest::addColumn<QStringList>("policies");
    QTest::addColumn<QString>("user");  // null: the key is absent
    QTest::addColumn<int>("ms");
    QTest::addColumn<bool>("warns");
    QTest::newRow("no policy: the user may switch it off") << QStringList{"-"} << QStringLiteral("0") << 0 << false;
    QTest::newRow("no policy, no key: the default") << QStringList{"-"} << QString() << 600000 << false;
    QTest::newRow("policy 5: user 0 still locks after 5") << QStringList{"5"} << QStringLiteral("0") << 300000 << true;
    QTest::newRow("policy 5: user 20 is not longer") << QStringList{"5"} << QStringLiteral("20") << 300000 << true;
    QTest::newRow("policy 5: user 2 is shorter and kept") << QStringList{"5"} << QStringLiteral("2") << 120000 << false;
    QTest::newRow("policy 5: no key takes the policy") << QStringList{"5"} << QString() << 300000 << false;
    QTest::newRow("policy 5: user text takes the policy") << QStringList{"5"} << QStringLiteral("off") << 300000 << true;
    QTest::newRow("policy 30: longer than the default") << QStringList{"30"} << QString() << 1800000 << false;
    QTest::newRow("two policies: the shorter counts") << QStringList{"5", "3"} << QStringLiteral("4") << 180000 << true;
    QTest::newRow("policy 0 sets no time") << QStringList{"0"} << QStringLiteral("0") << 0 << false;
    QTest::newRow("policy not a number sets no time") << QStringList{"soon"} << QStringLiteral("1") << 60000 << false;
}

void TstWorkstationPolicy::idleLockTime()
{
    QFETCH(QStringList, policies);
    QFETCH(QString, user);
    QFETCH(int, ms);
    QFETCH(bool, warns);
    QTemporaryDir dir;
    const TWorkstationPolicy policy(PolicyFiles(dir, policies));
    QString warning;
    QCOMPARE(policy.IdleLockMs(user, &warning), ms);
    QCOMPARE(!warning.isEmpty(), warns);
}

void TstWorkstationPolicy::rightsOnlyNarrow_data()
{
    QTest::addColumn<QStringList>("policies");
    QTest::addColumn<QString>("user");  // the user's value of 审核报告; null: absent
    QTest::addColumn<bool>("allowed");
    QTest::newRow("policy refuses, user grants: refused") << QStringList{"|审核报告=0"} << QStringLiteral("1") << false;
    QTest::newRow("policy grants, user refuses: refused") << QStringList{"|审核报告=1"} << QStringLiteral("0") << false;
    QTest::newRow("policy grants, user silent: allowed") << QStringList{"|审核报告=1"} << QString() << true;
    QTest::newRow("no policy, user refuses: refused") << QStringList{"-"} << QStringLiteral("false") << false;
    QTest::newRow("policy about another right: user decides") << QStringList{"|打印报告=0"} << QStringLiteral("1") << true;
    QTest::newRow("a refusal in the second file stands") << QStringList{"|审核报告=1", "|审核报告=off"} << QStringLiteral("1") << false;
    QTest::newRow("an empty policy value refuses") << QStringList{"|审核报告="} << QStringLiteral("1") << false;
}

void TstWorkstationPolicy::rightsOnlyNarrow()
{
    QFETCH(QStringList, policies);
    QFETCH(QString, user);
    QFETCH(bool, allowed);
    QTemporaryDir dir;
    const TWorkstationPolicy policy(PolicyFiles(dir, policies));
    const HostPermissions::TLookup userLookup = [&](const QString& name) -> std::optional<QString> {
        if (user.isNull() || name != QStringLiteral("审核报告")) return std::nullopt;
        return user;
    };
    // The role grants everything; only the local rules decide.
    const HostPermissions p(QSet<QString>{QStringLiteral("审核报告"), QStringLiteral("打印报告")}, policy.Narrow(userLookup));
    QCOMPARE(p.Allowed(THostOperation::SignReport), allowed);
}

void TstWorkstationPolicy::environmentFileAddsToTheSystemOne()
{
    QTemporaryDir dir;
    const QString file = PolicyFiles(dir, {QStringLiteral("5")}).first();
    qputenv(TWorkstationPolicy::kFileVariable, QFile::encodeName(file));
    const TWorkstationPolicy policy = TWorkstationPolicy::Load();
    qunsetenv(TWorkstationPolicy::kFileVariable);
    QVERIFY(policy.Files().contains(file));
    QVERIFY(policy.IdleLockMinutes().has_value());
    QVERIFY(*policy.IdleLockMinutes() <= 5);
}

QTEST_GUILESS_MAIN(TstWorkstationPolicy)
#include "tst_workstationpolicy.moc"
