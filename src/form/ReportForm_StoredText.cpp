// SPDX-License-Identifier: MIT
// Showing a stored rich-text section: the rich text when it is readable, otherwise the plain
// column, so that a report stored without (readable) RTF does not open empty and an unchanged
// save does not erase its text. Damaged RTF is announced to the doctor.
#include "LargeRichText.h"
#include "ReportUnit.h"
#include "report/ReportText.h"
#include "rtf/Rtf.h"
#include <QTextDocument>
#include <QTextEdit>

namespace {

// Problems of the reader that mean text may be missing or wrong; skipped picture kinds and
// very deep nesting keep every character and are not damage.
QStringList Damage(const QStringList& warnings)
{
    QStringList d;
    for (const QString& w : warnings)
        if (!w.contains(QLatin1String("of a kind other than")) && !w.contains(QLatin1String("nested deeper"))) d << w;
    return d;
}

QString Comparable(QString s) { return s.remove(QLatin1Char('\r')).trimmed(); }

void ShowPlain(QTextEdit* re, const QString& plain)
{
    QString text = plain;
    re->setPlainText(text.replace(QLatin1String("\r\n"), QLatin1String("\n")));
}

} // namespace

void TReportForm::LoadRichSection(QTextEdit* re, const QString& rtf, const QString& plain, const QString& caption)
{
    using report_text::IsBlank;
    QTextDocument* doc = re->document();
    QString notice;
    ForgetKeptRichText(re);
    if (ShowTooLargeRichText(re, rtf, caption, &notice)) {
        // Shown as plain text; the stored RTF is kept for an unchanged save.
    } else if (IsBlank(rtf)) {
        if (IsBlank(plain)) re->clear();
        else ShowPlain(re, plain);
    } else {
        QStringList warnings;
        if (!RtfToDocument(rtf, *doc, &warnings)) {
            // Not RTF at all: the column holds text, shown as it is.
            re->setPlainText(rtf);
        } else {
            const QString shown = DocumentPlainText(*doc);
            const QStringList damage = Damage(warnings);
            if (IsBlank(shown) && !IsBlank(plain)) {
                ShowPlain(re, plain);
                if (!damage.isEmpty()) notice = QStringLiteral("%1的格式文字无法读出，显示的是保存的纯文本（没有格式）").arg(caption);
            } else if (!damage.isEmpty()) {
                if (!IsBlank(plain) && Comparable(shown) != Comparable(plain)) {
                    ShowPlain(re, plain);
                    notice = QStringLiteral("%1的格式文字已损坏，可能不完整，显示的是保存的纯文本（没有格式）").arg(caption);
                } else {
                    notice = QStringLiteral("%1的格式文字已损坏，显示的内容可能不完整").arg(caption);
                }
                notice += QStringLiteral("（%1）").arg(damage.join(QStringLiteral("; ")));
            }
        }
    }
    // What was loaded is the starting point, not an edit the user could undo.
    doc->clearUndoRedoStacks();
    if (notice.isEmpty() || !FmainForm) return;
    try {
        // "警告:" lines are notices, not failures: the host shows them to the doctor.
        Write_Log_TomfmAndLogbpl(QStringLiteral("ReportForm.AsynRptInfoToUI"), QStringLiteral("警告:") + notice + QLatin1Char('.'));
    } catch (const Exception&) {
        // A host without a log still shows the report.
    }
}
