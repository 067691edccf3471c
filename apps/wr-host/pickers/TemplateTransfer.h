// SPDX-License-Identifier: MIT
// How a chosen template travels to the report editor: on the clipboard (RTF for the rich
// edit's paste, plain text for everything else) and in the model file the editor falls back
// to when the paste leaves it blank (<program folder>/Temp/Model/sj.rtf or jl.rtf).
// Templates are stored as RTF text; reading it is the RTF library's (rtf/Rtf.h).
#pragma once
#include "rtf/Rtf.h"
#include <QByteArray>
#include <QString>

// The RTF text as 7-bit bytes: characters above 127 (stored RTF should have none, but a
// hand-edited template may) become \uN? escapes, which every RTF reader understands.
QByteArray RtfBytes(const QString& rtf);
// The visible text of an RTF document, for previews, as the RTF library reads it, with
// paragraphs as line breaks. Never fails; malformed input gives what could be read.
QString RtfPlainText(const QByteArray& rtf);
// A plain text as a minimal RTF document (for templates stored as plain text).
QString PlainTextToRtf(const QString& text);

enum class TTemplateSection { SuoJian, JieLun };

// "<program folder>/Temp/Model/sj.rtf" or ".../jl.rtf".
QString ModelFilePath(TTemplateSection section);
// Puts the RTF on the clipboard as "text/rtf" and "application/rtf", with its plain text.
void PutRtfOnClipboard(const QString& rtf);
// Puts a plain text (a special symbol) on the clipboard.
void PutTextOnClipboard(const QString& text);
// Writes the model file, creating its folder. False with a message on failure; the old file
// is then left as it was.
bool WriteModelFile(TTemplateSection section, const QString& rtf, QString* error);
