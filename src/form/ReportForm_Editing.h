// SPDX-License-Identifier: MIT
// Shared by the editing-tool sources of TReportForm (formatting, pickers, templates).
// Internal to src/form.
#pragma once
#include "ReportUnit.h"

// The rich edit that the tool bar, the context menu and symbol insertion act on: current_Re,
// or the findings editor until the user has clicked, entered or hovered either rich edit.
inline QTextEdit* EditingTarget(const TReportForm& form) { return form.current_Re ? form.current_Re : form.rich_jcsj; }
