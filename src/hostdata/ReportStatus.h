// SPDX-License-Identifier: MIT
// What a report's ReportState means, as words for the work list, and the status filter.
//
// The values the workstations write:
//   NULL or 0  未书写  a page the registration desk created; nothing written yet
//   1          书写中  text written, not yet signed by a reporting doctor
//   2          待审核  written and signed by the reporting doctor, waiting for review
//   5          已审核  reviewed (the review doctor and date are final)
// Loading treats every value below 5 as not reviewed and 5 and above as reviewed, so 3 and 4
// count as waiting for review, above 5 as reviewed, and negative values as not written.
#pragma once
#include "report/ReportInfo.h"  // IsFinalReportState
#include <QList>
#include <QString>

enum class TStatusFilter { All, NotWritten, Writing, WaitingReview, Reviewed };

// The word for a state; isNull for a NULL column.
QString ReportStateWord(int state, bool isNull = false);
// The filter's caption in the status drop-down ("全部状态" for All).
QString StatusFilterCaption(TStatusFilter filter);
// Every filter in the order the drop-down offers them.
QList<TStatusFilter> StatusFilters();
// The SQL condition on the column `column` (e.g. "r.ReportState") that selects the filter's
// states; empty for All.
QString StatusCondition(TStatusFilter filter, const QString& column);
