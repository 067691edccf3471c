// SPDX-License-Identifier: MIT
#include "app/HostApp.h"
#include "app/ConfigStore.h"
#include "database/DbConnect.h"
#include "database/DbUpgradeProgress.h"
#include "database/DbWaitPrompt.h"
#include "database/DemoDatabase.h"
#include "app/Fonts.h"
#include "database/HostDataModule.h"
#include "app/HostLog.h"
#include "shell/HostMainForm.h"
#include "hostdata/HostQueries.h"
#include "app/HostSafety.h"
#include "hostdata/WorklistQuery.h"
#include "app/InputMethodCheck.h"
#include "app/InstallLayout.h"
#include "app/PluginLoader.h"
#include "app/Screenshot.h"
#include "images/ImagesRoom.h"
#include "print/HeadlessPdf.h"
#include "app/HostRooms.h"
#include "login/HostRights.h"
#include "script/ScriptParser.h"
#include "script/ScriptRunner.h"
#include "script/ScriptSession.h"
#include "login/HostLogin.h"
#include "shell/WindowGeometry.h"
#include "platform/DatabaseOpeners.h"
#include "platform/DialogService.h"
#include "platform/HeadlessDialogs.h"
#include "platform/PrivateFiles.h"
#include "report/ReportDraft.h"
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

namespace {

const QString kReportFormClass = QStringLiteral("TReportForm");

void Err(const QString& line)
{
    const QByteArray b = (QStringLiteral("wr-host: ") + line + QLatin1Char('\n')).toUtf8();
    std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), stderr);
    std::fflush(stderr);
}

// A person who started the host from a desktop icon sees no stderr: tell them in a box too,
// but only on a real display (a box on a headless platform would wait for ever).
void FailBox(const QString& message, bool interactive)
{
    if (!interactive || THeadlessDialogService::PlatformIsHeadless()) return;
    TMessageRequest r;
    r.caption = QStringLiteral("WriteReport");
    r.text = message;
    r.icon = TMsgIcon::Error;
    Dialogs().MessageBox(r);
}

void Out(const QString& line)
{
    const QByteArray b = (line + QLatin1Char('\n')).toUtf8();
    std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), stdout);
    std::fflush(stdout);
}

// A user's first configuration shows every section of the editor; the editor itself hides
// the sections whose switches are absent, which suits sites that configure them, not a
// first look at the program.
bool SeedNewConfiguration(TConfigStore& config)
{
    const QString section = QStringLiteral("Configuration/TReportForm");
    for (const char* key : {"panel_jcmethod_Visible", "panel_jcpart_Visible", "panel_lczd_Visible"})
        if (!config.WriteBool(section, QLatin1String(key), true)) return false;
    return true;
}

// Restores the message-box service when the host ends, however it ends.
struct TDialogServiceGuard {
    IDialogService* previous = nullptr;
    bool installed = false;
    void Install(IDialogService* s)
    {
        previous = SetDialogService(s);
        installed = true;
    }
    ~TDialogServiceGuard()
    {
        if (installed) SetDialogService(previous);
    }
};

// Drafts older than [Drafts] KeepDays (default 30) and their backups go, and what stays is
// made owner-only, before any editor writes a draft.
void TidyDrafts(const TConfigStore& config, THostLog& log)
{
    const QString text = config.ReadString(QStringLiteral("Drafts"), QStringLiteral("KeepDays")).trimmed();
    bool ok = false;
    int days = text.toInt(&ok);
    if (text.isEmpty() || !ok || days < 1) {
        if (!text.isEmpty())
            log.Write(QStringLiteral("wr-host"), QStringLiteral("[Drafts] KeepDays=%1 is not a number of days (1 or more); drafts "
                                                                "are kept %2 days").arg(text).arg(TDraftStore::kBackupDays));
        days = TDraftStore::kBackupDays;
    }
    const TDraftTidy r = TDraftStore::TidyAll(TDraftStore::DefaultRoot(), days, QDateTime::currentDateTime());
    if (r.draftsRemoved || r.backupDaysRemoved || r.tightened > 0)
        log.Write(QStringLiteral("wr-host"), QStringLiteral("drafts older than %1 days: %2 draft(s) and %3 backup day(s) removed; "
                                                            "%4 file(s) and folder(s) made owner-only")
                                                 .arg(days).arg(r.draftsRemoved).arg(r.backupDaysRemoved).arg(r.tightened));
    for (const QString& e : r.errors) log.Write(QStringLiteral("wr-host"), QStringLiteral("error: ") + e);
}

