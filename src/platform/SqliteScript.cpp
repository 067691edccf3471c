// SPDX-License-Identifier: MIT
#include "SqliteScript.h"

namespace {

// When a literal, quoted identifier or comment starts at i, the index just past its end
// (the end of the text if it is unterminated); otherwise i itself.
qsizetype SkipOpaque(const QString& s, qsizetype i)
{
    const qsizetype n = s.size();
    const QChar c = s.at(i);
    const QChar next = i + 1 < n ? s.at(i + 1) : QChar();
    if (c == QLatin1Char('-') && next == QLatin1Char('-')) {
        const qsizetype eol = s.indexOf(QLatin1Char('\n'), i + 2);
        return eol < 0 ? n : eol + 1;
    }
    if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
        const qsizetype end = s.indexOf(QLatin1String("*/"), i + 2);
        return end < 0 ? n : end + 2;
    }
    QChar close;
    if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) close = c;
    else if (c == QLatin1Char('[')) close = QLatin1Char(']');
    else return i;
    qsizetype j = i + 1;
    while (j < n) {
        if (s.at(j) == close) {
            // A doubled quote inside a literal is an escaped quote, not the end.
            if (close != QLatin1Char(']') && j + 1 < n && s.at(j + 1) == close) { j += 2; continue; }
            return j + 1;
        }
        ++j;
    }
    return n;
}

bool IsIdentChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

// True when the piece holds something besides blanks and comments.
bool HasCode(const QString& piece)
{
    qsizetype i = 0;
    while (i < piece.size()) {
        if (piece.at(i).isSpace()) { ++i; continue; }
        const qsizetype j = SkipOpaque(piece, i);
        if (j == i) return true;
        const QChar c = piece.at(i);
        if (c != QLatin1Char('-') && c != QLatin1Char('/')) return true;   // a literal is code
        i = j;
    }
    return false;
}

} // namespace

QStringList SplitSqlStatements(const QString& script)
{
    QStringList out;
    qsizetype start = 0, i = 0;
    const qsizetype n = script.size();
    auto flush = [&](qsizetype end) {
        const QString piece = script.mid(start, end - start).trimmed();
        if (HasCode(piece)) out << piece;
    };
    // Words seen since the statement began: a CREATE ... TRIGGER statement keeps its ';'s
    // until the END that closes its BEGIN (CASE ... END nests inside it).
    QStringList leadingWords;
    bool trigger = false;
    int depth = 0;
    auto resetStatement = [&] { leadingWords.clear(); trigger = false; depth = 0; };
    while (i < n) {
        const qsizetype j = SkipOpaque(script, i);
        if (j != i) { i = j; continue; }
        const QChar c = script.at(i);
        if (IsIdentChar(c) && (i == 0 || !IsIdentChar(script.at(i - 1)))) {
            qsizetype e = i;
            while (e < n && IsIdentChar(script.at(e))) ++e;
            const QString word = script.mid(i, e - i).toUpper();
            if (leadingWords.size() < 4) {
                leadingWords << word;
                if (word == QLatin1String("TRIGGER") && leadingWords.first() == QLatin1String("CREATE"))
                    trigger = true;
            }
            if (trigger) {
                if (word == QLatin1String("BEGIN") || word == QLatin1String("CASE")) ++depth;
                else if (word == QLatin1String("END") && depth > 0) --depth;
            }
            i = e;
            continue;
        }
        if (c == QLatin1Char(';') && !(trigger && depth > 0)) {
            flush(i);
            start = i + 1;
            resetStatement();
        }
        ++i;
    }
    flush(n);
    return out;
}

QString PositionalPlaceholders(const QString& statement, QStringList& names)
{
    QString out;
    out.reserve(statement.size());
    qsizetype i = 0;
    const qsizetype n = statement.size();
    while (i < n) {
        const qsizetype j = SkipOpaque(statement, i);
        if (j != i) {
            // Comments are dropped: Qt looks for placeholders of its own in what remains.
            const QChar first = statement.at(i);
            if (first == QLatin1Char('-') || first == QLatin1Char('/')) out += QLatin1Char(' ');
            else out += QStringView(statement).mid(i, j - i);
            i = j;
            continue;
        }
        const QChar c = statement.at(i);
        const bool prefix = c == QLatin1Char(':') || c == QLatin1Char('@');
        // "a:b" inside an identifier is not a placeholder; neither is a lone ':'.
        if (prefix && i + 1 < n && IsIdentChar(statement.at(i + 1))
            && (i == 0 || !IsIdentChar(statement.at(i - 1)))) {
            qsizetype k = i + 1;
            while (k < n && IsIdentChar(statement.at(k))) ++k;
            names << statement.mid(i + 1, k - i - 1);
            out += QLatin1Char('?');
            i = k;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

QString FirstSqlLine(const QString& statement)
{
    const QString t = statement.trimmed();
    const qsizetype eol = t.indexOf(QLatin1Char('\n'));
    return (eol < 0 ? t : t.left(eol)).trimmed();
}
