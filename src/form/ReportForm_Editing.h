// SPDX-License-Identifier: MIT
// Shared by the editing-tool sources of TReportForm (formatting, pickers, templates).
// Internal to src/form.
#pragma once
#include "ReportUnit.h"
#include <QColor>

// The rich edit that the tool bar, the context menu and symbol insertion act on: current_Re,
// or the findings editor until the user has clicked, entered or hovered either rich edit.
inline QTextEdit* EditingTarget(const TReportForm& form) { return form.current_Re ? form.current_Re : form.rich_jcsj; }

class QTextDocument;

// The default text colour a stored default font gave the rich edit (invalid for the
// window-text colour, which needs no saving). The control shows it through its palette,
// which RTF does not carry.
QColor DefaultTextColorOf(const QTextEdit* re);
// Gives every fragment of `doc` without a colour of its own the colour `color`.
void ApplyDefaultTextColor(QTextDocument& doc, const QColor& color);

// Picker shortcuts (Alt+1 .. Alt+9), Tab-reachable caption buttons and Ctrl+Y as redo. Call
// once, after the controls exist.
void InstallKeyboardAccess(TReportForm& form);
