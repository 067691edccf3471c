// SPDX-License-Identifier: MIT
#include "pickers/RtfText.h"
#include <QStringDecoder>
#include <QVector>
#include <cctype>

QByteArray RtfBytes(const QString& rtf)
{
    QByteArray out;
    out.reserve(rtf.size());
    for (const QChar ch : rtf) {
        const ushort u = ch.unicode();
        if (u < 128) {
            out += static_cast<char>(u);
        } else {
            // RTF's \u takes a signed 16-bit number; '?' is the fallback for old readers.
            out += "\\u" + QByteArray::number(static_cast<short>(u)) + '?';
        }
    }
    return out;
}

QString PlainTextToRtf(const QString& text)
{
    QString body;
    for (const QChar ch : text) {
        if (ch == QLatin1Char('\\') || ch == QLatin1Char('{') || ch == QLatin1Char('}')) body += QLatin1Char('\\') + ch;
        else if (ch == QLatin1Char('\n')) body += QLatin1String("\\par\n");
        else if (ch == QLatin1Char('\r')) continue;
        else body += ch;
    }
    // The font is 微软雅黑 spelled in GBK, as RichEdit writes it.
    return QStringLiteral("{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fcharset134 "
                          "\\'ce\\'a2\\'c8\\'ed\\'d1\\'c5\\'ba\\'da;}}\\f0 %1}").arg(body);
}

namespace {

struct TRtfState {
    bool skip = false;  // inside a destination whose text is not shown
    int uc = 1;         // characters to skip after \uN
};

bool IsSkippedDestination(const QByteArray& word)
{
    static const char* const kSkipped[] = {"fonttbl", "colortbl", "stylesheet", "info", "pict", "object",
                                           "header", "footer", "listtable", "listoverridetable", "themedata",
                                           "datastore", "latentstyles", "rsidtbl", "generator", "xmlnstbl"};
    for (const char* s : kSkipped)
        if (word == s) return true;
    return false;
}

} // namespace

QString RtfPlainText(const QByteArray& rtf)
{
    QString out;
    QByteArray pending;          // \'hh bytes waiting to be decoded together (double-byte code pages)
    QByteArray codec = "windows-1252";
    QVector<TRtfState> stack{TRtfState{}};
    int skipChars = 0;           // fallback characters still to drop after \uN

    auto flush = [&]() {
        if (pending.isEmpty()) return;
        QStringDecoder dec(codec.constData());
        out += dec.isValid() ? dec.decode(pending) : QString::fromLatin1(pending);
        pending.clear();
    };
    const int n = rtf.size();
    for (int i = 0; i < n; ++i) {
        const char c = rtf.at(i);
        TRtfState& st = stack.last();
        if (c == '{') {
            flush();
            stack.append(st);
            continue;
        }
        if (c == '}') {
            flush();
            if (stack.size() > 1) stack.removeLast();
            continue;
        }
        if (c == '\r' || c == '\n') continue;
        if (c != '\\') {
            if (skipChars > 0) { --skipChars; continue; }
            flush();
            if (!st.skip) out += QLatin1Char(c);
            continue;
        }
        if (i + 1 >= n) break;
        const char e = rtf.at(i + 1);
        if (e == '\\' || e == '{' || e == '}') {
            ++i;
            if (skipChars > 0) { --skipChars; continue; }
            flush();
            if (!st.skip) out += QLatin1Char(e);
            continue;
        }
        if (e == '\'') {
            const bool ok = i + 3 < n;
            bool hexOk = false;
            const int v = ok ? rtf.mid(i + 2, 2).toInt(&hexOk, 16) : 0;
            i += 3;
            if (skipChars > 0) { --skipChars; continue; }
            if (hexOk && !st.skip) pending += static_cast<char>(v);
            continue;
        }
        if (e == '*') {
            ++i;
            st.skip = true;
            continue;
        }
        if (e == '~') { ++i; if (!st.skip) { flush(); out += QChar(0x00A0); } continue; }
        if (!std::isalpha(static_cast<unsigned char>(e))) { ++i; continue; }
        // A control word with an optional signed number and one optional blank.
        int j = i + 1;
        while (j < n && std::isalpha(static_cast<unsigned char>(rtf.at(j)))) ++j;
        const QByteArray word = rtf.mid(i + 1, j - i - 1);
        int k = j;
        if (k < n && (rtf.at(k) == '-' || std::isdigit(static_cast<unsigned char>(rtf.at(k))))) {
            ++k;
            while (k < n && std::isdigit(static_cast<unsigned char>(rtf.at(k)))) ++k;
        }
        const bool hasNumber = k > j;
        const int number = hasNumber ? rtf.mid(j, k - j).toInt() : 0;
        if (k < n && rtf.at(k) == ' ') ++k;
        i = k - 1;
        if (IsSkippedDestination(word)) { st.skip = true; continue; }
        if (word == "ansicpg" && hasNumber) {
            codec = number == 936 ? QByteArray("GBK") : "windows-" + QByteArray::number(number);
            continue;
        }
        if (word == "uc" && hasNumber) { st.uc = number; continue; }
        if (st.skip) continue;
        if (word == "u" && hasNumber) {
            flush();
            out += QChar(static_cast<ushort>(static_cast<short>(number)));
            skipChars = st.uc;
            continue;
        }
        if (word == "par" || word == "line" || word == "row") { flush(); out += QLatin1Char('\n'); continue; }
        if (word == "tab" || word == "cell") { flush(); out += QLatin1Char('\t'); continue; }
    }
    flush();
    while (out.endsWith(QLatin1Char('\n'))) out.chop(1);
    return out;
}
