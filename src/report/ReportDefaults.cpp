// SPDX-License-Identifier: MIT
// Defaults of an incomplete report, applied between reading the main and the hip-joint
// columns of a row. The doctor lists and the item switch belong to the form, so those
// steps go through its hooks.
#include "ReportData.h"
#include "ReportText.h"

using report_text::IsBlank;

void TReportData::CompleteIncompleteReport(TReportInfo& r)
{
    // Not reviewed yet: the review doctor and date are those of whoever reviews it now,
    // even when an earlier review doctor is stored.
    if (!IsFinalReportState(r.FReportState)) {
        r.FshenHeDate = Now();
        r.FShenHeDoctor = SelectRememberedDoctor(TDoctorBox::ShenHe);
        r.FShenHeDoctorCode = QString();
    }
    if (IsBlank(r.FExamDoctor)) {
        r.FExamDoctor = FLogion_user.UserName;
        r.FExamDoctorCode = FLogion_user.userCode;
    }
    if (IsBlank(r.FReportDoctor)) {
        r.FReportDoctor = SelectRememberedDoctor(TDoctorBox::Report);
        r.FReportDoctorCode = QString();
    }
    if (IsBlank(r.FHuiZhenDoctor)) {
        r.FHuiZhenDoctor = SelectRememberedDoctor(TDoctorBox::HuiZhen);
        r.FHuizhenDoctorCode = QString();
    }
    if (IsBlank(r.FTanTouRate)) r.FTanTouRate = GetTanTouPinLv_default();
    if (IsBlank(r.FjcTuJing)) r.FjcTuJing = GetJianChaTuJing_Default();
    if (IsBlank(r.FImgQuality)) r.FImgQuality = GetTuXiangZhiLiang_Default();
    if (IsBlank(r.FjcMethod)) r.FjcMethod = MainForm()->Get_Default_Exm_method();
    if (AutoSelectAllCanUseItemChecked() && IsBlank(r.FItemName))
        r.FItemName = AutoSetDengjiedAndCanBindItemToCurrentReport(r.FAccnu, r.FRuid);
}

QString TReportData::SelectRememberedDoctor(TDoctorBox) { return QString(); }
bool TReportData::AutoSelectAllCanUseItemChecked() { return false; }
