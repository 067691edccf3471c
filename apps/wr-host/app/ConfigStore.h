// SPDX-License-Identifier: MIT
// The host's configuration store behind IMainFrom's GetConfig_* / SetConfig_*: one INI file
// per workstation user, read and written with TIniFile (so values with commas, quotes or
// Chinese text read back exactly, and files written by Windows programs read too).
//
// A section path is the INI section name with leading and trailing '/' removed, so
// "/Configuration/TReportForm" and "Configuration/TReportForm" are one section, as they are
// one path in a registry-style store. An absent key reads as the empty text, 0 or false.
// Reads never throw; a write that fails is reported to the caller's log function and
// leaves the file as it was. UI thread only.
#pragma once
#include <QString>
#include <QStringList>
#include <functional>

class TConfigStore {
public:
    using TLogFn = std::function<void(const QString& title, const QString& message)>;

    explicit TConfigStore(QString fileName, TLogFn log = {});

    const QString& FileName() const { return m_fileName; }
    // The file name used when none is given: <config folder>/<operating-system user>.ini.
    static QString DefaultFileName();
    static QString NormalizeSection(const QString& sectionPath);

    QString ReadString(const QString& section, const QString& key) const;
    int ReadInteger(const QString& section, const QString& key) const;
    bool ReadBool(const QString& section, const QString& key) const;
    bool HasKey(const QString& section, const QString& key) const;
    // "key=value" for every key of the section, in file order.
    QStringList SectionValues(const QString& section) const;

    // While a reason is set (the screen is locked), every write is refused with a log line
    // naming it and leaves the file as it was; an empty reason allows writes again.
    void RefuseWrites(const QString& reason) { m_refusal = reason; }
    const QString& WritesRefused() const { return m_refusal; }

    // False (and a log line) when the file cannot be written or writes are refused.
    bool WriteString(const QString& section, const QString& key, const QString& value);
    bool WriteInteger(const QString& section, const QString& key, int value);
    bool WriteBool(const QString& section, const QString& key, bool value);

private:
    QString m_fileName;
    TLogFn m_log;
    QString m_refusal;
};
