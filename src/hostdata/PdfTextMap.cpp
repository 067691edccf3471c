// SPDX-License-Identifier: MIT
#include "PdfTextMap.h"
#include <QFont>
#include <QRawFont>
#include <QRegularExpression>

namespace {

// Code points below the unified ideographs that CJK fonts draw with an ideograph's glyph.
bool IsRadicalOrStroke(uint u) { return (u >= 0x2E80 && u <= 0x2FDF) || (u >= 0x31C0 && u <= 0x31EF); }

void AddAliases(const QRawFont& raw, QHash<uint, uint>& aliases)
{
    if (!raw.isValid()) return;
    QString ideographs;
    for (uint u = 0x4E00; u <= 0x9FFF; ++u) ideographs += QChar(char16_t(u));
    const QList<quint32> glyphs = raw.glyphIndexesForString(ideographs);
    QHash<quint32, uint> byGlyph;
    for (int i = 0; i < glyphs.size(); ++i)
        if (glyphs[i] && !byGlyph.contains(glyphs[i])) byGlyph.insert(glyphs[i], 0x4E00 + i);
    for (uint u = 0x2E80; u <= 0x31EF; ++u) {
        if (!IsRadicalOrStroke(u) || aliases.contains(u)) continue;
        const QList<quint32> g = raw.glyphIndexesForString(QString(QChar(char16_t(u))));
        if (g.size() == 1 && g[0] && byGlyph.contains(g[0])) aliases.insert(u, byGlyph.value(g[0]));
    }
}

// Replaces the 4-digit destination <XXXX> at [pos, pos+6) of `block` when it is an alias.
void FixToken(QByteArray& block, qsizetype pos, const QHash<uint, uint>& aliases)
{
    bool ok = false;
    const uint u = block.mid(pos + 1, 4).toUInt(&ok, 16);
    if (!ok || !aliases.contains(u)) return;
    const QByteArray hex = QByteArray::number(aliases.value(u), 16).toUpper().rightJustified(4, '0');
    block.replace(pos + 1, 4, hex);
}

QByteArray FixBlock(QByteArray block, const QHash<uint, uint>& aliases)
{
    static const QRegularExpression token(QStringLiteral("<[0-9A-Fa-f]{4}>"));
    const QList<QByteArray> lines = block.split('\n');
    QByteArray out;
    for (int n = 0; n < lines.size(); ++n) {
        QByteArray line = lines[n];
        const QString text = QString::fromLatin1(line);
        QList<qsizetype> at;
        for (auto it = token.globalMatch(text); it.hasNext();) at << it.next().capturedStart();
        const qsizetype bracket = line.indexOf('[');
        if (bracket >= 0) {
            // "<first> <last> [<dst> <dst> ...]": every token inside the brackets.
            for (qsizetype p : at)
                if (p > bracket) FixToken(line, p, aliases);
        } else if (at.size() == 3 && line.mid(at[0], 6) == line.mid(at[1], 6)) {
            FixToken(line, at[2], aliases);   // "<c> <c> <dst>": one code
        } else if (at.size() == 2 && !line.contains("bfrange")) {
            FixToken(line, at[1], aliases);   // bfchar "<c> <dst>"
        }
        out += line;
        if (n + 1 < lines.size()) out += '\n';
    }
    return out;
}

} // namespace

QHash<uint, uint> RadicalAliases(const QStringList& families)
{
    QHash<uint, uint> aliases;
    for (const QString& family : families) {
        for (bool bold : {false, true}) {
            QFont f(family);
            f.setBold(bold);
            AddAliases(QRawFont::fromFont(f), aliases);
        }
    }
    return aliases;
}

QByteArray FixPdfToUnicode(const QByteArray& pdf, const QHash<uint, uint>& aliases)
{
    if (aliases.isEmpty()) return pdf;
    QByteArray out = pdf;
    for (const char* kind : {"bfrange", "bfchar"}) {
        const QByteArray begin = QByteArray("begin") + kind;
        const QByteArray end = QByteArray("end") + kind;
        qsizetype from = 0;
        for (;;) {
            const qsizetype b = out.indexOf(begin, from);
            if (b < 0) break;
            const qsizetype e = out.indexOf(end, b);
            if (e < 0) break;
            const qsizetype start = b + begin.size();
            const QByteArray fixed = FixBlock(out.mid(start, e - start), aliases);
            out.replace(start, e - start, fixed);  // same length: offsets stay valid
            from = start + fixed.size() + end.size();
        }
    }
    return out;
}
