// SPDX-License-Identifier: MIT
// The window's shortcuts while a word is being composed. On X11 a key reaches the input
// method before the program, and an input method may keep a Ctrl key for itself while it
// composes (ibus with libpinyin swallows Ctrl+S and Ctrl+L): the shortcut would do nothing
// and the word would stay composing. This filter sees the key first. While a word is being
// composed in the window, a key that is the shortcut of one of the window's enabled actions
// commits the word (as the input method itself commits it) and then triggers the action, and
// the input method never gets that key. Every other key, and every key while nothing is
// composed, goes its usual way. Elsewhere than on X11 it does nothing.
// UI thread only; a child of the window it serves.
#pragma once
#include <QAbstractNativeEventFilter>
#include <QKeyCombination>
#include <QObject>

class QAction;
class QWidget;

class TComposingShortcuts final : public QObject, public QAbstractNativeEventFilter {
public:
    // `editor` holds actions of its own (its menus), which are not taken from the input method.
    TComposingShortcuts(QWidget* window, QWidget* editor);
    ~TComposingShortcuts() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    // The key an X11 key symbol (unshifted) and modifier state make, when it may be a window
    // shortcut: a letter, digit or function key with Ctrl or Alt, or a function key alone.
    // Anything else (plain letters, Space, Return, Esc: the input method's keys) is
    // Qt::Key_unknown.
    static QKeyCombination ShortcutKey(unsigned long keysym, unsigned state);
    // The enabled action of `window` whose shortcut is `key`, not one of `editor`'s; null if none.
    static QAction* ActionFor(QWidget* window, QWidget* editor, QKeyCombination key);

private:
    QWidget* m_window;
    QWidget* m_editor;
};
