// SPDX-License-Identifier: MIT
#include "script/ScriptCommands.h"

const TScriptCommandShape* FindScriptCommand(const QString& name)
{
    for (const TScriptCommandShape& s : ScriptCommandTable())
        if (name == QLatin1String(s.name)) return &s;
    return nullptr;
}

bool TScriptCommands::Run(const TScriptCommand& c, QString* error) const
{
    for (const TGuard& guard : m_guards)
        if (!guard(c, error)) return false;
    const auto handler = m_handlers.constFind(c.name);
    if (handler == m_handlers.constEnd()) {
        // Parsed, so a room declares it, but that room is not part of this host.
        *error = QStringLiteral("this host cannot run '%1'").arg(c.name);
        return false;
    }
    return (*handler)(c, error);
}

void TScriptCommands::Around(const TScriptCommand& c, bool starting) const
{
    for (const TAround& a : m_around) a(c, starting);
}
