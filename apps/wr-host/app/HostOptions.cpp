// SPDX-License-Identifier: MIT
#include "app/HostOptions.h"
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#if __has_include("wr_version.h")
#include "wr_version.h"
#endif
#ifndef WR_VERSION
#define WR_VERSION "unknown"
#endif

namespace {

// The host's options, one per line as --help lists them.
struct THostCommandLine {
    const QCommandLineOption help{QStringList{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help.")};
    const QCommandLineOption version{QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the versions of wr-host and its plug-in.")};
    const QCommandLineOption db{QStringLiteral("db"),
        QStringLiteral("SQLite database file, or an ODBC connection string / DSN=name."), QStringLiteral("target")};
    const QCommandLineOption dbPasswordFile{QStringLiteral("db-password-file"),
        QStringLiteral("File holding the database password on its first line, readable by its owner only "
                       "(default: ~/.config/WriteReport/db-password when it exists)."),
        QStringLiteral("file")};
    const QCommandLineOption storeDbPassword{QStringLiteral("store-db-password"),
        QStringLiteral("Read the database password of --db from standard input, store it in the system keyring and exit.")};
    const QCommandLineOption plugin{QStringLiteral("plugin"),
        QStringLiteral("Plug-in file to load (default: beside wr-host)."), QStringLiteral("path")};
    const QCommandLineOption config{QStringLiteral("config"),
        QStringLiteral("Configuration file, or a folder for one file per user (default: per user in the configuration folder)."),
        QStringLiteral("file|dir")};
    const QCommandLineOption log{QStringLiteral("log"), QStringLiteral("Log file."), QStringLiteral("file")};
    const QCommandLineOption verbose{QStringLiteral("verbose"), QStringLiteral("Also write log lines to standard error.")};
    const QCommandLineOption user{QStringLiteral("user"),
        QStringLiteral("User name shown in the log-in dialog (logs in no one by itself)."), QStringLiteral("name")};
    const QCommandLineOption userCode{QStringLiteral("user-code"),
        QStringLiteral("User code shown in the log-in dialog (logs in no one by itself)."), QStringLiteral("code")};
    const QCommandLineOption dept{QStringLiteral("dept"),
        QStringLiteral("Ignored: the department comes from the user's account."), QStringLiteral("code")};
    const QCommandLineOption role{QStringLiteral("role"),
        QStringLiteral("Ignored: the role comes from the user's account."), QStringLiteral("id")};
    const QCommandLineOption loginFile{QStringLiteral("login-file"),
        QStringLiteral("Log in from this file (lines user=CODE and password=TEXT; readable by its owner only); "
                       "needed by --script, --screenshot and --pdf except on the demo database."),
        QStringLiteral("file")};
    const QCommandLineOption screenshot{QStringLiteral("screenshot"),
        QStringLiteral("Open a report, render the window to this PNG file and exit."), QStringLiteral("file")};
    const QCommandLineOption open{QStringLiteral("open"), QStringLiteral("Report GUID to open at start."), QStringLiteral("guid")};
    const QCommandLineOption script{QStringLiteral("script"),
        QStringLiteral("Run the commands of this file and exit (see README)."), QStringLiteral("file")};
    const QCommandLineOption resetDemo{QStringLiteral("reset-demo"), QStringLiteral("Create the demo database afresh before starting.")};
    const QCommandLineOption pdf{QStringLiteral("pdf"),
        QStringLiteral("Write the report's PDF to the file given after the GUID (--pdf GUID FILE) and exit."), QStringLiteral("guid")};
    const QCommandLineOption importDicom{QStringLiteral("import-dicom"),
        QStringLiteral("Import the DICOM files of a folder (or one file) into the image store and the index, then exit."),
        QStringLiteral("file|dir")};

    QList<QCommandLineOption> All() const
    {
        return {help, version, db, dbPasswordFile, storeDbPassword, plugin, config, log, verbose, user, userCode, dept, role,
                loginFile, screenshot, open, script, resetDemo, pdf, importDicom};
    }
};

// Without an application object Qt cannot name the program in the usage line.
QString HelpText(const QCommandLineParser& p)
{
    QString text = p.helpText();
    const qsizetype end = text.indexOf(QLatin1Char('\n'));
    const qsizetype opts = text.indexOf(QLatin1String(" [options]"));
    if (text.startsWith(QLatin1String("Usage: ")) && opts > 0 && opts < end) text.replace(7, opts - 7, QStringLiteral("wr-host"));
    return text;
}

// The values of the options that carry one; an error text, or empty.
QString ReadValues(const QCommandLineParser& p, const THostCommandLine& c, THostOptions& o)
{
    o.db = p.value(c.db);
    o.dbPasswordFile = p.value(c.dbPasswordFile);
    o.storeDbPassword = p.isSet(c.storeDbPassword);
    o.plugin = p.value(c.plugin);
    o.configFile = p.value(c.config);
    o.logFile = p.value(c.log);
    o.verbose = p.isSet(c.verbose);
    o.userName = p.value(c.user);
    o.userCode = p.value(c.userCode);
    o.deptCode = p.value(c.dept);
    o.loginFile = p.value(c.loginFile);
    o.screenshot = p.value(c.screenshot);
    o.openGuid = p.value(c.open);
    o.script = p.value(c.script);
    o.resetDemo = p.isSet(c.resetDemo);
    o.importDicom = p.value(c.importDicom);
    if (p.isSet(c.role)) {
        bool ok = false;
        o.roleId = p.value(c.role).toInt(&ok);
        if (!ok || o.roleId < 0) return QStringLiteral("--role needs a non-negative whole number, not '%1'").arg(p.value(c.role));
    }
    return {};
}

// The modes exclude one another; an error text, or empty.
QString CombinationError(const THostOptions& o)
{
    if (!o.screenshot.isEmpty() && !o.script.isEmpty())
        return QStringLiteral("--screenshot and --script cannot be combined (a script has its own 'screenshot' command)");
    if (!o.pdfGuid.isEmpty() && (!o.screenshot.isEmpty() || !o.script.isEmpty()))
        return QStringLiteral("--pdf cannot be combined with --screenshot or --script (a script has its own 'pdf' command)");
    if (!o.importDicom.isEmpty() && (!o.pdfGuid.isEmpty() || !o.screenshot.isEmpty() || !o.script.isEmpty()))
        return QStringLiteral("--import-dicom cannot be combined with --pdf, --screenshot or --script (a script has 'images import')");
    return {};
}

} // namespace

THostOptionsResult ParseHostOptions(const QStringList& arguments)
{
    const THostCommandLine c;
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Runs the WriteReport report editor plug-in on the demo database or a site database."));
    p.addOptions(c.All());

    THostOptionsResult r;
    if (!p.parse(arguments)) {
        r.error = p.errorText();
        return r;
    }
    if (p.isSet(c.help)) {
        r.helpShown = true;
        r.helpText = HelpText(p);
        return r;
    }
    if (p.isSet(c.version)) {
        r.versionShown = true;
        r.options.plugin = p.value(c.plugin);
        return r;
    }
    QStringList positional = p.positionalArguments();
    THostOptions& o = r.options;
    if (p.isSet(c.pdf)) {
        // --pdf GUID FILE: the file is the one argument that follows.
        if (positional.isEmpty()) {
            r.error = QStringLiteral("--pdf needs a GUID and a file: --pdf GUID FILE");
            return r;
        }
        o.pdfGuid = p.value(c.pdf);
        o.pdfFile = positional.takeFirst();
    }
    if (!positional.isEmpty()) {
        r.error = QStringLiteral("Unexpected argument: %1").arg(positional.constFirst());
        return r;
    }
    r.error = ReadValues(p, c, o);
    if (r.error.isEmpty()) r.error = CombinationError(o);
    return r;
}

TSplitArguments SplitQtArguments(const QStringList& arguments)
{
    // Qt's own GUI options (QGuiApplication, QApplication, xcb), with or without a value.
    static const QStringList withValue{"platform", "platformpluginpath", "platformtheme", "qwindowgeometry",
                                       "qwindowicon", "qwindowtitle", "session", "display", "geometry", "style",
                                       "stylesheet", "qmljsdebugger", "name", "title", "visual"};
    static const QStringList flags{"reverse", "widgetcount", "nograb", "dograb", "sync"};
    TSplitArguments r;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (i == 0) {
            r.forQt << a;
            r.forHost << a;
            continue;
        }
        QString name = a;
        if (name.startsWith(QLatin1String("--"))) name.remove(0, 2);
        else if (name.startsWith(QLatin1Char('-'))) name.remove(0, 1);
        else {
            r.forHost << a;
            continue;
        }
        const qsizetype eq = name.indexOf(QLatin1Char('='));
        const QString bare = eq < 0 ? name : name.left(eq);
        if (withValue.contains(bare)) {
            r.forQt << a;
            if (eq < 0 && i + 1 < arguments.size()) r.forQt << arguments.at(++i);
        } else if (flags.contains(name)) {
            r.forQt << a;
        } else {
            r.forHost << a;
        }
    }
    return r;
}

QString ResolveConfigFile(const QString& given, const QString& defaultFileName)
{
    if (given.isEmpty()) return defaultFileName;
    const bool folder = QFileInfo(given).isDir() || given.endsWith(QLatin1Char('/')) || given.endsWith(QLatin1Char('\\'));
    if (!folder) return given;
    return QDir(given).filePath(QFileInfo(defaultFileName).fileName());
}

QString VersionText(const QString& pluginPath)
{
    QString text = QStringLiteral("wr-host %1\n").arg(QLatin1String(WR_VERSION));
    QLibrary lib(pluginPath);
    if (!QFileInfo::exists(pluginPath)) return text + QStringLiteral("plug-in: not found at %1\n").arg(pluginPath);
    using TVersionFn = const char* (*)();
    using TAbiFn = int (*)();
    const auto version = reinterpret_cast<TVersionFn>(lib.resolve("WriteReportPluginVersion"));
    const auto abi = reinterpret_cast<TAbiFn>(lib.resolve("WriteReportPluginAbiVersion"));
    if (!version && !abi) {
        text += QStringLiteral("plug-in: %1 cannot be read: %2\n").arg(pluginPath, lib.errorString());
    } else {
        text += QStringLiteral("plug-in WriteReport %1 (interface %2): %3\n")
                    .arg(version ? QString::fromUtf8(version()) : QStringLiteral("unknown"),
                         abi ? QString::number(abi()) : QStringLiteral("unknown"), QFileInfo(pluginPath).absoluteFilePath());
    }
    lib.unload();
    return text;
}
