// SPDX-License-Identifier: MIT
// Runs the built wr-host as a separate process in a sandbox of its own: fresh configuration,
// data and program folders in a temporary directory, so every test starts like a first run.
#pragma once
#include <QJsonObject>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

struct THostRun {
    bool finished = false;   // ended on its own within the time limit
    bool crashed = false;    // ended by a signal
    int exitCode = -1;
    QString out, err;

    // For failure messages.
    QString Describe() const;
};

class THostSandbox {
public:
    THostSandbox();

    bool IsValid() const { return m_dir.isValid(); }
    QString Path(const QString& relative) const { return m_dir.filePath(relative); }
    // The demo database the host builds on first run.
    QString DemoDatabase() const;
    // The program folder the host sees (WRITEREPORT_PROGRAM_DIR).
    QString ProgramDir() const { return Path(QStringLiteral("program")); }
    QString ConfigFile() const;
    // The environment and working folder runs get, for tests that start wr-host themselves.
    const QProcessEnvironment& Environment() const { return m_env; }
    QString WorkingDirectory() const { return m_dir.path(); }

    QString WriteFile(const QString& relative, const QByteArray& content) const;
    // A log-in file for --login-file (user=CODE, password=TEXT), readable by its owner only.
    QString WriteLoginFile(const QString& relative, const QString& userCode, const QString& password) const;
    // `--login-file FILE` for a demo user (demo password), the file written on first use.
    QStringList LoginAs(const QString& userCode) const;
    // Sets one variable of the host's environment; an empty value removes it.
    void SetEnv(const QString& name, const QString& value);
    // Runs wr-host with the arguments (the real plug-in unless --plugin is among them).
    THostRun Run(const QStringList& args, int timeoutMs = 120000) const;
    // Writes the script and runs it.
    THostRun RunScript(const QString& script, const QStringList& extraArgs = {}) const;

private:
    QTemporaryDir m_dir;
    QProcessEnvironment m_env;
};

// The "controls" object of a dump file.
QJsonObject ReadDumpControls(const QString& file, QString* report = nullptr);
