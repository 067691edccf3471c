// SPDX-License-Identifier: MIT
#include "PasswordInput.h"
#include <cstdio>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

// One line without its line end; false at the end of the input before any character.
bool ReadLine(FILE* in, std::string& line)
{
    line.clear();
    int c;
    bool any = false;
    while ((c = std::fgetc(in)) != EOF) {
        any = true;
        if (c == '\n') break;
        line.push_back(static_cast<char>(c));
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return any;
}

void Wipe(std::string& s)
{
    volatile char* p = s.data();
    for (size_t i = 0; i < s.size(); ++i) p[i] = 0;
    s.clear();
}

// Reads a line from the terminal with echo off; the terminal's state is restored even when
// the input ends.
bool ReadHidden(const char* prompt, std::string& line)
{
    termios old{};
    const bool haveTerm = tcgetattr(STDIN_FILENO, &old) == 0;
    if (haveTerm) {
        termios quiet = old;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        quiet.c_lflag |= ECHONL;
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    // Asked only once echo is off, so nothing typed after the question shows.
    std::fputs(prompt, stderr);
    std::fflush(stderr);
    const bool ok = ReadLine(stdin, line);
    if (haveTerm) tcsetattr(STDIN_FILENO, TCSAFLUSH, &old);
    return ok;
}

} // namespace

std::optional<QString> ReadInputLine()
{
    std::string line;
    if (!ReadLine(stdin, line)) return std::nullopt;
    return QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
}

std::optional<QString> ReadNewPassword(const QString& prompt, QString* error)
{
    std::string first;
    if (!isatty(STDIN_FILENO)) {
        if (!ReadLine(stdin, first)) {
            *error = QStringLiteral("no password on standard input");
            return std::nullopt;
        }
        QString p = QString::fromUtf8(first.data(), static_cast<qsizetype>(first.size()));
        Wipe(first);
        return p;
    }
    const QByteArray ask = QStringLiteral("New password for %1: ").arg(prompt).toUtf8();
    std::string second;
    if (!ReadHidden(ask.constData(), first) || !ReadHidden("Repeat the password: ", second)) {
        Wipe(first);
        Wipe(second);
        *error = QStringLiteral("no password entered");
        return std::nullopt;
    }
    const bool same = first == second;
    QString p = QString::fromUtf8(first.data(), static_cast<qsizetype>(first.size()));
    Wipe(first);
    Wipe(second);
    if (!same) {
        *error = QStringLiteral("the two passwords differ");
        return std::nullopt;
    }
    return p;
}
