// SPDX-License-Identifier: MIT
// Text files from Windows workstations: UTF-8 or UTF-16 with a byte-order mark, UTF-8
// without one, or else the ANSI code page of Chinese Windows (GBK). Pure, any thread.
#pragma once
#include "PlatformExport.h"
#include <QByteArray>
#include <QString>

struct TDecodedText {
    QString text;
    bool hadBom = false;
    // Some bytes fit none of the encodings and became U+FFFD: writing the text back would
    // not give the original bytes.
    bool lossy = false;
};

WR_PLATFORM_EXPORT TDecodedText DecodeWindowsText(const QByteArray& bytes);

// The whole content of a file; EFileError with the system's reason when it cannot be read.
WR_PLATFORM_EXPORT QByteArray ReadFileBytes(const QString& fileName);
