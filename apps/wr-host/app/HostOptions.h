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
    ExitPdf = 6,          // --pdf: no such report, not permitted, or the file cannot be written
    ExitNotLoggedIn = 7,  // no one logged in: no or a refused --login-file, wrong password, cancelled
};

struct THostOptions {
    QString db;            // SQLite file or ODBC connection string; empty: the demo database
    QString dbPasswordFile;     // the database password's file (owner-readable only)
    bool storeDbPassword = false;  // read the database password from stdin into the keyring
    QString plugin;        // plug-in file; empty: beside the executable
    QString configFile;    // empty: <config folder>/<os user>.ini
    QString logFile;       // empty: <data folder>/logs/wr-host.log
    bool verbose = false;
    QString userName, userCode, deptCode;  // only pre-fill the log-in dialog; they log in no one
    int roleId = -1;       // -1: not given
    QString loginFile;     // user code and password for headless runs (owner-readable only)
    QString screenshot;    // render the window to this PNG and exit
    QString pdfGuid, pdfFile;  // --pdf GUID FILE: write the report's PDF and exit
    QString importDicom;   // --import-dicom FILE|DIR: import DICOM files into the store and the index, then exit
    QString openGuid;      // report opened at start
    QString script;        // run this script and exit
    bool resetDemo = false;
};

struct THostOptionsResult {
    THostOptions options;
    QString error;         // non-empty: the command line was wrong
    bool helpShown = false;
    QString helpText;
    bool versionShown = false;  // --version: print the versions and exit
};

// Parses the arguments (the first one is the program). Never exits. Needs no application
// object, so --help, --version and bad options are answered before any window system is
// contacted.
THostOptionsResult ParseHostOptions(const QStringList& arguments);

// The command line split into the options Qt's GUI application takes for itself (-platform X,
// -style=X, -reverse, ... with their values) and the host's own; both keep the program name
// first. The host's --plugin never goes to Qt, whose -plugin means something else.
struct TSplitArguments {
    QStringList forQt;
    QStringList forHost;
};
TSplitArguments SplitQtArguments(const QStringList& arguments);

// The configuration file that --config names: a folder (existing, or written with a trailing
// '/') holds one file per user, named as the default one; anything else is the file itself.
QString ResolveConfigFile(const QString& given, const QString& defaultFileName);

// "wr-host <version>", then the plug-in's version read from the plug-in file (or why not).
QString VersionText(const QString& pluginPath);
