// SPDX-License-Identifier: MIT
#include "HostProcess.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>

QString THostRun::Describe() const
{
    return QStringLiteral("finished=%1 crashed=%2 exit=%3\n--- stdout\n%4\n--- stderr\n%5")
        .arg(finished).arg(crashed).arg(exitCode).arg(out.right(4000), err.right(4000));
}

THostSandbox::THostSandbox() : m_env(QProcessEnvironment::systemEnvironment())
{
    m_env.insert(QStringLiteral("XDG_CONFIG_HOME"), Path(QStringLiteral("config")));
    m_env.insert(QStringLiteral("XDG_DATA_HOME"), Path(QStringLiteral("data")));
    m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), Path(QStringLiteral("runtime")));
    m_env.insert(QStringLiteral("WRITEREPORT_PROGRAM_DIR"), ProgramDir());
    m_env.insert(QStringLiteral("USER"), QStringLiteral("doctor"));
    m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    m_env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    m_env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    QDir().mkpath(ProgramDir());
    QDir().mkpath(Path(QStringLiteral("runtime")));
    QFile::setPermissions(Path(QStringLiteral("runtime")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString THostSandbox::DemoDatabase() const { return Path(QStringLiteral("data/WriteReport/demo.sqlite")); }

QString THostSandbox::ConfigFile() const { return Path(QStringLiteral("config/WriteReport/doctor.ini")); }

QString THostSandbox::WriteFile(const QString& relative, const QByteArray& content) const
{
    const QString file = Path(relative);
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    if (f.open(QIODevice::WriteOnly)) f.write(content);
    return file;
}

QString THostSandbox::WriteLoginFile(const QString& relative, const QString& userCode, const QString& password) const
{
    const QString file = WriteFile(relative, QStringLiteral("user=%1\npassword=%2\n").arg(userCode, password).toUtf8());
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    return file;
}

QStringList THostSandbox::LoginAs(const QString& userCode) const
{
    const QString file = Path(QStringLiteral("login-%1.txt").arg(userCode));
    if (!QFileInfo::exists(file)) WriteLoginFile(QFileInfo(file).fileName(), userCode, QStringLiteral("demo1234"));
    return {QStringLiteral("--login-file"), file};
}

void THostSandbox::SetEnv(const QString& name, const QString& value)
{
    if (value.isEmpty()) m_env.remove(name);
    else m_env.insert(name, value);
}

THostRun THostSandbox::Run(const QStringList& args, int timeoutMs) const
{
    QProcess p;
    p.setProcessEnvironment(m_env);
    p.setWorkingDirectory(m_dir.path());
    p.start(QStringLiteral(WR_HOST_BINARY), args);
    THostRun r;
    if (!p.waitForStarted()) {
        r.err = p.errorString();
        return r;
    }
    r.finished = p.waitForFinished(timeoutMs);
    if (!r.finished) {
        p.kill();
        p.waitForFinished();
    }
    r.crashed = p.exitStatus() == QProcess::CrashExit;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

THostRun THostSandbox::RunScript(const QString& script, const QStringList& extraArgs) const
{
    static int n = 0;
    const QString file = WriteFile(QStringLiteral("script%1.txt").arg(++n), script.toUtf8());
    return Run(QStringList{QStringLiteral("--script"), file} + extraArgs);
}

QJsonObject ReadDumpControls(const QString& file, QString* report)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QJsonObject root = QJsonDocument::fromJson(f.readAll()).object();
    if (report) *report = root.value(QStringLiteral("report")).toString();
    return root.value(QStringLiteral("controls")).toObject();
}