// What every start-up step needs: the options, the log, and how a failure is told.
struct THostStartup {
    const THostOptions& o;
    THostLog log;
    // A person may be asked and shown boxes (no script, screenshot, --pdf or --import-dicom).
    bool interactive = false;
    explicit THostStartup(const THostOptions& options)
        : o(options),
          interactive(o.script.isEmpty() && o.screenshot.isEmpty() && o.pdfGuid.isEmpty() && o.importDicom.isEmpty())
    {
    }
    bool MayAsk() const { return interactive && !THeadlessDialogService::PlatformIsHeadless(); }
    void Write(const QString& line) { log.Write(QStringLiteral("wr-host"), line); }
    std::function<void(const QString&)> Writer()
    {
        return [this](const QString& line) { Write(line); };
    }
    std::function<void(const QString&, const QString&)> TaggedWriter()
    {
        return [this](const QString& tag, const QString& line) { log.Write(tag, line); };
    }
    // Said on stderr, in the log and (to a person at a screen) in a box.
    int Fail(const QString& message, THostExit code)
    {
        Err(message);
        Write(QStringLiteral("error: ") + message);
        FailBox(message, interactive);
        return static_cast<int>(code);
    }
};

// The data folder holds drafts, logs and the demo database, all patient text: no one but its
// owner may enter it, also where an older version made it 0755. The log opens first, so
// every later step can be followed in it.
void OpenHostLog(THostStartup& s, const QStringList& arguments)
{
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QString privacyError;
    MakePrivateFolder(dataFolder, &privacyError);
    s.log.SetVerbose(s.o.verbose);
    if (s.o.logFile.isEmpty()) MakePrivateFolder(dataFolder + QLatin1String("/logs"), &privacyError);
    const QString logFile = s.o.logFile.isEmpty() ? dataFolder + QLatin1String("/logs/wr-host.log") : s.o.logFile;
    QString logError;
    if (!s.log.Open(logFile, &logError)) Err(logError + QStringLiteral("; logging to stderr"));
    if (!privacyError.isEmpty()) s.Write(QStringLiteral("error: ") + privacyError);
    s.Write(QStringLiteral("start: %1").arg(MaskPasswordsInArguments(arguments).join(QLatin1Char(' '))));
    // An installed copy keeps the editor's per-user files (hip-joint defaults, template model
    // files) in the user's data folder: its own folder is shared and read-only.
    const QString userProgramDir = UseUserProgramFolderWhenInstalled(dataFolder + QLatin1String("/program"));
    if (!userProgramDir.isEmpty()) s.Write(QStringLiteral("program folder: %1").arg(userProgramDir));
}

// Old drafts go and a first configuration is seeded. False: a configuration named with
// --config cannot be written (running on would lose every setting silently; the default one
// only costs this run its settings, logged).
bool PrepareConfiguration(THostStartup& s, TConfigStore& config)
{
    TidyDrafts(config, s.log);
    if (QFileInfo::exists(config.FileName()) || SeedNewConfiguration(config)) return true;
    const QString message = QStringLiteral("cannot write the configuration file %1").arg(config.FileName());
    if (!s.o.configFile.isEmpty()) {
        Err(message + QStringLiteral(" (--config)"));
        return false;
    }
    s.Write(QStringLiteral("error: ") + message);
    return true;
}

