// SPDX-License-Identifier: MIT
#include "WorklistCharset.h"
#include <QList>
#include <QStringEncoder>

namespace wr::imaging {

std::optional<TWorklistCharset> WorklistCharsetFromTerm(const QString& term)
{
    const QString t = term.trimmed().toUpper();
    if (t.isEmpty() || t == QLatin1String("ISO_IR 6"))
        return TWorklistCharset::Ascii;
    if (t == QLatin1String("ISO_IR 100"))
        return TWorklistCharset::Latin1;
    if (t == QLatin1String("ISO_IR 192"))
        return TWorklistCharset::Utf8;
    if (t == QLatin1String("GB18030"))
        return TWorklistCharset::Gb18030;
    if (t == QLatin1String("GBK"))
        return TWorklistCharset::Gbk;
    return std::nullopt;
}

QString WorklistCharsetTerm(TWorklistCharset set)
{
    switch (set) {
    case TWorklistCharset::Ascii: return {};
    case TWorklistCharset::Latin1: return QStringLiteral("ISO_IR 100");
    case TWorklistCharset::Utf8: return QStringLiteral("ISO_IR 192");
    case TWorklistCharset::Gb18030: return QStringLiteral("GB18030");
    case TWorklistCharset::Gbk: return QStringLiteral("GBK");
    }
    return {};
}

namespace {

// The code of one character, or empty when the set has none. GBK is the one- and two-byte
// part of GB18030; its four-byte codes are outside GBK.
QByteArray Code(char32_t c, TWorklistCharset set)
{
    switch (set) {
    case TWorklistCharset::Ascii:
        return c < 0x80 ? QByteArray(1, static_cast<char>(c)) : QByteArray();
    case TWorklistCharset::Latin1:
        return c < 0x100 ? QByteArray(1, static_cast<char>(c)) : QByteArray();
    case TWorklistCharset::Utf8:
        return QString::fromUcs4(&c, 1).toUtf8();
    case TWorklistCharset::Gb18030:
    case TWorklistCharset::Gbk: {
        if (c < 0x80)
            return QByteArray(1, static_cast<char>(c));
        QStringEncoder enc("GB18030");
        QByteArray b = enc.encode(QString::fromUcs4(&c, 1));
        if (enc.hasError() || b.isEmpty() || (set == TWorklistCharset::Gbk && b.size() != 2))
            return {};
        return b;
    }
    }
    return {};
}

bool IsAscii(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

}  // namespace

bool CanEncode(const QString& text, TWorklistCharset set)
{
    int replaced = 0;
    EncodeText(text, set, &replaced);
    return replaced == 0;
}

QByteArray EncodeText(const QString& text, TWorklistCharset set, int* replaced)
{
    if (IsAscii(text))
        return text.toLatin1();
    if (set == TWorklistCharset::Utf8) {
        // Lone surrogates are the only thing UTF-8 cannot hold.
        const auto ucs = text.toUcs4();
        int bad = 0;
        QString clean;
        for (char32_t c : ucs) {
            if (c >= 0xD800 && c <= 0xDFFF) {
                ++bad;
                c = U'?';
            }
            clean += QString::fromUcs4(&c, 1);
        }
        if (replaced)
            *replaced += bad;
        return clean.toUtf8();
    }
    QByteArray out;
    const auto ucs = text.toUcs4();
    for (char32_t c : ucs) {
        const QByteArray b = Code(c, set);
        if (b.isEmpty()) {
            out += '?';
            if (replaced)
                ++*replaced;
        } else {
            out += b;
        }
    }
    return out;
}

}  // namespace wr::imaging
