// SPDX-License-Identifier: MIT
// Section auto-height: every text section is exactly as tall as its text, and the scroll
// box scrolls the stack of sections. Memos measure lines of the height of "W"; rich edits
// measure their laid-out content.
#include "ReportUnit.h"
#include "SectionPanel.h"
#include <QAbstractTextDocumentLayout>
#include <QFontMetrics>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QCoreApplication>
#include <QResizeEvent>
#include <QtMath>

namespace {
// The memo's display lines after word wrap at its current width; a last line that is
// empty is not counted, so an empty memo has none.
int MemoDisplayLines(QPlainTextEdit* memo)
{
    QTextDocument* doc = memo->document();
    auto* layout = qobject_cast<QPlainTextDocumentLayout*>(doc->documentLayout());
    if (!layout) return doc->blockCount();
    // The memo hands its width to the layout on its resize event, which a hidden memo
    // gets only when shown; deliver it now so the lines wrap at the width it will have.
    const int width = memo->width() - 2 * memo->frameWidth();
    if (qRound(layout->documentSize().width()) != width) {
        QResizeEvent resize(memo->size(), memo->size());
        QCoreApplication::sendEvent(memo, &resize);
    }

    int lines = 0;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        if (!b.isVisible()) continue;
        layout->blockBoundingRect(b);  // lays the block out if it is not yet
        lines += qMax(1, b.layout()->lineCount());
    }
    if (doc->lastBlock().length() <= 1) --lines;  // the empty last line
    return qMax(0, lines);
}

// The control font's size in points, as a whole number.
int FontPoints(const QWidget* w)
{
    const QFont f = w->font();
    if (f.pointSizeF() > 0) return qRound(f.pointSizeF());
    return qRound(f.pixelSize() * 72.0 / w->logicalDpiY());
}
} // namespace

int TReportForm::CountMemoLineHeights(QPlainTextEdit* Memo)
{
    const int h = QFontMetrics(Memo->font(), Memo).height();
    return (MemoDisplayLines(Memo) + 1) * h;
}

void TReportForm::Reset_memoHeight(QPlainTextEdit* memo)
{
    memo->resize(memo->width(), CountMemoLineHeights(memo) + 4);
}

void TReportForm::Reset_RicheditHeight(QTextEdit* re)
{
    QTextDocument* doc = re->document();
    if (doc->isEmpty()) {
        re->resize(re->width(), 40);
        return;
    }
    // Lay the document out at the width of the edit's text area; without scroll bars that
    // is the control less its frame, also before the control has been shown.
    const qreal width = re->width() - 2 * re->frameWidth();
    if (doc->textWidth() != width) doc->setTextWidth(width);
    const int content = qCeil(doc->documentLayout()->documentSize().height());
    re->resize(re->width(), content + FontPoints(re));
}

namespace {
// A section that has never been fitted keeps its design height until its text changes.
const char* const kFitted = "wrFittedToText";
} // namespace

void TReportForm::FitMemoSection(QPlainTextEdit* memo)
{
    memo->setProperty(kFitted, true);
    Reset_memoHeight(memo);
    if (auto* panel = qobject_cast<TSectionPanel*>(memo->parentWidget())) panel->SetPanelHeight(memo->height() + 4);
}

void TReportForm::FitRichSection(QTextEdit* re)
{
    if (FSaving) return;
    re->setProperty(kFitted, true);
    Reset_RicheditHeight(re);
    if (auto* panel = qobject_cast<TSectionPanel*>(re->parentWidget())) panel->SetPanelHeight(re->height() + 4);
}

void TReportForm::SetPostionOnstartMemoAndRich()
{
    const std::initializer_list<QWidget*> captions{sb_jcitem, sb_jcMethod, Lab_jcpart, lab_lczd,
                                                   lab_yxbx,  lab_zdyx,    lab_beizhu};
    const std::initializer_list<QWidget*> texts{Memo_jcItem, memo_jcmethod, Memo_jcpart, memo_lczd,
                                                memo_beizhu, rich_jcsj,     rich_zdjx};
    for (QWidget* caption : captions) caption->move(0, caption->y());
    for (QWidget* text : texts) text->move(61, text->y());
    for (QWidget* w : captions) w->move(w->x(), 1);
    for (QWidget* w : texts) {
        w->move(w->x(), 1);
        // Keep the right edge anchored now that the left edge moved.
        if (auto* panel = qobject_cast<TSectionPanel*>(w->parentWidget())) panel->Realign();
    }

    Memo_jcItem->clear();
    memo_jcmethod->clear();
    Memo_jcpart->clear();
    memo_lczd->clear();
    rich_jcsj->clear();
    rich_zdjx->clear();

    // Re-wrap whenever a section's width changes (the host resizes the embedded form).
    for (QPlainTextEdit* m : {Memo_jcItem, memo_jcmethod, Memo_jcpart, memo_lczd, Memo_JianYi, memo_beizhu}) {
        if (auto* panel = qobject_cast<TSectionPanel*>(m->parentWidget()))
            panel->SetWidthChangedHandler([this, m] {
                if (m->property(kFitted).toBool()) FitMemoSection(m);
            });
    }
    for (QTextEdit* r : {rich_jcsj, rich_zdjx}) {
        if (auto* panel = qobject_cast<TSectionPanel*>(r->parentWidget()))
            panel->SetWidthChangedHandler([this, r] {
                if (r->property(kFitted).toBool()) FitRichSection(r);
            });
    }
}
