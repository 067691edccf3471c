// SPDX-License-Identifier: MIT
#include "app/InputMethodCheck.h"
#include "app/ConfigStore.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <unistd.h>

namespace {
const QString kHostSection = QStringLiteral("Host");
const QString kNoticeKey = QStringLiteral("InputMethodNotice");

// Plug-in file of each input context (the Qt 6 frontend packages install these).
QString PluginFile(const QString& daemon)
{
    return daemon == QLatin1String("fcitx5") ? QStringLiteral("libfcitx5platforminputcontextplugin.so")
                                             : QStringLiteral("libibusplatforminputcontextplugin.so");
}

bool PluginInstalled(const TInputMethodEnvironment& env, const QString& daemon)
{
    for (const QString& folder : env.pluginFolders)
        if (QFileInfo::exists(folder + QLatin1String("/platforminputcontexts/") + PluginFile(daemon))) return true;
    return false;
}

// The input-context name QT_IM_MODULE gives for each daemon.
bool ModuleMatches(const QString& module, const QString& daemon)
{
    const QString m = module.trimmed().toLower();
    if (daemon == QLatin1String("fcitx5")) return m == QLatin1String("fcitx") || m == QLatin1String("fcitx5");
    return m == QLatin1String("ibus");
}

QString Daemon(const TInputMethodEnvironment& env)
{
    for (const QString& p : env.processes) {
        if (p == QLatin1String("fcitx5") || p == QLatin1String("fcitx")) return QStringLiteral("fcitx5");
        if (p == QLatin1String("ibus-daemon")) return QStringLiteral("ibus");
    }
    // Started by the session but not visible to us (another namespace): its variables say it.
    const QString hints = env.variables.value(QStringLiteral("XMODIFIERS")) + QLatin1Char(' ')
        + env.variables.value(QStringLiteral("GTK_IM_MODULE")) + QLatin1Char(' ')
        + env.variables.value(QStringLiteral("QT_IM_MODULE"));
    if (hints.contains(QLatin1String("fcitx"), Qt::CaseInsensitive)) return QStringLiteral("fcitx5");
    if (hints.contains(QLatin1String("ibus"), Qt::CaseInsensitive)) return QStringLiteral("ibus");
    return {};
}
} // namespace

TInputMethodEnvironment TInputMethodEnvironment::Current()
{
    TInputMethodEnvironment env;
    const uint uid = ::getuid();
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& pid : pids) {
        bool numeric = false;
        pid.toInt(&numeric);
        if (!numeric || QFileInfo(QStringLiteral("/proc/") + pid).ownerId() != uid) continue;
        QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
        if (comm.open(QIODevice::ReadOnly)) env.processes.append(QString::fromLocal8Bit(comm.readAll()).trimmed());
    }
    const QProcessEnvironment sys = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_IM_MODULE", "XMODIFIERS", "GTK_IM_MODULE"}) {
        const QString key = QLatin1String(name);
        if (sys.contains(key)) env.variables.insert(key, sys.value(key));
    }
    env.pluginFolders = QCoreApplication::libraryPaths();
    return env;
}

TInputMethodProblem CheckInputMethod(const TInputMethodEnvironment& env)
{
    TInputMethodProblem r;
    r.daemon = Daemon(env);
    const QString module = env.variables.value(QStringLiteral("QT_IM_MODULE"));
    if (r.daemon.isEmpty()) {
        r.logLine = QStringLiteral("input method: no fcitx5 or ibus running (QT_IM_MODULE=%1)").arg(module);
        return r;
    }
    const bool fcitx = r.daemon == QLatin1String("fcitx5");
    const QString setup = fcitx ? QStringLiteral("运行 im-config -n fcitx5（或设置 QT_IM_MODULE=fcitx 和 XMODIFIERS=@im=fcitx）")
                                : QStringLiteral("运行 im-config -n ibus（或设置 QT_IM_MODULE=ibus 和 XMODIFIERS=@im=ibus）");
    if (!PluginInstalled(env, r.daemon)) {
        r.logLine = QStringLiteral("input method: %1 runs but Qt has no %2 under platforminputcontexts/ of %3")
                        .arg(r.daemon, PluginFile(r.daemon), env.pluginFolders.join(QLatin1Char(':')));
        r.message = fcitx ? QStringLiteral("检测到 fcitx5 输入法正在运行，但缺少它的 Qt 6 支持，报告中无法输入中文（拼音会成为英文字母）。"
                                           "请安装软件包 fcitx5-frontend-qt6（sudo apt install fcitx5-frontend-qt6），然后重新登录。")
                          : QStringLiteral("检测到 ibus 输入法正在运行，但缺少它的 Qt 6 支持，报告中无法输入中文（拼音会成为英文字母）。"
                                           "请安装软件包 libqt6gui6 和 ibus（sudo apt install ibus ibus-libpinyin），然后重新登录。");
        return r;
    }
    if (module.isEmpty()) {
        r.logLine = QStringLiteral("input method: %1 runs but QT_IM_MODULE is not set").arg(r.daemon);
        r.message = QStringLiteral("检测到 %1 输入法正在运行，但没有设置环境变量 QT_IM_MODULE，本程序收不到输入法，无法输入中文。"
                                   "请%2，然后重新登录。").arg(r.daemon, setup);
        return r;
    }
    if (!ModuleMatches(module, r.daemon)) {
        r.logLine = QStringLiteral("input method: %1 runs but QT_IM_MODULE=%2").arg(r.daemon, module);
        r.message = QStringLiteral("检测到 %1 输入法正在运行，但环境变量 QT_IM_MODULE 是“%2”，本程序收不到输入法，无法输入中文。"
                                   "请%3，然后重新登录。").arg(r.daemon, module, setup);
        return r;
    }
    r.logLine = QStringLiteral("input method: %1 with QT_IM_MODULE=%2").arg(r.daemon, module);
    return r;
}

bool ReportInputMethodProblem(const TInputMethodEnvironment& env, TConfigStore& config,
                              const std::function<void(const QString&)>& log,
                              const std::function<bool(const QString&)>& tell)
{
    const TInputMethodProblem p = CheckInputMethod(env);
    if (log) log(p.logLine);
    if (p.message.isEmpty()) {
        // Fixed: a later problem is told again.
        if (!config.ReadString(kHostSection, kNoticeKey).isEmpty()) config.WriteString(kHostSection, kNoticeKey, QString());
        return false;
    }
    if (config.ReadString(kHostSection, kNoticeKey) == p.message || !tell) return false;
    if (tell(p.message)) config.WriteString(kHostSection, kNoticeKey, p.message);
    return true;
}
