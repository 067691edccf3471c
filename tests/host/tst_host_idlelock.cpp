// SPDX-License-Identifier: MIT
// The idle lock of the host window: end-to-end runs of the built wr-host that lock the
// screen (by command and by the idle timer), unlock it with right and wrong passwords, and
// let another user take over; plus the reading of the idle time and the script commands.
#include "app/ConfigStore.h"
#include "script/ControlAccess.h"
#include "app/PluginLoader.h"
#include "report/ReportDraft.h"
#include "database/HostDataModule.h"
#include "app/HostLog.h"
#include "shell/HostMainForm.h"
#include "HostProcess.h"
#include "script/ScriptParser.h"
#include "TestDatabase.h"
#include "hostdata/UserAccounts.h"
#include "lock/IdleLock.h"
#include "lock/LockPanel.h"
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include "platform/SqliteDatabase.h"
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <sys/stat.h>

namespace {
const QString kReport = QStringLiteral("872ED6A1-21C1-5C5F-9840-95EB856AC250");       // state 2, patient 陈晓梅
const QString kOtherReport = QStringLiteral("E63EE575-B118-559C-8F0F-FB21FC71CD20");  // patient 何丹
const QString kRealPlugin = QStringLiteral(WR_HOST_BINARY).section(QLatin1Char('/'), 0, -2) + QStringLiteral("/libWriteReport.so");
const QString kFirst = QStringLiteral("D001");
const QString kSecond = QStringLiteral("D002");
const QString kFirstPassword = QStringLiteral("first-lock-pass");
const QString kSecondPassword = QStringLiteral("second-lock-pass");

// A demo database whose first two doctors log in with known passwords.
QString DatabaseWithUsers(const THostSandbox& box)
{
    const QString file = CreateTestDatabaseFile(box.Path(QString()), true);
    auto conn = OpenDatabase(file);
    TUserAccounts accounts(*conn);
    for (const auto& [code, password] : {std::pair{kFirst, kFirstPassword}, std::pair{kSecond, kSecondPassword}}) {
        if (accounts.Find(code)) {
            accounts.ResetPassword(code, password, false);
            accounts.Unlock(code);
        } else {
            TUserAccount a;
            a.userCode = code;
            a.roleCode = QStringLiteral("reviewer");
            accounts.CreateUser(a, password, false);
        }
    }
    // The second user writes but may not sign: a switch must hand over his rights too.
    accounts.SetRole(kSecond, QStringLiteral("doctor"));
    return file;
}

QString LoginFile(const THostSandbox& box, const QString& code, const QString& password)
{
    const QString file = box.WriteFile(QStringLiteral("login-%1.txt").arg(code), QStringLiteral("user=%1\npassword=%2\n").arg(code, password).toUtf8());
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    return file;
}

QStringList Args(const QString& db, const QString& loginFile)
{
    return {QStringLiteral("--db"), db, QStringLiteral("--login-file"), loginFile};
}

QByteArray FileBytes(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString StoredColumn(const QString& db, const QString& column, const QString& ruid)
{
    auto conn = OpenDatabase(db);
    return QueryTestValue(*conn, QStringLiteral("SELECT %1 AS v FROM Report WHERE ruid = '%2'").arg(column, ruid)).AsString();
}

int FailedCount(const QString& db, const QString& user)
{
    auto conn = OpenDatabase(db);
    return QueryTestValue(*conn, QStringLiteral("SELECT FailedCount AS v FROM WrUser WHERE UserCode = '%1'").arg(user)).AsInteger();
}

// The live drafts of one user (file names).
QStringList Drafts(const THostSandbox& box, const QString& user)
{
    QStringList r;
    QDirIterator it(box.Path(QStringLiteral("data/WriteReport/drafts/") + user), {QStringLiteral("*.draft")}, QDir::Files);
    while (it.hasNext()) r << QFileInfo(it.next()).fileName();
    return r;
}
} // namespace

class TstHostIdleLock : public QObject {
    Q_OBJECT
private slots:
    void idleTimeFromConfiguration_data();
    void idleTimeFromConfiguration();
    void scriptCommandsParse();
    void lockHidesTheReportAndKeepsTheEdits();
    void lockOutAppliesAtTheLockAndAnotherUserMayEnter();
    void switchedUserNeverSeesTheFirstUsersEdits();
    void idleTimerLocksOnlyWhenOn_data();
    void idleTimerLocksOnlyWhenOn();
    void inputKeepsTheWindowUnlocked();
    void lockCoversAnOpenDialogAndKeepsItsInput();
    void filesAreOwnerOnlyAndSettingsStayWhileLocked();
    void anotherUserNeverGetsTheFirstUsersDialog();
    void lockedWindowTakesNoShortcutsAndComesBackWhole();
    void closingALockedWindowAsksNothingAndKeepsTheDraft();

private:
    // A host window without an editor, locked by a TIdleLock whose password check accepts
    // kFirstPassword (the database's accounts are exercised by the runs above).
    struct TWindow {
        QTemporaryDir dir;
        std::unique_ptr<THostLog> log;
        std::unique_ptr<TConfigStore> config;
        std::unique_ptr<THostDataModule> data;
        std::unique_ptr<THostMainForm> window;
        TIdleLock* lock = nullptr;
    };
    static std::unique_ptr<TWindow> MakeWindow(int idleMs, std::function<bool(const TUserAccount&)> switchTo = {});
};

std::unique_ptr<TstHostIdleLock::TWindow> TstHostIdleLock::MakeWindow(int idleMs, std::function<bool(const TUserAccount&)> switchTo)
{
    auto w = std::make_unique<TWindow>();
    // Drafts stay inside the test's folder.
    qputenv("XDG_DATA_HOME", w->dir.filePath(QStringLiteral("data")).toUtf8());
    w->log = std::make_unique<THostLog>();
    w->log->Open(w->dir.filePath(QStringLiteral("host.log")));
    w->config = std::make_unique<TConfigStore>(w->dir.filePath(QStringLiteral("user.ini")));
    w->data = std::make_unique<THostDataModule>(CreateTestDatabaseFile(w->dir.path(), true));
    QString error;
    if (!w->data->DM_ConnectDB(error)) qWarning("%s", qPrintable(error));
    THostLogin login;
    login.userName = QStringLiteral("测试医生");
    login.userCode = kFirst;
    w->window = std::make_unique<THostMainForm>(*w->log, *w->config, *w->data, login);
    w->window->setWindowTitle(QStringLiteral("WriteReport 报告编辑 — US20240520003[*]"));
    TIdleLock::THooks hooks;
    hooks.confirm = [](const QString&, const QString& password) {
        TLoginResult r;
        r.outcome = password == kFirstPassword ? TLoginOutcome::Ok : TLoginOutcome::WrongPassword;
        return r;
    };
    if (switchTo) {
        hooks.logIn = [](const QString& code, const QString& password) {
            TLoginResult r;
            r.outcome = code == kSecond && password == kSecondPassword ? TLoginOutcome::Ok : TLoginOutcome::WrongPassword;
            r.account.userCode = code;
            return r;
        };
        hooks.switchTo = [switchTo](const TUserAccount& a, QString*) { return switchTo(a); };
    }
    w->lock = new TIdleLock(*w->window, idleMs, hooks);
    w->window->resize(900, 600);
    w->window->show();
    QApplication::setActiveWindow(w->window.get());
    return w;
}

// Key presses and mouse moves push the lock away; once they stop, it comes.
void TstHostIdleLock::inputKeepsTheWindowUnlocked()
{
    auto w = MakeWindow(1500);
    QVERIFY(QTest::qWaitForWindowExposed(w->window.get()));
    QWidget* target = w->window->centralWidget();
    for (int i = 0; i < 16; ++i) {
        if (i % 2) QTest::keyClick(target, Qt::Key_Shift);
        else QTest::mouseMove(target, QPoint(10 + i, 10 + i));
        QTest::qWait(200);
        QVERIFY2(!w->lock->IsLocked(), qPrintable(QStringLiteral("locked after input %1").arg(i)));
    }
    QTRY_VERIFY_WITH_TIMEOUT(w->lock->IsLocked(), 10000);
}

// A dialog waiting for its answer (here one titled as the print preview is) does not keep
// the lock away: locked, its contents are hidden and no window title names the patient; the
// password is typed into a panel of its own; unlocked, the dialog is back with what was typed
// in it and still gives its answer.
void TstHostIdleLock::lockCoversAnOpenDialogAndKeepsItsInput()
{
    auto w = MakeWindow(1000);
    QDialog dialog(w->window.get());
    dialog.setObjectName(QStringLiteral("printPreviewDialog"));
    const QString title = QStringLiteral("打印预览 — 林志远 US20240521004");
    dialog.setWindowTitle(title);
    auto* edit = new QLineEdit(&dialog);
    edit->setText(QStringLiteral("已输入一半的批注"));
    struct {
        bool locked = false, contentsHidden = false, panelOnTop = false, back = false;
        QStringList titles;
        QString text;
    } seen;
    auto* poll = new QTimer(&dialog);
    connect(poll, &QTimer::timeout, &dialog, [&] {
        if (!w->lock->IsLocked()) return;
        poll->stop();
        seen.locked = true;
        seen.contentsHidden = !edit->isVisible() && dialog.isVisible();
        for (QWidget* t : QApplication::topLevelWidgets())
            if (t->isVisible() || t == w->window.get()) seen.titles << t->windowTitle();
        TLockPanel* panel = w->lock->Panel();
        seen.panelOnTop = panel->isWindow() && panel->isVisible() && QApplication::activeModalWidget() == panel;
        QTest::keyClicks(panel->PasswordEdit(), kFirstPassword);
        panel->UnlockButton()->click();
        seen.back = !w->lock->IsLocked() && edit->isVisible() && dialog.windowTitle() == title && !panel->isWindow();
        seen.text = edit->text();
        dialog.done(42);
    });
    poll->start(100);
    QTimer::singleShot(20000, &dialog, [&] { dialog.done(-1); });
    QCOMPARE(dialog.exec(), 42);
    QVERIFY(seen.locked && seen.contentsHidden && seen.panelOnTop);
    QVERIFY(!seen.titles.isEmpty());
    for (const QString& t : std::as_const(seen.titles))
        QVERIFY2(!t.contains(QStringLiteral("林志远")) && !t.contains(QStringLiteral("US2024")), qPrintable(t));
    QVERIFY(seen.back);
    QCOMPARE(seen.text, QStringLiteral("已输入一半的批注"));
}

// Another user logging in at a lock over the first user's open dialog never sees it: the
// dialog ends as cancelled, and the change of user follows at his next try, once the dialog's
// caller has returned.
void TstHostIdleLock::anotherUserNeverGetsTheFirstUsersDialog()
{
    int switches = 0;
    auto w = MakeWindow(1000, [&](const TUserAccount&) { return ++switches > 0; });
    QDialog dialog(w->window.get());
    dialog.setWindowTitle(QStringLiteral("打印预览 — 林志远 US20240521004"));
    auto* poll = new QTimer(&dialog);
    connect(poll, &QTimer::timeout, &dialog, [&] {
        if (!w->lock->IsLocked()) return;
        poll->stop();
        TLockPanel* panel = w->lock->Panel();
        QTest::keyClicks(panel->SwitchCodeEdit(), kSecond);
        QTest::keyClicks(panel->SwitchPasswordEdit(), kSecondPassword);
        panel->SwitchButton()->click();
    });
    poll->start(100);
    QTimer::singleShot(20000, &dialog, [&] { dialog.done(42); });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(switches, 0);
    QVERIFY(w->lock->IsLocked() && !dialog.isVisible());
    TLockPanel* panel = w->lock->Panel();
    panel->SwitchCodeEdit()->setText(kSecond);  // the code stays in its field; the password does not
    QVERIFY(panel->SwitchPasswordEdit()->text().isEmpty());
    QTest::keyClicks(panel->SwitchPasswordEdit(), kSecondPassword);
    panel->SwitchButton()->click();
    QCOMPARE(switches, 1);
    QVERIFY(!w->lock->IsLocked() && !panel->isVisible() && !dialog.isVisible());
}

// After a run that wrote a draft, the data folder, the drafts, the log and the demo database
// are its owner's alone; at the locked screen a script may not change the configuration.
void TstHostIdleLock::filesAreOwnerOnlyAndSettingsStayWhileLocked()
{
    if (!WR_PLUGIN_BUILT || !QFileInfo::exists(kRealPlugin)) QSKIP("the WriteReport plug-in is not built");
    THostSandbox box;
    const THostRun r = box.RunScript(QStringLiteral("open %1\nunlock\nset memo_beizhu 草稿里的备注\nwait 2500\nlock-screen\n"
                                                    "config set Login IdleLockMinutes 0\n").arg(kReport),
                                     box.LoginAs(kFirst));
    QVERIFY2(r.finished && r.exitCode == 1 && r.err.contains(QStringLiteral("the screen is locked")), qPrintable(r.Describe()));
    QVERIFY(!FileBytes(box.ConfigFile()).contains("IdleLockMinutes=0"));
    const auto mode = [](const QString& path) {
        struct stat st {};
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
    };
    const QString data = box.Path(QStringLiteral("data/WriteReport"));
    const QStringList drafts = Drafts(box, kFirst);
    QCOMPARE(drafts.size(), 1);
    const QList<std::pair<QString, int>> expected{
        {data, 0700},
        {data + QStringLiteral("/drafts/") + kFirst, 0700},
        {data + QStringLiteral("/drafts/") + kFirst + QLatin1Char('/') + drafts.first(), 0600},
        {data + QStringLiteral("/logs"), 0700},
        {data + QStringLiteral("/logs/wr-host.log"), 0600},
        {box.DemoDatabase(), 0600},
    };
    for (const auto& [path, want] : expected)
        QVERIFY2(mode(path) == want, qPrintable(QStringLiteral("%1: %2").arg(path).arg(mode(path), 4, 8, QLatin1Char('0'))));
}

// Locked: the window's parts are hidden and its shortcuts dead, the title names no patient;
// a wrong password keeps it so; the right one brings every part and the title back.
void TstHostIdleLock::lockedWindowTakesNoShortcutsAndComesBackWhole()
{
    auto w = MakeWindow(0);
    QVERIFY(QTest::qWaitForWindowExposed(w->window.get()));
    int triggered = 0;
    auto* action = new QAction(QStringLiteral("probe"), w->window.get());
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    w->window->addAction(action);
    connect(action, &QAction::triggered, [&] { ++triggered; });
    const QString title = w->window->windowTitle();
    QWidget* central = w->window->centralWidget();
    QToolBar* bar = w->window->findChild<QToolBar*>();
    QVERIFY(central->isVisible() && bar && bar->isVisible());

    // The doctor leaving locks at once with the shortcut; locking again is refused.
    QTest::keyClick(central, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(w->lock->IsLocked() && w->window->ScreenLocked());
    QString reason;
    QVERIFY(!w->lock->LockNow(&reason));
    QVERIFY(!central->isVisible() && !bar->isVisible() && !w->window->statusBar()->isVisible());
    QVERIFY(!w->window->windowTitle().contains(QStringLiteral("US20240520003")));
    TLockPanel* panel = w->lock->Panel();
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->geometry(), w->window->rect());
    QTest::keyClick(panel->PasswordEdit(), Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(triggered, 0);

    QTest::keyClicks(panel->PasswordEdit(), QStringLiteral("not-the-one"));
    QTest::keyClick(panel->PasswordEdit(), Qt::Key_Return);
    QVERIFY(w->lock->IsLocked());
    QCOMPARE(w->lock->LastResult().outcome, TLoginOutcome::WrongPassword);
    QVERIFY(panel->PasswordEdit()->text().isEmpty());  // not left in the field

    QTest::keyClicks(panel->PasswordEdit(), kFirstPassword);
    panel->UnlockButton()->click();
    QVERIFY(!w->lock->IsLocked() && !w->window->ScreenLocked());
    QVERIFY(central->isVisible() && bar->isVisible() && w->window->statusBar()->isVisible() && !panel->isVisible());
    QCOMPARE(w->window->windowTitle(), title);
    QTest::keyClick(central, Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(triggered, 1);
}

void TstHostIdleLock::idleTimeFromConfiguration_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("ms");
    QTest::addColumn<bool>("warns");
    QTest::newRow("absent: 10 minutes") << QString() << 600000 << false;
    QTest::newRow("0 turns it off") << QStringLiteral("0") << 0 << false;
    QTest::newRow("whole minutes") << QStringLiteral("3") << 180000 << false;
    QTest::newRow("a fraction") << QStringLiteral("0.5") << 30000 << false;
    QTest::newRow("tiny: at least a second") << QStringLiteral("0.001") << 1000 << false;
    QTest::newRow("blanks around") << QStringLiteral(" 2 ") << 120000 << false;
    QTest::newRow("text: default and a warning") << QStringLiteral("ten") << 600000 << true;
    QTest::newRow("negative: default and a warning") << QStringLiteral("-5") << 600000 << true;
    QTest::newRow("huge: a day") << QStringLiteral("1e12") << 24 * 60 * 60000 << false;
}

void TstHostIdleLock::idleTimeFromConfiguration()
{
    QFETCH(QString, value);
    QFETCH(int, ms);
    QFETCH(bool, warns);
    QTemporaryDir dir;
    TConfigStore config(dir.filePath(QStringLiteral("c.ini")));
    if (!value.isNull()) QVERIFY(config.WriteString(QStringLiteral("Login"), QStringLiteral("IdleLockMinutes"), value));
    QString warning;
    QCOMPARE(TIdleLock::IdleMsFromConfig(config, &warning), ms);
    QCOMPARE(!warning.isEmpty(), warns);
}

void TstHostIdleLock::scriptCommandsParse()
{
    const TScriptParseResult ok = ParseScript(QStringLiteral("lock-screen\nunlock-screen\nunlock-screen wrong\nswitch-user /tmp/a b.txt\n"));
    QVERIFY2(ok.error.isEmpty(), qPrintable(ok.error));
    QCOMPARE(ok.commands.size(), 4);
    QCOMPARE(ok.commands.at(3).text, QStringLiteral("/tmp/a b.txt"));
    for (const char* bad : {"unlock-screen now", "switch-user", "lock-screen 5"})
        QVERIFY2(!ParseScript(QString::fromLatin1(bad)).error.isEmpty(), bad);
}

// Locked, neither the dump nor the window shows anything of the report: two different
// reports with different edits give the very same picture. Unlocked, the edits are back.
void TstHostIdleLock::lockHidesTheReportAndKeepsTheEdits()
{
    if (!WR_PLUGIN_BUILT || !QFileInfo::exists(kRealPlugin)) QSKIP("the WriteReport plug-in is not built");
    const QString patient = QStringLiteral("陈晓梅");
    QImage lockedPictures[2];
    const QString reports[2] = {kReport, kOtherReport};
    const QString secrets[2] = {QStringLiteral("锁屏时不可见的备注甲"), QStringLiteral("另一份报告的机密文字乙，长一些长一些")};
    for (int i = 0; i < 2; ++i) {
        // Each run in a sandbox of its own: both windows start from the same size, so the two
        // locked pictures differ only if the lock lets something of the report through.
        THostSandbox box;
        const QString db = DatabaseWithUsers(box);
        const QString login = LoginFile(box, kFirst, kFirstPassword);
        const QString dir = box.Path(QStringLiteral("run%1").arg(i));
        const QString script = QStringLiteral("open %1\nunlock\nset memo_beizhu %2\nscreenshot %3/open.png\nlock-screen\n"
                                              "dump %3/locked.json\nscreenshot %3/locked.png\nunlock-screen wrong\n"
                                              "unlock-screen\nexpect memo_beizhu %2\nexpect memo_beizhu.enabled true\n")
                                   .arg(reports[i], secrets[i], dir);
        const THostRun r = box.RunScript(script, Args(db, login));
        QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
        // The wrong password was counted (one try fewer left), the right one cleared it.
        QVERIFY2(r.out.contains(QStringLiteral("unlock refused: wrong-password (%1)").arg(TUserAccounts::kMaxFailures - 1)),
                 qPrintable(r.out));
        QVERIFY(r.out.contains(QStringLiteral("screen unlocked")));
        const QByteArray locked = FileBytes(dir + QStringLiteral("/locked.json"));
        const QJsonObject dump = QJsonDocument::fromJson(locked).object();
        QCOMPARE(dump.value(QStringLiteral("locked")).toBool(), true);
        QVERIFY(dump.value(QStringLiteral("controls")).toObject().contains(QStringLiteral("lockPassword")));
        const QString text = QString::fromUtf8(locked);
        QVERIFY2(!text.contains(secrets[i]) && !text.contains(patient) && !text.contains(QStringLiteral("memo_beizhu")),
                 locked.constData());
        lockedPictures[i] = QImage(dir + QStringLiteral("/locked.png"));
        QVERIFY(!lockedPictures[i].isNull());
        // The pictures do show what the window shows when it is not locked.
        QVERIFY(QImage(dir + QStringLiteral("/open.png")) != lockedPictures[i]);
        QCOMPARE(StoredColumn(db, QStringLiteral("Beizhu"), reports[i]), QString());
        QCOMPARE(FailedCount(db, kFirst), 0);
    }
    QCOMPARE(lockedPictures[0], lockedPictures[1]);
}

// Guessing at the lock locks the account out; the right password then no longer unlocks,
// but another user may still log in there.
void TstHostIdleLock::lockOutAppliesAtTheLockAndAnotherUserMayEnter()
{
    if (!WR_PLUGIN_BUILT || !QFileInfo::exists(kRealPlugin)) QSKIP("the WriteReport plug-in is not built");
    THostSandbox box;
    const QString db = DatabaseWithUsers(box);
    const QString login = LoginFile(box, kFirst, kFirstPassword);
    const QString second = LoginFile(box, kSecond, kSecondPassword);
    QString guesses;
    for (int i = 0; i < TUserAccounts::kMaxFailures; ++i) guesses += QStringLiteral("unlock-screen wrong\n");
    const THostRun guessed = box.RunScript(QStringLiteral("open %1\nlock-screen\n%2switch-user %3\n").arg(kReport, guesses, second),
                                           Args(db, login));
    QVERIFY2(guessed.finished && guessed.exitCode == 0, qPrintable(guessed.Describe()));
    QVERIFY(guessed.out.contains(QStringLiteral("switched to user %1").arg(kSecond)));
    QVERIFY(guessed.out.contains(QStringLiteral("unlock refused: locked-out")));
    {
        auto conn = OpenDatabase(db);
        QVERIFY(!QueryTestValue(*conn, QStringLiteral("SELECT LockedUntil AS v FROM WrUser WHERE UserCode = '%1'").arg(kFirst)).IsNull());
    }

    // Locked out, the first user's right password lets him in neither at a lock.
    const THostRun refused = box.RunScript(QStringLiteral("open %1\nlock-screen\nswitch-user %2\n").arg(kReport, login), Args(db, second));
    QVERIFY2(refused.finished && refused.exitCode == 1, qPrintable(refused.Describe()));
    QVERIFY2(refused.err.contains(QStringLiteral("locked-out")), qPrintable(refused.err));
}

// The first user's unsaved edits become his draft, not saved; the second user gets a fresh
// editor, sees only the stored report and is offered no draft; the first user gets his
// edits back at his next open.
void TstHostIdleLock::switchedUserNeverSeesTheFirstUsersEdits()
{
    if (!WR_PLUGIN_BUILT || !QFileInfo::exists(kRealPlugin)) QSKIP("the WriteReport plug-in is not built");
    THostSandbox box;
    const QString db = DatabaseWithUsers(box);
    const QString first = LoginFile(box, kFirst, kFirstPassword);
    const QString second = LoginFile(box, kSecond, kSecondPassword);
    const QString secret = QStringLiteral("第一位医生没有保存的备注");
    const QString stored = StoredColumn(db, QStringLiteral("Beizhu"), kReport);
    const THostRun run = box.RunScript(
        QStringLiteral("open %1\nunlock\nset memo_beizhu %2\nlock-screen\nswitch-user %3\ndump %4\nopen %1\ndump %5\n"
                       "unlock\nlock-screen\nunlock-screen\nexpect memo_beizhu.enabled true\n")
            .arg(kReport, secret, second, box.Path(QStringLiteral("switched.json")), box.Path(QStringLiteral("second.json"))),
        Args(db, first));
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.Describe()));
    QVERIFY(run.out.contains(QStringLiteral("switched to user %1").arg(kSecond)));
    // Nothing of the first user's report stays on screen, and the second user's own open
    // shows the stored text.
    const QJsonObject switched = QJsonDocument::fromJson(FileBytes(box.Path(QStringLiteral("switched.json")))).object();
    QCOMPARE(switched.value(QStringLiteral("report")).toString(), QString());
    QVERIFY(!FileBytes(box.Path(QStringLiteral("switched.json"))).contains(secret.toUtf8()));
    const QJsonObject controls = ReadDumpControls(box.Path(QStringLiteral("second.json")));
    QCOMPARE(controls.value(QStringLiteral("memo_beizhu")).toObject().value(QStringLiteral("text")).toString(), stored);
    QVERIFY(!FileBytes(box.Path(QStringLiteral("second.json"))).contains(secret.toUtf8()));
    // Closed without saving; kept as the first user's draft only.
    QCOMPARE(StoredColumn(db, QStringLiteral("Beizhu"), kReport), stored);
    QCOMPARE(Drafts(box, kFirst), QStringList{kReport + QStringLiteral(".draft")});
    QVERIFY(Drafts(box, kSecond).isEmpty());
    // The next start's log-in offers the user who worked last.
    QCOMPARE(TConfigStore(box.ConfigFile()).ReadString(QStringLiteral("Login"), QStringLiteral("UserCode")), kSecond);

