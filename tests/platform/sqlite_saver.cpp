// SPDX-License-Identifier: MIT
// Helper process for tst_multiprocess: saves reports into one database file through
// sp_SaveReportInfo, as one workstation would.
//   sqlite_saver <database file> <GUID prefix> <count>
// Each report is saved twice (insert, then update). Exit code 0 on success, 1 on the first error.
#include "platform/Database.h"
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: sqlite_saver <database> <prefix> <count>\n");
        return 2;
    }
    try {
        auto conn = OpenDatabase(args.at(1));
        const int count = args.at(3).toInt();
        for (int i = 0; i < count; ++i) {
            for (int pass = 0; pass < 2; ++pass) {
                auto sp = conn->CreateStoredProc();
                sp->SetProcedureName(QStringLiteral("sp_SaveReportInfo"));
                sp->RefreshParameters();
                sp->ParamByName(QStringLiteral("@Ruid")).SetAsString(QStringLiteral("%1-%2").arg(args.at(2)).arg(i));
                sp->ParamByName(QStringLiteral("@Accnu")).SetAsString(args.at(2));
                sp->ParamByName(QStringLiteral("@SuoJian")).SetAsString(QString(2000, QChar(0x80A5)));
                sp->ParamByName(QStringLiteral("@PrintedCont")).SetAsInteger(pass);
                sp->ParamByName(QStringLiteral("@ReportDate")).SetAsDateTime(Now());
                sp->ExecProc();
            }
        }
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
