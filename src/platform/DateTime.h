// SPDX-License-Identifier: MIT
// TDateTime: days since 1899-12-30 00:00 as a double, time of day as the fraction; local
// wall-clock time, no time zone. Conversions are exact to the millisecond both ways.
#pragma once
#include "PlatformExport.h"
#include <QDateTime>

using TDateTime = double;

WR_PLATFORM_EXPORT QDateTime DateTimeToQDateTime(TDateTime value);
WR_PLATFORM_EXPORT TDateTime QDateTimeToDateTime(const QDateTime& value);
WR_PLATFORM_EXPORT TDateTime Now();
// Milliseconds since 1899-12-30 00:00, rounded to the nearest millisecond.
WR_PLATFORM_EXPORT qint64 DateTimeToMSecs(TDateTime value);
WR_PLATFORM_EXPORT TDateTime MSecsToDateTime(qint64 msecs);
