// SPDX-License-Identifier: MIT
// Tokens, groups, skipped destinations, picture data and the scanner for runs of text.
// Control words are acted on in RtfReaderWords.cpp, text is placed in RtfReaderText.cpp.
#include "RtfReader.h"

#include "RtfCodePage.h"

#include <algorithm>
#include <climits>

namespace rtf {
namespace {

struct HexTable {
    int8_t v[256];
    constexpr HexTable() : v()
    {
        for (int i = 0; i < 256; ++i)
            v[i] = -1;
        for (int i = 0; i < 10; ++i)
            v['0' + i] = int8_t(i);
        for (int i = 0; i < 6; ++i) {
            v['a' + i] = int8_t(10 + i);
            v['A' + i] = int8_t(10 + i);
        }
    }
};
constexpr HexTable kHex;

bool isAlpha(uint8_t c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }
bool isDigit(uint8_t c) { return c >= '0' && c <= '9'; }

// Length of the UTF-8 sequence that starts with lead (1 for a stray byte).
int utf8Length(uint8_t lead)
{
    if (lead >= 0xF0 && lead < 0xF8)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

} // namespace

void Reader::read(const char* data, qsizetype size, bool utf8Literals)
{
    m_p = data;
    m_end = data + size;
    m_utf8 = utf8Literals;
    for (int b = 0; b < 256; ++b)
        m_plain[b] = b >= 0x20 && b != '\\' && b != '{' && b != '}' && !(m_utf8 && b >= 0x80);
    m_st = State();
    m_st.cp = CodePage::get(m_docCp);
    m_runChr = m_st.chr;
    m_runCp = m_st.cp;

    while (m_p < m_end && !m_done) {
        const uint8_t c = uint8_t(*m_p);
        if (c == '{') {
            ++m_p;
            pushGroup();
        } else if (c == '}') {
            ++m_p;
            popGroup();
        } else if (c == '\\') {
            // Text escapes (\'hh, \\, \{, \}) start most runs of code-page text: take them
            // with the run scanner instead of one token at a time.
            const char* before = m_p;
            if (m_st.dest == Dest::Text && m_skip == 0 && !hidden() && m_p + 1 < m_end
                && (m_p[1] == '\'' || m_p[1] == '\\' || m_p[1] == '{' || m_p[1] == '}')) {
                prepareRun();
                scanRunBytes();
            }
            if (m_p == before)
                controlWord();
        } else if (c == '\r' || c == '\n') {
            ++m_p;
        } else if (c == '\t') {
            ++m_p;
            if (m_skip > 0)
                --m_skip;
            else
                character(u'\t');
        } else if (c < 0x20) {
            ++m_p; // NUL after the last brace, stray control bytes
        } else {
            plainBytes();
        }
    }
    if (!m_done)
        m_diag.openGroupsAtEnd = int(m_stack.size()) + m_overflow;
    flushRun();
    m_out.finish(para(), format(m_st.chr));
    m_diag.foldedParagraphs = m_out.foldedEmptyParagraphs();
}

void Reader::controlWord()
{
    const char* q = m_p + 1;
    if (q >= m_end) {
        ++m_diag.truncatedTokens;
        m_p = m_end;
        return;
    }
    if (!isAlpha(uint8_t(*q))) {
        m_p = q + 1;
        controlSymbol(uint8_t(*q));
        return;
    }
    const char* w = q;
    while (q < m_end && isAlpha(uint8_t(*q)))
        ++q;
    const size_t len = size_t(q - w);
    bool negative = false;
    bool hasParam = false;
    long long v = 0;
    if (q + 1 < m_end && *q == '-' && isDigit(uint8_t(q[1]))) {
        negative = true;
        ++q;
    }
    while (q < m_end && isDigit(uint8_t(*q))) {
        if (v < 100000000000LL) // huge numbers saturate; their digits are still consumed
            v = v * 10 + (*q - '0');
        hasParam = true;
        ++q;
    }
    if (q < m_end && *q == ' ')
        ++q;
    m_p = q;
    if (m_skip > 0) { // a control word in a \uN fallback counts as one character
        --m_skip;
        return;
    }
    const int param = int(std::clamp(negative ? -v : v, (long long)INT_MIN + 1, (long long)INT_MAX));
    word(len <= 32 ? lookupKeyword(std::string_view(w, len)) : KwInfo(), hasParam, param);
}

void Reader::controlSymbol(uint8_t c)
{
    if (c == '\'') {
        const int hi = m_p < m_end ? kHex.v[uint8_t(m_p[0])] : -1;
        const int lo = m_p + 1 < m_end ? kHex.v[uint8_t(m_p[1])] : -1;
        if (hi < 0 || lo < 0) {
            if (m_p + 2 > m_end) { // cut off inside the escape: its first digit means nothing alone
                ++m_diag.truncatedTokens;
                m_p = m_end;
            } else {
                ++m_diag.badEscapes;
            }
            if (m_skip > 0)
                --m_skip;
            return;
        }
        m_p += 2;
        if (m_skip > 0)
            --m_skip;
        else
            byte(uint8_t(hi << 4 | lo));
        return;
    }
    if (c == '*') {
        m_st.starred = true;
        return;
    }
    if (m_skip > 0) {
        --m_skip;
        return;
    }
    switch (c) {
    case '\\': case '{': case '}': byte(c); break;
    case '~': character(0x00A0); break;
    case '_': character(0x2011); break;
    case '-': character(0x00AD); break; // optional hyphen: kept, shown only at a line end
    case '\t': character(u'\t'); break;
    case '\r': case '\n':
        if (m_st.dest == Dest::Text)
            paragraphEnd();
        break;
    default: break; // \: index entry, \| formula: nothing to show
    }
}

void Reader::plainBytes()
{
    if (m_skip > 0) {
        skipOneFallbackChar();
        return;
    }
    const uint8_t c = uint8_t(*m_p);
    switch (m_st.dest) {
    case Dest::Text:
        if (hidden()) {
            do
                ++m_p;
            while (m_p < m_end && m_plain[uint8_t(*m_p)]);
        } else if (m_utf8 && c >= 0x80) {
            utf8Literal();
        } else {
            prepareRun();
            scanRunBytes();
        }
        return;
    case Dest::FontTable:
    case Dest::ListText:
    case Dest::PnText:
    case Dest::LevelText:
    case Dest::FldInst:
    case Dest::ShapeProp:
        if (c == ';' && m_st.dest == Dest::FontTable) {
            ++m_p;
            finishFontEntry();
        } else if (m_utf8 && c >= 0x80) {
            utf8Literal();
        } else {
            m_auxBytes.push(char(c));
            ++m_p;
        }
        return;
    case Dest::ColorTable:
        if (c == ';') {
            m_colors.append(m_colorSet ? QColor(m_red, m_green, m_blue) : QColor());
            m_red = m_green = m_blue = 0;
            m_colorSet = false;
        }
        ++m_p;
        return;
    case Dest::Pict:
        hexData();
        return;
    default:
        do
            ++m_p;
        while (m_p < m_end && m_plain[uint8_t(*m_p)]);
        return;
    }
}

// The hot loop: literal text and \'hh, \\, \{, \} escapes go to the run's bytes until
// anything else comes.
void Reader::scanRunBytes()
{
    const char* p = m_p;
    const char* const end = m_end;
    // The run's bytes never outgrow the input left, so one reservation per document suffices
    // and the loop below writes without checks.
    char* o = m_bytes.room(size_t(end - p));
    while (p < end) {
        const uint8_t c = uint8_t(*p);
        if (m_plain[c]) {
            do
                *o++ = char(*p++);
            while (p < end && m_plain[uint8_t(*p)]);
        } else if (c == '\\' && p + 1 < end) {
            const uint8_t n = uint8_t(p[1]);
            if (n == '\'' && p + 3 < end && kHex.v[uint8_t(p[2])] >= 0 && kHex.v[uint8_t(p[3])] >= 0) {
                *o++ = char(kHex.v[uint8_t(p[2])] << 4 | kHex.v[uint8_t(p[3])]);
                p += 4;
            } else if (n == '\\' || n == '{' || n == '}') {
                *o++ = char(n);
                p += 2;
            } else {
                break;
            }
        } else if (c == '\r' || c == '\n') {
            ++p;
        } else {
            break;
        }
    }
    m_bytes.size = size_t(o - m_bytes.data.get());
    m_p = p;
}

void Reader::skipOneFallbackChar()
{
    const uint8_t c = uint8_t(*m_p);
    int n = m_utf8 && c >= 0x80 ? utf8Length(c) : 1;
    while (n-- > 0 && m_p < m_end)
        ++m_p;
    --m_skip;
}

void Reader::hexData()
{
    const char* p = m_p;
    QByteArray& d = m_pict.data;
    if (d.capacity() - d.size() < (m_end - p) / 2 && d.size() < (1 << 26))
        d.reserve(d.size() + std::min<qsizetype>((m_end - p) / 2, 1 << 26));
    int nibble = m_pict.nibble;
    while (p < m_end) {
        const int h = kHex.v[uint8_t(*p)];
        if (h >= 0) {
            if (nibble < 0) {
                nibble = h;
            } else {
                d.append(char(nibble << 4 | h));
                nibble = -1;
            }
        } else if (*p != ' ' && *p != '\r' && *p != '\n' && *p != '\t') {
            break;
        }
        ++p;
    }
    if (p == m_p)
        ++p; // a stray character among the data
    m_p = p;
    m_pict.nibble = nibble;
}

void Reader::binary(int count)
{
    const qsizetype n = std::clamp<qsizetype>(count, 0, m_end - m_p);
    if (m_st.dest == Dest::Pict)
        m_pict.data.append(m_p, n);
    m_p += n;
}

// Skips the rest of the current group, including nested groups and \bin data, and closes it.
void Reader::skipGroup()
{
    const char* p = m_p;
    int depth = 0;
    while (p < m_end) {
        const char c = *p;
        if (c == '{') {
            ++depth;
            ++p;
        } else if (c == '}') {
            if (depth-- == 0) {
                m_p = p + 1;
                popGroup();
                return;
            }
            ++p;
        } else if (c == '\\') {
            if (m_end - p > 4 && p[1] == 'b' && p[2] == 'i' && p[3] == 'n'
                && (isDigit(uint8_t(p[4])) || p[4] == '-')) {
                p += 4;
                const bool negative = *p == '-';
                if (negative)
                    ++p;
                long long n = 0;
                while (p < m_end && isDigit(uint8_t(*p))) {
                    if (n < 100000000000LL)
                        n = n * 10 + (*p - '0');
                    ++p;
                }
                if (p < m_end && *p == ' ')
                    ++p;
                if (!negative)
                    p += std::min<long long>(n, m_end - p);
            } else {
                p += 2;
            }
        } else {
            ++p;
        }
    }
    m_p = m_end; // truncated inside the skipped group
}

void Reader::pushGroup()
{
    m_skip = 0;
    if (m_stack.size() >= kMaxGroupDepth) {
        ++m_overflow;
        m_diag.depthLimited = 1;
        return;
    }
    m_stack.push_back(m_st);
    m_st.destOwner = false;
    m_st.starred = false;
    m_st.listGroup = false;
    m_st.overrideGroup = false;
}

void Reader::popGroup()
{
    m_skip = 0;
    if (m_overflow > 0) {
        --m_overflow;
        return;
    }
    if (m_stack.empty()) {
        ++m_diag.extraCloseBraces;
        return;
    }
    State popped = m_st;
    m_st = m_stack.back();
    m_stack.pop_back();
    endDestination(popped);
    if (!m_stack.empty())
        return;
    // The document's own group closed: stop unless real text follows (a stray '}' earlier).
    const char* p = m_p;
    while (p < m_end && (uint8_t(*p) <= ' ' || *p == '}'))
        ++p;
    if (p == m_end) {
        m_done = true;
    } else {
        ++m_diag.textAfterEnd;
        m_stack.push_back(m_st);
    }
}

void Reader::setDest(Dest d)
{
    if (m_overflow > 0 && d != Dest::Text) { // no state of its own to return to: skip it
        skipGroup();
        return;
    }
    m_st.dest = d;
    m_st.destOwner = true;
}

} // namespace rtf
