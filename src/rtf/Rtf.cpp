// SPDX-License-Identifier: MIT
#include "Rtf.h"

#include "RtfBuilder.h"
#include "RtfReader.h"

#include <QLoggingCategory>
#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>

Q_LOGGING_CATEGORY(lcRtf, "wr.rtf")

namespace {

// Offset of "{\rtf" after whitespace and a byte-order mark, or -1.
qsizetype rtfStart(const QByteArray& d)
{
    qsizetype i = d.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < d.size() && (d[i] == ' ' || d[i] == '\t' || d[i] == '\r' || d[i] == '\n'))
        ++i;
    return QByteArrayView(d).sliced(i).startsWith("{\\rtf") ? i : -1;
}

qsizetype rtfStart(const QString& s)
{
    qsizetype i = s.startsWith(QChar(0xFEFF)) ? 1 : 0;
    while (i < s.size() && (s[i] == u' ' || s[i] == u'\t' || s[i] == u'\r' || s[i] == u'\n'))
        ++i;
    return QStringView(s).mid(i).startsWith(u"{\\rtf") ? i : -1;
}

void report(const rtf::Diagnostics& diag, QStringList* warnings)
{
    const QStringList messages = diag.messages();
    if (warnings)
        *warnings = messages;
    else if (!messages.isEmpty())
        qCWarning(lcRtf).noquote() << "RTF input damaged:" << messages.join(QStringLiteral("; "));
}

void read(const char* data, qsizetype size, bool utf8, QTextCursor& cursor, bool whole,
          QStringList* warnings)
{
    rtf::Diagnostics diag;
    rtf::DocBuilder builder(cursor, whole);
    rtf::Reader reader(builder, diag);
    reader.read(data, size, utf8);
    report(diag, warnings);
}

bool loadDocument(const char* data, qsizetype size, bool utf8, QTextDocument& doc, QStringList* warnings)
{
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false); // loading replaces the document: nothing to undo
    doc.clear();
    QTextCursor cursor(&doc);
    cursor.beginEditBlock(); // one layout pass for the whole document
    read(data, size, utf8, cursor, true, warnings);
    cursor.endEditBlock();
    doc.setUndoRedoEnabled(undo);
    return true;
}

bool isUtf16(const QByteArray& d)
{
    return d.startsWith("\xFF\xFE") || d.startsWith("\xFE\xFF");
}

QString fromUtf16(const QByteArray& d)
{
    QStringDecoder dec(QStringConverter::Utf16); // the byte-order mark tells the byte order
    return dec.decode(d);
}

} // namespace

bool LooksLikeRtf(const QByteArray& data)
{
    return isUtf16(data) ? rtfStart(fromUtf16(data)) >= 0 : rtfStart(data) >= 0;
}

bool LooksLikeRtf(const QString& text)
{
    return rtfStart(text) >= 0;
}

bool RtfToDocument(const QByteArray& rtf, QTextDocument& doc, QStringList* warnings)
{
    if (isUtf16(rtf))
        return RtfToDocument(fromUtf16(rtf), doc, warnings);
    const qsizetype start = rtfStart(rtf);
    if (start < 0)
        return false;
    return loadDocument(rtf.constData() + start, rtf.size() - start, false, doc, warnings);
}

bool RtfToDocument(const QString& rtf, QTextDocument& doc, QStringList* warnings)
{
    const qsizetype start = rtfStart(rtf);
    if (start < 0)
        return false;
    const QByteArray utf8 = QStringView(rtf).mid(start).toUtf8();
    return loadDocument(utf8.constData(), utf8.size(), true, doc, warnings);
}

bool InsertRtf(const QByteArray& rtf, QTextCursor& cursor, QStringList* warnings)
{
    const bool utf16 = isUtf16(rtf);
    const QByteArray data = utf16 ? fromUtf16(rtf).toUtf8() : rtf;
    const qsizetype start = rtfStart(data);
    if (start < 0 || cursor.isNull())
        return false;
    cursor.beginEditBlock(); // one undo step, as one paste
    cursor.removeSelectedText();
    read(data.constData() + start, data.size() - start, utf16, cursor, false, warnings);
    cursor.endEditBlock();
    return true;
}

bool RtfToDocument(const QByteArray& rtf, QTextDocument& doc)
{
    return RtfToDocument(rtf, doc, nullptr);
}

bool RtfToDocument(const QString& rtf, QTextDocument& doc)
{
    return RtfToDocument(rtf, doc, nullptr);
}

bool InsertRtf(const QByteArray& rtf, QTextCursor& cursor)
{
    return InsertRtf(rtf, cursor, nullptr);
}
