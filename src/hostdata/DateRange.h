// SPDX-License-Identifier: MIT
// The work list's date ranges: presets relative to today, and a custom range. Days are
// local calendar days, both ends included.
#pragma once
#include <QDate>
#include <QList>
#include <QString>

enum class TDatePreset { Last7Days, Today, Last30Days, Last365Days, All, Custom };

struct TDateRange {
    QDate from;  // invalid: no lower bound
    QDate to;    // invalid: no upper bound
    bool operator==(const TDateRange&) const = default;
};

// The range of a preset on the given day: Last7Days is today and the previous 6 days (the
// default), All has no bounds. Custom answers an empty range; the caller supplies its own.
TDateRange PresetRange(TDatePreset preset, const QDate& today);
// The caption of a preset in the drop-down.
QString DatePresetCaption(TDatePreset preset);
QList<TDatePreset> DatePresets();
