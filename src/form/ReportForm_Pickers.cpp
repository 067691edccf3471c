// SPDX-License-Identifier: MIT
// Section captions open the host's picker windows; the host answers later through the
// setters below. Nothing pairs a request with its answer: any number of answers, in any
// order, is accepted.
#include "ReportForm_Editing.h"
#include "RichPaste.h"
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextEdit>

namespace {

// The host's main form at the moment of the click; EIntfCastError when it has none.
IMainFrom& Host(IInterface* mainForm) { return *IntfCast<IMainFrom>(mainForm); }

// Replaces the whole text, whatever "追加" says and whether or not the memo is read-only;
// the memo's change handler then fits the section to it.
void ReplaceText(QPlainTextEdit* memo, const QString& text) { memo->setPlainText(text); }

}  // namespace

void TReportForm::sb_jcitemClick(QObject* Sender) { Host(FmainForm).ShowExamItemFrom(); }

void TReportForm::sb_jcMethodClick(QObject* Sender) { Host(FmainForm).ShowExamMethodForm(); }

void TReportForm::Lab_jcpartClick(QObject* Sender) { Host(FmainForm).ShowExamJCBWForm(); }

void TReportForm::lab_lczdClick(QObject* Sender) { Host(FmainForm).ShowExamLCZD(); }

// Both template captions: the host's template window serves findings and impression alike.
void TReportForm::lab_yxbxClick(QObject* Sender) { Host(FmainForm).ShowReportModel(); }

void TReportForm::lab_JianyiClick(QObject* Sender) { Host(FmainForm).ShowExamJianYi(); }

void TReportForm::lab_beizhuClick(QObject* Sender) { Host(FmainForm).ShowExamBeiZhu(); }

void TReportForm::Tb_tsfhClick(QObject* Sender) { Host(FmainForm).ShowTeShuFuHao(); }

void TReportForm::SetJinCha_ItemString(const QString& itemNames) { ReplaceText(Memo_jcItem, itemNames); }

void TReportForm::SetExamMethodString(const QString& uExamMethod) { ReplaceText(memo_jcmethod, uExamMethod); }

void TReportForm::SetExamBeiZhuString(const QString& uExamBeiZhu) { ReplaceText(memo_beizhu, uExamBeiZhu); }

void TReportForm::SetExamJianYiString(const QString& uExamJianYi) { ReplaceText(Memo_JianYi, uExamJianYi); }

void TReportForm::SetExamBuWeiString(const QString& uExamBuWei) { ReplaceText(Memo_jcpart, uExamBuWei); }

void TReportForm::SetExamLCZDString(const QString& uLczd) { ReplaceText(memo_lczd, uLczd); }

// The host puts the chosen symbol on the clipboard before calling; the argument itself is
// not inserted. The symbol goes in before a selected word, which stays.
void TReportForm::SetTeShuFuHao(const QString& uTsfh)
{
    QTextEdit* re = EditingTarget(*this);
    QTextCursor c = re->textCursor();
    c.setPosition(c.selectionStart());
    re->setTextCursor(c);
    PasteClipboard(re);
    c = re->textCursor();
    c.clearSelection();
    re->setTextCursor(c);
}
