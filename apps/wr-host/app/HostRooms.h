// SPDX-License-Identifier: MIT
// The host's rooms, in order. A room is a folder: its widgets, its script commands and one
// entry here. Adding a capability is one folder and one line in HostRooms.cpp.
#pragma once
#include "script/ScriptCommands.h"
#include <QList>

class IHostContext;

struct THostRoom {
    const char* name;
    // Its script commands, as the parser reads them (before any window exists).
    QList<TScriptCommandShape> (*commands)();
    // Adds its actions, script handlers and session hooks to a running host; what it makes
    // is a child of the window. Null: a room without a running part.
    void (*install)(IHostContext& host);
};

const QList<THostRoom>& HostRooms();
// Installs every room into the host, in order.
void InstallHostRooms(IHostContext& host);
