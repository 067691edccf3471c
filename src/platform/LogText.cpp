// SPDX-License-Identifier: MIT
#include "LogText.h"

namespace {

bool Escaped(char32_t c, TLogLineBreaks breaks)
{
    if (c == U'\t') return false;
    if (c == U'\n' || c == U'\r') return breaks == TLogLineBreaks::Escape;
    return c < 0x20 || (c >= 0x7f && c < 0xa0)       // C0, DEL, C1
        || c == 0x2028 || c == 0x2029                // line and paragraph separators
        || (c >= 0x202a && c <= 0x202e)              // bidirectional embeddings, overrides
        || (c >= 0x2066 && c <= 0x2069)              // bidirectional isolates
        || (c >= 0xd800 && c <= 0xdfff)              // a surrogate without its pair
        || (c >= 0xfdd0 && c <= 0xfdef) || (c & 0xfffe) == 0xfffe;  // noncharacters
}

void AppendEscape(QString& out, char32_t c)
{
    static const char hex[] = "0123456789ABCDEF";
    const int digits = c < 0x100 ? 2 : c < 0x10000 ? 4 : 6;
    out += c < 0x100 ? QLatin1String("\\x") : QLatin1String("\\u");
    for (int i = digits - 1; i >= 0; --i) out += QLatin1Char(hex[(c >> (4 * i)) & 0xf]);
}

QString CutNote(qsizetype length) { return QStringLiteral("…[%1 chars]").arg(length); }

// The length of the valid UTF-8 sequence at p (1 to 4), or 0 when it is none.
int Utf8Sequence(const uchar* p, qsizetype left, char32_t* c)
{
    const uchar b = p[0];
    int n = 0;
    char32_t v = 0, min = 0;
    if (b < 0x80) {
        *c = b;
        return 1;
    }
    if ((b & 0xe0) == 0xc0) n = 2, v = b & 0x1f, min = 0x80;
    else if ((b & 0xf0) == 0xe0) n = 3, v = b & 0x0f, min = 0x800;
    else if ((b & 0xf8) == 0xf0) n = 4, v = b & 0x07, min = 0x10000;
    else return 0;
    if (left < n) return 0;
    for (int i = 1; i < n; ++i) {
        if ((p[i] & 0xc0) != 0x80) return 0;
        v = (v << 6) | (p[i] & 0x3f);
    }
    // Overlong forms, encoded surrogates and values past U+10FFFF are no UTF-8.
    if (v < min || v > 0x10ffff || (v >= 0xd800 && v <= 0xdfff)) return 0;
    *c = v;
    return n;
}

} // namespace

QString LogSafeText(QStringView text, qsizetype maxChars, TLogLineBreaks breaks)
{
    qsizetype end = text.size();
    if (end > maxChars) {
        end = std::max<qsizetype>(0, maxChars);
        if (end > 0 && text[end - 1].isHighSurrogate()) --end;
    }
    QString out;
    out.reserve(end + 16);
    for (qsizetype i = 0; i < end; ++i) {
        char32_t c = text[i].unicode();
        const bool pair = text[i].isHighSurrogate() && i + 1 < end && text[i + 1].isLowSurrogate();
        if (pair) c = QChar::surrogateToUcs4(text[i], text[i + 1]);
        if (Escaped(c, breaks)) AppendEscape(out, c);
        else out.append(text.mid(i, pair ? 2 : 1));
        if (pair) ++i;
    }
    if (end < text.size()) out += CutNote(text.size());
    return out;
}

QString LogSafeText(QByteArrayView utf8, qsizetype maxChars, TLogLineBreaks breaks)
{
    // Characters are counted as they are decoded, so a long value is never decoded whole.
    QString out;
    const auto* p = reinterpret_cast<const uchar*>(utf8.data());
    const qsizetype size = utf8.size();
    qsizetype i = 0, chars = 0;
    for (; i < size && chars < maxChars; ++chars) {
        char32_t c = 0;
        const int n = Utf8Sequence(p + i, size - i, &c);
        if (n == 0) {
            AppendEscape(out, p[i]);
            ++i;
            continue;
        }
        if (Escaped(c, breaks)) AppendEscape(out, c);
        else out += QString::fromUcs4(&c, 1);
        i += n;
    }
    if (i < size) {
        // The length said is in characters, like the text's: count the rest without keeping it.
        for (char32_t c = 0; i < size; ++chars) i += std::max(1, Utf8Sequence(p + i, size - i, &c));
        out += CutNote(chars);
    }
    return out;
}
