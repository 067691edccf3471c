// SPDX-License-Identifier: MIT
// The host's log-in on a real demo database: the log-in file and its owner-only rule, the
// start-up rules (demo log-in, --user alone, headless without a file), rights from the role
// narrowed by the workstation, the log-in dialog with its forced change, and the password
// asked again before signing as a script answers it.
#include "app/ConfigStore.h"
#include "app/HostOptions.h"
#include "script/ScriptSession.h"
#include "TestDatabase.h"
#include "login/HostLogin.h"
#include "login/LoginDialog.h"
#include "login/LoginFile.h"
#include "login/HostRights.h"
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {
QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& content, QFile::Permissions perms)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return {};
    f.write(content);
    f.close();
    QFile::setPermissions(path, perms);
    return path;
}

constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner;

QString FileText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}
} // namespace

class TstHostLogin : public QObject {
    Q_OBJECT
private slots:
    void loginFileIsReadOnlyWhenOnlyItsOwnerMayRead();
    void loginFileFormat();
    void startUpRules();
    void rightsComeFromTheRoleAndTheWorkstationOnlyTakesAway();
    void dialogRefusesAndForcesAChange();
    void interactiveStartAsksInTheDialog();
    void passwordAskedAgainAsAScriptAnswers();
};

void TstHostLogin::loginFileIsReadOnlyWhenOnlyItsOwnerMayRead()
{
    QTemporaryDir dir;
    const QByteArray content("user=D001\npassword=demo1234\n");
    TLoginFile f;
    QString error;
    const QString own = WriteFile(dir, QStringLiteral("own"), content, kOwnerOnly);
    QVERIFY2(ReadLoginFile(own, &f, &error), qPrintable(error));
    QCOMPARE(f.userCode, QStringLiteral("D001"));
    QCOMPARE(f.password, QStringLiteral("demo1234"));

    struct Case {
        const char* name;
        QFile::Permissions perms;
        const char* mode;
    };
    for (const Case& c : {Case{"group-readable", kOwnerOnly | QFile::ReadGroup, "0640"},
                          Case{"world-readable", kOwnerOnly | QFile::ReadOther, "0604"},
                          Case{"group-writable", kOwnerOnly | QFile::WriteGroup, "0620"}}) {
        const QString path = WriteFile(dir, QLatin1String(c.name), content, c.perms);
        error.clear();
        QVERIFY2(!ReadLoginFile(path, &f, &error), c.name);
        // The message names the file and its mode, and the password stays out of it.
        QVERIFY2(error.contains(path) && error.contains(QLatin1String(c.mode)) && error.contains(QLatin1String("chmod 600")),
                 qPrintable(error));
        QVERIFY(!error.contains(QLatin1String("demo1234")));
        QVERIFY(f.password.isEmpty());
    }
    QVERIFY(!ReadLoginFile(dir.filePath(QStringLiteral("missing")), &f, &error));
    QVERIFY(error.contains(QLatin1String("missing")));
}

void TstHostLogin::loginFileFormat()
{
    QTemporaryDir dir;
    TLoginFile f;
    QString error;
    // A byte-order mark, CR LF, comments and a password with blanks and '=' in it.
    QString path = WriteFile(dir, QStringLiteral("a"), "\xEF\xBB\xBF# site log-in\r\n\r\nuser = D003 \r\npassword= pass=word \r\n", kOwnerOnly);
    QVERIFY2(ReadLoginFile(path, &f, &error), qPrintable(error));
    QCOMPARE(f.userCode, QStringLiteral("D003"));
    QCOMPARE(f.password, QStringLiteral(" pass=word "));

    const struct {
        const char* content;
        const char* expected;
    } bad[] = {{"user=D001\n", "no password"},
               {"password=secret-1\n", "no user"},
               {"user=D001\npassword=\n", "no password"},
               {"user=D001\nsecret-2\n", ":2: not a 'key=value' line"},
               {"user=D001\npasswd=secret-3\n", ":2: unknown key"}};
    for (const auto& b : bad) {
        path = WriteFile(dir, QStringLiteral("b"), b.content, kOwnerOnly);
        error.clear();
        QVERIFY2(!ReadLoginFile(path, &f, &error), b.content);
        QVERIFY2(error.contains(QLatin1String(b.expected)), qPrintable(error));
        // A line that may be a mistyped password is placed, never quoted.
        QVERIFY2(!error.contains(QLatin1String("secret")), qPrintable(error));
    }
}

