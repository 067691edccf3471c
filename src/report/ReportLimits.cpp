// SPDX-License-Identifier: MIT
#include "ReportLimits.h"
#include "ReportColumns.h"

const QList<TReportColumnLimit>& ReportColumnLimits()
{
    static const QList<TReportColumnLimit> limits = [] {
        QList<TReportColumnLimit> r;
        for (const TReportColumn* c : ReportRecordColumns())
            if (c->maxLength > 0) r.append({c->name, c->label, c->maxLength, c->text});
        return r;
    }();
    return limits;
}

QString ReportFieldTooLong(const TReportInfo& r)
{
    for (const TReportColumnLimit& l : ReportColumnLimits()) {
        const qsizetype length = (r.*l.field).size();
        if (length > l.maxLength)
            return QStringLiteral("“%1”(%2) 有 %3 个字符，最多 %4 个")
                .arg(QString::fromUtf8(l.label), QLatin1String(l.column))
                .arg(length)
                .arg(l.maxLength);
    }
    return {};
}
