// SPDX-License-Identifier: MIT
// The longest text each column of table Report holds. SQL Server refuses a whole save when
// one value is longer than its column ("String or binary data would be truncated", before
// SQL Server 2019 without saying which column), so the save checks every field first and
// names the one that does not fit. The lengths come from the column table (ReportColumns.h),
// which has those of db/sqlserver/schema.sql (the PostgreSQL schema declares the same);
// columns without a limit (nvarchar(max)) are absent.
#pragma once
#include "ReportInfo.h"
#include <QList>
#include <QString>

struct TReportColumnLimit {
    const char* column;      // column of Report, e.g. "WeiJiValue"
    const char* label;       // UTF-8: the form's label of the field, e.g. "危急值"
    int maxLength;           // in UTF-16 code units, as nvarchar(n) counts them
    QString TReportInfo::*field;
};

// Every limited column, in the order of the record's fields.
const QList<TReportColumnLimit>& ReportColumnLimits();

// The first field of `r` longer than its column, described for the doctor and the log
// ("“危急值”(WeiJiValue) 有 512 个字符，最多 500 个"); empty when every field fits.
QString ReportFieldTooLong(const TReportInfo& r);
