// SPDX-License-Identifier: MIT
#include "print/PrintConfig.h"
#include "app/ConfigStore.h"

TPrintSettings PrintSettingsFromConfig(TConfigStore& config, QStringList* warnings)
{
    return PrintSettingsFrom([&config](const QString& key) { return config.ReadString(QStringLiteral("Print"), key); },
                             warnings);
}