void TstHostLogin::startUpRules()
{
    TFreshDatabase db(true);
    QTemporaryDir dir;
    TConfigStore config(dir.filePath(QStringLiteral("user.ini")));
    QStringList logLines;
    TLoginEnvironment env;
    env.log = [&logLines](const QString& line) { logLines << line; };

    // The embedded demo database logs in the demo doctor by the demo password.
    env.embeddedDemo = true;
    THostOptions o;
    TStartLogin start;
    QVERIFY2(LogInAtStart(*db.conn, o, config, env, &start), qPrintable(start.error));
    QCOMPARE(start.source, TLoginSource::Demo);
    QCOMPARE(start.login.userCode, QStringLiteral("D001"));
    QVERIFY(start.login.hasRole);
    QCOMPARE(config.ReadString(QStringLiteral("Login"), QStringLiteral("UserCode")), QStringLiteral("D001"));

    // A user named on the command line is no log-in, not even there.
    o.userName = QStringLiteral("李秀英");
    o.userCode = QStringLiteral("D003");
    start = TStartLogin{};
    QVERIFY(!LogInAtStart(*db.conn, o, config, env, &start));
    QVERIFY2(start.error.contains(QLatin1String("--login-file")), qPrintable(start.error));
    QVERIFY(start.login.userCode.isEmpty());

    // Elsewhere a headless run needs the file.
    env.embeddedDemo = false;
    o = THostOptions{};
    start = TStartLogin{};
    QVERIFY(!LogInAtStart(*db.conn, o, config, env, &start));
    QVERIFY2(start.error.contains(QLatin1String("--login-file")), qPrintable(start.error));

    o.loginFile = WriteFile(dir, QStringLiteral("d003"), "user=D003\npassword=demo1234\n", kOwnerOnly);
    start = TStartLogin{};
    QVERIFY2(LogInAtStart(*db.conn, o, config, env, &start), qPrintable(start.error));
    QCOMPARE(start.source, TLoginSource::LoginFile);
    QCOMPARE(start.login.userCode, QStringLiteral("D003"));
    QCOMPARE(start.login.userName, QStringLiteral("李秀英"));
    QCOMPARE(start.login.roleCode, QStringLiteral("doctor"));
    QCOMPARE(*ScriptPasswordSource(o, start.source)(), QStringLiteral("demo1234"));

    // A wrong password is refused and counted.
    o.loginFile = WriteFile(dir, QStringLiteral("wrong"), "user=D003\npassword=not-the-one\n", kOwnerOnly);
    start = TStartLogin{};
    QVERIFY(!LogInAtStart(*db.conn, o, config, env, &start));
    QVERIFY2(start.error.contains(QLatin1String("D003")) && start.error.contains(QLatin1String("wrong password")),
             qPrintable(start.error));
    const TLoginResult again = TUserAccounts(*db.conn).LogIn(QStringLiteral("D003"), QStringLiteral("still-wrong"));
    QCOMPARE(again.outcome, TLoginOutcome::WrongPassword);
    QCOMPARE(again.failuresLeft, TUserAccounts::kMaxFailures - 2);

    // Who logged in and who was refused is logged; no password is, nor remembered.
    QVERIFY(logLines.join('\n').contains(QLatin1String("logged in: D003")));
    QVERIFY(logLines.join('\n').contains(QLatin1String("log-in refused for D003")));
    for (const QString& line : logLines) {
        QVERIFY2(!line.contains(QLatin1String("demo1234")) && !line.contains(QLatin1String("not-the-one")), qPrintable(line));
    }
    const QString ini = FileText(config.FileName());
    QVERIFY(ini.contains(QLatin1String("UserCode=D003")));
    QVERIFY(!ini.contains(QLatin1String("demo1234")));

    // A password an administrator reset with a forced change cannot be used headless.
    TUserAccounts(*db.conn).ResetPassword(QStringLiteral("D005"), QStringLiteral("reset-by-admin"), true);
    o.loginFile = WriteFile(dir, QStringLiteral("d005"), "user=D005\npassword=reset-by-admin\n", kOwnerOnly);
    start = TStartLogin{};
    QVERIFY(!LogInAtStart(*db.conn, o, config, env, &start));
    QVERIFY2(start.error.contains(QLatin1String("must change the password")), qPrintable(start.error));

    // Once the demo doctor's password was changed, the demo database logs no one in by itself
    // (a headless run fails), and the tries count no failure against him.
    TUserAccounts(*db.conn).ResetPassword(QStringLiteral("D001"), QStringLiteral("changed-by-him"), false);
    env.embeddedDemo = true;
    o = THostOptions{};
    for (int i = 0; i < TUserAccounts::kMaxFailures; ++i) {
        start = TStartLogin{};
        QVERIFY(!LogInAtStart(*db.conn, o, config, env, &start));
    }
    QCOMPARE(TUserAccounts(*db.conn).LogIn(QStringLiteral("D001"), QStringLiteral("changed-by-him")).outcome, TLoginOutcome::Ok);
}

