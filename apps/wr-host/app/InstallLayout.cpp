// SPDX-License-Identifier: MIT
#include "app/InstallLayout.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

// Set by cmake/WriteReportInstall.cmake from the install layout; these defaults are that
// layout's own, for a build that does not pass them.
#ifndef WR_INSTALL_BIN_TO_PLUGIN
#define WR_INSTALL_BIN_TO_PLUGIN "../lib/writereport"
#endif
#ifndef WR_INSTALL_BIN_TO_DATA
#define WR_INSTALL_BIN_TO_DATA "../share/writereport"
#endif

namespace {
QString FromExecutable(const char* relative)
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(relative));
}
} // namespace

QString InstalledPluginFolder() { return FromExecutable(WR_INSTALL_BIN_TO_PLUGIN); }

QString InstalledDbScriptsFolder() { return FromExecutable(WR_INSTALL_BIN_TO_DATA "/db/sqlite"); }

QString InstalledChecksFolder() { return FromExecutable(WR_INSTALL_BIN_TO_DATA "/checks"); }

QString InstalledIconFile()
{
    return FromExecutable(WR_INSTALL_BIN_TO_DATA "/../icons/hicolor/256x256/apps/writereport.png");
}

bool RunsFromInstallation()
{
    return QFileInfo::exists(InstalledDbScriptsFolder() + QLatin1String("/schema.sql"));
}

QString UseUserProgramFolderWhenInstalled(const QString& userFolder)
{
    if (qEnvironmentVariableIsSet("WRITEREPORT_PROGRAM_DIR") || !RunsFromInstallation()) return {};
    if (userFolder.isEmpty() || !QDir().mkpath(userFolder)) return {};
    const QString folder = QDir::cleanPath(userFolder) + QLatin1Char('/');
    qputenv("WRITEREPORT_PROGRAM_DIR", QFile::encodeName(QDir::toNativeSeparators(folder)));
    return folder;
}
