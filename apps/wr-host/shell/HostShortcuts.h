// SPDX-License-Identifier: MIT
// The host's shortcuts work wherever the focus is in its window. A text control claims some
// keys for itself before shortcuts are looked at (the search field takes Ctrl+E as "end of
// line", a rich edit Ctrl+Y as "redo"): for a key that an enabled action of the window is
// bound to, this guard keeps the control from claiming it, so the action runs.
// Actions inside `exclude` (the embedded editor's own menus) are not the host's. UI thread.
#pragma once
#include <QObject>
#include <QPointer>

class QAction;
class QKeyEvent;
class QWidget;

class THostShortcutGuard final : public QObject {
public:
    THostShortcutGuard(QWidget* window, QWidget* exclude);
    ~THostShortcutGuard() override;

    // The enabled host action bound to this key, if any.
    QAction* ActionFor(const QKeyEvent& key) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    QPointer<QWidget> m_exclude;
};
