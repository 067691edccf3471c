// SPDX-License-Identifier: MIT
#include "RtfTestUtil.h"

#include "rtf/RtfStructure.h"

#include <QFile>
#include <QFont>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

namespace rtftest {
namespace {

QString escaped(const QString& text)
{
    QString out;
    for (QChar c : text) {
        if (c == u'\t')
            out += QStringLiteral("\\t");
        else if (c == QChar(0x2028))
            out += QStringLiteral("\\n");
        else if (c == u'\\')
            out += QStringLiteral("\\\\");
        else
            out += c;
    }
    return out;
}

QString colour(const QTextFormat& f, QTextFormat::Property p)
{
    if (!f.hasProperty(p) || f.brushProperty(p).style() == Qt::NoBrush)
        return QStringLiteral("-");
    return f.brushProperty(p).color().name();
}

QString runLine(const QTextDocument& doc, const QTextCharFormat& f, const QString& text)
{
    const QStringList families = f.fontFamilies().toStringList();
    const QString family = families.isEmpty() ? doc.defaultFont().family() : families.first();
    const double points = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize()
                                                                     : doc.defaultFont().pointSizeF();
    QString flags;
    if (f.fontWeight() >= QFont::DemiBold)
        flags += u'B';
    if (f.fontItalic())
        flags += u'I';
    if (f.fontUnderline())
        flags += u'U';
    if (f.fontStrikeOut())
        flags += u'S';
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        flags += u'^';
    if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
        flags += u'_';
    if (flags.isEmpty())
        flags = QStringLiteral("-");
    const QString link = f.isAnchor() ? QStringLiteral("|link=") + f.anchorHref() : QString();
    return QStringLiteral("R %1|%2|%3|%4|%5|%6%7\n")
        .arg(family, QString::number(points), flags, colour(f, QTextFormat::ForegroundBrush),
             colour(f, QTextFormat::BackgroundBrush), escaped(text), link);
}

QString listStyle(QTextListFormat::Style s)
{
    switch (s) {
    case QTextListFormat::ListDisc: return QStringLiteral("disc");
    case QTextListFormat::ListDecimal: return QStringLiteral("decimal");
    case QTextListFormat::ListUpperAlpha: return QStringLiteral("upper-alpha");
    case QTextListFormat::ListLowerAlpha: return QStringLiteral("lower-alpha");
    case QTextListFormat::ListUpperRoman: return QStringLiteral("upper-roman");
    case QTextListFormat::ListLowerRoman: return QStringLiteral("lower-roman");
    default: return QString::number(int(s));
    }
}

QString paragraphLine(const QTextBlock& b)
{
    QString line = QStringLiteral("P");
    if (QTextList* list = b.textList()) {
        const QTextListFormat lf = list->format();
        line += QStringLiteral(" list=%1/%2/%3").arg(listStyle(lf.style())).arg(lf.indent()).arg(list->itemNumber(b));
        // Numbering other than Qt's own "1." is shown as the marker the item gets.
        if (rtf::listStart(lf) != 1 || !lf.numberPrefix().isEmpty()
            || (lf.hasProperty(QTextFormat::ListNumberSuffix) && lf.numberSuffix() != u"."))
            line += QStringLiteral(" marker=") + rtf::listItemLabel(b);
    }
    const QTextBlockFormat f = b.blockFormat();
    const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter)
        line += QStringLiteral(" align=center");
    else if (a & Qt::AlignRight)
        line += QStringLiteral(" align=right");
    else if (a & Qt::AlignJustify)
        line += QStringLiteral(" align=justify");
    const struct { const char* name; double value; } margins[] = {
        {"left", f.leftMargin()}, {"right", f.rightMargin()}, {"indent", f.textIndent()},
        {"top", f.topMargin()}, {"bottom", f.bottomMargin()}};
    for (const auto& m : margins) {
        if (m.value != 0)
            line += QStringLiteral(" %1=%2").arg(QLatin1String(m.name)).arg(m.value);
    }
    if (f.lineHeightType() == QTextBlockFormat::ProportionalHeight && f.lineHeight() != 100)
        line += QStringLiteral(" line=%1%").arg(f.lineHeight());
    else if (f.lineHeightType() == QTextBlockFormat::FixedHeight)
        line += QStringLiteral(" line=%1px").arg(f.lineHeight());
    else if (f.lineHeightType() == QTextBlockFormat::MinimumHeight)
        line += QStringLiteral(" line>=%1px").arg(f.lineHeight());
    line += QStringLiteral(": ");
    for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
        const QTextFragment frag = it.fragment();
        if (frag.charFormat().isImageFormat()) {
            const QTextImageFormat img = frag.charFormat().toImageFormat();
            for (qsizetype i = 0; i < frag.length(); ++i)
                line += QStringLiteral("[img %1x%2]").arg(img.width()).arg(img.height());
        } else {
            line += escaped(frag.text());
        }
    }
    return line;
}