void UseCjkFont(THostStartup& s)
{
    const TFontMapping fonts = InstallCjkFontSubstitutes();
    if (fonts.sans.isEmpty()) {
        s.Write(QStringLiteral("no CJK font installed; Chinese text may render poorly"));
        return;
    }
    QFont appFont(fonts.sans);
    appFont.setPointSizeF(QApplication::font().pointSizeF());
    QApplication::setFont(appFont);
}

// The script is read before anything else happens, so a bad one changes nothing.
bool ReadScript(const QString& file, QList<TScriptCommand>* commands)
{
    if (file.isEmpty()) return true;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        Err(QStringLiteral("cannot read the script %1: %2").arg(file, f.errorString()));
        return false;
    }
    const TScriptParseResult parsed = ParseScript(QString::fromUtf8(f.readAll()));
    if (!parsed.error.isEmpty()) {
        Err(QStringLiteral("%1: %2").arg(file, parsed.error));
        return false;
    }
    *commands = parsed.commands;
    return true;
}

// The database to open: the demo file (made or upgraded here) unless --db names another.
bool ChooseDatabase(THostStartup& s, QString* target, QString* error)
{
    *target = s.o.db;
    if (!target->isEmpty()) {
        if (IsOdbcTarget(*target) || QFileInfo(*target).isFile()) return true;
        *error = QStringLiteral("database file not found: %1 (a new database is made with: wr-admin --db %1 create-db)").arg(*target);
        return false;
    }
    *target = DemoDatabasePath();
    bool created = false;
    // A newer version's first start may build indexes over every report: said in the log, and
    // on a screen in a progress window, instead of a start that waits in silence.
    TDbUpgradeProgress upgrade(s.Writer(), !THeadlessDialogService::PlatformIsHeadless());
    if (!EnsureDemoDatabase(*target, s.o.resetDemo, error, &created, upgrade.Callback())) return false;
    // SQLite gives its journal files the database file's mode.
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        QString e;
        if (!MakeFilePrivate(*target + QLatin1String(suffix), &e)) s.Write(QStringLiteral("error: ") + e);
    }
    if (created) s.Write(QStringLiteral("demo database created: %1 from %2").arg(*target, FindDbScriptsFolder()));
    return true;
}

// A server's password comes from the keyring, a password file or (interactive) a question;
// `target` names the database without it from here on. A file that opens is not yet a
// report database: the work list's newest row (one indexed row) proves it is.
bool ConnectReportDatabase(THostStartup& s, THostDataModule& dataModule, QString* target, QString* error)
{
    THostDbConnectOptions dbOptions;
    dbOptions.passwordFile = s.o.dbPasswordFile;
    dbOptions.mayAsk = s.MayAsk();
    QString e;
    if (!ConnectHostDatabase(dataModule, dbOptions, s.Writer(), target, &e)) {
        *error = QStringLiteral("cannot open the database %1: %2").arg(*target, e);
        return false;
    }
    try {
        TWorklistQuery(*dataModule.GetMainAdoConnection()).Newest();
    } catch (const Exception& ex) {
        *error = QStringLiteral("%1 is not a usable report database: %2").arg(*target, ex.Message());
        return false;
    }
    return true;
}

// Someone must be logged in before anything of a report is shown or written.
int LogIn(THostStartup& s, THostDataModule& dataModule, TConfigStore& config, TStartLogin* start)
{
    TLoginEnvironment env;
    env.canAsk = s.MayAsk();
    env.embeddedDemo = s.o.db.isEmpty();
    env.log = [&s](const QString& line) { s.log.Write(QStringLiteral("wr-host login"), line); };
    if (!LogInAtStart(*dataModule.GetMainAdoConnection(), s.o, config, env, start)) {
        // Whoever pressed 取消 needs no box saying so.
        if (!start->cancelled) return s.Fail(start->error, ExitNotLoggedIn);
        Err(start->error);
        return ExitNotLoggedIn;
    }
    RejectUnsafeLoginValues(start->login, [&s](const QString& message) {
        Err(message);
        s.Write(QStringLiteral("error: ") + message);
    });
    return ExitOk;
}

