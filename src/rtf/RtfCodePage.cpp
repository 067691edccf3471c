// SPDX-License-Identifier: MIT
#include "RtfCodePage.h"

#include <QList>
#include <QStringDecoder>
#include <map>
#include <mutex>

namespace rtf {
namespace {

constexpr char16_t kLead = 0xFFFE; // single-byte table: this byte starts a double-byte character
constexpr char16_t kDrop = 0xFFFF; // single-byte table: this byte gives no character
constexpr char16_t kReplacement = 0xFFFD;

// Adobe Symbol encoding, bytes 0x20..0x7E and 0xA0..0xFE.
const char16_t kSymbolLow[0x5F] = {
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B,
    0x0028, 0x0029, 0x2217, 0x002B, 0x002C, 0x2212, 0x002E, 0x002F,
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F,
    0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393,
    0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9,
    0x039E, 0x03A8, 0x0396, 0x005B, 0x2234, 0x005D, 0x22A5, 0x005F,
    0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,
    0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF,
    0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9,
    0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C,
};
const char16_t kSymbolHigh[0x5F] = {
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663,
    0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191, 0x2192, 0x2193,
    0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022,
    0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5,
    0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229,
    0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,
    0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5,
    0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3,
    0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C,
    0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA,
    0xF8FF, 0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F,
    0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD,
};

struct CodePageName {
    int number;
    const char* icuName;
    bool doubleByte;
};

// The names ICU answers to for the Windows code pages RTF files name.
const CodePageName kNames[] = {
    {437, "IBM437", false},          {850, "IBM850", false},         {852, "IBM852", false},
    {855, "IBM855", false},          {857, "IBM857", false},         {860, "IBM860", false},
    {861, "IBM861", false},          {862, "IBM862", false},         {863, "IBM863", false},
    {864, "IBM864", false},          {865, "IBM865", false},         {866, "IBM866", false},
    {869, "IBM869", false},          {874, "windows-874", false},    {932, "Shift_JIS", true},
    {936, "GBK", true},              {949, "windows-949", true},     {950, "Big5", true},
    {1250, "windows-1250", false},   {1251, "windows-1251", false},  {1252, "windows-1252", false},
    {1253, "windows-1253", false},   {1254, "windows-1254", false},  {1255, "windows-1255", false},
    {1256, "windows-1256", false},   {1257, "windows-1257", false},  {1258, "windows-1258", false},
    {10000, "macintosh", false},     {10007, "x-mac-cyrillic", false}, {20866, "KOI8-R", false},
    {21866, "KOI8-U", false},        {28591, "ISO-8859-1", false},   {28592, "ISO-8859-2", false},
    {28595, "ISO-8859-5", false},    {28597, "ISO-8859-7", false},   {28605, "ISO-8859-15", false},
};

// Code pages that are neither single- nor double-byte: decoded by ICU per call.
const CodePageName kOtherNames[] = {
    {54936, "GB18030", false}, {20932, "EUC-JP", false}, {51932, "EUC-JP", false},
    {51949, "EUC-KR", false},  {50220, "ISO-2022-JP", false},
};

char16_t controlByte(uint8_t b)
{
    if (b == '\t')
        return u'\t';
    if (b == '\n' || b == '\r' || b == 0x0B)
        return 0x2028;
    return kDrop;
}

// Decodes "x\n" for every x in items and returns the text between separators, or an empty
// list when the converter does not give one segment per item.
QList<QStringView> decodeSeparated(QStringDecoder& dec, const QByteArray& joined, qsizetype count,
                                   QString& holder)
{
    holder = dec.decode(joined);
    QList<QStringView> parts;
    parts.reserve(count);
    qsizetype start = 0;
    for (qsizetype i = 0; i < holder.size(); ++i) {
        if (holder.at(i) == u'\n') {
            parts.append(QStringView(holder).mid(start, i - start));
            start = i + 1;
        }
    }
    if (parts.size() != count)
        parts.clear();
    return parts;
}

bool isSingleCharacter(QStringView s)
{
    return s.size() == 1 && s.at(0) != QChar(kReplacement) && s.at(0) != QChar(0x1A);
}

} // namespace

char16_t sanitizeChar(char16_t c)
{
    if (c < 0x20) {
        const char16_t r = controlByte(uint8_t(c));
        return r == kDrop ? 0 : r;
    }
    if (c == 0x2029)
        return 0x2028;
    // Frame markers and the object replacement character would corrupt the document's structure.
    if (c == 0xFDD0 || c == 0xFDD1 || c == 0xFFFC || c == 0xFFFE || c == 0xFFFF)
        return 0;
    return c;
}

void sanitizeText(QString& text, qsizetype from)
{
    qsizetype out = from;
    for (qsizetype i = from; i < text.size(); ++i) {
        const char16_t c = sanitizeChar(text.at(i).unicode());
        if (c)
            text[out++] = QChar(c);
    }
    text.truncate(out);
}

CodePage::CodePage(int number, Kind kind) : m_number(number), m_kind(kind) {}
CodePage::~CodePage() = default;

const CodePage* CodePage::get(int codePage)
{
    static std::mutex mutex;
    static std::map<int, std::unique_ptr<CodePage>> pages;
    std::lock_guard<std::mutex> lock(mutex);
    auto it = pages.find(codePage);
    if (it != pages.end())
        return it->second.get();

    std::unique_ptr<CodePage> page;
    if (codePage == 65001) {
        page.reset(new CodePage(codePage, Kind::Utf8));
    } else {
        for (const CodePageName& n : kNames) {
            if (n.number != codePage)
                continue;
            page.reset(new CodePage(codePage, Kind::Table));
            if (n.doubleByte)
                page->buildDoubleByte(n.icuName);
            else
                page->buildSingleByte(n.icuName);
        }
        for (const CodePageName& n : kOtherNames) {
            if (n.number == codePage && QStringDecoder(n.icuName).isValid()) {
                page.reset(new CodePage(codePage, Kind::Icu));
                page->m_icuName = n.icuName;
            }
        }
        if (!page) {
            page.reset(new CodePage(codePage, Kind::Table));
            page->buildSingleByte(QByteArray()); // Latin-1 fallback
        }
    }
    return (pages[codePage] = std::move(page)).get();
}

const CodePage* CodePage::symbol()
{
    static const std::unique_ptr<CodePage> page = [] {
        std::unique_ptr<CodePage> p(new CodePage(-1, Kind::Table));
        p->buildSymbol();
        return p;
    }();
    return page.get();
}

int CodePage::forCharset(int charset, int docCodePage)
{
    switch (charset) {
    case 0: return 1252;
    case 2: return -1;
    case 77: return 10000;
    case 78: case 128: return 932;
    case 79: case 129: return 949;
    case 80: case 134: return 936;
    case 81: case 136: return 950;
    case 130: return 1361;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: case 255: return 437;
    default: return docCodePage;
    }
}

void CodePage::buildSingleByte(const QByteArray& icuName)
{
    for (int b = 0; b < 0x20; ++b)
        m_single[b] = controlByte(uint8_t(b));
    for (int b = 0x20; b < 0x100; ++b)
        m_single[b] = char16_t(b);
    QStringDecoder dec(icuName.isEmpty() ? "" : icuName.constData(), QStringConverter::Flag::Stateless);
    if (icuName.isEmpty() || !dec.isValid()) {
        m_available = false;
        return;
    }
    QByteArray joined;
    for (int b = 0x80; b < 0x100; ++b)
        joined.append(char(b)).append('\n');
    QString holder;
    const QList<QStringView> parts = decodeSeparated(dec, joined, 0x80, holder);
    for (int b = 0x80; b < 0x100; ++b) {
        QString alone;
        QStringView s;
        if (parts.isEmpty()) { // converter did not keep the separators: ask byte by byte
            dec.resetState();
            const char byte = char(b);
            alone = dec.decode(QByteArrayView(&byte, 1));
            s = alone;
        } else {
            s = parts.at(b - 0x80);
        }
        m_single[b] = isSingleCharacter(s) ? sanitizeChar(s.at(0).unicode()) : kReplacement;
        if (m_single[b] == 0)
            m_single[b] = kDrop;
    }
}

void CodePage::buildDoubleByte(const QByteArray& icuName)
{
    buildSingleByte(icuName);
    if (!m_available)
        return;
    m_icuName = icuName;
    m_pairs.reset(new char16_t[0x10000]());
    // A byte of the lead range that means nothing on its own starts a pair; its row of the
    // table is filled when first needed.
    for (int lead = 0x81; lead < 0xFF; ++lead) {
        if (m_single[lead] == kReplacement || m_single[lead] == kDrop)
            m_single[lead] = kLead;
    }
}

void CodePage::fillRow(uint8_t lead) const
{
    std::lock_guard<std::mutex> lock(m_rowMutex);
    if (m_rowReady[lead].load(std::memory_order_relaxed))
        return;
    QStringDecoder dec(m_icuName.constData(), QStringConverter::Flag::Stateless);
    QByteArray joined;
    joined.reserve(0xBF * 3);
    for (int trail = 0x40; trail < 0xFF; ++trail)
        joined.append(char(lead)).append(char(trail)).append('\n');
    QString holder;
    const QList<QStringView> parts = decodeSeparated(dec, joined, 0xBF, holder);
    for (int trail = 0x40; trail < 0xFF; ++trail) {
        QStringView s;
        QString alone;
        if (!parts.isEmpty()) {
            s = parts.at(trail - 0x40);
        } else { // converter did not keep the separators: ask pair by pair
            dec.resetState();
            const char pair[2] = {char(lead), char(trail)};
            alone = dec.decode(QByteArrayView(pair, 2));
            s = alone;
        }
        if (isSingleCharacter(s))
            m_pairs[(lead << 8) | trail] = sanitizeChar(s.at(0).unicode());
    }
    m_rowReady[lead].store(true, std::memory_order_release);
}

void CodePage::buildSymbol()
{
    for (int b = 0; b < 0x20; ++b)
        m_single[b] = controlByte(uint8_t(b));
    for (int b = 0x20; b < 0x100; ++b) {
        if (b < 0x7F)
            m_single[b] = kSymbolLow[b - 0x20];
        else if (b >= 0xA0 && b < 0xFF)
            m_single[b] = kSymbolHigh[b - 0xA0];
        else
            m_single[b] = char16_t(0xF000 + b); // where Windows puts symbol-font bytes
    }
}

int CodePage::decode(const char* data, qsizetype size, QString& out) const
{
    if (size <= 0)
        return 0;
    if (m_kind == Kind::Table)
        return decodeTable(reinterpret_cast<const uint8_t*>(data), size, out);
    const qsizetype from = out.size();
    if (m_kind == Kind::Utf8) {
        out.append(QString::fromUtf8(data, size));
    } else {
        QStringDecoder dec(m_icuName.constData(), QStringConverter::Flag::Stateless);
        out.append(dec.decode(QByteArrayView(data, size)));
    }
    sanitizeText(out, from);
    return 0;
}

int CodePage::decodeTable(const uint8_t* d, qsizetype n, QString& out) const
{
    const qsizetype start = out.size();
    out.resize(start + n);
    char16_t* o = reinterpret_cast<char16_t*>(out.data()) + start;
    char16_t* const begin = o;
    int broken = 0;
    for (qsizetype i = 0; i < n;) {
        const char16_t u = m_single[d[i]];
        if (u < kLead) {
            *o++ = u;
            ++i;
        } else if (u == kDrop) {
            ++i;
        } else if (i + 1 < n && (m_rowReady[d[i]].load(std::memory_order_acquire) || (fillRow(d[i]), true))
                   && m_pairs[(d[i] << 8) | d[i + 1]]) {
            *o++ = m_pairs[(d[i] << 8) | d[i + 1]];
            i += 2;
        } else { // lead byte without a valid trail: the trail byte is read again on its own
            *o++ = kReplacement;
            ++broken;
            ++i;
        }
    }
    out.resize(start + (o - begin));
    return broken;
}

} // namespace rtf
