// SPDX-License-Identifier: MIT
// The script language's command table. Each room declares the commands it serves as rows
// (name, how its line splits, a check of its words), listed in app/HostRooms.cpp; the parser
// reads every row before anything runs, and the runner calls the handler the room registered
// under the same name when it was installed. UI thread only.
#pragma once
#include "script/ScriptParser.h"
#include <QHash>
#include <QList>
#include <functional>

// How a command's line is split: a number of words, then optionally the rest as a text.
struct TScriptCommandShape {
    const char* name;
    int minWords;
    int maxWords;
    bool text;          // the rest of the line after maxWords words is one text
    bool textRequired;
    // The words' own rule (after the counts were checked): the message for a bad line, or
    // empty. Null: any words.
    QString (*check)(const TScriptCommand& c) = nullptr;
};

// Every command of every room, in the order the rooms are listed (app/HostRooms.cpp).
const QList<TScriptCommandShape>& ScriptCommandTable();
const TScriptCommandShape* FindScriptCommand(const QString& name);

// The handlers of a running host, registered by the rooms.
class TScriptCommands {
public:
    using THandler = std::function<bool(const TScriptCommand& c, QString* error)>;
    // Asked before every command: false refuses it with *error (a locked screen).
    using TGuard = std::function<bool(const TScriptCommand& c, QString* error)>;
    // Told around every command (the idle lock holds off while one runs).
    using TAround = std::function<void(const TScriptCommand& c, bool starting)>;

    // The handler of a command of the table; a second registration replaces the first.
    void Handle(const char* name, THandler handler) { m_handlers.insert(QLatin1String(name), std::move(handler)); }
    void AddGuard(TGuard guard) { m_guards << std::move(guard); }
    void AddAround(TAround around) { m_around << std::move(around); }

    // Runs one parsed command: the guards, then its handler. False with the reason.
    bool Run(const TScriptCommand& c, QString* error) const;
    void Around(const TScriptCommand& c, bool starting) const;

private:
    QHash<QString, THandler> m_handlers;
    QList<TGuard> m_guards;
    QList<TAround> m_around;
};