void TstHostLogin::rightsComeFromTheRoleAndTheWorkstationOnlyTakesAway()
{
    TFreshDatabase db(true);
    QTemporaryDir dir;
    TConfigStore config(dir.filePath(QStringLiteral("user.ini")));
    TUserAccounts accounts(*db.conn);
    auto loginOf = [&](const QString& code) {
        const std::optional<TUserAccount> a = accounts.Find(code);
        return a ? HostLoginFrom(*a, accounts.RolePermissions(a->roleCode)) : THostLogin{};
    };
    const THostLogin doctor = loginOf(QStringLiteral("D003"));
    const THostLogin reviewer = loginOf(QStringLiteral("D001"));
    QVERIFY(doctor.hasRole && reviewer.hasRole);

    // The workstation's file grants signing; the doctor's role does not.
    config.WriteString(QStringLiteral("Permissions"), QStringLiteral("审核报告"), QStringLiteral("1"));
    QVERIFY(!PermissionsFor(doctor, config).Allowed(THostOperation::SignReport));
    QVERIFY(!PermissionsFor(doctor, config).Allowed(THostOperation::WithdrawSignature));
    QVERIFY(PermissionsFor(doctor, config).Allowed(THostOperation::PrintReport));
    QVERIFY(PermissionsFor(reviewer, config).Allowed(THostOperation::SignReport));

    // It can take a granted right away.
    config.WriteString(QStringLiteral("Permissions"), QStringLiteral("审核报告"), QStringLiteral("0"));
    config.WriteString(QStringLiteral("Permissions"), QStringLiteral("打印报告"), QStringLiteral("false"));
    QVERIFY(!PermissionsFor(reviewer, config).Allowed(THostOperation::SignReport));
    QVERIFY(!PermissionsFor(reviewer, config).Allowed(THostOperation::PrintReport));
    QVERIFY(!PermissionsFor(doctor, config).Allowed(THostOperation::PrintReport));
    QVERIFY(PermissionsFor(reviewer, config).Allowed(THostOperation::ExportPdf));
}

