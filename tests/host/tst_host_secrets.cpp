// SPDX-License-Identifier: MIT
// No password in plain sight: wr-host started the documented ways (the demo database, a
// log-in file, a server with its password in a password file) is watched from outside while
// it runs, through /proc/<pid>/cmdline and environ, as any user of the machine could; its
// log is read afterwards. The command line's password (the documented exception) is warned
// about, and a password file others may read stops the start.
#include "HostProcess.h"
#include "ServerTestDatabase.h"
#include "TestDatabase.h"
#include "hostdata/UserAccounts.h"
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

namespace {
const QString kDemoPassword = QStringLiteral("demo1234");
const QString kDemoDoctor = QStringLiteral("D001");

struct TWatchedRun {
    THostRun run;
    QByteArray cmdline, environ;   // everything read of them while the host ran
    int looks = 0;                 // how often /proc could be read
};

QByteArray ReadProc(qint64 pid, const char* what)
{
    QFile f(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(what)));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

// Runs a script that pauses, and reads the process's command line and environment while it
// waits, as `ps e` or another user's /proc walk would.
TWatchedRun RunWatched(const THostSandbox& box, const QStringList& args)
{
    const QString script = box.WriteFile(QStringLiteral("watched.txt"), "echo running\nwait 1500\n");
    TWatchedRun w;
    QProcess p;
    p.setProcessEnvironment(box.Environment());
    p.setWorkingDirectory(box.WorkingDirectory());
    p.start(QStringLiteral(WR_HOST_BINARY), QStringList{QStringLiteral("--script"), script} + args);
    if (!p.waitForStarted()) {
        w.run.err = p.errorString();
        return w;
    }
    const qint64 pid = p.processId();
    QElapsedTimer t;
    t.start();
    while (p.state() == QProcess::Running && t.elapsed() < 120000) {
        const QByteArray c = ReadProc(pid, "cmdline"), e = ReadProc(pid, "environ");
        if (!c.isEmpty()) {
            ++w.looks;
            w.cmdline += c + '\n';
            w.environ += e + '\n';
        }
        p.waitForFinished(50);
    }
    w.run.finished = p.state() == QProcess::NotRunning;
    if (!w.run.finished) {
        p.kill();
        p.waitForFinished();
    }
    w.run.crashed = p.exitStatus() == QProcess::CrashExit;
    w.run.exitCode = p.exitCode();
    w.run.out = QString::fromUtf8(p.readAllStandardOutput());
    w.run.err = QString::fromUtf8(p.readAllStandardError());
    return w;
}

QString ReadText(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Every file the sandbox holds (logs, configuration, drafts), as one text.
QString AllFilesOf(const THostSandbox& box, const QStringList& skip)
{
    QString all;
    QStringList stack{box.WorkingDirectory()};
    while (!stack.isEmpty()) {
        const QDir d(stack.takeLast());
        for (const QFileInfo& fi : d.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
            if (fi.isDir()) stack << fi.filePath();
            else if (!skip.contains(fi.fileName()) && fi.suffix() != QLatin1String("sqlite") && fi.size() < 4 * 1024 * 1024)
                all += ReadText(fi.filePath());
        }
    }
    return all;
}

QString OwnerOnlyFile(const THostSandbox& box, const QString& name, const QByteArray& content, bool ownerOnly = true)
{
    const QString file = box.WriteFile(name, content);
    QFile::setPermissions(file, ownerOnly ? (QFile::ReadOwner | QFile::WriteOwner)
                                          : (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));
    return file;
}

// A sandbox whose host never reaches a desktop keyring (tests stay independent of the machine).
void NoKeyring(THostSandbox& box) { box.SetEnv(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QString()); }

QString LogOf(const THostSandbox& box) { return ReadText(box.Path(QStringLiteral("data/WriteReport/logs/wr-host.log"))); }
} // namespace

class TstHostSecrets : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void demoAndLoginFileStarts();
    void passwordFileOthersMayReadIsRefused();
    void commandLinePasswordIsWarnedAboutAndMasked();
    void keyringHoldsThePassword();
    void serverPasswordFromFileStaysOutOfSight();
};

void TstHostSecrets::initTestCase()
{
    if (!WR_PLUGIN_BUILT) QSKIP("the WriteReport plug-in is not built");
    if (!QFile::exists(QStringLiteral("/proc/self/cmdline"))) QSKIP("no /proc to read process command lines from");
}

