// SPDX-License-Identifier: MIT
#include "ReportUnit.h"

void TReportForm::Load_DoctorsIndexFromConfigFile() {}

void TReportForm::Save_DoctorsIndexToConfigFile() {}
