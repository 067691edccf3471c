// SPDX-License-Identifier: MIT
// The host's command line. Parsing never exits the process: the caller decides what to do
// with an error, so that every failure ends with one message and a documented exit code.
#pragma once
#include <QString>
#include <QStringList>

// Exit codes of wr-host, documented in the README.
enum THostExit : int {
    ExitOk = 0,
    ExitScriptFailed = 1,
    ExitUsage = 2,
    ExitPlugin = 3,
    ExitDatabase = 4,
    ExitScreenshot = 5,
};

struct THostOptions {
    QString db;            // SQLite file or ODBC connection string; empty: the demo database
    QString plugin;        // plug-in file; empty: beside the executable
    QString configFile;    // empty: <config folder>/<os user>.ini
    QString logFile;       // empty: <data folder>/logs/wr-host.log
    bool verbose = false;
    QString userName, userCode, deptCode;
    int roleId = -1;       // -1: not given
    QString screenshot;    // render the window to this PNG and exit
    QString openGuid;      // report opened at start
    QString script;        // run this script and exit
    bool resetDemo = false;
};

struct THostOptionsResult {
    THostOptions options;
    QString error;         // non-empty: the command line was wrong
    bool helpShown = false;
    QString helpText;
};

// Parses the arguments (the first one is the program). Never exits.
THostOptionsResult ParseHostOptions(const QStringList& arguments);
