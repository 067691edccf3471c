// SPDX-License-Identifier: MIT
#include "InputComposition.h"
#include <QApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {
class TCompositionTracker final : public QObject {
public:
    QPointer<QWidget> widget;
    QString preedit;
    // Set while CommitPendingComposition asks the input method to commit; `committed`
    // collects what it delivered meanwhile.
    bool committing = false;
    QString committed;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::InputMethod && watched->isWidgetType()) {
            auto* e = static_cast<QInputMethodEvent*>(event);
            auto* w = static_cast<QWidget*>(watched);
            if (committing) committed += e->commitString();
            // A commit or an emptied pre-edit ends the composition of that control.
            if (!e->preeditString().isEmpty()) {
                widget = w;
                preedit = e->preeditString();
            } else if (widget == w || !widget) {
                const bool cancelled = !preedit.isEmpty() && e->commitString().isEmpty() && !committing;
                widget = nullptr;
                preedit.clear();
                if (cancelled) ForgetCancelledWord();
            }
        }
        return false;
    }

private:
    // The doctor cancelled the word (Esc). Some input contexts only hide the pre-edit and
    // still commit it when the control loses focus or is asked to commit, which would bring
    // the cancelled word back; resetting makes them forget it. Done once the event has been
    // handled, and only while no new word has started.
    void ForgetCancelledWord()
    {
        QTimer::singleShot(0, this, [this] {
            if (preedit.isEmpty()) QGuiApplication::inputMethod()->reset();
        });
    }
};

TCompositionTracker*& TrackerSlot()
{
    static TCompositionTracker* slot = nullptr;
    return slot;
}
} // namespace

void InstallCompositionTracker()
{
    if (TrackerSlot() || !qApp) return;
    auto* t = new TCompositionTracker;
    t->setParent(qApp);  // goes with the application
    qApp->installEventFilter(t);
    TrackerSlot() = t;
    QObject::connect(t, &QObject::destroyed, [] { TrackerSlot() = nullptr; });
}

QString PendingComposition(const QWidget* w)
{
    TCompositionTracker* t = TrackerSlot();
    // An editable combo box passes the events on to its line edit: either may be asked.
    if (!t || !w || !t->widget || (t->widget != w && !w->isAncestorOf(t->widget))) return {};
    return t->preedit;
}

QString CommitPendingComposition()
{
    TCompositionTracker* t = TrackerSlot();
    if (!t || !t->widget || t->preedit.isEmpty() || t->committing) return {};
    const QPointer<QWidget> target = t->widget;
    const QString pending = t->preedit;
    t->committing = true;
    t->committed.clear();
    // The input method commits the word as it would itself (the chosen candidate, or the
    // letters as shown). Some commit on commit() (ibus), others only on reset() (fcitx5);
    // a reset after a commit would commit a second time, so it is asked only while nothing
    // has come back yet.
    QGuiApplication::inputMethod()->commit();
    if (t->committed.isEmpty() && target && t->widget == target) QGuiApplication::inputMethod()->reset();
    t->committing = false;
    const QString committed = t->committed;
    t->committed.clear();
    if (!committed.isEmpty()) return committed;
    // Nothing came back: no input method, or one that dropped the word. The doctor saw it,
    // so it is inserted here, once.
    if (!target) return {};
    QInputMethodEvent commit;
    commit.setCommitString(pending);
    QCoreApplication::sendEvent(target, &commit);
    return pending;
}
