// SPDX-License-Identifier: MIT
#include "ReportStatus.h"

QString ReportStateWord(int state, bool isNull)
{
    if (isNull || state <= 0) return QStringLiteral("未书写");
    if (state == 1) return QStringLiteral("书写中");
    if (!IsFinalReportState(state)) return QStringLiteral("待审核");
    return QStringLiteral("已审核");
}

QString StatusFilterCaption(TStatusFilter filter)
{
    switch (filter) {
    case TStatusFilter::NotWritten: return QStringLiteral("未书写");
    case TStatusFilter::Writing: return QStringLiteral("书写中");
    case TStatusFilter::WaitingReview: return QStringLiteral("待审核");
    case TStatusFilter::Reviewed: return QStringLiteral("已审核");
    case TStatusFilter::All: break;
    }
    return QStringLiteral("全部状态");
}

QList<TStatusFilter> StatusFilters()
{
    return {TStatusFilter::All, TStatusFilter::NotWritten, TStatusFilter::Writing, TStatusFilter::WaitingReview,
            TStatusFilter::Reviewed};
}

QString StatusCondition(TStatusFilter filter, const QString& column)
{
    switch (filter) {
    case TStatusFilter::NotWritten: return QStringLiteral("(%1 IS NULL OR %1 <= 0)").arg(column);
    case TStatusFilter::Writing: return QStringLiteral("%1 = 1").arg(column);
    case TStatusFilter::WaitingReview: return QStringLiteral("%1 BETWEEN 2 AND 4").arg(column);
    case TStatusFilter::Reviewed: return QStringLiteral("%1 >= %2").arg(column).arg(kFinalReportState);
    case TStatusFilter::All: break;
    }
    return {};
}
