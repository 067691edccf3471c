// SPDX-License-Identifier: MIT
// A workstation counting prints of one report: print_counter TARGET RUID TIMES [USER].
// Opens its own connection and counts TIMES prints one after another; exit code 0 when all
// were counted, 1 with the database's message otherwise.
#include "hostdata/ReportSigning.h"
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 4) {
        std::fprintf(stderr, "usage: print_counter TARGET RUID TIMES [USER]\n");
        return 2;
    }
    try {
        auto conn = OpenDatabase(a[1]);
        const TSigner user{a.value(4, QStringLiteral("counter")), QStringLiteral("P")};
        for (int i = 0, n = a[3].toInt(); i < n; ++i) CountPrint(*conn, a[2], user);
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.Message().toUtf8().constData());
        return 1;
    }
    return 0;
}
