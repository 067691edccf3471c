// SPDX-License-Identifier: MIT
// Runs a parsed script against the host window and its editor, one command at a time, and
// stops at the first command that fails. See README.md, "Script commands". UI thread only.
#pragma once
#include "script/ScriptParser.h"
#include "script/ScriptSession.h"

class TConfigStore;
class THostMainForm;

class TScriptRunner {
public:
    TScriptRunner(THostMainForm& host, TConfigStore& config, TScriptSession& session);

    // Runs every command; 0 when all succeeded, 1 after the first failure (reported on
    // stderr as "<script>:<line>: <command>: <reason>").
    int Run(const QList<TScriptCommand>& commands, const QString& scriptName);
    // The JSON `dump` writes: the open report, whether it is being edited, the status bar
    // and the state of every named control of the editor.
    QByteArray DumpJson();

private:
    bool Execute(const TScriptCommand& c, QString* error);
    bool Expect(const TScriptCommand& c, QString* error);
    // history list | show N | diff N | restore N (history/HistoryWindow.h).
    bool History(const TScriptCommand& c, QString* error);
    // lock-screen | unlock-screen [wrong] | switch-user FILE (lock/LockScript.cpp), and
    // whether a locked screen refuses the command (it may reach only the lock panel).
    bool ScreenLock(const TScriptCommand& c, QString* error);
    bool BlockedByScreenLock(const TScriptCommand& c, QString* error);

    THostMainForm& m_host;
    TConfigStore& m_config;
    TScriptSession& m_session;
};