// --pdf and --import-dicom need neither the plug-in nor a window: their exit code, or
// nothing when neither was asked for.
std::optional<int> RunWithoutWindow(THostStartup& s, THostDataModule& dataModule, TConfigStore& config,
                                    const THostLogin& login)
{
    std::optional<int> code;
    if (!s.o.pdfGuid.isEmpty()) {
        code = WritePdfHeadless(*dataModule.GetMainAdoConnection(), config, login, s.o.pdfGuid, s.o.pdfFile, Out,
                                [&s](const QString& m) {
                                    Err(m);
                                    s.Write(QStringLiteral("error: ") + m);
                                });
    } else if (!s.o.importDicom.isEmpty()) {
        code = ImportDicomHeadless(dataModule.Target(), config, s.o.importDicom, Out,
                                   [&s](const QString& l) { s.log.Write(QStringLiteral("wr-host import"), l); });
    }
    if (code) s.Write(QStringLiteral("exit %1").arg(*code));
    return code;
}

// Chinese input: a daemon that cannot reach this program is told once, in a box on a display
// (waiting while another dialog, such as the draft offer of the report opened at start, is
// open); headless runs only print it.
void NoticeInputMethodProblem(THostStartup& s, TConfigStore& config, QWidget* window)
{
    ReportInputMethodProblem(TInputMethodEnvironment::Current(), config, s.Writer(), [&s, window](const QString& message) {
        if (!s.MayAsk()) {
            Err(message);
            return false;
        }
        auto* wait = new QTimer(window);
        wait->setInterval(200);
        QObject::connect(wait, &QTimer::timeout, window, [wait, window, message] {
            if (QApplication::activeModalWidget()) return;
            wait->stop();
            wait->deleteLater();
            TMessageRequest box;
            box.parent = window;
            box.caption = QStringLiteral("中文输入法");
            box.text = message;
            box.icon = TMsgIcon::Warning;
            Dialogs().MessageBox(box);
        });
        wait->start();
        return true;
    });
}

// --screenshot: the report named by --open (or the work list's first) opened and pictured.
int TakeScreenshot(const THostOptions& o, THostMainForm& window)
{
    int exitCode = ExitOk;
    const QString guid = !o.openGuid.isEmpty() ? o.openGuid : window.WorklistGuids().value(0);
    QString e;
    if (!guid.isEmpty() && !window.OpenReport(guid, &e)) {
        Err(e);
        exitCode = ExitScreenshot;
    }
    if (!SaveWindowPng(&window, o.screenshot, &e)) {
        Err(e);
        return ExitScreenshot;
    }
    Out(QStringLiteral("screenshot written to %1").arg(QFileInfo(o.screenshot).absoluteFilePath()));
    return exitCode;
}

// The chosen mode on the shown window: the script, the screenshot, or a person's session.
int RunWindow(const THostOptions& o, THostMainForm& window, const QList<TScriptCommand>& commands)
{
    int exitCode = ExitOk;
    if (!o.script.isEmpty() || !o.screenshot.isEmpty()) {
        QTimer::singleShot(0, &window, [&] {
            if (!o.script.isEmpty()) exitCode = TScriptRunner(window).Run(commands, QFileInfo(o.script).fileName());
            else exitCode = TakeScreenshot(o, window);
            QApplication::exit(exitCode);
        });
        QApplication::exec();
        return exitCode;
    }
    const QString guid = !o.openGuid.isEmpty() ? o.openGuid : window.WorklistGuids().value(0);
    QString error;
    if (!guid.isEmpty()) window.OpenReport(guid, &error);
    return QApplication::exec();
}

} // namespace

