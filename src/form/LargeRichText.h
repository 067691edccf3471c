// SPDX-License-Identifier: MIT
// Rich text too large to show formatted within a few seconds (pasted documents of tens of
// megabytes) opens as its plain text with a notice, and the stored RTF is kept aside: a save
// writes it back exactly as stored unless the doctor changed that section. UI thread only.
#pragma once
#include <QByteArray>
#include <QString>

class QTextEdit;

// Stored RTF longer than this (characters) opens as plain text.
constexpr qsizetype kMaxShownRtfChars = 16 * 1024 * 1024;

// Shows an oversized stored RTF as its plain text and keeps the RTF aside; false (nothing
// done) when the RTF is not that large. The notice for the doctor goes to *notice.
bool ShowTooLargeRichText(QTextEdit* re, const QString& rtf, const QString& caption, QString* notice);
// Forgets the RTF kept aside for the edit (a new report is being shown).
void ForgetKeptRichText(QTextEdit* re);
// The RTF to save for the edit when it still shows an oversized stored RTF unchanged: the
// stored text (7-bit as the editor writes it; other characters as \uN escapes).
bool KeptRichTextToSave(QTextEdit* re, QByteArray* rtf);
