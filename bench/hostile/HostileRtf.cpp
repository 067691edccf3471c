// SPDX-License-Identifier: MIT
#include "HostileRtf.h"
#include <QStringEncoder>
#include <functional>

namespace {

const char* const kHead = "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\\pard\\f0\\fs24 ";

QByteArray Number(int n) { return QByteArray::number(n); }

} // namespace

QByteArray NestedTablesRtf(int depth, int cells)
{
    // Every level is a table of rows of four cells; the first cell of its first row holds the
    // next level, so the deepest text sits inside all of them.
    constexpr int kColumns = 4;
    QByteArray o = kHead;
    const int perLevel = std::max(kColumns, cells / std::max(1, depth));
    std::function<void(int)> level = [&](int l) {
        const QByteArray intbl = "\\pard\\intbl\\itap" + Number(l) + " ";
        QByteArray def = "\\trowd";
        for (int c = 0; c < kColumns; ++c) def += "\\cellx" + Number(1500 * (c + 1));
        for (int cell = 0; cell < perLevel; ++cell) {
            if (l == 1 && cell % kColumns == 0) o += def;
            o += intbl + "L" + Number(l) + "C" + Number(cell);
            if (cell == 0 && l < depth) {
                o += "\\par ";
                level(l + 1);
                o += intbl;
            }
            o += l == 1 ? "\\cell " : "\\nestcell ";
            if (cell % kColumns == kColumns - 1 || cell == perLevel - 1)
                o += l == 1 ? QByteArray("\\row ") : "{\\*\\nesttableprops" + def + "\\nestrow}";
        }
    };
    level(1);
    return o + "\\pard end\\par}";
}

QByteArray WideTableRtf(int rows, int columns)
{
    QByteArray o = kHead;
    for (int r = 0; r < rows; ++r) {
        o += "\\trowd";
        for (int c = 0; c < columns; ++c) o += "\\cellx" + Number(800 * (c + 1));
        for (int c = 0; c < columns; ++c) o += "\\pard\\intbl R" + Number(r) + "C" + Number(c) + "\\cell ";
        o += "\\row ";
    }
    return o + "\\pard end\\par}";
}

QByteArray TextRtf(qint64 bytes, int paragraphs)
{
    QStringEncoder gbk("GBK");
    const QByteArray encoded = gbk.encode(QStringLiteral("肝脏大小形态正常包膜光滑实质回声均匀未见明显异常"));
    QByteArray sentence;
    static const char hex[] = "0123456789abcdef";
    for (char c : encoded) sentence.append("\\'").append(hex[uchar(c) >> 4]).append(hex[uchar(c) & 15]);
    QByteArray o = kHead;
    o.reserve(bytes + 4096);
    const qint64 perParagraph = paragraphs > 1 ? bytes / paragraphs : bytes + 1;
    qint64 inParagraph = 0;
    for (int n = 0; o.size() < bytes; ++n) {
        o += sentence;
        o += n % 7 == 0 ? " \\b bold\\b0  " : " ";
        inParagraph += sentence.size();
        if (inParagraph >= perParagraph) {
            o += "\\par ";
            inParagraph = 0;
        }
    }
    return o + "\\par}";
}
