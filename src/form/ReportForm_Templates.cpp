// SPDX-License-Identifier: MIT
// Report templates arrive twice: on the clipboard, which is pasted, and in a model file
// beside the program, which is loaded only when the paste leaves the editor blank (the
// host's template window sometimes puts nothing pasteable on the clipboard). No error is
// caught here: a failure to read the model file reaches the host's call.
#include "ReportForm_Editing.h"
#include "RichPaste.h"
#include "platform/LegacyText.h"
#include "platform/ProgramDir.h"
#include "rtf/Rtf.h"
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>

namespace {

// Blanks and control characters, line breaks included, as the workstation's Trim sees them.
bool IsBlankText(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0x20; });
}

// Replaces the editor's whole content by the model file: RTF as rich text, anything else as
// plain text in the workstation's encodings.
void LoadModelFile(QTextEdit* re, const QString& path)
{
    const QByteArray bytes = ReadFileBytes(path);
    if (RtfToDocument(bytes, *re->document())) return;
    re->setPlainText(DecodeWindowsText(bytes).text);
}

void PasteTemplate(QTextEdit* re, bool append, const QString& modelName)
{
    const QString folder = ProgramDir() + QStringLiteral("Temp/Model");
    QDir().mkpath(folder);  // the host writes the model files here; failing to create it is no error
    const QString modelFile = folder + QLatin1Char('/') + modelName;
    if (!QFileInfo(modelFile).isFile()) return;

    QTextCursor c = re->textCursor();
    if (append) c.movePosition(QTextCursor::End);
    else c.select(QTextCursor::Document);
    // Appended after text, the template starts a paragraph of its own: every stored line is
    // a finished paragraph, and a diagnosis glued onto the last one would read as one.
    const bool ownParagraph = append && !re->isReadOnly() && !IsBlankText(c.block().text());
    if (ownParagraph) c.insertBlock();
    re->setTextCursor(c);
    if (!PasteClipboard(re) && ownParagraph) {
        c.deletePreviousChar();  // nothing was pasted: no empty paragraph either
        re->setTextCursor(c);
    }

    if (IsBlankText(re->toPlainText())) LoadModelFile(re, modelFile);
}

}  // namespace

void TReportForm::SetModValues_SuoJianPasteFromClipboard()
{
    PasteTemplate(rich_jcsj, tb_Check_Add->isChecked(), QStringLiteral("sj.rtf"));
}

void TReportForm::SetModValues_JieLunPasteFromClipboard()
{
    PasteTemplate(rich_zdjx, tb_Check_Add->isChecked(), QStringLiteral("jl.rtf"));
}
