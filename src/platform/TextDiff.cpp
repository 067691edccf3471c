// SPDX-License-Identifier: MIT
#include "TextDiff.h"
#include <vector>

namespace {
// Cells of the longest-common-subsequence table past which the middle is one replacement:
// about 3 MB of directions, a few milliseconds.
constexpr qsizetype kMaxCells = 3'000'000;

void Append(QList<TDiffPiece>& out, TDiffPiece::Kind kind, QStringView text)
{
    if (text.isEmpty()) return;
    if (!out.isEmpty() && out.last().kind == kind) out.last().text += text;
    else out.append({kind, text.toString()});
}

// Removed runs first, then Added, within each stretch of changes.
void Normalise(QList<TDiffPiece>& pieces)
{
    QList<TDiffPiece> out;
    QString removed, added;
    auto flush = [&] {
        Append(out, TDiffPiece::Removed, removed);
        Append(out, TDiffPiece::Added, added);
        removed.clear();
        added.clear();
    };
    for (const TDiffPiece& p : pieces) {
        if (p.kind == TDiffPiece::Same) {
            flush();
            Append(out, TDiffPiece::Same, p.text);
        } else (p.kind == TDiffPiece::Removed ? removed : added) += p.text;
    }
    flush();
    pieces = out;
}

QString Escaped(QStringView s)
{
    QString html = s.toString().toHtmlEscaped();
    html.replace(QLatin1String("\r\n"), QLatin1String("<br>")).replace(QLatin1Char('\n'), QLatin1String("<br>"));
    return html;
}
} // namespace

QList<TDiffPiece> DiffText(const QString& before, const QString& after)
{
    qsizetype head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head]) ++head;
    qsizetype tail = 0;
    while (tail < before.size() - head && tail < after.size() - head
           && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    // Never split a surrogate pair at the edges of the changed middle.
    if (head > 0 && before[head - 1].isHighSurrogate()) --head;
    if (tail > 0 && before[before.size() - tail].isLowSurrogate()) --tail;

    QList<TDiffPiece> out;
    Append(out, TDiffPiece::Same, QStringView(before).left(head));
    const QStringView middleA = QStringView(before).mid(head, before.size() - head - tail);
    const QStringView middleB = QStringView(after).mid(head, after.size() - head - tail);
    // By code points, so a character outside the basic plane is never split in two.
    const QList<uint> a = middleA.toUcs4(), b = middleB.toUcs4();
    const qsizetype n = a.size(), m = b.size();
    auto text = [](const QList<uint>& s, qsizetype from, qsizetype count) {
        return QString::fromUcs4(reinterpret_cast<const char32_t*>(s.constData()) + from, count);
    };
    if (n == 0 || m == 0 || n * m > kMaxCells) {
        Append(out, TDiffPiece::Removed, middleA);
        Append(out, TDiffPiece::Added, middleB);
    } else {
        // lcs[i][j] for suffixes a[i..], b[j..]; two rows of lengths, all directions kept.
        std::vector<unsigned char> step(size_t(n * m));   // 0 diagonal, 1 skip a, 2 skip b
        std::vector<int> next(size_t(m + 1), 0), cur(size_t(m + 1), 0);
        for (qsizetype i = n - 1; i >= 0; --i) {
            cur[size_t(m)] = 0;
            for (qsizetype j = m - 1; j >= 0; --j) {
                unsigned char& s = step[size_t(i * m + j)];
                if (a[i] == b[j]) {
                    cur[size_t(j)] = next[size_t(j + 1)] + 1;
                    s = 0;
                } else if (next[size_t(j)] >= cur[size_t(j + 1)]) {
                    cur[size_t(j)] = next[size_t(j)];
                    s = 1;
                } else {
                    cur[size_t(j)] = cur[size_t(j + 1)];
                    s = 2;
                }
            }
            std::swap(cur, next);
        }
        qsizetype i = 0, j = 0;
        while (i < n && j < m) {
            switch (step[size_t(i * m + j)]) {
            case 0: Append(out, TDiffPiece::Same, text(a, i++, 1)); ++j; break;
            case 1: Append(out, TDiffPiece::Removed, text(a, i++, 1)); break;
            default: Append(out, TDiffPiece::Added, text(b, j++, 1)); break;
            }
        }
        Append(out, TDiffPiece::Removed, text(a, i, n - i));
        Append(out, TDiffPiece::Added, text(b, j, m - j));
    }
    Append(out, TDiffPiece::Same, QStringView(before).right(tail));
    Normalise(out);
    return out;
}

QString DiffHtml(const QList<TDiffPiece>& pieces, bool after, int context)
{
    // Colours that read on white and in print: pale red for what goes, pale green for what comes.
    static const QString removedStyle = QStringLiteral("<span style=\"background-color:#ffc8c8;text-decoration:line-through\">");
    static const QString addedStyle = QStringLiteral("<span style=\"background-color:#c4f0c4;font-weight:bold\">");
    QString html;
    for (qsizetype k = 0; k < pieces.size(); ++k) {
        const TDiffPiece& p = pieces[k];
        if (p.kind == TDiffPiece::Same) {
            const QStringView t = p.text;
            const bool first = k == 0, last = k == pieces.size() - 1;
            const qsizetype keep = (first ? 0 : context) + (last ? 0 : context);
            if (context < 0 || t.size() <= keep + 1) html += Escaped(t);
            else {
                if (!first) html += Escaped(t.left(context));
                html += QStringLiteral("<span style=\"color:#808080\"> … </span>");
                if (!last) html += Escaped(t.right(context));
            }
        } else if ((p.kind == TDiffPiece::Added) == after) {
            html += (after ? addedStyle : removedStyle) + Escaped(p.text) + QStringLiteral("</span>");
        }
    }
    return html;
}

bool DiffChanged(const QList<TDiffPiece>& pieces)
{
    for (const TDiffPiece& p : pieces)
        if (p.kind != TDiffPiece::Same) return true;
    return false;
}
