// SPDX-License-Identifier: MIT
#include "ReportUnit.h"

void TReportForm::AsynRptInfoToUI(const TReportInfo& rpt_info) {}

void TReportForm::UiToRptInfo(TReportInfo& rpt_info) {}
