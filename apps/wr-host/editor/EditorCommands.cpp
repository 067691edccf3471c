// SPDX-License-Identifier: MIT
// The editor room's script commands: open GUID, unlock, lock, save [expect-error].
#include "editor/EditorRoom.h"
#include "app/HostContext.h"
#include "editor/EditorSession.h"
#include "script/ScriptCommands.h"
#include "script/ScriptSession.h"

namespace {
QString CheckSave(const TScriptCommand& c)
{
    if (!c.args.isEmpty() && c.args.at(0) != QLatin1String("expect-error"))
        return QStringLiteral("save takes nothing or 'expect-error', not '%1'").arg(c.args.at(0));
    return {};
}

bool Save(IHostContext& host, const TScriptCommand& c, QString* error)
{
    const bool expectError = !c.args.isEmpty();
    QString saveError;
    const bool saved = host.Session().Save(&saveError);
    if (!expectError) {
        *error = saveError;
        return saved;
    }
    if (saved) {
        *error = QStringLiteral("the save succeeded, but an error was expected");
        return false;
    }
    if (TScriptSession* out = host.Script()) out->Print(QStringLiteral("save failed as expected: %1").arg(saveError));
    return true;
}
} // namespace

QList<TScriptCommandShape> EditorScriptCommands()
{
    return {{"open", 1, 1, false, false},
            {"unlock", 0, 0, false, false},
            {"lock", 0, 0, false, false},
            {"save", 0, 1, false, false, CheckSave}};
}

void InstallEditorRoom(IHostContext& host)
{
    TScriptCommands& t = host.ScriptCommands();
    TEditorSession* session = &host.Session();
    t.Handle("open", [session](const TScriptCommand& c, QString* e) { return session->Open(c.args.at(0), e); });
    t.Handle("unlock", [session](const TScriptCommand&, QString* e) { return session->SetEditing(true, e); });
    t.Handle("lock", [session](const TScriptCommand&, QString* e) { return session->SetEditing(false, e); });
    IHostContext* h = &host;
    t.Handle("save", [h](const TScriptCommand& c, QString* e) { return Save(*h, c, e); });
}
