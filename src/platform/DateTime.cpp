// SPDX-License-Identifier: MIT
#include "DateTime.h"
#include <cmath>

namespace {
constexpr qint64 kMSecsPerDay = 86400000;
const QDate kEpoch(1899, 12, 30);
} // namespace

qint64 DateTimeToMSecs(TDateTime value)
{
    // Negative values count days backwards but their fraction is still the time of day
    // forwards from midnight (-1.25 is 1899-12-29 06:00), as the object model defines it.
    const double day = std::trunc(value);
    const double frac = std::fabs(value - day);
    return static_cast<qint64>(day) * kMSecsPerDay + std::llround(frac * kMSecsPerDay);
}

TDateTime MSecsToDateTime(qint64 msecs)
{
    qint64 days = msecs / kMSecsPerDay;
    qint64 rest = msecs % kMSecsPerDay;
    if (rest < 0) { days -= 1; rest += kMSecsPerDay; }
    const double frac = static_cast<double>(rest) / kMSecsPerDay;
    // Before the epoch the whole part counts back while the fraction still counts forward.
    return days >= 0 ? static_cast<double>(days) + frac : static_cast<double>(days) - frac;
}

QDateTime DateTimeToQDateTime(TDateTime value)
{
    const qint64 ms = DateTimeToMSecs(value);
    qint64 days = ms / kMSecsPerDay;
    qint64 rest = ms % kMSecsPerDay;
    if (rest < 0) { days -= 1; rest += kMSecsPerDay; }
    return QDateTime(kEpoch.addDays(days), QTime::fromMSecsSinceStartOfDay(static_cast<int>(rest)));
}

TDateTime QDateTimeToDateTime(const QDateTime& value)
{
    if (!value.isValid()) return 0.0;
    return MSecsToDateTime(kEpoch.daysTo(value.date()) * kMSecsPerDay
                           + value.time().msecsSinceStartOfDay());
}

TDateTime Now() { return QDateTimeToDateTime(QDateTime::currentDateTime()); }