void TstHostSecrets::demoAndLoginFileStarts()
{
    THostSandbox box;
    NoKeyring(box);
    // The demo database logs in by itself; a log-in file carries the password in a file.
    const TWatchedRun demo = RunWatched(box, {});
    QVERIFY2(demo.run.finished && demo.run.exitCode == 0, qPrintable(demo.run.Describe()));
    const QString loginFile = OwnerOnlyFile(box, QStringLiteral("login.txt"),
                                            QStringLiteral("user=%1\npassword=%2\n").arg(kDemoDoctor, kDemoPassword).toUtf8());
    const TWatchedRun withFile = RunWatched(box, {QStringLiteral("--login-file"), loginFile});
    QVERIFY2(withFile.run.finished && withFile.run.exitCode == 0, qPrintable(withFile.run.Describe()));
    QVERIFY(withFile.cmdline.contains(loginFile.toUtf8()));
    for (const TWatchedRun& w : {demo, withFile}) {
        QVERIFY2(w.looks > 0, "the running host was never seen in /proc");
        QVERIFY(w.cmdline.contains("--script"));
        QVERIFY(!w.cmdline.contains(kDemoPassword.toUtf8()));
        QVERIFY(!w.environ.contains(kDemoPassword.toUtf8()));
    }
    QVERIFY2(!AllFilesOf(box, {QStringLiteral("login.txt")}).contains(kDemoPassword), "the demo password was written to a file");
}

void TstHostSecrets::passwordFileOthersMayReadIsRefused()
{
    THostSandbox box;
    NoKeyring(box);
    const QString secret = QStringLiteral("Geheim-7!");
    const QString file = OwnerOnlyFile(box, QStringLiteral("db-password"), secret.toUtf8() + '\n', false);
    const THostRun r = box.RunScript(QStringLiteral("echo never\n"),
                                     {QStringLiteral("--db"), QStringLiteral("DSN=wr_no_such_dsn;Uid=wr"),
                                      QStringLiteral("--db-password-file"), file});
    QVERIFY2(r.finished && r.exitCode == 4, qPrintable(r.Describe()));
    QVERIFY2(r.err.contains(file) && r.err.contains(QStringLiteral("0644")) && r.err.contains(QStringLiteral("refused")),
             qPrintable(r.err));
    QVERIFY(!r.out.contains(QStringLiteral("never")));
    QVERIFY(!r.err.contains(secret) && !r.out.contains(secret));
    QVERIFY2(!AllFilesOf(box, {QStringLiteral("db-password")}).contains(secret), "the password reached a file");

    // The default place is held to the same rule.
    const QString defaultFile = OwnerOnlyFile(box, QStringLiteral("config/WriteReport/db-password"), secret.toUtf8(), false);
    const THostRun d = box.RunScript(QStringLiteral("echo never\n"), {QStringLiteral("--db"), QStringLiteral("DSN=wr_no_such_dsn")});
    QVERIFY2(d.finished && d.exitCode == 4 && d.err.contains(defaultFile), qPrintable(d.Describe()));
}

void TstHostSecrets::commandLinePasswordIsWarnedAboutAndMasked()
{
    THostSandbox box;
    NoKeyring(box);
    const QString secret = QStringLiteral("Kl4rtext;x}");
    const QString db = QStringLiteral("DSN=wr_no_such_dsn;Uid=wr;Pwd={Kl4rtext;x}}}");
    const THostRun r = box.RunScript(QStringLiteral("echo never\n"), {QStringLiteral("--db"), db});
    // No such data source here, so the start fails, but only after the password was seen.
    QVERIFY2(r.finished && r.exitCode == 4, qPrintable(r.Describe()));
    const QString log = LogOf(box);
    QVERIFY2(log.contains(QStringLiteral("warning: the database password is given on the command line")), qPrintable(log));
    QVERIFY2(log.contains(QStringLiteral("Pwd=***")), qPrintable(log));
    for (const QString& part : {secret, QStringLiteral("Kl4rtext"), QStringLiteral("x}")}) {
        QVERIFY2(!log.contains(part), qPrintable(log));
        QVERIFY2(!r.err.contains(part) && !r.out.contains(part), qPrintable(r.Describe()));
    }
}

