// SPDX-License-Identifier: MIT
// The RTF tokenizer and state machine. One pass over the raw bytes, without recursion: a
// vector of group states stands for the nesting, skipped destinations and picture data are
// scanned by tight loops, and runs of text (literal bytes and \'hh escapes alike) are
// collected as bytes and decoded in one call per run, so a double-byte character may be
// split over two escapes or an escape and a literal byte.
#pragma once
#include "RtfBuilder.h"
#include "RtfKeywords.h"
#include "RtfProps.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

namespace rtf {

class CodePage;

constexpr size_t kMaxGroupDepth = 4096; // deeper groups share the state of the deepest one kept

// What was wrong with an input, counted while reading and told once at the end.
struct Diagnostics {
    int openGroupsAtEnd = 0;
    int extraCloseBraces = 0;
    int textAfterEnd = 0;
    int truncatedTokens = 0;
    int badEscapes = 0;
    int brokenDoubleByte = 0;
    int depthLimited = 0;
    int skippedPictures = 0;
    int badPictures = 0;
    long long foldedParagraphs = 0;
    QList<int> unavailableCodePages;
    QStringList messages() const;
};

// Bytes waiting to be decoded: grows without initialising, unlike std::string.
struct ByteBuffer {
    std::unique_ptr<char[]> data;
    size_t size = 0;
    size_t capacity = 0;
    // Room for `more` further bytes; returns where they go.
    char* room(size_t more)
    {
        if (size + more > capacity) {
            const size_t cap = std::max(size + more, capacity * 2);
            std::unique_ptr<char[]> bigger(new char[cap]);
            if (size)
                std::memcpy(bigger.get(), data.get(), size);
            data = std::move(bigger);
            capacity = cap;
        }
        return data.get() + size;
    }
    void push(char c) { *room(1) = c; ++size; }
    bool empty() const { return size == 0; }
    void clear() { size = 0; }
};

class Reader {
public:
    Reader(DocBuilder& out, Diagnostics& diag);
    // utf8Literals: bytes from 0x80 up are UTF-8 text (the input came as a QString).
    void read(const char* data, qsizetype size, bool utf8Literals);

private:
    enum class Dest : uint8_t { Text, FontTable, ColorTable, Pict, ListText, Pn, PnText, ListTable, LevelText, ListOverrides, FldInst, ShapeProp };

    struct State {
        CharProps chr;
        ParaProps para;
        const CodePage* cp = nullptr;
        Dest dest = Dest::Text;
        uint8_t uc = 1;
        bool dbch = false;      // \dbch is the character class associated properties go to
        bool destOwner = false; // this group opened dest
        bool starred = false;   // \* seen, waiting for the destination word
        bool nestProps = false; // inside {\*\nesttableprops ...}
        bool listGroup = false; // a {\list ...} of the list table
        bool overrideGroup = false;
        bool pnAfter = false;   // a {\pntxta} group (text after the number), else {\pntxtb}
        bool shapePicture = false; // in the value of a shape's picture property (pib)
    };
    struct FontEntry {
        QString name;
        const CodePage* cp = nullptr;
        int charset = 0; // \fcharset, or the one of its code page
    };
    // A kept group with its font numbers made indexes of the document's kept fonts, and its
    // colour numbers those of the document's kept colours.
    QByteArray keptGroup(QByteArrayView group);
    struct Picture {
        enum Kind : uint8_t { Unknown, Png, Jpeg, Wmf, Emf, Dib, WBitmap, MacPict, PmMeta } kind = Unknown;
        QByteArray kindWord, words; // what describes data Qt cannot read, to write it back
        QByteArray data;
        int nibble = -1;
        int picw = 0, pich = 0, goalw = 0, goalh = 0, scalex = 100, scaley = 100;
    };

    // tokens
    void controlWord();
    void controlSymbol(uint8_t c);
    void word(KwInfo kw, bool hasParam, int param);
    // One family of control words each (RtfReaderWords.cpp); false for a word of another.
    bool headerWord(Kw kw, bool hasParam, int param);
    bool destinationWord(KwInfo info);
    bool fontAndColorWord(Kw kw, int param);
    bool characterWord(KwInfo info, bool hasParam, int param);
    bool paragraphWord(Kw kw, bool hasParam, int param);
    void keptGroupWord(int which);
    void footnoteWord();
    void plainBytes();
    void scanRunBytes();
    void utf8Literal();
    void skipOneFallbackChar();
    void hexData();
    void binary(int count);
    void skipGroup();
    void pushGroup();
    void popGroup();
    void endDestination(State& popped);
    void setDest(Dest d);

    // text
    void byte(uint8_t b);
    void character(char16_t c);
    void prepareRun();
    void decodePending();
    void flushRun();
    // counted: broken double-byte characters are reported (not so in list markers, whose
    // bytes are often a symbol font's).
    void flushAux(const CodePage* cp, bool counted = true);
    bool hidden() const { return m_st.chr.flags & Hidden; }

    // document structure
    ParaProps para() const;
    // Valid until the next call.
    const QTextCharFormat& format(const CharProps& c);
    void paragraphEnd();
    void cellEnd(int level);
    void rowEnd(int level);
    void tableWord(KwInfo info, int param);
    uint32_t colorAt(int index) const; // 0 for automatic, else 0xFFrrggbb
    void listWord(Kw kw, bool hasParam, int param);
    void pictureWord(KwInfo info, bool hasParam, int param);
    void finishPicture();
    void finishLevelText();
    void finishFieldInstruction();
    void shapeWord(int which);

    // tables of the header
    const CodePage* codePageForFont(int font) const;
    const CodePage* fontEntryCodePage() const;
    void finishFontEntry();
    void setDocCodePage(int cp);

    DocBuilder& m_out;
    Diagnostics& m_diag;
    const char* m_p = nullptr;
    const char* m_end = nullptr;
    bool m_utf8 = false;
    bool m_done = false;
    uint8_t m_plain[256] = {};

    State m_st;
    std::vector<State> m_stack;
    int m_overflow = 0;
    int m_skip = 0; // \uN fallback characters still to skip

    int m_docCp = 1252;
    bool m_docCpExplicit = false;
    int m_deff = 0;

    std::unordered_map<int, FontEntry> m_fonts;
    bool m_fontOpen = false;
    int m_fontNum = 0, m_fontCharset = -1, m_fontCpg = 0;
    QList<QColor> m_colors;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorSet = false;

    // text of the current run, its pending bytes and its properties
    QString m_run;
    ByteBuffer m_bytes;
    CharProps m_runChr;
    const CodePage* m_runCp = nullptr;
    // text of font names and \pntext
    QString m_aux;
    ByteBuffer m_auxBytes;

    std::vector<std::pair<CharProps, QTextCharFormat>> m_formats;
    QStringList m_links; // hyperlink targets; CharProps::link indexes them
    bool m_pictureAlternative = false; // \shppict seen: the \nonshppict after it is the same picture
    bool m_shapeHasPicture = false;    // the shape being read showed its own picture
    Picture m_pict;
    bool m_inRowDef = false;
    int m_footnotes = 0; // footnote marks so far: the next one's number is one more
    int m_borderOf = -1; // what border words describe: a CellSide of the cell being defined, 4 the row, 5 other

    std::unordered_map<int, std::vector<ListLevelDef>> m_listDefs; // \listid -> levels
    std::unordered_map<int, int> m_overrides;                      // \ls -> \listid
    int m_listId = 0;
    std::vector<ListLevelDef> m_listLevels;
    int m_overrideLs = 0, m_overrideListId = 0;
};

} // namespace rtf
