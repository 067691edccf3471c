// SPDX-License-Identifier: MIT
// wr-host: runs the WriteReport report editor plug-in. See README.md, "Running the editor".
#include "HostApp.h"
#include <QApplication>
#include <cstring>
#include <vector>

int main(int argc, char* argv[])
{
    // QApplication takes "-plugin X" / "--plugin X" for itself (a generic input plug-in) and
    // removes it, so the host's own --plugin would never arrive: keep it away from Qt.
    QStringList arguments;
    std::vector<char*> forQt;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
        const bool plugin = std::strcmp(argv[i], "--plugin") == 0 || std::strcmp(argv[i], "-plugin") == 0;
        if (i > 0 && plugin) {
            if (i + 1 < argc) arguments << QString::fromLocal8Bit(argv[++i]);
            continue;
        }
        if (i > 0 && (std::strncmp(argv[i], "--plugin=", 9) == 0 || std::strncmp(argv[i], "-plugin=", 8) == 0)) continue;
        forQt.push_back(argv[i]);
    }
    int qtArgc = static_cast<int>(forQt.size());
    forQt.push_back(nullptr);
    QApplication app(qtArgc, forQt.data());
    QApplication::setApplicationName(QStringLiteral("WriteReport"));
    QApplication::setApplicationDisplayName(QStringLiteral("WriteReport"));
    // Qt removed the options it handles (-platform, -style, ...); the host's own stay.
    QStringList remaining = QApplication::arguments();
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a == QLatin1String("--plugin") || a == QLatin1String("-plugin")) {
            remaining << QStringLiteral("--plugin");
            if (i + 1 < arguments.size()) remaining << arguments.at(++i);
        } else if (a.startsWith(QLatin1String("--plugin=")) || a.startsWith(QLatin1String("-plugin="))) {
            remaining << QStringLiteral("--plugin=") + a.section(QLatin1Char('='), 1);
        }
    }
    return RunHost(remaining);
}
