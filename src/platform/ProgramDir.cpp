// SPDX-License-Identifier: MIT
#include "ProgramDir.h"
#include <QCoreApplication>
#include <QDir>

QString ProgramDir()
{
    QString dir = qEnvironmentVariable("WRITEREPORT_PROGRAM_DIR");
    if (dir.isEmpty()) dir = QCoreApplication::applicationDirPath();
    if (dir.isEmpty()) dir = QDir::currentPath();
    dir = QDir::fromNativeSeparators(dir);
    if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
    return dir;
}
