// SPDX-License-Identifier: MIT
#include "LegacyText.h"
#include "Exception.h"
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// Decodes in place: an ICU-backed decoder that has been moved stops reporting errors.
void DecodeWith(QStringDecoder& decoder, QByteArrayView bytes, TDecodedText& out)
{
    out.text = decoder.decode(bytes);
    out.lossy = decoder.hasError();
}

// True when the bytes hold at least one non-ASCII byte and every one of them pairs up into a
// GB2312 character (lead A1-F7, trail A1-FE).
bool PairsUpAsGb2312(QByteArrayView bytes)
{
    bool any = false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) continue;
        if (lead < 0xA1 || lead > 0xF7 || i + 1 >= bytes.size()) return false;
        const auto trail = static_cast<unsigned char>(bytes[++i]);
        if (trail < 0xA1 || trail > 0xFE) return false;
        any = true;
    }
    return any;
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
    if (!out.lossy && !PairsUpAsGb2312(bytes)) return out;
    // GB18030 decodes every GBK byte sequence the same way; without ICU the system code page
    // (GBK on Chinese Windows) is the best guess.
    out.legacy = true;
    QStringDecoder gbk("GB18030");
    if (gbk.isValid()) {
        DecodeWith(gbk, bytes, out);
    } else {
        QStringDecoder system(QStringConverter::System);
        DecodeWith(system, bytes, out);
    }
    return out;
}

bool EncodeLegacyText(const QString& text, QByteArray* bytes)
{
    QStringEncoder gbk("GB18030");
    if (!gbk.isValid()) return false;
    *bytes = gbk.encode(text);
    return !gbk.hasError();
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
