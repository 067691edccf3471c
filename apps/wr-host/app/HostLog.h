// SPDX-License-Identifier: MIT
// The host's log: one line per entry, "yyyy-MM-dd HH:mm:ss.zzz [title] message", appended
// to a file (rotated once it passes a size limit) and, when verbose, echoed to stderr.
// UI thread only. A log that cannot be written never fails its caller.
#pragma once
#include <QFile>
#include <QString>
#include <functional>

class THostLog {
public:
    // Bytes after which the file is renamed to <file>.1 and a new one started.
    static constexpr qint64 kRotateBytes = 8 * 1024 * 1024;
    static constexpr qsizetype kLogTitleChars = 120;

    // Opens (creating folders) the file to append to. False with a message when it cannot be
    // opened; entries then go to stderr only.
    bool Open(const QString& fileName, QString* error = nullptr);
    void SetVerbose(bool verbose) { m_verbose = verbose; }
    QString FileName() const { return m_fileName; }

    void Write(const QString& title, const QString& message);

    // Called after each entry is written (the host watches for error lines during a call).
    std::function<void(const QString& title, const QString& message)> onEntry;

    // The line written for an entry at the given time; continuation lines are indented so
    // that every entry starts with a time stamp. Title and message are made log-safe
    // (platform/LogText.h): control characters escaped, the message cut at kLogEntryChars
    // characters and the title at kLogTitleChars, each with its length said.
    static QString FormatLine(const QDateTime& when, const QString& title, const QString& message);

private:
    void RotateIfLarge();

    QFile m_file;
    QString m_fileName;
    bool m_verbose = false;
};
