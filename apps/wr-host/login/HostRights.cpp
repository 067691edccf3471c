// SPDX-License-Identifier: MIT
#include "login/HostRights.h"
#include "app/ConfigStore.h"

HostPermissions PermissionsFor(const THostLogin& login, TConfigStore& config)
{
    const QString section = QStringLiteral("Permissions");
    auto local = [&config, section](const QString& name) -> std::optional<QString> {
        if (!config.HasKey(section, name)) return std::nullopt;
        return config.ReadString(section, name);
    };
    if (!login.hasRole) return HostPermissions(local);
    return HostPermissions(login.granted, local);
}
