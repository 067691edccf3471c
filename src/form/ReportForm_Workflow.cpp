// SPDX-License-Identifier: MIT
// Opening and saving a report, the exam-item switch, and the report-data hooks that need
// the form's own state.
#include "ReportUnit.h"
#include "platform/InputComposition.h"
#include "SectionPanel.h"
#include "platform/DialogService.h"
#include <QCheckBox>
#include <QComboBox>
#include <QScopedValueRollback>

namespace {

const QString kFormSection = QStringLiteral("Configuration/TReportForm");
// The item switch lives under the path with a leading slash, for reading and writing alike.
const QString kItemSwitchSection = QStringLiteral("/Configuration/TReportForm");
const QString kItemSwitchKey = QStringLiteral("AutoSelectAllCanUseItem");

// Sets a flag for one scope and clears it however the scope is left.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~TFlagScope() { m_flag = false; }
    void Release() { m_flag = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& m_flag;
};

// Replaces a drop-down's entries and keeps the text it shows; the entry showing that text,
// if any, becomes the selected one.
void ReplaceItems(QComboBox* box, const QStringList& items)
{
    const QString shown = box->currentText();
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(box->findText(shown, Qt::MatchExactly | Qt::MatchCaseSensitive));
    box->setEditText(shown);
}

} // namespace

void TReportForm::OpenReportByRuid(const QString& rguid)
{
    // Typing not yet in the draft is kept before the controls are replaced.
    FlushDraft();
    const QScopedValueRollback<bool> filling(FDraftSuspended, true);
    panel_jcpart->setVisible(MainForm()->GetConfig_Boolean(kFormSection, QStringLiteral("panel_jcpart_Visible")));
    panel_jcmethod->setVisible(MainForm()->GetConfig_Boolean(kFormSection, QStringLiteral("panel_jcmethod_Visible")));
    panel_lczd->setVisible(MainForm()->GetConfig_Boolean(kFormSection, QStringLiteral("panel_lczd_Visible")));
    Check_AutoSelectAllCanUseItem->setChecked(MainForm()->GetConfig_Boolean(kItemSwitchSection, kItemSwitchKey));
    loadDefauleFonts();
    FBForcceYinYangXingCheck = false;
    FBForcceYinYangXingCheck = MainForm()->GetConfig_Boolean(kFormSection, QStringLiteral("BForcceYinYangXingCheck"));

    Tlogin_userInfo user;
    MainForm()->GetLogionInfoFromMainFrom(user.UserName, user.userCode, user.ukeshiCode, user.rRoleId);
    FLogion_user = user;

    QStringList doctors;
    GetDoctors(doctors);
    for (QComboBox* box : {Cbx_ReportDoctor, cbx_ExamDoctor, Cbx_HuiZhenDoctor, Cbx_ShenHedoctor}) ReplaceItems(box, doctors);
    Load_DoctorsIndexFromConfigFile();

    // Each load starts from an empty record, so nothing of the report shown before can
    // survive a missing row or a load that breaks off, and be saved into this one.
    Frptinfo = TReportInfo();
    GetReportInfoFromRuid(rguid, Frptinfo);
    AsynRptInfoToUI(Frptinfo);
    SetcontrolsEnable(false);

    QStringList items;
    GetTanTouPinLv(items);
    ReplaceItems(Cbx_TanTouRate, items);
    GetJianChaTuJing(items);
    ReplaceItems(cbx_jcTuJing, items);
    GetTuXiangZhiLiang(items);
    ReplaceItems(cbx_ImageQuality, items);

    OfferDraft();
}

void TReportForm::SaveReportToDb(const QString& rguid)
{
    // A word still being composed is on screen: it is stored too.
    CommitPendingComposition();
    TFlagScope saving(FSaving);
    if (FBForcceYinYangXingCheck) {
        TMessageRequest ask;
        ask.parent = this;
        ask.caption = QStringLiteral("阴阳性强制检查");
        ask.text = QStringList{QStringLiteral("请仔细检查阴阳性是否正确!"), QString(),
                               QStringLiteral("    阳性,请按[ 是 ]"), QString(), QStringLiteral("    阴性,请按[ 否 ]")}
                       .join(QStringLiteral("\r\n"));
        ask.buttons = TMsgButtons::YesNo;
        ask.defaultButton = TMsgResult::No;
        ask.icon = TMsgIcon::None;
        const TMsgResult answer = Dialogs().MessageBox(ask);
        if (answer == TMsgResult::Yes) Check_YinYiang->setChecked(true);
        else if (answer == TMsgResult::No) Check_YinYiang->setChecked(false);
    }
    UiToRptInfo(Frptinfo);
    FDraftBaseBeforeSave = {FDraftBaseRow, FDraftBaseKnown, FDraftBase};
    // The draft goes once the report is in the database; a failed save keeps it current.
    if (SaveReportInfoToDB(rguid, Frptinfo)) DraftSaved();
    else FlushDraft();
    saving.Release();
    if (FReloadAfterSave) {
        // The doctor took the stored version over their own (kept on the clipboard).
        FReloadAfterSave = false;
        // Their version is shown next; the doctor's edits stay restorable as a copy in the
        // draft backup folder instead of being offered back as a draft right away.
        KeepDraftCopy(QStringLiteral("mine-before-reload"), true);
        const QString ruid = Frptinfo.FRuid;  // a copy: opening starts from an empty record
        OpenReportByRuid(ruid);
    }
}

void TReportForm::Check_AutoSelectAllCanUseItemClick(QObject* Sender)
{
    MainForm()->SetConfig_boolean(kItemSwitchSection, kItemSwitchKey, Check_AutoSelectAllCanUseItem->isChecked());
}

void TReportForm::CompleteReportDefaults(TReportInfo& Rpt_info) { CompleteIncompleteReport(Rpt_info); }

bool TReportForm::AutoSelectAllCanUseItemChecked() { return Check_AutoSelectAllCanUseItem->isChecked(); }

QWidget* TReportForm::DialogParent() { return this; }
