// SPDX-License-Identifier: MIT
#pragma once
#include "PlatformExport.h"
#include <QString>

// The folder of the running executable with a trailing '/', or the folder named by the
// environment variable WRITEREPORT_PROGRAM_DIR (tests, read-only installs).
WR_PLATFORM_EXPORT QString ProgramDir();
