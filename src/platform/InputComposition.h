// SPDX-License-Identifier: MIT
// Words still being composed by an input method (pinyin pre-edit text) are shown in a text
// control but are not part of its text until the input method commits them. Anything that
// reads the controls to store them (save, the close question, locking, opening another
// report) first calls CommitPendingComposition, so what the doctor sees is what is stored.
//
// The tracker is one application-wide event filter in the shared platform library, so the
// host and the plug-in see the same pending composition. UI thread only.
#pragma once
#include "PlatformExport.h"
#include <QString>

class QWidget;

// Starts watching input-method events (idempotent; needs a QApplication).
WR_PLATFORM_EXPORT void InstallCompositionTracker();

// The pre-edit text last shown in `w` and not yet committed or cleared; empty when none.
WR_PLATFORM_EXPORT QString PendingComposition(const QWidget* w);

// Commits the focused control's pending composition: first asks the platform input method
// (fcitx5 and ibus commit their pre-edit synchronously); if the text is still pending (no
// input method, or one that only drops it), sends the control the commit itself and resets
// the input method so it does not commit the same word again. Returns the committed text.
WR_PLATFORM_EXPORT QString CommitPendingComposition();
