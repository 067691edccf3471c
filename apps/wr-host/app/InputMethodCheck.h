// SPDX-License-Identifier: MIT
// Start-up check of the workstation's Chinese input: an input-method daemon (fcitx5 or ibus)
// that Qt cannot talk to types pinyin letters as Latin text without a word of warning. The
// check reads what runs and what is installed, says in Chinese which package or setting is
// missing, and tells the user once per problem (remembered in the configuration); the log
// gets a line on every start. UI thread; reads /proc and the plug-in folders only.
#pragma once
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

class TConfigStore;

// What the check looks at; Current() reads the running system, tests build a fake one.
struct TInputMethodEnvironment {
    QStringList processes;             // names of the user's running processes (comm)
    QMap<QString, QString> variables;  // QT_IM_MODULE, XMODIFIERS, GTK_IM_MODULE, ...
    QStringList pluginFolders;         // Qt plug-in folders (…/plugins)

    static TInputMethodEnvironment Current();
};

struct TInputMethodProblem {
    QString daemon;   // "fcitx5" or "ibus"; empty when no daemon runs
    QString message;  // for the user, Chinese; empty when input works
    QString logLine;  // for the log, also when all is well
};

TInputMethodProblem CheckInputMethod(const TInputMethodEnvironment& env);

// Runs the check, logs it, and calls `tell` with the message unless the same message was
// already told (configuration [Host] InputMethodNotice). `tell` answers whether a person saw
// it (a box on a display); only then is it remembered, so a headless run that merely printed
// it does not keep it from the doctor. Returns whether `tell` was called.
bool ReportInputMethodProblem(const TInputMethodEnvironment& env, TConfigStore& config,
                              const std::function<void(const QString&)>& log,
                              const std::function<bool(const QString&)>& tell);
