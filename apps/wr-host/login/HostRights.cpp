// SPDX-License-Identifier: MIT
#include "login/HostRights.h"
#include "app/ConfigStore.h"
#include "hostdata/WorkstationPolicy.h"

HostPermissions PermissionsFor(const THostLogin& login, TConfigStore& config)
{
    const QString section = QStringLiteral("Permissions");
    auto local = [&config, section](const QString& name) -> std::optional<QString> {
        if (!config.HasKey(section, name)) return std::nullopt;
        return config.ReadString(section, name);
    };
    // The workstation policy file (hostdata/WorkstationPolicy.h) refuses first; the user's
    // own file can only take more away.
    const HostPermissions::TLookup narrowed = TWorkstationPolicy::Load().Narrow(local);
    if (!login.hasRole) return HostPermissions(narrowed);
    return HostPermissions(login.granted, narrowed);
}
