// SPDX-License-Identifier: MIT
// Latency of one key press in the report form, the section re-fit included: a memo holding
// 100 lines and a rich edit holding 200 paragraphs. Each is compared with the same key
// press in a bare editor of the same size and content, measured in the same run.
// Target: median under 2 ms per key press.
#include "form/ReportUnit.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTest>
#include <QTextEdit>
#include <algorithm>
#include <cstdio>

namespace {
constexpr int kPresses = 400;

struct TStats {
    double median;
    double p90;
};

// Types kPresses characters at the end of the editor, one key event each, and returns the
// time per key press in milliseconds, the repaint it causes included.
TStats TypeInto(QWidget* editor)
{
    QList<double> ms;
    ms.reserve(kPresses);
    QElapsedTimer t;
    for (int i = 0; i < kPresses; ++i) {
        // Every 40 keys a line break, so the line count (and the section height) changes too.
        const bool enter = i % 40 == 39;
        t.start();
        if (enter) QTest::keyClick(editor, Qt::Key_Return);
        else QTest::keyClick(editor, char('a' + i % 26));
        QCoreApplication::processEvents();  // layout of what changed
        // The platform paints on a timer of its own; paint the dirty region now so the
        // cost of painting what the key press changed is counted.
        QEvent paint(QEvent::UpdateRequest);
        QCoreApplication::sendEvent(editor->window(), &paint);
        ms << t.nsecsElapsed() / 1e6;
    }
    std::sort(ms.begin(), ms.end());
    return {ms.at(ms.size() / 2), ms.at(ms.size() * 9 / 10)};
}

QString Lines(int count, const QString& line)
{
    QStringList l;
    for (int i = 0; i < count; ++i) l << QStringLiteral("%1 %2").arg(i + 1).arg(line);
    return l.join(QLatin1Char('\n'));
}

template <class TEdit>
TStats Baseline(const QString& text, QSize size)
{
    TEdit bare;
    bare.setFont(QFont(QStringLiteral("微软雅黑"), -1));
    bare.resize(size);
    bare.setPlainText(text);
    bare.show();
    QTest::qWaitForWindowExposed(&bare);
    bare.setFocus();
    bare.moveCursor(QTextCursor::End);
    return TypeInto(&bare);
}

// Scrolls the form so the caret, and so every repaint of typing, is on screen.
void ScrollToCaret(TReportForm& form, QAbstractScrollArea* editor, const QRect& caret)
{
    const QPoint p = editor->viewport()->mapTo(form.ScrollBox_Content, caret.center());
    form.ScrollBox_Report->ensureVisible(p.x(), p.y(), 10, 200);
    QCoreApplication::processEvents();
}

void Report(const char* what, const TStats& form, const TStats& base)
{
    std::printf("%-34s median %6.3f ms  p90 %6.3f ms   bare editor median %6.3f ms  ratio %5.2f  %s\n", what,
                form.median, form.p90, base.median, form.median / base.median,
                form.median < 2.0 ? "(target < 2 ms: met)" : "(target < 2 ms: MISSED)");
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    for (const char* face : {"微软雅黑", "宋体"})
        QFont::insertSubstitutions(QString::fromUtf8(face), {QStringLiteral("WenQuanYi Micro Hei")});

    const QString memoText = Lines(100, QStringLiteral("甲状腺双侧叶大小正常，包膜光整，实质回声均匀。"));
    const QString richText = Lines(200, QStringLiteral("肝脏大小形态正常，包膜光滑，实质回声均匀，肝内管道结构清晰。"));

    TReportForm form;
    form.resize(616, 761);
    form.show();
    QTest::qWaitForWindowExposed(&form);
    form.SetcontrolsEnable(true);

    form.memo_lczd->setPlainText(memoText);
    form.memo_lczd->setFocus();
    form.memo_lczd->moveCursor(QTextCursor::End);
    ScrollToCaret(form, form.memo_lczd, form.memo_lczd->cursorRect());
    const int memoHeight = form.memo_lczd->height();
    const TStats memo = TypeInto(form.memo_lczd);
    if (form.memo_lczd->toPlainText().size() != memoText.size() + kPresses || form.memo_lczd->height() <= memoHeight) {
        std::fprintf(stderr, "typing did not reach the memo or its section did not grow\n");
        return 2;
    }
    const TStats memoBase = Baseline<QPlainTextEdit>(memoText, form.memo_lczd->size());

    form.rich_jcsj->setPlainText(richText);
    form.rich_jcsj->setFocus();
    form.rich_jcsj->moveCursor(QTextCursor::End);
    ScrollToCaret(form, form.rich_jcsj, form.rich_jcsj->cursorRect());
    const int richHeight = form.rich_jcsj->height();
    const TStats rich = TypeInto(form.rich_jcsj);
    if (form.rich_jcsj->toPlainText().size() != richText.size() + kPresses || form.rich_jcsj->height() <= richHeight) {
        std::fprintf(stderr, "typing did not reach the rich edit or its section did not grow\n");
        return 2;
    }
    const TStats richBase = Baseline<QTextEdit>(richText, form.rich_jcsj->size());

    std::printf("key presses per case: %d (one line break every 40)\n", kPresses);
    Report("memo, 100 lines (memo_lczd)", memo, memoBase);
    Report("rich edit, 200 paragraphs (rich_jcsj)", rich, richBase);
    return (memo.median < 2.0 && rich.median < 2.0) ? 0 : 1;
}
