// SPDX-License-Identifier: MIT
// Text files from Windows workstations: UTF-8 or UTF-16 with a byte-order mark, UTF-8
// without one, or else the ANSI code page of Chinese Windows (GBK). Pure, any thread.
//
// Without a byte-order mark some bytes are valid in both encodings: 平直 in GBK (C6 BD D6 B1)
// is also the UTF-8 of "ƽֱ". Such text is read as GBK when every double-byte character it
// makes lies in the GB2312 set (the characters a legacy Chinese Windows text is written in);
// UTF-8 Chinese almost never pairs up that way. Files this program writes in UTF-8 carry a
// byte-order mark, so they are never ambiguous.
#pragma once
#include "PlatformExport.h"
#include <QByteArray>
#include <QString>

struct TDecodedText {
    QString text;
    bool hadBom = false;
    // Read as the legacy code page (GBK); a writer keeps the file in it.
    bool legacy = false;
    // Some bytes fit none of the encodings and became U+FFFD: writing the text back would
    // not give the original bytes.
    bool lossy = false;
};

WR_PLATFORM_EXPORT TDecodedText DecodeWindowsText(const QByteArray& bytes);

// The whole content of a file; EFileError with the system's reason when it cannot be read.
WR_PLATFORM_EXPORT QByteArray ReadFileBytes(const QString& fileName);

// The text in the legacy code page (GB18030, whose two-byte part is GBK). False when some
// character cannot be encoded.
WR_PLATFORM_EXPORT bool EncodeLegacyText(const QString& text, QByteArray* bytes);
