// SPDX-License-Identifier: MIT
#include "DateRange.h"

TDateRange PresetRange(TDatePreset preset, const QDate& today)
{
    switch (preset) {
    case TDatePreset::Last7Days: return {today.addDays(-6), today};
    case TDatePreset::Today: return {today, today};
    case TDatePreset::Last30Days: return {today.addDays(-29), today};
    case TDatePreset::Last365Days: return {today.addDays(-364), today};
    case TDatePreset::All:
    case TDatePreset::Custom: break;
    }
    return {};
}

QString DatePresetCaption(TDatePreset preset)
{
    switch (preset) {
    case TDatePreset::Last7Days: return QStringLiteral("最近7天");
    case TDatePreset::Today: return QStringLiteral("今天");
    case TDatePreset::Last30Days: return QStringLiteral("最近30天");
    case TDatePreset::Last365Days: return QStringLiteral("最近一年");
    case TDatePreset::All: return QStringLiteral("全部日期");
    case TDatePreset::Custom: return QStringLiteral("自定义");
    }
    return {};
}

QList<TDatePreset> DatePresets()
{
    return {TDatePreset::Last7Days, TDatePreset::Today, TDatePreset::Last30Days, TDatePreset::Last365Days,
            TDatePreset::All, TDatePreset::Custom};
}
