// SPDX-License-Identifier: MIT
// What a script does to the editor's controls, as a user would: find a control by its
// objectName, type a text into it, tick it, click it, and read back its state. Typing into
// a disabled or read-only control fails, as it would for a person. UI thread only.
#pragma once
#include <QJsonObject>
#include <QString>

class QObject;
class QWidget;

// Whether the caret of a text control (line edit, memo, rich edit) lies wholly inside the
// part of its window that shows it (not scrolled away, not cut off); *applies is false for
// other controls.
bool CaretVisible(const QWidget* control, bool* applies);

// The widget or action named `name` under root (root itself included); null when none.
QObject* FindControl(QWidget* root, const QString& name);

// State of one control: class, enabled, visible, and where they apply text, checked,
// readOnly, items (combo boxes) and fragments (character formats of a rich edit).
QJsonObject ControlState(QObject* control, QWidget* root);
// Every named widget and action under root, keyed by objectName (Qt's own internal
// "qt_" children left out).
QJsonObject DumpControls(QWidget* root);

// Replaces the control's text (line edit, memo, rich edit, combo, date, spin box).
bool SetControlText(QObject* control, const QString& text, QString* error);
// Ticks or unticks a checkable button or action by clicking it when its state differs.
bool SetControlChecked(QObject* control, bool on, QString* error);
bool ClickControl(QObject* control, QString* error);
// Gives the control the keyboard focus (activating its window), as a click into it would.
bool FocusControl(QObject* control, QString* error);
// The value `expect` compares: "text" (default), "checked", "enabled", "readOnly" or
// "visible" of the control, booleans as "true"/"false". False for an unknown property.
bool ControlProperty(QObject* control, QWidget* root, const QString& property, QString* value, QString* error);
