// SPDX-License-Identifier: MIT
#include "LegacyText.h"
#include "Exception.h"
#include <QFile>
#include <QStringDecoder>

namespace {

// Decodes in place: an ICU-backed decoder that has been moved stops reporting errors.
void DecodeWith(QStringDecoder& decoder, QByteArrayView bytes, TDecodedText& out)
{
    out.text = decoder.decode(bytes);
    out.lossy = decoder.hasError();
}

}  // namespace

TDecodedText DecodeWindowsText(const QByteArray& bytes)
{
    TDecodedText out;
    struct TBom {
        const char* mark;
        QStringConverter::Encoding encoding;
    };
    for (const TBom& bom : {TBom{"\xEF\xBB\xBF", QStringConverter::Utf8}, TBom{"\xFF\xFE", QStringConverter::Utf16LE},
                            TBom{"\xFE\xFF", QStringConverter::Utf16BE}}) {
        if (!bytes.startsWith(bom.mark)) continue;
        out.hadBom = true;
        QStringDecoder decoder(bom.encoding);
        DecodeWith(decoder, QByteArrayView(bytes).sliced(qstrlen(bom.mark)), out);
        return out;
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    DecodeWith(utf8, bytes, out);
    if (!out.lossy) return out;
    // GB18030 decodes every GBK byte sequence the same way; without ICU the system code page
    // (GBK on Chinese Windows) is the best guess.
    QStringDecoder gbk("GB18030");
    if (gbk.isValid()) {
        DecodeWith(gbk, bytes, out);
    } else {
        QStringDecoder system(QStringConverter::System);
        DecodeWith(system, bytes, out);
    }
    return out;
}

QByteArray ReadFileBytes(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFileError(QStringLiteral("无法读取文件 %1：%2").arg(fileName, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EFileError(QStringLiteral("无法读取文件 %1：%2").arg(fileName, file.errorString()));
    return bytes;
}
