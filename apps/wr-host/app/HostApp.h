// SPDX-License-Identifier: MIT
// The host's start-up and shut-down: options, log, configuration, fonts, database, plug-in,
// window, then the chosen mode (interactive, --screenshot or --script). Every failure ends
// in one clear message on stderr and a documented exit code; nothing here crashes on a bad
// database, a missing plug-in or a bad script.
#pragma once
#include "app/HostOptions.h"
#include <QStringList>

// Runs the host with the parsed options inside an existing QApplication (the arguments are
// only logged); returns the process exit code.
int RunHost(const THostOptions& options, const QStringList& arguments);
