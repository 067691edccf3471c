// SPDX-License-Identifier: MIT
// wr-host: runs the WriteReport report editor plug-in. See README.md, "Running the editor".
#include "HostApp.h"
#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("WriteReport"));
    QApplication::setApplicationDisplayName(QStringLiteral("WriteReport"));
    return RunHost(QApplication::arguments());
}
