// SPDX-License-Identifier: MIT
#include "ReportUnit.h"

void TReportForm::sb_jcitemClick(QObject* Sender) {}

void TReportForm::sb_jcMethodClick(QObject* Sender) {}

void TReportForm::Lab_jcpartClick(QObject* Sender) {}

void TReportForm::lab_lczdClick(QObject* Sender) {}

void TReportForm::lab_yxbxClick(QObject* Sender) {}

void TReportForm::lab_JianyiClick(QObject* Sender) {}

void TReportForm::lab_beizhuClick(QObject* Sender) {}

void TReportForm::Tb_tsfhClick(QObject* Sender) {}

void TReportForm::SetJinCha_ItemString(const QString& itemNames) {}

void TReportForm::SetExamMethodString(const QString& uExamMethod) {}

void TReportForm::SetExamBeiZhuString(const QString& uExamBeiZhu) {}

void TReportForm::SetExamJianYiString(const QString& uExamJianYi) {}

void TReportForm::SetExamBuWeiString(const QString& uExamBuWei) {}

void TReportForm::SetExamLCZDString(const QString& uLczd) {}

void TReportForm::SetTeShuFuHao(const QString& uTsfh) {}
