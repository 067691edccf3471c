// SPDX-License-Identifier: MIT
// Typing for hours: the line being typed stays inside the scroll box whatever section it is
// in, and one-line fields are wide enough for what is typed into them (pinyin pre-edit
// included). Sections grow with their text (ReportForm_AutoHeight.cpp), so it is the scroll
// box, not the text control, that has to follow the caret.
#include "ReportUnit.h"
#include "platform/InputComposition.h"
#include <QApplication>
#include <QCheckBox>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>

namespace {
// Widest a one-line field grows: the width of the combo boxes in the same column.
constexpr int kMaxFieldWidth = 150;
// Room kept for the word being composed, in CJK characters.
constexpr int kComposeRoom = 4;

// Height kept free below the line being composed: a candidate window is a row of candidates
// in about the line's font, with its frame and padding: about two lines.
int CandidateRoom(const QWidget* editor, const QRect& caret)
{
    return 2 * qMax(caret.height(), QFontMetrics(editor->font()).height());
}

// Scrolls `area` just enough that the caret of `editor` and its whole line are inside the
// visible part; does nothing while they already are, so typing never makes the view jump.
// While a word is being composed, the room the input method's candidate window takes below
// the line is kept visible too, so that window opens below the line instead of being pushed
// up over it at the bottom of the window.
void KeepCaretInView(QScrollArea* area, QWidget* editor)
{
    QWidget* content = area->widget();
    if (!content || !editor->isVisible() || !content->isAncestorOf(editor)) return;
    // Section heights reach the scroll box through posted layout requests; let them land
    // first so the caret is measured where it will be drawn.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QRect caret = editor->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    if (!caret.isValid()) return;
    const int below = PendingComposition(editor).isEmpty() ? 0 : CandidateRoom(editor, caret);
    const QPoint center = editor->mapTo(content, caret.center());
    area->ensureVisible(center.x(), center.y() + below / 2, caret.width() / 2 + 2, caret.height() / 2 + below / 2 + 4);
    // The input method places its candidate window at the caret: tell it where that is now.
    if (editor->hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

// Widens a line edit to its text plus the word being composed, between its design width
// and kMaxFieldWidth; the check box that follows it on the row moves along.
class TFieldWidthFitter final : public QObject {
public:
    TFieldWidthFitter(QLineEdit* edit, QWidget* follower)
        : QObject(edit), m_edit(edit), m_follower(follower), m_minWidth(edit->width()),
          m_gap(follower ? follower->x() - edit->x() - edit->width() : 0)
    {
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textChanged, this, [this] { Fit(); });
        Fit();
    }

    void Fit()
    {
        const QFontMetrics fm(m_edit->font(), m_edit);
        const QString shown = m_edit->text() + PendingComposition(m_edit);
        // Frame, inner margins and the caret: not font-dependent.
        constexpr int kPadding = 12;
        const int wanted = fm.horizontalAdvance(shown) + kComposeRoom * fm.horizontalAdvance(QChar(0x4E2D)) + kPadding;
        const int w = qBound(m_minWidth, wanted, qMax(m_minWidth, kMaxFieldWidth));
        // Tall enough for the font in use (CJK fonts have tall lines).
        const int h = qMax(m_edit->height(), m_edit->sizeHint().height());
        if (w != m_edit->width() || h != m_edit->height()) m_edit->resize(w, h);
        if (m_follower) m_follower->move(m_edit->x() + m_edit->width() + m_gap, m_follower->y());
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Pre-edit text changes no text; refit once the line edit has taken it.
        if (watched == m_edit && (event->type() == QEvent::InputMethod || event->type() == QEvent::FontChange))
            QTimer::singleShot(0, this, [this] { Fit(); });
        return false;
    }

private:
    QLineEdit* m_edit;
    QPointer<QWidget> m_follower;
    int m_minWidth;
    int m_gap;
};
// Runs the caret follow after the scroll box's visible part changed size (the window was
// resized, or the sections re-wrapped to a new width).
class TViewportResizeFollower final : public QObject {
public:
    TViewportResizeFollower(QTimer* follow, QWidget* viewport) : QObject(follow), m_follow(follow)
    {
        viewport->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Resize) m_follow->start();
        return false;
    }

private:
    QTimer* m_follow;
};
} // namespace

void TReportForm::WireTyping()
{
    InstallCompositionTracker();

    // One pass after the change has been laid out; a burst of keys costs one pass.
    auto* follow = new QTimer(this);
    follow->setObjectName(QStringLiteral("caretFollowTimer"));
    follow->setSingleShot(true);
    follow->setInterval(0);
    connect(follow, &QTimer::timeout, this, [this] {
        QWidget* focus = QApplication::focusWidget();
        if (!focus || !ScrollBox_Content || !ScrollBox_Content->isAncestorOf(focus)) return;
        KeepCaretInView(ScrollBox_Report, focus);
    });
    // Only the control being typed in is followed: a report being opened or text injected
    // into another section moves nothing. Pre-edit text of an input method changes the
    // layout and so arrives as a text change too.
    auto followIfFocused = [follow](QWidget* editor) {
        return [follow, editor] {
            if (editor->hasFocus()) follow->start();
        };
    };
    for (QPlainTextEdit* m : {Memo_jcItem, memo_jcmethod, Memo_jcpart, memo_lczd, Memo_JianYi, memo_beizhu}) {
        connect(m, &QPlainTextEdit::cursorPositionChanged, follow, followIfFocused(m));
        connect(m, &QPlainTextEdit::textChanged, follow, followIfFocused(m));
    }
    for (QTextEdit* r : {rich_jcsj, rich_zdjx}) {
        connect(r, &QTextEdit::cursorPositionChanged, follow, followIfFocused(r));
        connect(r, &QTextEdit::textChanged, follow, followIfFocused(r));
    }

    new TViewportResizeFollower(follow, ScrollBox_Report->viewport());
    new TFieldWidthFitter(edt_weiJiZhi, Check_YinYiang);
}
