// SPDX-License-Identifier: MIT
// Byte decoding for RTF text: the Windows code pages that \ansicpg, \cpg and \fcharset name.
//
// Single-byte code pages and the four double-byte ones RTF meets in practice (932, 936, 949,
// 950) are decoded through lookup tables filled from Qt's ICU-backed QStringDecoder, because
// calling the converter per run costs more than parsing the whole document. A double-byte
// table is filled one lead byte's row at a time, when a document first uses that row, so a
// process that reads one report does not pay for the whole code page. Other code pages that
// ICU knows (GB18030, ...) go through QStringDecoder per call.
// A code page this Qt cannot convert reads its bytes as Latin-1 (each byte U+0000..U+00FF),
// so no byte is lost and the result is predictable; available() then says false.
//
// Decoded text never holds characters that would break a QTextDocument's structure: CR, LF
// and VT become U+2028 (line separator), other C0 controls except TAB are dropped.
// Thread-safe: tables are immutable once built.
#pragma once
#include <QString>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

namespace rtf {

class CodePage {
public:
    // Never null. Code page 0 or an unknown number gives the Latin-1 fallback.
    static const CodePage* get(int codePage);
    // The Adobe Symbol font encoding (Greek letters, arrows, math signs as real characters).
    static const CodePage* symbol();
    // The code page a font with this \fcharset uses; 1 (DEFAULT_CHARSET), unknown values and
    // -1 (no \fcharset) give docCodePage. Returns -1 for the symbol charset.
    static int forCharset(int charset, int docCodePage);

    int number() const { return m_number; }
    bool available() const { return m_available; }
    bool isDoubleByte() const { return m_pairs != nullptr; }

    // Appends the decoded bytes to out. Returns the number of broken double-byte sequences
    // (a lead byte without a valid trail byte), each of which gave U+FFFD.
    int decode(const char* data, qsizetype size, QString& out) const;

    ~CodePage();

private:
    enum class Kind { Table, Utf8, Icu };
    CodePage(int number, Kind kind);
    void buildSingleByte(const QByteArray& icuName);
    void buildDoubleByte(const QByteArray& icuName);
    void buildSymbol();
    void fillRow(uint8_t lead) const;
    int decodeTable(const uint8_t* d, qsizetype n, QString& out) const;

    int m_number = 0;
    Kind m_kind = Kind::Table;
    bool m_available = true;
    QByteArray m_icuName;
    char16_t m_single[256] = {};
    // Index lead << 8 | trail; 0 = no such character. A row is written once, under m_rowMutex,
    // before m_rowReady[lead] is set.
    std::unique_ptr<char16_t[]> m_pairs;
    mutable std::atomic<bool> m_rowReady[256] = {};
    mutable std::mutex m_rowMutex;
};

// Removes or replaces the characters a QTextDocument must not receive as text (see above).
// Cleans text[from..] in place.
void sanitizeText(QString& text, qsizetype from);
// The same check for one character: 0 when it is to be dropped.
char16_t sanitizeChar(char16_t c);

} // namespace rtf
