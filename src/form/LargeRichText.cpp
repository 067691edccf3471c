// SPDX-License-Identifier: MIT
#include "LargeRichText.h"
#include "rtf/Rtf.h"
#include <QTextDocument>
#include <QTextEdit>

namespace {

// The stored RTF rides on the edit itself, so that it goes with the control it belongs to.
const char* const kKeptRtf = "wrKeptStoredRtf";

QByteArray SevenBit(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() < 0x80) out.append(char(c.unicode()));
        else out.append("\\u").append(QByteArray::number(qint16(c.unicode()))).append('?');
    }
    return out;
}

} // namespace

bool ShowTooLargeRichText(QTextEdit* re, const QString& rtf, const QString& caption, QString* notice)
{
    if (rtf.size() <= kMaxShownRtfChars || !LooksLikeRtf(rtf)) return false;
    QString plain;
    {
        // Read apart from the edit, so that nothing lays out the formatted document.
        QTextDocument doc;
        doc.setUndoRedoEnabled(false);
        RtfToDocument(rtf, doc);
        plain = DocumentPlainText(doc);
    }
    re->setPlainText(plain.replace(QLatin1String("\r\n"), QLatin1String("\n")));
    re->document()->setModified(false);
    re->setProperty(kKeptRtf, rtf);
    *notice = QStringLiteral("%1的格式文字太大（%2 MB），只显示其中的文字，没有格式；不修改这一栏时，保存不改动原来的格式文字")
                  .arg(caption)
                  .arg(rtf.size() / (1024.0 * 1024.0), 0, 'f', 1);
    return true;
}

void ForgetKeptRichText(QTextEdit* re) { re->setProperty(kKeptRtf, QVariant()); }

bool KeptRichTextToSave(QTextEdit* re, QByteArray* rtf)
{
    const QVariant kept = re->property(kKeptRtf);
    if (!kept.isValid()) return false;
    if (re->document()->isModified()) {
        // The doctor changed the section: from now on it is what the edit shows.
        ForgetKeptRichText(re);
        return false;
    }
    *rtf = SevenBit(kept.toString());
    return true;
}
