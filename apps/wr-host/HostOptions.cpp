// SPDX-License-Identifier: MIT
#include "HostOptions.h"
#include <QCommandLineParser>

THostOptionsResult ParseHostOptions(const QStringList& arguments)
{
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "Runs the WriteReport report editor plug-in on the demo database or a site database."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help."));
    const QCommandLineOption db(QStringLiteral("db"),
        QStringLiteral("SQLite database file, or an ODBC connection string / DSN=name."), QStringLiteral("target"));
    const QCommandLineOption plugin(QStringLiteral("plugin"),
        QStringLiteral("Plug-in file to load (default: beside wr-host)."), QStringLiteral("path"));
    const QCommandLineOption config(QStringLiteral("config"),
        QStringLiteral("Configuration file (default: per user in the configuration folder)."), QStringLiteral("file"));
    const QCommandLineOption log(QStringLiteral("log"), QStringLiteral("Log file."), QStringLiteral("file"));
    const QCommandLineOption verbose(QStringLiteral("verbose"), QStringLiteral("Also write log lines to standard error."));
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("Logged-in user's name."), QStringLiteral("name"));
    const QCommandLineOption userCode(QStringLiteral("user-code"), QStringLiteral("Logged-in user's code."), QStringLiteral("code"));
    const QCommandLineOption dept(QStringLiteral("dept"), QStringLiteral("Logged-in user's department code."), QStringLiteral("code"));
    const QCommandLineOption role(QStringLiteral("role"), QStringLiteral("Logged-in user's role id."), QStringLiteral("id"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
        QStringLiteral("Open a report, render the window to this PNG file and exit."), QStringLiteral("file"));
    const QCommandLineOption open(QStringLiteral("open"), QStringLiteral("Report GUID to open at start."), QStringLiteral("guid"));
    const QCommandLineOption script(QStringLiteral("script"),
        QStringLiteral("Run the commands of this file and exit (see README)."), QStringLiteral("file"));
    const QCommandLineOption resetDemo(QStringLiteral("reset-demo"),
        QStringLiteral("Create the demo database afresh before starting."));
    p.addOptions({help, db, plugin, config, log, verbose, user, userCode, dept, role, screenshot, open, script, resetDemo});

    THostOptionsResult r;
    if (!p.parse(arguments)) {
        r.error = p.errorText();
        return r;
    }
    if (p.isSet(help)) {
        r.helpShown = true;
        r.helpText = p.helpText();
        return r;
    }
    if (!p.positionalArguments().isEmpty()) {
        r.error = QStringLiteral("Unexpected argument: %1").arg(p.positionalArguments().constFirst());
        return r;
    }
    THostOptions& o = r.options;
    o.db = p.value(db);
    o.plugin = p.value(plugin);
    o.configFile = p.value(config);
    o.logFile = p.value(log);
    o.verbose = p.isSet(verbose);
    o.userName = p.value(user);
    o.userCode = p.value(userCode);
    o.deptCode = p.value(dept);
    if (p.isSet(role)) {
        bool ok = false;
        o.roleId = p.value(role).toInt(&ok);
        if (!ok || o.roleId < 0) {
            r.error = QStringLiteral("--role needs a non-negative whole number, not '%1'").arg(p.value(role));
            return r;
        }
    }
    o.screenshot = p.value(screenshot);
    o.openGuid = p.value(open);
    o.script = p.value(script);
    o.resetDemo = p.isSet(resetDemo);
    if (!o.screenshot.isEmpty() && !o.script.isEmpty())
        r.error = QStringLiteral("--screenshot and --script cannot be combined (a script has its own 'screenshot' command)");
    return r;
}
