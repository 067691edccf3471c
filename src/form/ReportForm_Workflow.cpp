// SPDX-License-Identifier: MIT
#include "ReportUnit.h"

void TReportForm::OpenReportByRuid(const QString& rguid) {}

void TReportForm::SaveReportToDb(const QString& rguid) {}

void TReportForm::Check_AutoSelectAllCanUseItemClick(QObject* Sender) {}
