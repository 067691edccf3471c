// SPDX-License-Identifier: MIT
// HTML export with the list start numbers Qt 6.4's own export drops.
#include "Rtf.h"
#include "RtfStructure.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QVector>

QString DocumentToHtml(const QTextDocument& doc)
{
    QString html = doc.toHtml();
    // Qt opens a list (<ol or <ul) at its first item, in the order of the blocks; collect the
    // start of every list in that order and pair each with the next list opening.
    QVector<int> starts;
    bool any = false;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextList* list = b.textList();
        if (!list || list->itemNumber(b) != 0) continue;
        const int start = rtf::listStart(list->format());
        starts.push_back(start);
        any |= start != 1;
    }
    if (!any) return html;

    QString out;
    out.reserve(html.size() + 16 * starts.size());
    qsizetype from = 0;
    int index = 0;
    while (index < starts.size()) {
        const qsizetype ol = html.indexOf(QLatin1String("<ol"), from);
        const qsizetype ul = html.indexOf(QLatin1String("<ul"), from);
        qsizetype at = ol < 0 ? ul : (ul < 0 ? ol : std::min(ol, ul));
        if (at < 0) break;  // fewer openings than lists: leave the rest as Qt wrote it
        out += QStringView(html).mid(from, at + 3 - from);
        const int start = starts.at(index++);
        if (at == ol && start != 1) out += QStringLiteral(" start=\"%1\"").arg(start);
        from = at + 3;
    }
    out += QStringView(html).mid(from);
    return out;
}
