// SPDX-License-Identifier: MIT
// Files that hold a secret (a log-in file, a database password file) are read only when no
// one but their owner can use them: a file its group or others may read or change, that
// belongs to another user, or that is not a regular file is refused with a message naming
// the file, its mode and the fix. The checks look at the file actually opened, so a file
// swapped after a check cannot slip by. The messages never hold the file's content.
#pragma once
#include "platform/PlatformExport.h"
#include <QByteArray>
#include <QString>

// kind names the file in messages, e.g. "login file"; a file over maxBytes is refused as not
// being one. The bytes read are whole: the caller wipes them after use.
WR_PLATFORM_EXPORT bool ReadOwnerOnlyFile(const QString& path, const QString& kind, qint64 maxBytes, QByteArray* bytes,
                                          QString* error);

// The first line of a secret file's bytes, without its line break (LF or CR LF); the bytes
// are wiped.
WR_PLATFORM_EXPORT QString FirstLineOfSecret(QByteArray& bytes);