    // The second user again: no draft question (an unanswered one would fail the script).
    const THostRun again = box.RunScript(QStringLiteral("open %1\nexpect memo_beizhu \"%2\"\n").arg(kReport, stored), Args(db, second));
    QVERIFY2(again.finished && again.exitCode == 0, qPrintable(again.Describe()));
    // The first user is offered his edits.
    const THostRun back = box.RunScript(QStringLiteral("answer yes\nopen %1\nexpect memo_beizhu %2\n").arg(kReport, secret), Args(db, first));
    QVERIFY2(back.finished && back.exitCode == 0, qPrintable(back.Describe()));

    // The reviewer locks, the writing doctor takes over: signing is now refused.
    const THostRun rights = box.RunScript(
        QStringLiteral("open %1\nlock-screen\nswitch-user %2\nopen %1\nsign\n").arg(kOtherReport, second), Args(db, first));
    QVERIFY2(rights.finished && rights.exitCode == 1, qPrintable(rights.Describe()));
    QVERIFY2(rights.err.contains(QStringLiteral("sign: 没有“审核报告”的权限")), qPrintable(rights.err));
    QVERIFY(!rights.out.contains(kFirstPassword) && !rights.out.contains(kSecondPassword));

    // Typed at the lock, the passwords went nowhere: not the log, the configuration or a draft.
    QDirIterator files(box.Path(QString()), {QStringLiteral("*.log"), QStringLiteral("*.ini"), QStringLiteral("*.draft")},
                       QDir::Files, QDirIterator::Subdirectories);
    int looked = 0;
    while (files.hasNext()) {
        const QString file = files.next();
        const QByteArray bytes = FileBytes(file);
        ++looked;
        QVERIFY2(!bytes.contains(kFirstPassword.toUtf8()) && !bytes.contains(kSecondPassword.toUtf8()), qPrintable(file));
    }
    QVERIFY(looked >= 3);  // at least the log, the configuration and the first user's draft
}

