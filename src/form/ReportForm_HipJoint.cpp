// SPDX-License-Identifier: MIT
#include "ReportUnit.h"

void TReportForm::SaveGgjCbxItemInexDefault(QObject* Sender) {}

void TReportForm::LoadGgjCbxItemIndexDefault() {}

void TReportForm::SpeedButton1Click(QObject* Sender) {}

void TReportForm::SpeedButton1DblClick(QObject* Sender) {}

void TReportForm::Cbx_kgj_Left_BaseLineDblClick(QObject* Sender) {}

void TReportForm::Cbx_kgj_Right_BaseLineDblClick(QObject* Sender) {}

void TReportForm::Cbx_kgj_Left_kjgdDblClick(QObject* Sender) {}

void TReportForm::Cbx_kgj_Right_kjgdDblClick(QObject* Sender) {}

void TReportForm::Cbx_kgj_Left_gxtqDblClick(QObject* Sender) {}

void TReportForm::Cbx_kgj_Right_gxtqDblClick(QObject* Sender) {}

void TReportForm::Cbx_kgj_Left_rgycDblClick(QObject* Sender) {}

void TReportForm::Cbx_kgj_Right_rgycDblClick(QObject* Sender) {}

void TReportForm::Cbx_kgj_Left_gxzxDblClick(QObject* Sender) {}

void TReportForm::Cbx_kgj_Right_gxzxDblClick(QObject* Sender) {}

void TReportForm::Cbx_kgj_Left_αDblClick(QObject* Sender) {}

void TReportForm::Cbx_kgj_Right_αDblClick(QObject* Sender) {}

void TReportForm::Cbx_kgj_Left_βDblClick(QObject* Sender) {}

void TReportForm::Cbx_kgj_Right_βDblClick(QObject* Sender) {}
