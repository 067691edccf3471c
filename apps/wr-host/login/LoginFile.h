// SPDX-License-Identifier: MIT
// The log-in file of headless runs (`wr-host --login-file FILE` with --script, --screenshot
// or --pdf): UTF-8 lines `user=CODE` and `password=TEXT`; blank lines and lines starting
// with '#' are ignored. The password is everything after the first '=' of its line, blanks
// included. The file must be readable by its owner only: a file that the group or others
// may read or write is refused, since the password in it would be everyone's.
//
// Messages name the file, its mode and the line, never a password. Any thread.
#pragma once
#include <QString>

struct TLoginFile {
    QString userCode;
    QString password;
};

// False with the reason when the file cannot be read, is open to others, or lacks a user
// or a password.
bool ReadLoginFile(const QString& path, TLoginFile* out, QString* error);
