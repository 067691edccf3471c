// SPDX-License-Identifier: MIT
// The host's script language: one command per line, '#' starts a comment line. A script is
// parsed whole before anything runs, so a typo on the last line fails before the first
// command changes a report. Texts at the end of a line may be quoted ("  two spaces  ")
// and take the escapes \n, \t, \" and \\.
#pragma once
#include <QList>
#include <QString>
#include <QStringList>

struct TScriptCommand {
    int line = 0;          // 1-based line in the script file
    QString name;          // "open", "set", ...
    QStringList args;      // the words after the name
    QString text;          // the trailing text of commands that take one, unescaped
    bool hasText = false;
};

struct TScriptParseResult {
    QList<TScriptCommand> commands;
    QString error;         // "line N: ..." for the first bad line
};

TScriptParseResult ParseScript(const QString& source);
// The command names the parser accepts, for messages and the README.
QStringList ScriptCommandNames();
// Resolves \n, \t, \" and \\ and strips one pair of enclosing double quotes.
QString UnescapeScriptText(const QString& raw, QString* error);
