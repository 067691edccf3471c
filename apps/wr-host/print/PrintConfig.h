// SPDX-License-Identifier: MIT
// The [Print] section of the configuration as print settings (hostdata/PrintSettings.h).
#pragma once
#include "hostdata/PrintSettings.h"
#include <QStringList>

class TConfigStore;

// Problems with the values go to *warnings, for the caller's log.
TPrintSettings PrintSettingsFromConfig(TConfigStore& config, QStringList* warnings = nullptr);
