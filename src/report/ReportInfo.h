// SPDX-License-Identifier: MIT
// TReportInfo: the in-memory image of one row of table Report, one field per column in the
// fixed column order; Tlogin_userInfo: the logged-in user as the host reports it.
// Plain values: copies are cheap (implicitly shared texts) and independent.
#pragma once
#include "platform/DateTime.h"
#include <QString>

// The first state of a reviewed (final) report: below it a report is not yet reviewed.
// The one rule the editor, the saves and every view of the host use.
constexpr int kFinalReportState = 5;
constexpr bool IsFinalReportState(int state) { return state >= kFinalReportState; }

struct TReportInfo {
    QString FRuid;
    QString FAccnu;
    QString Fnbid;
    QString FjcMethod;
    QString FItemName;
    QString FItemCode;
    QString FJCDaLei;
    QString FjcTuJing;
    QString FImgQuality;
    QString FSuoJian;
    QString FJieLun;
    QString FJianYi;
    QString Frtf_SuoJian;
    QString Frtf_JieLun;
    int FReportState = 0;
    QString FTanTouRate;
    QString FTiXing;
    QString FExamDoctor;
    QString FExamDoctorCode;
    QString FReportDoctor;
    QString FReportDoctorCode;
    QString FShenHeDoctor;
    QString FShenHeDoctorCode;
    QString FHuiZhenDoctor;
    QString FHuizhenDoctorCode;
    TDateTime FReportDate = 0.0;
    TDateTime FshenHeDate = 0.0;
    TDateTime FHuiZhenDate = 0.0;
    int FPrintedCont = 0;
    bool FYinYangXing = false;
    QString FWeiJiValue;
    QString FBeiZhu;
    QString Flczd;
    QString Fjcpart;
    QString FjcPartcode;
    QString FkgjLBaseLine;
    QString FkgjLKjgd;
    QString FkgjLGxtq;
    QString FkgjLRgyc;
    QString FkgjLGxzx;
    QString FkgjRBaseLine;
    QString FkgjRKjgd;
    QString FkgjRGxtq;
    QString FkgjRRgyc;
    QString FkgjRGxzx;
    QString FkgjL_A;
    QString FkgjR_A;
    QString FkgjL_B;
    QString FkgjR_B;

    friend bool operator==(const TReportInfo&, const TReportInfo&) = default;
};

struct Tlogin_userInfo {
    QString UserName;
    QString userCode;
    QString ukeshiCode;
    int rRoleId = 0;

    friend bool operator==(const Tlogin_userInfo&, const Tlogin_userInfo&) = default;
};
