// SPDX-License-Identifier: MIT
// Record to form and back, and the RTF the save takes from the two rich edits.
#include "ReportForm_Editing.h"
#include "LargeRichText.h"
#include "ReportUnit.h"
#include "report/NewStream.h"
#include "rtf/Rtf.h"
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextEdit>
#include <memory>

namespace {

// A memo's text with its line breaks as CR LF, as the stored texts have them.
QString MemoText(const QPlainTextEdit* memo)
{
    return memo->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

} // namespace

void TReportForm::AsynRptInfoToUI(const TReportInfo& rpt_info)
{
    // Work on a copy: the change handlers that run below may touch the form's record, which
    // is usually the argument.
    const TReportInfo r = rpt_info;
    memo_jcmethod->setPlainText(r.FjcMethod);
    Memo_jcItem->setPlainText(r.FItemName);
    Memo_jcpart->setPlainText(r.Fjcpart);
    cbx_jcTuJing->setEditText(r.FjcTuJing);
    cbx_ImageQuality->setEditText(r.FImgQuality);
    Memo_JianYi->setPlainText(r.FJianYi);
    LoadRichSection(rich_jcsj, r.Frtf_SuoJian, r.FSuoJian, QStringLiteral("影像表现"));
    LoadRichSection(rich_zdjx, r.Frtf_JieLun, r.FJieLun, QStringLiteral("诊断印像"));
    Cbx_TanTouRate->setEditText(r.FTanTouRate);
    cbx_ExamDoctor->setEditText(r.FExamDoctor);
    Cbx_ReportDoctor->setEditText(r.FReportDoctor);
    Cbx_ShenHedoctor->setEditText(r.FShenHeDoctor);
    Cbx_HuiZhenDoctor->setEditText(r.FHuiZhenDoctor);
    L_ReportDate->SetDateTime(DateTimeToQDateTime(r.FReportDate));
    L_ShenHeDate->SetDateTime(DateTimeToQDateTime(r.FshenHeDate));
    Check_YinYiang->setChecked(r.FYinYangXing);
    edt_weiJiZhi->setText(r.FWeiJiValue);
    memo_beizhu->setPlainText(r.FBeiZhu);
    memo_lczd->setPlainText(r.Flczd);
    Cbx_kgj_Left_BaseLine->setEditText(r.FkgjLBaseLine);
    Cbx_kgj_Left_kjgd->setEditText(r.FkgjLKjgd);
    Cbx_kgj_Left_gxtq->setEditText(r.FkgjLGxtq);
    Cbx_kgj_Left_rgyc->setEditText(r.FkgjLRgyc);
    Cbx_kgj_Left_gxzx->setEditText(r.FkgjLGxzx);
    Cbx_kgj_Right_BaseLine->setEditText(r.FkgjRBaseLine);
    Cbx_kgj_Right_kjgd->setEditText(r.FkgjRKjgd);
    Cbx_kgj_Right_gxtq->setEditText(r.FkgjRGxtq);
    Cbx_kgj_Right_rgyc->setEditText(r.FkgjRRgyc);
    Cbx_kgj_Right_gxzx->setEditText(r.FkgjRGxzx);
    Cbx_kgj_Left_α->setEditText(r.FkgjL_A);
    Cbx_kgj_Right_α->setEditText(r.FkgjR_A);
    Cbx_kgj_Left_β->setEditText(r.FkgjL_B);
    Cbx_kgj_Right_β->setEditText(r.FkgjR_B);
}

void TReportForm::UiToRptInfo(TReportInfo& r)
{
    r.FjcMethod = MemoText(memo_jcmethod);
    r.FItemName = MemoText(Memo_jcItem);
    r.Fjcpart = MemoText(Memo_jcpart);
    r.FjcTuJing = cbx_jcTuJing->currentText();
    r.FImgQuality = cbx_ImageQuality->currentText();
    r.FJianYi = MemoText(Memo_JianYi);
    r.FSuoJian = DocumentPlainText(*rich_jcsj->document());
    r.FJieLun = DocumentPlainText(*rich_zdjx->document());
    r.FTanTouRate = Cbx_TanTouRate->currentText();
    r.FExamDoctor = cbx_ExamDoctor->currentText();
    r.FReportDoctor = Cbx_ReportDoctor->currentText();
    r.FShenHeDoctor = Cbx_ShenHedoctor->currentText();
    r.FHuiZhenDoctor = Cbx_HuiZhenDoctor->currentText();
    r.FReportDate = QDateTimeToDateTime(L_ReportDate->DateTime());
    r.FshenHeDate = QDateTimeToDateTime(L_ShenHeDate->DateTime());
    r.FYinYangXing = Check_YinYiang->isChecked();
    r.FWeiJiValue = edt_weiJiZhi->text();
    r.FBeiZhu = MemoText(memo_beizhu);
    r.Flczd = MemoText(memo_lczd);
    r.FkgjLBaseLine = Cbx_kgj_Left_BaseLine->currentText();
    r.FkgjLKjgd = Cbx_kgj_Left_kjgd->currentText();
    r.FkgjLGxtq = Cbx_kgj_Left_gxtq->currentText();
    r.FkgjLRgyc = Cbx_kgj_Left_rgyc->currentText();
    r.FkgjLGxzx = Cbx_kgj_Left_gxzx->currentText();
    r.FkgjRBaseLine = Cbx_kgj_Right_BaseLine->currentText();
    r.FkgjRKjgd = Cbx_kgj_Right_kjgd->currentText();
    r.FkgjRGxtq = Cbx_kgj_Right_gxtq->currentText();
    r.FkgjRRgyc = Cbx_kgj_Right_rgyc->currentText();
    r.FkgjRGxzx = Cbx_kgj_Right_gxzx->currentText();
    r.FkgjL_A = Cbx_kgj_Left_α->currentText();
    r.FkgjR_A = Cbx_kgj_Right_α->currentText();
    r.FkgjL_B = Cbx_kgj_Left_β->currentText();
    r.FkgjR_B = Cbx_kgj_Right_β->currentText();
}

QByteArray TReportForm::RichEditRtf(TRichSection which)
{
    QTextEdit* re = which == TRichSection::SuoJian ? rich_jcsj : rich_zdjx;
    // A section too large to show formatted goes back as it was stored, unless it was edited.
    if (QByteArray kept; KeptRichTextToSave(re, &kept)) return kept;
    // The RTF writer works on the document, not on its wrapped lines, so word wrap need not
    // be switched off to take it; switching it costs two layouts of the whole document
    // (about 100 ms for a 1 MB report). It is on afterwards, as the save leaves it.
    re->setAcceptRichText(true);
    // Text in the stored default colour shows it through the control, not the document: a
    // copy carries it into the RTF, so the report reads the same elsewhere.
    const QColor defaultColor = DefaultTextColorOf(re);
    const QByteArray rtf = StreamRtfOverPlainText(re->toPlainText(), [re, defaultColor](TNewStream& stream) {
        if (!defaultColor.isValid()) {
            WriteBlocks(stream, DocumentToRtf(*re->document()));
            return;
        }
        std::unique_ptr<QTextDocument> copy(re->document()->clone());
        ApplyDefaultTextColor(*copy, defaultColor);
        WriteBlocks(stream, DocumentToRtf(*copy));
    });
    if (re->lineWrapMode() != QTextEdit::WidgetWidth) re->setLineWrapMode(QTextEdit::WidgetWidth);
    return rtf;
}
