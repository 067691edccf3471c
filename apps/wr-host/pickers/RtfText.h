// SPDX-License-Identifier: MIT
// The little the host needs to know about RTF: templates are stored as RTF text and travel
// to the editor as bytes on the clipboard and in model files, and the template picker shows
// a plain-text preview. Reading RTF properly is the editor's business.
#pragma once
// LooksLikeRtf (whether a text is RTF rather than plain text) comes from the RTF library.
#include "rtf/Rtf.h"
#include <QByteArray>
#include <QString>

// The RTF text as 7-bit bytes: characters above 127 (stored RTF should have none, but a
// hand-edited template may) become \uN? escapes, which every RTF reader understands.
QByteArray RtfBytes(const QString& rtf);
// The visible text of an RTF document, for previews: paragraphs as line breaks, \uN and
// \'hh characters decoded (\ansicpg936 as GBK), font/colour/style tables and pictures
// skipped. Never fails; malformed input gives what could be read.
QString RtfPlainText(const QByteArray& rtf);
// A plain text as a minimal RTF document (for templates stored as plain text).
QString PlainTextToRtf(const QString& text);
