// SPDX-License-Identifier: MIT
// List markers as RTF readers show them, with start numbers Qt 6.4 cannot hold itself.
#include "RtfStructure.h"

#include <QTextList>

namespace rtf {

int listStart(const QTextListFormat& format)
{
    return format.hasProperty(kListStartProperty) ? std::max(0, format.intProperty(kListStartProperty)) : 1;
}

QString listNumberText(int style, int n)
{
    switch (style) {
    case QTextListFormat::ListLowerAlpha:
    case QTextListFormat::ListUpperAlpha: {
        if (n <= 0)
            return QString::number(n);
        QString s; // a..z, aa..zz, as Word counts
        const char16_t base = style == QTextListFormat::ListLowerAlpha ? u'a' : u'A';
        const int repeat = (n - 1) / 26 + 1;
        return s.fill(QChar(char16_t(base + (n - 1) % 26)), repeat);
    }
    case QTextListFormat::ListLowerRoman:
    case QTextListFormat::ListUpperRoman: {
        if (n <= 0 || n >= 4000)
            return QString::number(n);
        static const struct { int v; const char* s; } digits[] = {
            {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"},
            {50, "l"}, {40, "xl"}, {10, "x"}, {9, "ix"}, {5, "v"}, {4, "iv"}, {1, "i"}};
        QString s;
        for (const auto& d : digits) {
            while (n >= d.v) {
                s += QLatin1String(d.s);
                n -= d.v;
            }
        }
        return style == QTextListFormat::ListUpperRoman ? s.toUpper() : s;
    }
    default:
        return QString::number(n);
    }
}

QString listItemLabel(const QTextBlock& block)
{
    QTextList* list = block.textList();
    return list ? listItemLabel(list->format(), list->itemNumber(block)) : QString();
}

QString listItemLabel(const QTextListFormat& f, int item)
{
    const int style = f.style();
    if (style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle
        || style == QTextListFormat::ListSquare || style == QTextListFormat::ListStyleUndefined)
        return QString(QChar(0x2022));
    const QString suffix = f.hasProperty(QTextFormat::ListNumberSuffix) ? f.numberSuffix() : QStringLiteral(".");
    return f.numberPrefix() + listNumberText(style, listStart(f) + item) + suffix;
}

} // namespace rtf