void TstHostIdleLock::idleTimerLocksOnlyWhenOn_data()
{
    QTest::addColumn<QString>("minutes");
    QTest::addColumn<bool>("locks");
    // 0.02 minutes is 1.2 s: well inside the script's 4 s pause.
    QTest::newRow("tiny time locks") << QStringLiteral("0.02") << true;
    QTest::newRow("0 is off") << QStringLiteral("0") << false;
    QTest::newRow("default is far away") << QString() << false;
}

// The timer locks during a pause of the script, never in the middle of its commands, and
// the edits made before it are there after unlocking.
void TstHostIdleLock::idleTimerLocksOnlyWhenOn()
{
    if (!WR_PLUGIN_BUILT || !QFileInfo::exists(kRealPlugin)) QSKIP("the WriteReport plug-in is not built");
    QFETCH(QString, minutes);
    QFETCH(bool, locks);
    THostSandbox box;
    const QString db = DatabaseWithUsers(box);
    const QString login = LoginFile(box, kFirst, kFirstPassword);
    if (!minutes.isNull()) {
        TConfigStore config(box.ConfigFile());
        QVERIFY(config.WriteString(QStringLiteral("Login"), QStringLiteral("IdleLockMinutes"), minutes));
    }
    const QString secret = QStringLiteral("等待之前输入的文字");
    QString script = QStringLiteral("open %1\nunlock\nset memo_beizhu %2\nwait 4000\ndump %3\n")
                         .arg(kReport, secret, box.Path(QStringLiteral("after-wait.json")));
    if (locks) script += QStringLiteral("unlock-screen\n");
    script += QStringLiteral("expect memo_beizhu %1\n").arg(secret);
    const THostRun r = box.RunScript(script, Args(db, login));
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
    const QJsonObject dump = QJsonDocument::fromJson(FileBytes(box.Path(QStringLiteral("after-wait.json")))).object();
    QCOMPARE(dump.value(QStringLiteral("locked")).toBool(), locks);
}