// A cell's own borders ("top=1.33 solid #ff0000", width in pixels, colour '-' when automatic)
// and background, when it has them.
QString cellLook(const QTextFormat& f)
{
    static const char* const sides[] = {"top", "bottom", "left", "right"};
    static const char* const styles[] = {"none", "dotted", "dashed", "solid", "double", "dot-dash",
                                         "dot-dot-dash", "groove", "ridge", "inset", "outset"};
    QString out;
    for (int i = 0; i < 4; ++i) {
        if (!f.hasProperty(QTextFormat::TableCellTopBorderStyle + i))
            continue;
        const int style = f.intProperty(QTextFormat::TableCellTopBorderStyle + i);
        out += QStringLiteral(" %1=%2 %3 %4")
                   .arg(QLatin1String(sides[i]))
                   .arg(f.doubleProperty(QTextFormat::TableCellTopBorder + i), 0, 'g', 3)
                   .arg(QLatin1String(style >= 0 && style <= 10 ? styles[style] : "?"),
                        colour(f, QTextFormat::Property(QTextFormat::TableCellTopBorderBrush + i)));
    }
    if (f.hasProperty(QTextFormat::BackgroundBrush))
        out += QStringLiteral(" bg=") + colour(f, QTextFormat::BackgroundBrush);
    return out;
}

void outlineFrame(QTextFrame::iterator it, const QString& indent, QString& out)
{
    for (; !it.atEnd(); ++it) {
        if (auto* table = qobject_cast<QTextTable*>(it.currentFrame())) {
            out += indent + QStringLiteral("T %1x%2%3\n").arg(table->rows()).arg(table->columns())
                       .arg(table->format().border() > 0 ? QStringLiteral(" border") : QString());
            for (int r = 0; r < table->rows(); ++r) {
                for (int c = 0; c < table->columns(); ++c) {
                    const QTextTableCell cell = table->cellAt(r, c);
                    if (cell.row() != r || cell.column() != c)
                        continue;
                    out += indent + QStringLiteral("C %1,%2").arg(r).arg(c);
                    if (cell.rowSpan() > 1 || cell.columnSpan() > 1)
                        out += QStringLiteral(" span=%1x%2").arg(cell.rowSpan()).arg(cell.columnSpan());
                    out += cellLook(cell.format());
                    out += u'\n';
                    outlineFrame(cell.begin(), indent + QStringLiteral("  "), out);
                }
            }
            out += indent + QStringLiteral("/T\n");
        } else if (it.currentFrame()) {
            outlineFrame(it.currentFrame()->begin(), indent, out);
        } else if (it.currentBlock().isValid()) {
            out += indent + paragraphLine(it.currentBlock()) + u'\n';
        }
    }
}

} // namespace

QString runs(const QTextDocument& doc)
{
    QString out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (frag.isValid() && !frag.charFormat().isImageFormat())
                out += runLine(doc, frag.charFormat(), frag.text());
        }
    }
    return out;
}

QString outline(const QTextDocument& doc)
{
    QString out;
    outlineFrame(doc.rootFrame()->begin(), QString(), out);
    return out;
}

QString dataDir()
{
    return QStringLiteral(WR_TEST_DATA_DIR "/rtf");
}

QByteArray readData(const QString& fileName)
{
    QFile f(dataDir() + u'/' + fileName);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace rtftest
