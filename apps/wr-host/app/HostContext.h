// SPDX-License-Identifier: MIT
// What a room of the host (work list, pickers, history, signing, printing, lock, log-in,
// script, and those to come) receives from the host: the editor session, the logged-in user
// and his rights, the configuration, the database, the status line and the log, a parent
// for its dialogs, and the registration of its actions and script commands. A room never
// holds or includes the main window; it learns what happens from the session's signals.
//
// Implemented by the shell (the main window). Lives as long as the window; rooms are its
// children and go with it. UI thread only.
#pragma once
#include "hostdata/HostPermissions.h"
#include "login/HostUser.h"
#include "hostdata/PickerKind.h"
#include <QKeySequence>
#include <QList>
#include <QString>
#include <QStyle>
#include <functional>

class QWidget;
class TConfigStore;
class TDbConnection;
class TEditorSession;
class THostDataModule;
class TScriptCommands;
struct TScriptSession;

// One row of the action table: the action's id (also its objectName, so scripts and tests
// reach it by name), its text, shortcut and icon, and when it is enabled.
struct THostActionSpec {
    const char* id;
    QString text;
    QKeySequence shortcut;
    QStyle::StandardPixmap icon;
    std::function<void()> trigger;
    // Asked whenever the session reports a change (and when a menu opens); null: always.
    std::function<bool()> enabled = {};
    // The objectName of a menu (see AddMenu) that lists it too; null: the tool bar only.
    const char* menu = nullptr;
    bool separatorInToolBar = false;   // a separator goes before it in the tool bar
    bool separatorInMenu = false;      // ... and in its menu
};

class IHostContext {
public:
    virtual ~IHostContext() = default;

    virtual TEditorSession& Session() = 0;
    // The logged-in user (the session's) and what he may do: the role's grants narrowed by
    // the workstation's [Permissions].
    virtual const THostLogin& User() const = 0;
    virtual HostPermissions Rights() = 0;
    virtual TConfigStore& Config() = 0;
    virtual THostDataModule& DataModule() = 0;
    // The main connection; throws EDatabaseError when the database cannot be reached.
    virtual TDbConnection& Db() = 0;

    // A line in the status bar that is also logged; Status shows it without logging.
    virtual void Notify(const QString& text) = 0;
    virtual void Status(const QString& text) = 0;
    virtual QString StatusText() const = 0;
    virtual void Log(const QString& title, const QString& line) = 0;
    // The window, as the parent of a room's dialogs and boxes.
    virtual QWidget* Window() = 0;
    // The running script, or null: no window may then wait for a person.
    virtual TScriptSession* Script() = 0;
    // No person can answer a window: a script runs or the platform has no screen.
    virtual bool Headless() const = 0;
    // What hides the window while the screen is locked (the lock panel); null otherwise.
    virtual QWidget* Cover() const = 0;
    virtual void SetCover(QWidget* cover) = 0;

    // Registration: a room adds its rows to the action table (in the order given, after
    // those already there), a menu for them, and the handlers of its script commands.
    virtual void AddMenu(const char* objectName, const QString& title) = 0;
    virtual void AddActions(const QList<THostActionSpec>& rows) = 0;
    // Asks every enabled rule again (a room whose own state changed).
    virtual void UpdateActions() = 0;
    virtual TScriptCommands& ScriptCommands() = 0;
    // Who answers the editor's requests for a picker (the pickers room).
    virtual void SetPickerRunner(std::function<void(TPickerKind kind)> run) = 0;
};