namespace {
// Records every question; a choice window is answered with its escape choice (stay).
class TRecordingDialogs final : public IDialogService {
public:
    TRecordingDialogs() : m_previous(SetDialogService(this)) {}
    ~TRecordingDialogs() override { SetDialogService(m_previous); }
    TMsgResult MessageBox(const TMessageRequest& r) override
    {
        asked << r.caption;
        return TMsgResult::Closed;
    }
    int Choose(const TChoiceRequest& r) override
    {
        asked << r.caption;
        return r.escapeChoice;
    }
    QStringList asked;

private:
    IDialogService* m_previous;
};
} // namespace

// Closing a locked window must not ask the save question (it would show the report to
// whoever is at the keyboard); the edits are kept as the user's draft, nothing is saved.
void TstHostIdleLock::closingALockedWindowAsksNothingAndKeepsTheDraft()
{
    TPluginLoader plugin;
    QString error;
    if (!plugin.Load(QStringLiteral(WR_BINARY_DIR "/bin/libWriteReport.so"), &error)) QSKIP("the WriteReport plug-in is not built");
    {
        auto w = MakeWindow(0);
        TLoadedForm form;
        QVERIFY2(plugin.CreateForm(QStringLiteral("TReportForm"), kReportFormClassType, w->window.get(), &form, &error), qPrintable(error));
        w->window->AttachForm(form, QStringLiteral("TReportForm"));
        QVERIFY2(w->window->RefreshWorklist(&error), qPrintable(error));
        QVERIFY2(w->window->OpenReport(kReport, &error), qPrintable(error));
        QVERIFY2(w->window->SetEditing(true, &error), qPrintable(error));
        const QString text = QStringLiteral("关窗前没有保存的备注");
        QVERIFY2(SetControlText(FindControl(w->window->FormWidget(), QStringLiteral("memo_beizhu")), text, &error), qPrintable(error));

        TRecordingDialogs dialogs;
        {
            // Unlocked, the question comes (and staying keeps the window): the probe works.
            QVERIFY(!w->window->close());
            QCOMPARE(dialogs.asked.size(), 1);
        }
        QString reason;
        QVERIFY2(w->lock->LockNow(&reason), qPrintable(reason));
        QVERIFY(w->window->close());
        QCOMPARE(dialogs.asked.size(), 1);
        const auto draft = TDraftStore(TDraftStore::DefaultRoot(), kFirst, QStringLiteral("测试医生")).Read(kReport, &error);
        QVERIFY2(draft.has_value(), qPrintable(error));
        QCOMPARE(draft->record.FBeiZhu, text);
        auto conn = OpenDatabase(w->data->Target());
        QCOMPARE(QueryTestValue(*conn, QStringLiteral("SELECT Beizhu AS v FROM Report WHERE ruid = '%1'").arg(kReport)).AsString(), QString());
    }
    plugin.Unload();
}

QTEST_MAIN(TstHostIdleLock)
#include "tst_host_idlelock.moc"
