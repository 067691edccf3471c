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
#include "database/HostQueries.h"
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
#include <QGuiApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <memory>

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
    const QString platform = QGuiApplication::platformName();
    if (!interactive || platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return;
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

} // namespace

int RunHost(const THostOptions& o, const QStringList& arguments)
{

    // The data folder holds drafts, logs and the demo database, all patient text: no one but
    // its owner may enter it, also where an older version made it 0755.
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QString privacyError;
    MakePrivateFolder(dataFolder, &privacyError);
    // Log first, so every later step can be followed in it.
    THostLog log;
    log.SetVerbose(o.verbose);
    if (o.logFile.isEmpty()) MakePrivateFolder(dataFolder + QLatin1String("/logs"), &privacyError);
    const QString logFile = o.logFile.isEmpty() ? dataFolder + QLatin1String("/logs/wr-host.log") : o.logFile;
    QString logError;
    if (!log.Open(logFile, &logError)) Err(logError + QStringLiteral("; logging to stderr"));
    if (!privacyError.isEmpty()) log.Write(QStringLiteral("wr-host"), QStringLiteral("error: ") + privacyError);
    log.Write(QStringLiteral("wr-host"), QStringLiteral("start: %1").arg(MaskPasswordsInArguments(arguments).join(QLatin1Char(' '))));
    auto logFn = [&log](const QString& t, const QString& m) { log.Write(t, m); };
    // An installed copy keeps the editor's per-user files (hip-joint defaults, template model
    // files) in the user's data folder: its own folder is shared and read-only.
    const QString userProgramDir = UseUserProgramFolderWhenInstalled(
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1String("/program"));
    if (!userProgramDir.isEmpty())
        log.Write(QStringLiteral("wr-host"), QStringLiteral("program folder: %1").arg(userProgramDir));
    const bool interactive = o.script.isEmpty() && o.screenshot.isEmpty() && o.pdfGuid.isEmpty() && o.importDicom.isEmpty();
    auto fail = [&](const QString& message, THostExit code) {
        Err(message);
        log.Write(QStringLiteral("wr-host"), QStringLiteral("error: ") + message);
        FailBox(message, interactive);
        return static_cast<int>(code);
    };

    TConfigStore config(ResolveConfigFile(o.configFile, TConfigStore::DefaultFileName()), logFn);
    TidyDrafts(config, log);
    if (!QFileInfo::exists(config.FileName()) && !SeedNewConfiguration(config)) {
        // Running on with a named configuration that cannot be written would lose every
        // setting silently; the default one only costs this run its settings (logged).
        const QString message = QStringLiteral("cannot write the configuration file %1").arg(config.FileName());
        if (!o.configFile.isEmpty()) {
            Err(message + QStringLiteral(" (--config)"));
            return ExitUsage;
        }
        log.Write(QStringLiteral("wr-host"), QStringLiteral("error: ") + message);
    }

    const TFontMapping fonts = InstallCjkFontSubstitutes();
    if (fonts.sans.isEmpty()) {
        log.Write(QStringLiteral("wr-host"), QStringLiteral("no CJK font installed; Chinese text may render poorly"));
    } else {
        QFont appFont(fonts.sans);
        appFont.setPointSizeF(QApplication::font().pointSizeF());
        QApplication::setFont(appFont);
    }

    // The script is read before anything else happens, so a bad one changes nothing.
    QList<TScriptCommand> commands;
    if (!o.script.isEmpty()) {
        QFile f(o.script);
        if (!f.open(QIODevice::ReadOnly)) {
            Err(QStringLiteral("cannot read the script %1: %2").arg(o.script, f.errorString()));
            return ExitScriptFailed;
        }
        const TScriptParseResult s = ParseScript(QString::fromUtf8(f.readAll()));
        if (!s.error.isEmpty()) {
            Err(QStringLiteral("%1: %2").arg(o.script, s.error));
            return ExitScriptFailed;
        }
        commands = s.commands;
    }

    // Database: the demo file unless --db names another.
    QString target = o.db;
    if (target.isEmpty()) {
        target = DemoDatabasePath();
        QString error;
        bool created = false;
        // A newer version's first start may build indexes over every report: said in the log,
        // and on a screen in a progress window, instead of a start that waits in silence.
        TDbUpgradeProgress upgrade([&log](const QString& line) { log.Write(QStringLiteral("wr-host"), line); },
                                   !THeadlessDialogService::PlatformIsHeadless());
        if (!EnsureDemoDatabase(target, o.resetDemo, &error, &created, upgrade.Callback())) return fail(error, ExitDatabase);
        // SQLite gives its journal files the database file's mode.
        for (const char* suffix : {"", "-wal", "-shm", "-journal"})
            if (!MakeFilePrivate(target + QLatin1String(suffix), &error)) log.Write(QStringLiteral("wr-host"), QStringLiteral("error: ") + error);
        if (created)
            log.Write(QStringLiteral("wr-host"),
                      QStringLiteral("demo database created: %1 from %2").arg(target, FindDbScriptsFolder()));
    } else if (!IsOdbcTarget(target) && !QFileInfo(target).isFile()) {
        return fail(QStringLiteral("database file not found: %1 (a new database is made with: wr-admin --db %1 create-db)")
                        .arg(target),
                    ExitDatabase);
    }
    THostDataModule dataModule(target, logFn);
    // Every right goes through one rule (hostdata/HostPermissions.h): the logged-in user's
    // role, narrowed by [Permissions]; the window's login once it exists, so the rights
    // follow a change of user.
    TStartLogin start;
    const THostLogin* currentLogin = &start.login;
    dataModule.permission = [&config, &currentLogin](int, const QString& option) {
        return PermissionsFor(*currentLogin, config).Allowed(option);
    };
    {
        QString error;
        // A server's password comes from the keyring, a password file or (interactive) a
        // question; `target` names the database without it from here on.
        THostDbConnectOptions dbOptions;
        dbOptions.passwordFile = o.dbPasswordFile;
        dbOptions.mayAsk = interactive && !THeadlessDialogService::PlatformIsHeadless();
        if (!ConnectHostDatabase(dataModule, dbOptions,
                                 [&log](const QString& line) { log.Write(QStringLiteral("wr-host"), line); }, &target, &error))
            return fail(QStringLiteral("cannot open the database %1: %2").arg(target, error), ExitDatabase);
        // A file that opens is not yet a report database: the work list proves it is.
        try {
            // One indexed row, however many reports the database holds.
            TWorklistQuery(*dataModule.GetMainAdoConnection()).Newest();
        } catch (const Exception& e) {
            return fail(QStringLiteral("%1 is not a usable report database: %2").arg(target, e.Message()), ExitDatabase);
        }
    }
    // Someone must be logged in before anything of a report is shown or written.
    {
        TLoginEnvironment env;
        env.canAsk = interactive && !THeadlessDialogService::PlatformIsHeadless();
        env.embeddedDemo = o.db.isEmpty();
        env.log = [&log](const QString& line) { log.Write(QStringLiteral("wr-host login"), line); };
        if (!LogInAtStart(*dataModule.GetMainAdoConnection(), o, config, env, &start)) {
            // Whoever pressed 取消 needs no box saying so.
            if (!start.cancelled) return fail(start.error, ExitNotLoggedIn);
            Err(start.error);
            return ExitNotLoggedIn;
        }
        RejectUnsafeLoginValues(start.login, [&log](const QString& message) {
            Err(message);
            log.Write(QStringLiteral("wr-host"), QStringLiteral("error: ") + message);
        });
    }
    const THostLogin& login = start.login;
    // --pdf needs neither the plug-in nor a window.
    if (!o.pdfGuid.isEmpty()) {
        const int code = WritePdfHeadless(*dataModule.GetMainAdoConnection(), config, login, o.pdfGuid, o.pdfFile, Out,
                                          [&](const QString& m) {
                                              Err(m);
                                              log.Write(QStringLiteral("wr-host"), QStringLiteral("error: ") + m);
                                          });
        log.Write(QStringLiteral("wr-host"), QStringLiteral("exit %1").arg(code));
        return code;
    }

    // --import-dicom, like --pdf, needs neither the plug-in nor a window.
    if (!o.importDicom.isEmpty()) {
        const int code = ImportDicomHeadless(dataModule.Target(), config, o.importDicom, Out,
                                             [&log](const QString& l) { log.Write(QStringLiteral("wr-host import"), l); });
        log.Write(QStringLiteral("wr-host"), QStringLiteral("exit %1").arg(code));
        return code;
    }

    // Script mode answers every message box from the script.
    TScriptSession session;
    session.print = Out;
    session.loginPassword = ScriptPasswordSource(o, start.source);
    TScriptDialogService scriptDialogs(session);
    // Without a person to answer (a screenshot run, or no screen at all) a box is printed and
    // answered at once instead of waiting for ever.
    THeadlessDialogService headlessDialogs(Out);
    TDialogServiceGuard dialogGuard;
    if (!o.script.isEmpty()) dialogGuard.Install(&scriptDialogs);
    else if (!o.screenshot.isEmpty() || THeadlessDialogService::PlatformIsHeadless()) dialogGuard.Install(&headlessDialogs);

    // The plug-in, loaded by path like any package of the workstation.
    TPluginLoader plugin;
    const QString pluginPath = o.plugin.isEmpty() ? TPluginLoader::DefaultPath() : o.plugin;
    QString error;
    if (!plugin.Load(pluginPath, &error)) return fail(error, ExitPlugin);
    auto window = std::make_unique<THostMainForm>(log, config, dataModule, login);
    currentLogin = &window->Login();
    // A save or open that finds the database locked shows that it waits, and asks after 2 s.
    TDbWaitPrompt waitPrompt(window.get());
    TLoadedForm form;
    if (!plugin.CreateForm(kReportFormClass, kReportFormClassType, window.get(), &form, &error))
        return fail(error, ExitPlugin);
    window->AttachForm(form, kReportFormClass);
    // A switch of user at the idle lock makes the editor afresh.
    window->Session().createForm = [&plugin](QWidget* parent, TLoadedForm* made, QString* e) {
        return plugin.CreateForm(kReportFormClass, kReportFormClassType, parent, made, e);
    };
    QObject::connect(&window->Session(), &TEditorSession::userChanged, [&start](const THostLogin& now) { start.login = now; });
    if (!o.script.isEmpty()) window->SetScriptSession(&session);
    // Signing, printing, history, the idle lock, the pickers and the script commands.
    InstallHostRooms(*window);
    if (!window->RefreshWorklist(&error)) return fail(error, ExitDatabase);
    // The screen's free area on a first start, the user's own size and splitters later.
    (new TWindowGeometry(window.get(), config))->Restore();
    window->show();
    // Chinese input: a daemon that cannot reach this program is told once, in a box on a
    // display; headless runs only print it.
    ReportInputMethodProblem(
        TInputMethodEnvironment::Current(), config, [&log](const QString& line) { log.Write(QStringLiteral("wr-host"), line); },
        [&](const QString& message) {
            if (!interactive || THeadlessDialogService::PlatformIsHeadless()) {
                Err(message);
                return false;
            }
            // One question at a time: the notice waits while another dialog is open (the
            // draft offer of the report opened at start).
            auto* wait = new QTimer(window.get());
            wait->setInterval(200);
            QObject::connect(wait, &QTimer::timeout, window.get(), [wait, w = window.get(), message] {
                if (QApplication::activeModalWidget()) return;
                wait->stop();
                wait->deleteLater();
                TMessageRequest box;
                box.parent = w;
                box.caption = QStringLiteral("中文输入法");
                box.text = message;
                box.icon = TMsgIcon::Warning;
                Dialogs().MessageBox(box);
            });
            wait->start();
            return true;
        });

    int exitCode = ExitOk;
    if (!o.script.isEmpty()) {
        QTimer::singleShot(0, window.get(), [&] {
            TScriptRunner runner(*window);
            exitCode = runner.Run(commands, QFileInfo(o.script).fileName());
            QApplication::exit(exitCode);
        });
        QApplication::exec();
    } else if (!o.screenshot.isEmpty()) {
        QTimer::singleShot(0, window.get(), [&] {
            const QStringList guids = window->WorklistGuids();
            const QString guid = !o.openGuid.isEmpty() ? o.openGuid : guids.value(0);
            QString e;
            if (!guid.isEmpty() && !window->OpenReport(guid, &e)) {
                Err(e);
                exitCode = ExitScreenshot;
            }
            if (!SaveWindowPng(window.get(), o.screenshot, &e)) {
                Err(e);
                exitCode = ExitScreenshot;
            } else {
                Out(QStringLiteral("screenshot written to %1").arg(QFileInfo(o.screenshot).absoluteFilePath()));
            }
            QApplication::exit(exitCode);
        });
        QApplication::exec();
    } else {
        const QString guid = !o.openGuid.isEmpty() ? o.openGuid : window->WorklistGuids().value(0);
        if (!guid.isEmpty()) window->OpenReport(guid, &error);
        exitCode = QApplication::exec();
    }

    // The form goes before the plug-in that holds its code.
    currentLogin = &start.login;
    window.reset();
    plugin.Unload();
    log.Write(QStringLiteral("wr-host"), QStringLiteral("exit %1").arg(exitCode));
    return exitCode;
}
