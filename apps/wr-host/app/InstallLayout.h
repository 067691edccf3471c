// SPDX-License-Identifier: MIT
// Where the host finds its files when it runs from an installation rather than a build
// folder. `cmake --install` (and the Debian package) put wr-host in bin/, the plug-in and the
// project's shared libraries in a private library folder and the database scripts in the data
// folder; those folders are compiled in relative to bin/, so a copy installed under any
// prefix finds them without environment variables. A build folder keeps everything beside
// wr-host and has no installed data folder. UI thread or before the application exists.
#pragma once
#include <QString>

// <prefix>/lib/writereport (cleaned, absolute); it need not exist.
QString InstalledPluginFolder();
// <prefix>/share/writereport/db/sqlite (cleaned, absolute); it need not exist.
QString InstalledDbScriptsFolder();
// <prefix>/share/writereport/checks: the check rules and critical-value items; it need not exist.
QString InstalledChecksFolder();
// <prefix>/share/icons/hicolor/256x256/apps/writereport.png: the window icon when the icon
// theme does not know the program (an installation outside the system's data folders).
QString InstalledIconFile();
// True when the installed database scripts stand where an installation puts them relative
// to the running executable.
bool RunsFromInstallation();
// An installed program folder (/usr/bin) is shared by every user and not writable, yet the
// editor keeps per-user files in its program folder (hip-joint defaults, template model
// files). For an installed copy without WRITEREPORT_PROGRAM_DIR the program folder becomes
// `userFolder` (created here): the variable is set for this process. Returns the folder
// chosen, or empty when nothing changed. Call before the plug-in is loaded.
QString UseUserProgramFolderWhenInstalled(const QString& userFolder);
