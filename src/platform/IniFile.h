// SPDX-License-Identifier: MIT
// INI files as Windows programs read and write them, so that files written on a
// workstation years ago and files written here are interchangeable.
//
// Reading follows the Windows profile functions: sections and keys match
// case-insensitively; a key's value is the text after the first '=' with blanks (space,
// tab) trimmed and, when it starts and ends with the same quote character (' or "), those
// two quotes removed; nothing else is interpreted (an unquoted "宽,强" is one value, a ';'
// inside a value is part of it). Lines whose first non-blank character is ';' are comments.
// The file may be UTF-8 (with or without BOM) or GBK (what Windows programs write on Chinese
// Windows), told apart as DecodeWindowsText does; CR LF and LF line ends are both read.
// A missing file reads as empty.
//
// Writing re-reads the file, changes the one line concerned and saves the whole file through
// a temporary file that replaces the old one only when complete, so every other section, key
// and comment survives and a failed write leaves the file as it was. A file read as GBK is
// written back in GBK (the workstation's programs go on reading it); any other file is
// written as UTF-8, with a byte-order mark once it holds more than ASCII, so it can never be
// mistaken for GBK. The line ends of an existing file are kept. Values that would not read
// back as written (leading or trailing blanks, enclosing quotes) are written in double quotes.
//
// Every operation opens the file afresh; the object holds only the name. Failures to read an
// existing file or to write throw EFileError carrying the operating system's message.
// UI thread or any single thread; no locking against other processes.
#pragma once
#include "PlatformExport.h"
#include <QString>
#include <QStringList>

class WR_PLATFORM_EXPORT TIniFile {
public:
    explicit TIniFile(const QString& fileName);

    const QString& FileName() const { return m_fileName; }

    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    // Decimal, or hexadecimal with a "0x" or "$" prefix; anything else gives the default.
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    // An integer value other than 0 is true; a value that is not an integer gives the default.
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;

    // Creates the file, section or key as needed. Throws EFileError when the value cannot be
    // represented (line breaks) or the file cannot be written; the file is then unchanged.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);

    bool SectionExists(const QString& section) const;
    // Section names in file order, each once (the spelling of its first occurrence).
    QStringList ReadSections() const;
    // The keys of a section in file order (empty when the section is absent).
    QStringList ReadSection(const QString& section) const;

    // Remove a whole section (header, keys and comments inside it) or one key. Removing
    // something that is not there leaves the file untouched.
    void EraseSection(const QString& section);
    void DeleteKey(const QString& section, const QString& key);

private:
    QString m_fileName;
};
