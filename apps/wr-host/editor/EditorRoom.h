// SPDX-License-Identifier: MIT
// The editor room's entry (app/HostRooms.cpp): its script commands open, unlock, lock and
// save. The session itself (EditorSession.h) belongs to the window.
#pragma once
#include <QList>

class IHostContext;

QList<struct TScriptCommandShape> EditorScriptCommands();
void InstallEditorRoom(IHostContext& host);
