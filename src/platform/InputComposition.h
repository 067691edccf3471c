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

// Ends the focused control's pending composition exactly once: the platform input method is
// asked to commit it (the word as that input method commits it: its chosen candidate, or
// the letters shown); only when it delivers nothing (no input method, or one that drops the
// word) is the shown pre-edit inserted here. Returns the committed text, empty when nothing
// was being composed. A composition the user cancelled is never committed: the input
// method is reset when a pre-edit ends without a commit.
WR_PLATFORM_EXPORT QString CommitPendingComposition();
