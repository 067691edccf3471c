// SPDX-License-Identifier: MIT
#include "InputComposition.h"
#include <QApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QPointer>
#include <QWidget>

namespace {
class TCompositionTracker final : public QObject {
public:
    QPointer<QWidget> widget;
    QString preedit;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::InputMethod && watched->isWidgetType()) {
            auto* e = static_cast<QInputMethodEvent*>(event);
            auto* w = static_cast<QWidget*>(watched);
            // A commit or an emptied pre-edit ends the composition of that control.
            if (!e->preeditString().isEmpty()) {
                widget = w;
                preedit = e->preeditString();
            } else if (widget == w || !widget) {
                widget = nullptr;
                preedit.clear();
            }
        }
        return false;
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
    if (!t || !t->widget || t->preedit.isEmpty()) return {};
    const QPointer<QWidget> target = t->widget;
    const QString pending = t->preedit;
    QGuiApplication::inputMethod()->commit();
    if (!target || PendingComposition(target).isEmpty()) return pending;  // the input method committed it
    // No input method took it: commit the shown text ourselves, and make the input method
    // forget the composition so the word is not committed twice.
    QInputMethodEvent commit;
    commit.setCommitString(pending);
    QCoreApplication::sendEvent(target, &commit);
    QGuiApplication::inputMethod()->reset();
    return pending;
}
