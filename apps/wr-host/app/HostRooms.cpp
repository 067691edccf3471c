// SPDX-License-Identifier: MIT
#include "app/HostRooms.h"
#include "critical/CriticalRoom.h"
#include "assist/AssistRoom.h"
#include "editor/EditorRoom.h"
#include "history/HistoryWindow.h"
#include "images/ImagesRoom.h"
#include "lock/IdleLockSetup.h"
#include "pickers/Pickers.h"
#include "print/PrintActions.h"
#include "script/ScriptRunner.h"
#include "sign/SignActions.h"

const QList<THostRoom>& HostRooms()
{
    // The order is the order of their actions in the tool bar and of the script commands.
    static const QList<THostRoom> rooms{
        {"editor", EditorScriptCommands, InstallEditorRoom},
        {"script", ScriptRoomCommands, InstallScriptRoom},
        {"pickers", PickerScriptCommands, InstallPickerRoom},
        {"sign", SignScriptCommands, InstallSignRoom},
        {"critical", CriticalScriptCommands, InstallCriticalRoom},
        {"print", PrintScriptCommands, InstallPrintRoom},
        {"history", HistoryScriptCommands, InstallHistoryRoom},
        {"images", ImagesScriptCommands, InstallImagesRoom},
        {"lock", LockScriptCommands, InstallLockRoom},
        {"assist", AssistScriptCommands, InstallAssistRoom},
    };
    return rooms;
}

void InstallHostRooms(IHostContext& host)
{
    for (const THostRoom& room : HostRooms())
        if (room.install) room.install(host);
}

const QList<TScriptCommandShape>& ScriptCommandTable()
{
    static const QList<TScriptCommandShape> table = [] {
        QList<TScriptCommandShape> all;
        for (const THostRoom& room : HostRooms())
            if (room.commands) all += room.commands();
        return all;
    }();
    return table;
}
