// SPDX-License-Identifier: MIT
#include "RichPaste.h"
#include "rtf/Rtf.h"
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace {

// Names under which programs offer RTF: X11 and macOS programs, and Windows' registered
// clipboard format as Qt reports it.
bool IsRtfFormat(const QString& format)
{
    return format == QLatin1String("text/rtf") || format == QLatin1String("application/rtf")
           || format == QLatin1String("text/richtext") || format.contains(QLatin1String("Rich Text Format"));
}

QByteArray RtfOf(const QMimeData* data)
{
    for (const QString& format : data->formats()) {
        if (!IsRtfFormat(format)) continue;
        const QByteArray bytes = data->data(format);
        if (LooksLikeRtf(bytes)) return bytes;
    }
    return {};
}

}  // namespace

bool PasteMimeData(QTextEdit* re, const QMimeData* data)
{
    if (!re || !data || re->isReadOnly()) return false;
    QTextCursor c = re->textCursor();
    if (const QByteArray rtf = RtfOf(data); !rtf.isEmpty()) {
        InsertRtf(rtf, c);  // one undo step, selection replaced, cursor after the insert
    } else if (re->acceptRichText() && data->hasHtml() && !data->html().isEmpty()) {
        c.beginEditBlock();
        c.insertFragment(QTextDocumentFragment::fromHtml(data->html(), re->document()));
        c.endEditBlock();
    } else if (data->hasText() && !data->text().isEmpty()) {
        c.beginEditBlock();
        c.insertText(data->text());
        c.endEditBlock();
    } else {
        return false;
    }
    re->setTextCursor(c);
    re->ensureCursorVisible();
    return true;
}

bool PasteClipboard(QTextEdit* re)
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard && PasteMimeData(re, clipboard->mimeData());
}

bool TRichEdit::canInsertFromMimeData(const QMimeData* source) const
{
    return !RtfOf(source).isEmpty() || QTextEdit::canInsertFromMimeData(source);
}

void TRichEdit::insertFromMimeData(const QMimeData* source)
{
    // Images and URLs are left to QTextEdit, which also refuses them when read-only.
    if (!PasteMimeData(this, source)) QTextEdit::insertFromMimeData(source);
}

QMimeData* TRichEdit::createMimeDataFromSelection() const
{
    QMimeData* data = QTextEdit::createMimeDataFromSelection();
    const QTextDocumentFragment selection = textCursor().selection();
    if (!data || selection.isEmpty()) return data;
    QTextDocument doc;
    QTextCursor(&doc).insertFragment(selection);
    const QByteArray rtf = DocumentToRtf(doc);
    data->setData(QStringLiteral("text/rtf"), rtf);
#ifdef Q_OS_WIN
    data->setData(QStringLiteral("application/x-qt-windows-mime;value=\"Rich Text Format\""), rtf);
#endif
    return data;
}
