// SPDX-License-Identifier: MIT
// Runs a parsed script against the host, one command at a time, through the handlers the
// rooms registered (script/ScriptCommands.h), and stops at the first command that fails.
// See README.md, "Script commands". UI thread only.
#pragma once
#include "script/ScriptParser.h"
#include "script/ScriptSession.h"

class IHostContext;

class TScriptRunner {
public:
    // The host's script session (host.Script()) receives the output and the answers.
    explicit TScriptRunner(IHostContext& host);

    // Runs every command; 0 when all succeeded, 1 after the first failure (reported on
    // stderr as "<script>:<line>: <command>: <reason>").
    int Run(const QList<TScriptCommand>& commands, const QString& scriptName);

private:
    IHostContext& m_host;
    TScriptSession& m_session;
};

// The script room: the commands that drive controls and the script itself (set, check,
// click, focus, expect, dump, screenshot, answer, config, wait, echo).
QList<struct TScriptCommandShape> ScriptRoomCommands();
void InstallScriptRoom(IHostContext& host);
// The JSON `dump` writes: the open report, whether it is being edited, the status bar and
// the state of every named control of the editor (only the lock panel while locked).
QByteArray DumpJson(IHostContext& host);
