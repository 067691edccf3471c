// SPDX-License-Identifier: MIT
#include "ReportUnit.h"

void TReportForm::SetModValues_SuoJianPasteFromClipboard() {}

void TReportForm::SetModValues_JieLunPasteFromClipboard() {}
