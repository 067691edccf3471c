// SPDX-License-Identifier: MIT
// Where wr-admin takes a new password from: never the command line. Piped standard input
// gives one line (scripts, tests); a terminal is asked twice without echo.
#pragma once
#include <QString>
#include <optional>

// The password, or nothing with *error set (input ended, the two entries differ, no input).
// prompt names whose password is asked, e.g. "D003".
std::optional<QString> ReadNewPassword(const QString& prompt, QString* error);

// The next line of standard input (UTF-8, without its line end); nothing at the end of input.
std::optional<QString> ReadInputLine();
