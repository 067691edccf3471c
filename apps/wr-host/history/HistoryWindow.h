// SPDX-License-Identifier: MIT
// The saved versions of the open report ("历史版本"): a list of versions (time, who, size),
// each shown read-only with its formatting, its differences from the current version, and
// "恢复此版本", which puts that version into the editor as an unsaved edit the doctor saves
// like any other. The versions come from ReportHistory (hostdata/ReportHistory.h).
//
// THistoryActions is a child of the main window; it adds the action "actionHistory" and the
// script command `history list|show N|diff N|restore N` (HistoryScript.cpp). Version numbers are
// positions in the list: 0 the current version, 1 the newest kept one, and so on.
// UI thread only.
#pragma once
#include "hostdata/ReportHistory.h"
#include <QDialog>
#include <QObject>
#include <functional>

class QAction;
class QTextBrowser;
class QTextEdit;
class QTreeWidget;
class IHostContext;

class THistoryActions final : public QObject {
    Q_OBJECT
public:
    explicit THistoryActions(IHostContext& host);

    // The versions of the open report; false with a message when none is open or the
    // database keeps no history.
    bool Versions(QList<TReportVersion>* versions, QString* error);
    // One line per version, as `history list` prints it.
    static QString Describe(int number, const TReportVersion& v);
    // The version's content (number as in the list); false with a message.
    bool Content(int number, TReportInfo* content, QString* error);
    // The sections of version `number` that differ from the current version, as text lines.
    bool Differences(int number, QStringList* lines, QString* error);
    // Puts version `number` into the editor, unlocked and not saved.
    bool Restore(int number, QString* error);
    // The window (modal); not in headless runs.
    void ShowWindow();

private:
    bool Restore(const TReportInfo& version, QString* error);

    IHostContext& m_host;
};

// The window itself. Reads the versions when constructed.
class THistoryWindow final : public QDialog {
    Q_OBJECT
public:
    THistoryWindow(THistoryActions& actions, QWidget* parent);

private:
    void ShowVersion(int number);

    THistoryActions& m_actions;
    QTreeWidget* m_list = nullptr;
    QTextEdit* m_view = nullptr;
    QTextBrowser* m_diff = nullptr;
};

// The room's entry (app/HostRooms.cpp).
QList<struct TScriptCommandShape> HistoryScriptCommands();
void InstallHistoryRoom(IHostContext& host);
