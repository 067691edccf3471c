// SPDX-License-Identifier: MIT
#include "shell/ComposingShortcuts.h"
#include "platform/InputComposition.h"
#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <QKeySequence>
#include <QPointer>
#include <QWidget>
#include <xcb/xcb.h>
// Xlib last: its macros (None, Bool, KeyPress, ...) clash with Qt's names.
#include <X11/XKBlib.h>
#include <X11/keysym.h>

namespace {
// X11 modifier bits of a key event's state.
constexpr unsigned kShift = ShiftMask, kControl = ControlMask, kAlt = Mod1Mask;
} // namespace

TComposingShortcuts::TComposingShortcuts(QWidget* window, QWidget* editor)
    : QObject(window), m_window(window), m_editor(editor)
{
    if (qApp->nativeInterface<QNativeInterface::QX11Application>()) qApp->installNativeEventFilter(this);
}

TComposingShortcuts::~TComposingShortcuts() { qApp->removeNativeEventFilter(this); }

QKeyCombination TComposingShortcuts::ShortcutKey(unsigned long keysym, unsigned state)
{
    Qt::KeyboardModifiers mods;
    if (state & kControl) mods |= Qt::ControlModifier;
    if (state & kAlt) mods |= Qt::AltModifier;
    if (state & kShift) mods |= Qt::ShiftModifier;
    const bool chord = mods & (Qt::ControlModifier | Qt::AltModifier);
    int key = Qt::Key_unknown;
    if (keysym >= XK_F1 && keysym <= XK_F35) key = Qt::Key_F1 + int(keysym - XK_F1);
    else if (!chord) key = Qt::Key_unknown;
    else if (keysym >= XK_a && keysym <= XK_z) key = Qt::Key_A + int(keysym - XK_a);
    else if (keysym >= XK_A && keysym <= XK_Z) key = Qt::Key_A + int(keysym - XK_A);
    else if (keysym >= XK_0 && keysym <= XK_9) key = Qt::Key_0 + int(keysym - XK_0);
    if (key == Qt::Key_unknown) return QKeyCombination(Qt::Key_unknown);
    return QKeyCombination(mods, Qt::Key(key));
}

QAction* TComposingShortcuts::ActionFor(QWidget* window, QWidget* editor, QKeyCombination key)
{
    if (key.key() == Qt::Key_unknown) return nullptr;
    const QKeySequence wanted(key);
    for (QAction* a : window->findChildren<QAction*>()) {
        if (!a->isEnabled() || !a->shortcuts().contains(wanted)) continue;
        auto* owner = qobject_cast<QWidget*>(a->parent());
        if (editor && owner && (owner == editor || editor->isAncestorOf(owner))) continue;
        return a;
    }
    return nullptr;
}

bool TComposingShortcuts::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_KEY_PRESS) return false;
    // Only while a word is being composed in this window and nothing is in front of it.
    QWidget* focus = QApplication::focusWidget();
    if (!focus || focus->window() != m_window || QApplication::activeModalWidget() || QApplication::activePopupWidget())
        return false;
    if (PendingComposition(focus).isEmpty()) return false;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->display()) return false;
    const auto* press = reinterpret_cast<const xcb_key_press_event_t*>(event);
    const KeySym sym = XkbKeycodeToKeysym(x11->display(), press->detail, 0, 0);
    QAction* action = ActionFor(m_window, m_editor, ShortcutKey(sym, press->state));
    if (!action) return false;
    // Acted on once this event is done: the word first, then what the key asks for.
    QMetaObject::invokeMethod(
        this,
        [action = QPointer<QAction>(action)] {
            CommitPendingComposition();
            if (action && action->isEnabled()) action->trigger();
        },
        Qt::QueuedConnection);
    return true;
}
