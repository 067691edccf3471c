// SPDX-License-Identifier: MIT
#include "WorklistMatch.h"
#include <QStringList>
#include <vector>

namespace wr::imaging {

bool HasWildcards(const QString& value)
{
    return value.contains(QLatin1Char('*')) || value.contains(QLatin1Char('?'));
}

bool WildcardMatch(const QString& pattern, const QString& value, Qt::CaseSensitivity cs)
{
    // Code points, so '?' takes a whole character outside the BMP too. Iterative with one
    // back-tracking point: linear in practice, never exponential on patterns like "*a*a*a*b".
    const std::u32string p = pattern.toStdU32String();
    const std::u32string v = value.toStdU32String();
    auto same = [cs](char32_t a, char32_t b) {
        if (a == b)
            return true;
        return cs == Qt::CaseInsensitive && QChar::toCaseFolded(a) == QChar::toCaseFolded(b);
    };
    size_t pi = 0, vi = 0, star = std::u32string::npos, mark = 0;
    while (vi < v.size()) {
        if (pi < p.size() && p[pi] == U'*') {
            star = pi++;
            mark = vi;
        } else if (pi < p.size() && (p[pi] == U'?' || same(p[pi], v[vi]))) {
            ++pi;
            ++vi;
        } else if (star != std::u32string::npos) {
            pi = star + 1;
            vi = ++mark;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == U'*')
        ++pi;
    return pi == p.size();
}

QString LikePattern(const QString& pattern)
{
    QString like;
    like.reserve(pattern.size() + 4);
    for (QChar c : pattern) {
        switch (c.unicode()) {
        case u'*': like += QLatin1Char('%'); break;
        case u'?': like += QLatin1Char('_'); break;
        // '[' is a wildcard of SQL Server's LIKE.
        case u'%': case u'_': case u'\\': case u'[':
            like += QLatin1Char('\\');
            like += c;
            break;
        default: like += c;
        }
    }
    return like;
}

namespace {

QDate Da(const QString& text)
{
    if (text.size() != 8)
        return {};
    for (QChar c : text)
        if (!c.isDigit())
            return {};
    return QDate::fromString(text, QStringLiteral("yyyyMMdd"));
}

}  // namespace

bool ParseDateMatch(const QString& value, TDateSpan* span)
{
    const QString v = value.trimmed();
    const int dash = v.indexOf(QLatin1Char('-'));
    TDateSpan s;
    if (dash < 0) {
        s.from = s.to = Da(v);
        if (!s.from.isValid())
            return false;
    } else {
        if (v.indexOf(QLatin1Char('-'), dash + 1) >= 0 || v.size() == 1)
            return false;
        const QString a = v.left(dash), b = v.mid(dash + 1);
        if (!a.isEmpty() && !(s.from = Da(a)).isValid())
            return false;
        if (!b.isEmpty() && !(s.to = Da(b)).isValid())
            return false;
        if (s.from.isValid() && s.to.isValid() && s.to < s.from)
            return false;
    }
    *span = s;
    return true;
}

bool PersonNameMatches(const QString& pattern, const QString& dicomName, const QString& storedName)
{
    const QString p = pattern.trimmed();
    const QStringList groups = dicomName.split(QLatin1Char('='));
    if (p.contains(QLatin1Char('='))) {
        const QStringList wanted = p.split(QLatin1Char('='));
        for (int i = 0; i < wanted.size(); ++i) {
            if (wanted[i].isEmpty())
                continue;
            if (!WildcardMatch(wanted[i], groups.value(i), Qt::CaseInsensitive))
                return false;
        }
        return true;
    }
    if (WildcardMatch(p, dicomName, Qt::CaseInsensitive) || WildcardMatch(p, storedName.trimmed(), Qt::CaseInsensitive))
        return true;
    for (const QString& g : groups) {
        if (g.isEmpty())
            continue;
        // "Wang^Jianguo" is also asked for as "Wang Jianguo" or "WangJianguo".
        QString spaced = g, joined = g;
        spaced.replace(QLatin1Char('^'), QLatin1Char(' '));
        joined.remove(QLatin1Char('^'));
        if (WildcardMatch(p, g, Qt::CaseInsensitive) || WildcardMatch(p, spaced.trimmed(), Qt::CaseInsensitive)
            || WildcardMatch(p, joined, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

}  // namespace wr::imaging
