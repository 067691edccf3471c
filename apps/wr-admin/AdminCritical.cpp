// SPDX-License-Identifier: MIT
#include "AdminCritical.h"
#include "AdminCommands.h"
#include "hostdata/CriticalValues.h"
#include <QDate>
#include <QSaveFile>

namespace {

struct TReportArgs {
    QDate from, to;
    QString csv;
};

bool Parse(const QStringList& args, TReportArgs& r, QString* why)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a != QLatin1String("--from") && a != QLatin1String("--to") && a != QLatin1String("--csv")) {
            *why = QStringLiteral("critical-report does not know %1").arg(a);
            return false;
        }
        if (i + 1 >= args.size()) {
            *why = QStringLiteral("%1 needs a value").arg(a);
            return false;
        }
        const QString value = args[++i];
        if (a == QLatin1String("--csv")) {
            r.csv = value;
            continue;
        }
        const QDate d = QDate::fromString(value, Qt::ISODate);
        if (!d.isValid()) {
            *why = QStringLiteral("%1 needs a date as yyyy-MM-dd, not '%2'").arg(a, value);
            return false;
        }
        (a == QLatin1String("--from") ? r.from : r.to) = d;
    }
    if (!r.from.isValid() || !r.to.isValid()) {
        *why = QStringLiteral("critical-report needs --from DATE and --to DATE");
        return false;
    }
    if (r.from > r.to) {
        *why = QStringLiteral("--from %1 is after --to %2").arg(r.from.toString(Qt::ISODate), r.to.toString(Qt::ISODate));
        return false;
    }
    return true;
}

} // namespace

bool CriticalReportArgsValid(const QStringList& args, QString* why)
{
    TReportArgs r;
    return Parse(args, r, why);
}

int CriticalReportCommand(TDbConnection& conn, const QStringList& args, QTextStream& out, QTextStream& err)
{
    TReportArgs r;
    QString why;
    if (!Parse(args, r, &why)) {
        err << "wr-admin: " << why << '\n';
        return kAdminUsage;
    }
    const TCriticalRegister reg = ReadCriticalRegister(conn, r.from, r.to);
    WriteCriticalRegister(reg, out, false);
    if (!r.csv.isEmpty()) {
        // Written whole or not at all: a half-written register would read as a short one.
        QSaveFile f(r.csv);
        QString text;
        QTextStream csv(&text);
        WriteCriticalRegister(reg, csv, true);
        csv.flush();
        if (!f.open(QIODevice::WriteOnly) || f.write("\xEF\xBB\xBF") < 0 || f.write(text.toUtf8()) < 0 || !f.commit()) {
            err << "wr-admin: cannot write " << r.csv << ": " << f.errorString() << '\n';
            return kAdminFailed;
        }
        out << "register written to " << r.csv << '\n';
    }
    return kAdminOk;
}
