// SPDX-License-Identifier: MIT
// Helper process for tst_reporthistory: one workstation saving a copy of a report read at a
// given stamp, at an agreed moment, so two of them meet inside the database.
//   stale_saver <database> <GUID> <expected stamp> <findings text> <start at, ms since epoch>
// Exit code 0 saved, 3 refused as a conflict, 1 any other error, 2 bad arguments.
#include "platform/Database.h"
#include <QCoreApplication>
#include <QDateTime>
#include <QThread>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 6) {
        std::fprintf(stderr, "usage: stale_saver <database> <guid> <expected> <text> <start-ms>\n");
        return 2;
    }
    try {
        auto conn = OpenDatabase(args.at(1));
        auto sp = conn->CreateStoredProc();
        sp->SetProcedureName(QStringLiteral("sp_SaveReportInfo"));
        sp->RefreshParameters();
        sp->ParamByName(QStringLiteral("@Ruid")).SetAsString(args.at(2));
        sp->ParamByName(QStringLiteral("@SuoJian")).SetAsString(args.at(4));
        sp->ParamByName(QStringLiteral("@ExpectedVersion")).Value = TDbValue(QVariant(args.at(3).toLongLong()));
        sp->ParamByName(QStringLiteral("@SavedBy")).SetAsString(args.at(4));
        const qint64 wait = args.at(5).toLongLong() - QDateTime::currentMSecsSinceEpoch();
        if (wait > 0) QThread::msleep(static_cast<unsigned long>(wait));
        sp->ExecProc();
    } catch (const Exception& e) {
        const bool conflict = e.Message().contains(QLatin1String("WR-CONFLICT"));
        if (!conflict) std::fprintf(stderr, "%s\n", e.what());
        return conflict ? 3 : 1;
    }
    return 0;
}
