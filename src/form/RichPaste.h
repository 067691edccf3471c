// SPDX-License-Identifier: MIT
// Pasting into the report's rich edits. Templates and symbols reach the form on the
// clipboard, mostly as RTF written by Windows programs, which QTextEdit cannot read on its
// own; these functions take RTF ("text/rtf", "application/rtf", Windows' "Rich Text Format"),
// then HTML, then plain text. UI thread only.
#pragma once
#include <QTextEdit>

class QMimeData;

// Replaces the selection of `re` by the content of `data` (inserts at the caret when there
// is no selection) as one undo step, leaving the caret after the inserted content. Does
// nothing and answers false when `re` is read-only or `data` holds nothing pasteable (an
// empty text included); the selection is then kept.
bool PasteMimeData(QTextEdit* re, const QMimeData* data);
// The same with the system clipboard's content.
bool PasteClipboard(QTextEdit* re);

// A QTextEdit whose own paste (keyboard, drag and drop) goes through PasteMimeData and whose
// copy also offers the selection as RTF, so that content moves between this editor and
// Windows programs with its formatting.
class TRichEdit : public QTextEdit {
    Q_OBJECT

public:
    using QTextEdit::QTextEdit;

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;
};
