// SPDX-License-Identifier: MIT
// How a chosen template travels to the report editor: on the clipboard (RTF for the rich
// edit's paste, plain text for everything else) and in the model file the editor falls back
// to when the paste leaves it blank (<program folder>/Temp/Model/sj.rtf or jl.rtf).
#pragma once
#include <QString>

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
