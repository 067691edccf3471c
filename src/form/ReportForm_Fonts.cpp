// SPDX-License-Identifier: MIT
#include "ReportUnit.h"

void TReportForm::loadDefauleFonts() {}

void TReportForm::Save_CurrentFontStyle() {}

void TReportForm::tb_fontSaveClick(QObject* Sender) {}
