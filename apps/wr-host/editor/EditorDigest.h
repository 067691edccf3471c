// SPDX-License-Identifier: MIT
// What the doctor could lose, as one digest: the editor session compares it with the digest
// taken when the report was opened or saved to tell whether leaving must ask.
//
// Covers every named control of the editor: its text, its ticked state, and for rich text
// every run's text with its font family, size, weight, slant, underline and colour. Leaves
// out what is no content (enabled, visible, read-only, the caret, the drop-down lists). The
// texts are fed to the hash run by run and paragraph by paragraph, with no dump of the
// controls in between, so a report of tens of megabytes costs no copy of itself. UI thread
// only.
#pragma once
#include <QByteArray>

class QWidget;

QByteArray EditorContentDigest(QWidget* root);
