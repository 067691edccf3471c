// SPDX-License-Identifier: MIT
// wr-host: runs the WriteReport report editor plug-in. See README.md, "Running the editor".
//
// The command line is read before any Qt application exists: --help, --version and a bad
// option are answered without a display (a GUI application would abort without one).
#include "database/DbConnect.h"
#include "app/HostApp.h"
#include "app/HostOptions.h"
#include "app/InstallLayout.h"
#include "app/HostSafety.h"
#include "app/PluginLoader.h"
#include "platform/PrivateFiles.h"
#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <cstdio>
#include <vector>

namespace {
void Write(std::FILE* to, const QString& text)
{
    const QByteArray b = text.toUtf8();
    std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), to);
    std::fflush(to);
}
} // namespace

int main(int argc, char* argv[])
{
    // No core file or other process of the user gets the database password or a report.
    MakeProcessNonDumpable();
    IgnoreFileSizeLimitSignal();
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const TSplitArguments split = SplitQtArguments(arguments);
    const THostOptionsResult parsed = ParseHostOptions(split.forHost);
    if (parsed.helpShown) {
        Write(stdout, parsed.helpText);
        return ExitOk;
    }
    if (!parsed.error.isEmpty()) {
        Write(stderr, QStringLiteral("wr-host: %1 (see wr-host --help)\n").arg(parsed.error));
        return ExitUsage;
    }
    if (parsed.versionShown) {
        // A core application only, for the program's folder where the plug-in lies.
        QCoreApplication core(argc, argv);
        const QString plugin = parsed.options.plugin.isEmpty() ? TPluginLoader::DefaultPath() : parsed.options.plugin;
        Write(stdout, VersionText(plugin));
        return ExitOk;
    }

    if (parsed.options.storeDbPassword) {
        // No window: the keyring is reached over D-Bus from a core application.
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("WriteReport"));
        return StoreDbPasswordCommand(parsed.options.db);
    }

    // Qt gets its own options only (-platform, -style, ...), never the host's.
    std::vector<QByteArray> qtBytes;
    for (const QString& a : split.forQt) qtBytes.push_back(a.toLocal8Bit());
    std::vector<char*> forQt;
    for (QByteArray& b : qtBytes) forQt.push_back(b.data());
    int qtArgc = static_cast<int>(forQt.size());
    forQt.push_back(nullptr);
    QApplication app(qtArgc, forQt.data());
    QApplication::setApplicationName(QStringLiteral("WriteReport"));
    QApplication::setApplicationDisplayName(QStringLiteral("WriteReport"));
    // The menu entry's icon, and its name, which ties the window to the entry (Wayland).
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("writereport"), QIcon(InstalledIconFile())));
    QGuiApplication::setDesktopFileName(QStringLiteral("writereport"));
    InstallQtChineseTranslation(app);
    return RunHost(parsed.options, split.forHost);
}
