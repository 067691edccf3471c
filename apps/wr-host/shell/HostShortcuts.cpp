// SPDX-License-Identifier: MIT
#include "shell/HostShortcuts.h"
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

THostShortcutGuard::THostShortcutGuard(QWidget* window, QWidget* exclude)
    : QObject(window), m_window(window), m_exclude(exclude)
{
    qApp->installEventFilter(this);
}

THostShortcutGuard::~THostShortcutGuard()
{
    if (qApp) qApp->removeEventFilter(this);
}

QAction* THostShortcutGuard::ActionFor(const QKeyEvent& key) const
{
    if (key.key() == 0 || key.key() == Qt::Key_unknown) return nullptr;
    const QKeySequence pressed(QKeyCombination(key.modifiers() & ~Qt::KeypadModifier, Qt::Key(key.key())));
    for (QAction* a : m_window->findChildren<QAction*>()) {
        if (!a->isEnabled() || a->shortcuts().isEmpty() || a->shortcutContext() == Qt::WidgetShortcut) continue;
        const auto owner = [a] {
            QObject* p = a->parent();
            while (p && !p->isWidgetType()) p = p->parent();
            return static_cast<QWidget*>(p);
        }();
        if (m_exclude && owner && (owner == m_exclude || m_exclude->isAncestorOf(owner))) continue;
        for (const QKeySequence& s : a->shortcuts())
            if (s.matches(pressed) == QKeySequence::ExactMatch) return a;
    }
    return nullptr;
}

bool THostShortcutGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    if (w->window() != m_window) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    // Only keys with Ctrl, Alt or a function key: plain typing always goes to the control.
    const bool command = (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        || (key->key() >= Qt::Key_F1 && key->key() <= Qt::Key_F35);
    if (!command || !ActionFor(*key)) return false;
    // Not accepted: the shortcut map gets the key and runs the action.
    event->ignore();
    return true;
}
