// SPDX-License-Identifier: MIT
// The eight pickers the editor's caption buttons ask for (through IMainFrom). Each reads its
// list from the database, lets the user choose (or takes the script's choice, queued by
// `pick KIND VALUE`) and hands the result back through IReportForm. A picker never throws
// back into the editor's click handler: a failure is shown (or, in a script, recorded).
// UI thread only; a child of the window.
#pragma once
#include "hostdata/PickerKind.h"
#include <QList>
#include <QObject>

class IHostContext;
class TEditorSession;

class TPickers final : public QObject {
    Q_OBJECT
public:
    explicit TPickers(IHostContext& host);
    void Run(TPickerKind kind);

private:
    void RunList(TPickerKind kind);
    void RunTemplate();
    void RunSymbol();
    bool TakeScriptPick(TPickerKind kind, QString* value);
    void Failed(TPickerKind kind, const QString& message);
    TEditorSession& Session();

    IHostContext& m_host;
};

// The room's entry (app/HostRooms.cpp): the pickers answer the window's IMainFrom.
QList<struct TScriptCommandShape> PickerScriptCommands();
void InstallPickerRoom(IHostContext& host);