void TstHostLogin::dialogRefusesAndForcesAChange()
{
    TFreshDatabase db(true);
    TUserAccounts accounts(*db.conn);
    accounts.ResetPassword(QStringLiteral("D004"), QStringLiteral("reset-by-admin"), true);
    TLoginDialog dialog([&](const QString& c, const QString& p) { return accounts.LogIn(c, p); },
                        [&](const QString& c, const QString& o, const QString& n) { return accounts.ChangePassword(c, o, n); },
                        QStringLiteral("D004"));
    auto* code = dialog.findChild<QLineEdit*>(QStringLiteral("loginUserCode"));
    auto* password = dialog.findChild<QLineEdit*>(QStringLiteral("loginPassword"));
    auto* message = dialog.findChild<QLabel*>(QStringLiteral("loginMessage"));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("loginOk"));
    auto* fresh = dialog.findChild<QLineEdit*>(QStringLiteral("loginNewPassword"));
    auto* repeat = dialog.findChild<QLineEdit*>(QStringLiteral("loginRepeatPassword"));
    auto* changeOk = dialog.findChild<QPushButton*>(QStringLiteral("loginChangeOk"));
    auto* pages = dialog.findChild<QStackedWidget*>(QStringLiteral("loginPages"));
    QVERIFY(code && password && message && ok && fresh && repeat && changeOk && pages);
    QCOMPARE(code->text(), QStringLiteral("D004"));
    QCOMPARE(password->echoMode(), QLineEdit::Password);
    dialog.show();
    // The change's fields and button appear only when a change is due.
    QVERIFY(password->isVisible() && ok->isVisible() && !changeOk->isVisible() && !fresh->isVisible());

    // A wrong password and an unknown user read the same; the field is emptied.
    password->setText(QStringLiteral("wrong-one"));
    ok->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(message->text().contains(QStringLiteral("用户名或密码错误")));
    QVERIFY2(message->text().contains(QStringLiteral("还可以再试")), qPrintable(message->text()));
    QVERIFY(password->text().isEmpty());
    const QString wrongText = message->text();
    code->setText(QStringLiteral("NOBODY"));
    password->setText(QStringLiteral("wrong-one"));
    ok->click();
    QCOMPARE(message->text(), wrongText);

    // The reset password logs in, then a new one must be set: twice the same, long enough.
    code->setText(QStringLiteral("D004"));
    password->setText(QStringLiteral("reset-by-admin"));
    ok->click();
    QCOMPARE(pages->currentIndex(), 1);
    QVERIFY(changeOk->isVisible() && fresh->isVisible() && repeat->isVisible() && !ok->isEnabled());
    fresh->setText(QStringLiteral("new-secret-1"));
    repeat->setText(QStringLiteral("new-secret-2"));
    changeOk->click();
    QVERIFY(message->text().contains(QStringLiteral("不一致")));
    fresh->setText(QStringLiteral("short"));
    repeat->setText(QStringLiteral("short"));
    changeOk->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!message->text().isEmpty());
    fresh->setText(QStringLiteral("new-secret-1"));
    repeat->setText(QStringLiteral("new-secret-1"));
    changeOk->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Result().account.userCode, QStringLiteral("D004"));

    const TLoginResult after = accounts.LogIn(QStringLiteral("D004"), QStringLiteral("new-secret-1"));
    QCOMPARE(after.outcome, TLoginOutcome::Ok);
    QVERIFY(!after.account.mustChangePassword);
    QCOMPARE(accounts.LogIn(QStringLiteral("D004"), QStringLiteral("reset-by-admin")).outcome, TLoginOutcome::WrongPassword);
}

// Drives the log-in dialog once it is up: `act` fills and clicks it.
static void WhenTheDialogShows(const std::function<void(TLoginDialog&)>& act)
{
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* d = qobject_cast<TLoginDialog*>(w); d && d->isVisible()) {
                timer->stop();
                timer->deleteLater();
                act(*d);
                return;
            }
        }
    });
    timer->start();
}