int RunHost(const THostOptions& o, const QStringList& arguments)
{
    THostStartup s(o);
    OpenHostLog(s, arguments);
    TConfigStore config(ResolveConfigFile(o.configFile, TConfigStore::DefaultFileName()), s.TaggedWriter());
    if (!PrepareConfiguration(s, config)) return ExitUsage;
    UseCjkFont(s);
    QList<TScriptCommand> commands;
    if (!ReadScript(o.script, &commands)) return ExitScriptFailed;

    QString target;
    QString error;
    if (!ChooseDatabase(s, &target, &error)) return s.Fail(error, ExitDatabase);
    THostDataModule dataModule(target, s.TaggedWriter());
    // Every right goes through one rule (hostdata/HostPermissions.h): the logged-in user's
    // role, narrowed by [Permissions]; the window's login once it exists, so the rights
    // follow a change of user.
    TStartLogin start;
    const THostLogin* currentLogin = &start.login;
    dataModule.permission = [&config, &currentLogin](int, const QString& option) {
        return PermissionsFor(*currentLogin, config).Allowed(option);
    };
    if (!ConnectReportDatabase(s, dataModule, &target, &error)) return s.Fail(error, ExitDatabase);
    if (const int code = LogIn(s, dataModule, config, &start); code != ExitOk) return code;
    if (const std::optional<int> code = RunWithoutWindow(s, dataModule, config, start.login)) return *code;

    // Script mode answers every message box from the script. Without a person to answer (a
    // screenshot run, or no screen at all) a box is printed and answered at once instead of
    // waiting for ever.
    TScriptSession session;
    session.print = Out;
    session.loginPassword = ScriptPasswordSource(o, start.source);
    TScriptDialogService scriptDialogs(session);
    THeadlessDialogService headlessDialogs(Out);
    TDialogServiceGuard dialogGuard;
    if (!o.script.isEmpty()) dialogGuard.Install(&scriptDialogs);
    else if (!o.screenshot.isEmpty() || THeadlessDialogService::PlatformIsHeadless()) dialogGuard.Install(&headlessDialogs);

    // The plug-in, loaded by path like any package of the workstation.
    TPluginLoader plugin;
    if (!plugin.Load(o.plugin.isEmpty() ? TPluginLoader::DefaultPath() : o.plugin, &error)) return s.Fail(error, ExitPlugin);
    auto window = std::make_unique<THostMainForm>(s.log, config, dataModule, start.login);
    currentLogin = &window->Login();
    // A save or open that finds the database locked shows that it waits, and asks after 2 s.
    TDbWaitPrompt waitPrompt(window.get());
    TLoadedForm form;
    if (!plugin.CreateForm(kReportFormClass, kReportFormClassType, window.get(), &form, &error)) return s.Fail(error, ExitPlugin);
    window->AttachForm(form, kReportFormClass);
    // A switch of user at the idle lock makes the editor afresh.
    window->Session().createForm = [&plugin](QWidget* parent, TLoadedForm* made, QString* e) {
        return plugin.CreateForm(kReportFormClass, kReportFormClassType, parent, made, e);
    };
    QObject::connect(&window->Session(), &TEditorSession::userChanged, [&start](const THostLogin& now) { start.login = now; });
    if (!o.script.isEmpty()) window->SetScriptSession(&session);
    // Signing, printing, history, the idle lock, the pickers and the script commands.
    InstallHostRooms(*window);
    if (!window->RefreshWorklist(&error)) return s.Fail(error, ExitDatabase);
    // The screen's free area on a first start, the user's own size and splitters later.
    (new TWindowGeometry(window.get(), config))->Restore();
    window->show();
    NoticeInputMethodProblem(s, config, window.get());
    const int exitCode = RunWindow(o, *window, commands);

    // The form goes before the plug-in that holds its code.
    currentLogin = &start.login;
    window.reset();
    plugin.Unload();
    s.Write(QStringLiteral("exit %1").arg(exitCode));
    return exitCode;
}