void TstHostSecrets::keyringHoldsThePassword()
{
    // A desktop keyring of its own: a D-Bus session with GNOME Keyring's secret service,
    // unlocked, living only as long as this run.
    const QString bus = QStandardPaths::findExecutable(QStringLiteral("dbus-run-session"));
    const QString keyring = QStandardPaths::findExecutable(QStringLiteral("gnome-keyring-daemon"));
    if (bus.isEmpty() || keyring.isEmpty()) QSKIP("dbus-run-session or gnome-keyring-daemon is not installed");
    THostSandbox box;
    box.SetEnv(QStringLiteral("HOME"), box.Path(QStringLiteral("home")));
    QDir().mkpath(box.Path(QStringLiteral("home")));
    const QString secret = QStringLiteral("Ring-Secret;9}");
    const QString db = QStringLiteral("DSN=wr_no_such_dsn;Uid=wr");
    const QString script = box.WriteFile(QStringLiteral("s.txt"), "echo never\n");
    QProcess p;
    p.setProcessEnvironment(box.Environment());
    p.setWorkingDirectory(box.WorkingDirectory());
    p.start(bus, {QStringLiteral("--"), QStringLiteral("sh"), QStringLiteral("-c"),
                  QStringLiteral("printf kr | \"$0\" --unlock --components=secrets >/dev/null; "
                                 "\"$1\" --store-db-password --db \"$2\"; echo \"stored=$?\"; "
                                 "\"$1\" --db \"$2\" --script \"$3\" </dev/null; echo \"started=$?\""),
                  keyring, QStringLiteral(WR_HOST_BINARY), db, script});
    QVERIFY(p.waitForStarted());
    p.write((secret + QLatin1Char('\n')).toUtf8());
    p.closeWriteChannel();
    QVERIFY(p.waitForFinished(60000));
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    const QString err = QString::fromUtf8(p.readAllStandardError());
    if (out.contains(QStringLiteral("stored=4"))) QSKIP(qPrintable(QStringLiteral("no usable keyring here: ") + err.right(300)));
    QVERIFY2(out.contains(QStringLiteral("stored=0")), qPrintable(out + err));
    // No such data source, so the start fails, but with the keyring's password.
    QVERIFY2(out.contains(QStringLiteral("started=4")), qPrintable(out + err));
    const QString log = LogOf(box);
    QVERIFY2(log.contains(QStringLiteral("database password: from the system keyring")), qPrintable(log));
    QVERIFY2(err.contains(QStringLiteral("with the database password from the keyring")), qPrintable(err));
    QVERIFY(!out.contains(secret) && !err.contains(secret) && !log.contains(secret));
}

void TstHostSecrets::serverPasswordFromFileStaysOutOfSight()
{
    const QString reason = ServerTestsUnavailableReason();
    if (!reason.isEmpty()) QSKIP(qPrintable(reason));
    const QString target = CreateServerTestDatabase(true);
    struct TDrop {
        QString t;
        ~TDrop() { DropServerTestDatabase(t); }
    } drop{target};
    // A user who can log in: the first demo doctor with the demo password.
    auto admin = OpenDatabase(ServerAdminTarget(target));
    const QString code = QueryTestValue(*admin, QStringLiteral("SELECT min(code) FROM csdoctor WHERE coalesce(code, '') <> ''")).AsString();
    QVERIFY(!code.isEmpty());
    ExecTestSql(*admin, QStringLiteral("DELETE FROM WrUser WHERE UserCode = '%1'").arg(code));
    ExecTestSql(*admin, QStringLiteral("INSERT INTO WrUser (UserCode, RoleCode, PasswordHash, MustChangePassword) "
                                       "VALUES ('%1', 'reviewer', '%2', 0)")
                            .arg(code, HashPassword(kDemoPassword)));

    THostSandbox box;
    NoKeyring(box);
    // The test server trusts its local logins, so any password opens it: what is checked here
    // is where the password travels, not that the server verified it. Its ';Port=1' would
    // send the connection nowhere if the password were not kept whole inside its braces.
    const QString dbPassword = QStringLiteral("Srv};Port=1;Pass-42");
    const QString passwordFile = OwnerOnlyFile(box, QStringLiteral("db-password"), dbPassword.toUtf8() + '\n');
    const QString loginFile = OwnerOnlyFile(box, QStringLiteral("login.txt"),
                                            QStringLiteral("user=%1\npassword=%2\n").arg(code, kDemoPassword).toUtf8());
    QString db = target;
    db.replace(QStringLiteral("Pwd=;"), QString());
    QVERIFY(!db.contains(QStringLiteral("Pwd"), Qt::CaseInsensitive));
    const TWatchedRun w = RunWatched(box, {QStringLiteral("--db"), db, QStringLiteral("--db-password-file"), passwordFile,
                                           QStringLiteral("--login-file"), loginFile});
    QVERIFY2(w.run.finished && w.run.exitCode == 0, qPrintable(w.run.Describe()));
    QVERIFY2(w.looks > 0, "the running host was never seen in /proc");
    for (const QString& secret : {dbPassword, kDemoPassword}) {
        QVERIFY2(!w.cmdline.contains(secret.toUtf8()), w.cmdline.constData());
        QVERIFY(!w.environ.contains(secret.toUtf8()));
        QVERIFY(!w.run.out.contains(secret) && !w.run.err.contains(secret));
    }
    const QString log = LogOf(box);
    QVERIFY2(log.contains(QStringLiteral("database password: from the file %1").arg(passwordFile)), qPrintable(log));
    QVERIFY2(!AllFilesOf(box, {QStringLiteral("db-password"), QStringLiteral("login.txt")}).contains(dbPassword),
             "the database password reached a file");
}

QTEST_GUILESS_MAIN(TstHostSecrets)
#include "tst_host_secrets.moc"