void TstHostLogin::interactiveStartAsksInTheDialog()
{
    TFreshDatabase db(true);
    QTemporaryDir dir;
    TConfigStore config(dir.filePath(QStringLiteral("user.ini")));
    config.WriteString(QStringLiteral("Login"), QStringLiteral("UserCode"), QStringLiteral("D005"));
    TLoginEnvironment env;
    env.canAsk = true;
    THostOptions o;
    // Pre-filled with the remembered user; the password is typed.
    QString preset;
    WhenTheDialogShows([&preset](TLoginDialog& d) {
        preset = d.findChild<QLineEdit*>(QStringLiteral("loginUserCode"))->text();
        d.findChild<QLineEdit*>(QStringLiteral("loginPassword"))->setText(kDemoPassword);
        d.findChild<QPushButton*>(QStringLiteral("loginOk"))->click();
    });
    TStartLogin start;
    QVERIFY2(LogInAtStart(*db.conn, o, config, env, &start), qPrintable(start.error));
    QCOMPARE(preset, QStringLiteral("D005"));
    QCOMPARE(start.source, TLoginSource::Dialog);
    QCOMPARE(start.login.userCode, QStringLiteral("D005"));
    // A script never gets the password of someone who typed it.
    QVERIFY(!ScriptPasswordSource(o, start.source)());

    // --user-code only pre-fills; cancelling logs no one in.
    o.userCode = QStringLiteral("D004");
    WhenTheDialogShows([&preset](TLoginDialog& d) {
        preset = d.findChild<QLineEdit*>(QStringLiteral("loginUserCode"))->text();
        d.findChild<QPushButton*>(QStringLiteral("loginCancel"))->click();
    });
    start = TStartLogin{};
    QVERIFY(!LogInAtStart(*db.conn, o, config, env, &start));
    QCOMPARE(preset, QStringLiteral("D004"));
    QVERIFY(start.cancelled && start.error.contains(QLatin1String("cancelled")));

    // A log-in file whose password must be changed first brings the dialog for its user.
    TUserAccounts(*db.conn).ResetPassword(QStringLiteral("D002"), QStringLiteral("reset-by-admin"), true);
    o = THostOptions{};
    o.loginFile = WriteFile(dir, QStringLiteral("d002"), "user=D002\npassword=reset-by-admin\n", kOwnerOnly);
    WhenTheDialogShows([&preset](TLoginDialog& d) {
        preset = d.findChild<QLineEdit*>(QStringLiteral("loginUserCode"))->text();
        d.findChild<QPushButton*>(QStringLiteral("loginCancel"))->click();
    });
    start = TStartLogin{};
    QVERIFY(!LogInAtStart(*db.conn, o, config, env, &start));
    QCOMPARE(preset, QStringLiteral("D002"));
}

void TstHostLogin::passwordAskedAgainAsAScriptAnswers()
{
    TFreshDatabase db(true);
    TUserAccounts accounts(*db.conn);
    const std::optional<TUserAccount> a = accounts.Find(QStringLiteral("D001"));
    QVERIFY(a);
    const THostLogin login = HostLoginFrom(*a, accounts.RolePermissions(a->roleCode));
    TScriptSession session;
    QStringList printed, logged;
    session.print = [&printed](const QString& line) { printed << line; };
    session.loginPassword = [] { return std::optional<QString>(kDemoPassword); };
    TScriptDialogService dialogs(session);
    IDialogService* previous = SetDialogService(&dialogs);
    auto log = [&logged](const QString& line) { logged << line; };
    QString reason;

    session.answers = {QStringLiteral("wrong-password")};
    QVERIFY(!ConfirmUserPassword(*db.conn, login, QStringLiteral("审核"), nullptr, log, &reason));
    // The user cannot be changed there: the password was wrong, and how many tries are left.
    QVERIFY2(reason.startsWith(QStringLiteral("密码错误，还可以再试 4 次")), qPrintable(reason));
    // Counted like a failed log-in.
    QCOMPARE(accounts.LogIn(QStringLiteral("D001"), QStringLiteral("x-wrong-x")).failuresLeft, TUserAccounts::kMaxFailures - 2);

    session.answers = {QStringLiteral("cancel")};
    QVERIFY(!ConfirmUserPassword(*db.conn, login, QStringLiteral("审核"), nullptr, log, &reason));
    QVERIFY(reason.contains(QStringLiteral("没有输入密码")));

    session.answers = {QStringLiteral("password")};
    QVERIFY2(ConfirmUserPassword(*db.conn, login, QStringLiteral("审核"), nullptr, log, &reason), qPrintable(reason));

    // A password question without a queued answer is the script's error, and refuses.
    session.answers.clear();
    QVERIFY(!ConfirmUserPassword(*db.conn, login, QStringLiteral("撤销审核"), nullptr, log, &reason));
    QCOMPARE(session.errors.size(), 1);
    SetDialogService(previous);

    for (const QString& line : printed + logged) QVERIFY2(!line.contains(kDemoPassword), qPrintable(line));
    QVERIFY2(logged.join(QLatin1Char('\n')).contains(QStringLiteral("审核 by D001 refused: wrong password")), qPrintable(logged.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TstHostLogin)
#include "tst_host_login.moc"
