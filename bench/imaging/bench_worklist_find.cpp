// SPDX-License-Identifier: MIT
// The worklist answer on a big Study table: what a machine waits for when it asks for today's
// US exams with a million exams in the table, the first time (each exam then gets its Study
// Instance UID) and after; and an accession asked without a date. The baseline, measured in
// the same run, is the same query on a table holding only today's exams, so the ratio is what
// the other 999,000 rows cost.
//
//   bench_worklist_find [--studies N] [DATABASE]
//     DATABASE: an SQLite file or an ODBC connection string of a database with Study rows
//     (gen_reports.py makes one; it is changed: the exams asked for get their UIDs); without
//     it a temporary SQLite file with N studies (default 1,000,000) spread over five years.
//     The baseline is always a small SQLite file.
#include "imaging/WorklistService.h"
#include "platform/Database.h"
#include "platform/SqliteDatabase.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <dcmtk/dcmdata/dcdatset.h>
#include <dcmtk/dcmdata/dcdeftag.h>
#include <functional>
#include <vector>

using namespace wr::imaging;

namespace {

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double TimeMs(const std::function<void()>& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e6;
}

void Exec(TDbConnection& conn, const QString& sql)
{
    auto q = conn.CreateQuery();
    q->SQL() << sql;
    q->ExecSQL();
}

// A fresh database with `total` studies: `today` of them today, the rest over five years
// before it (a million rows in one statement, a few seconds).
QString MakeDatabase(const QString& folder, int total, int today)
{
    const QString file = folder + QStringLiteral("/wl.db");
    CreateSqliteDatabase(file, SqliteScriptFiles(QStringLiteral(WR_SOURCE_DIR "/db/sqlite"), false));
    TSqliteConnection conn(file);
    Exec(conn, QStringLiteral("BEGIN"));
    Exec(conn, QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
        "INSERT INTO Study (Accnu, PatientName, Sex, Age, PatientId, ExamTime, Modality) "
        "SELECT printf('US%09d', i), '王建国', CASE i % 2 WHEN 0 THEN '男' ELSE '女' END, (i % 90) || '岁', "
        "printf('P%08d', i), "
        "CASE WHEN i <= %2 THEN strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime', 'start of day', '+8 hours', (i * 30) || ' seconds') "
        "ELSE strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime', 'start of day', '-' || (1 + i % 1825) || ' days', '+' || (i % 36000) || ' seconds') END, "
        "CASE WHEN i % 10 = 0 THEN 'CT' ELSE 'US' END FROM n").arg(total).arg(today));
    Exec(conn, QStringLiteral("COMMIT"));
    Exec(conn, QStringLiteral("ANALYZE"));
    return file;
}

struct TTimes {
    double first = 0, warm = 0, accession = 0;
    size_t matches = 0;
};

TTimes Measure(const QString& file)
{
    TWorklistService service([file] { return OpenDatabase(file); }, TWorklistSettings(), [](const QString&) {});
    auto today = StandardWorklistQuery(QDate::currentDate());
    TTimes t;
    t.first = TimeMs([&] { t.matches = service.Find(*today, QStringLiteral("BENCH")).matches.size(); });
    std::vector<double> runs;
    for (int i = 0; i < 7; ++i)
        runs.push_back(TimeMs([&] { service.Find(*today, QStringLiteral("BENCH")); }));
    t.warm = Median(runs);
    auto byAccession = StandardWorklistQuery(QDate::currentDate());
    DcmItem* step = nullptr;
    byAccession->findAndGetSequenceItem(DCM_ScheduledProcedureStepSequence, step, 0);
    step->putAndInsertString(DCM_ScheduledProcedureStepStartDate, "");
    byAccession->putAndInsertString(DCM_AccessionNumber, "US000000007");
    runs.clear();
    for (int i = 0; i < 5; ++i)
        runs.push_back(TimeMs([&] { service.Find(*byAccession, QStringLiteral("BENCH")); }));
    t.accession = Median(runs);
    return t;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int studies = 1000000;
    if (const int i = args.indexOf(QStringLiteral("--studies")); i >= 0 && i + 1 < args.size()) {
        studies = args[i + 1].toInt();
        args.remove(i, 2);
    }
    constexpr int kToday = 500;
    QTemporaryDir dir;
    try {
        QString big = args.value(0);
        if (big.isEmpty()) {
            QElapsedTimer made;
            made.start();
            big = MakeDatabase(dir.path() + QStringLiteral("/big"), studies, kToday);
            std::printf("made %d studies (%d today) in %.1f s\n", studies, kToday, made.elapsed() / 1000.0);
        }
        const QString small = MakeDatabase(dir.path() + QStringLiteral("/small"), kToday, kToday);
        const TTimes base = Measure(small);
        const TTimes t = Measure(big);
        std::printf("today's US list: %zu exams (baseline %zu)\n", t.matches, base.matches);
        std::printf("  %-40s %9.1f ms  baseline %8.1f ms  ratio %.2f\n", "first answer (UIDs given)", t.first, base.first,
                    t.first / base.first);
        std::printf("  %-40s %9.1f ms  baseline %8.1f ms  ratio %.2f\n", "answer again", t.warm, base.warm, t.warm / base.warm);
        std::printf("  %-40s %9.1f ms  baseline %8.1f ms  ratio %.2f\n", "one accession, no date", t.accession,
                    base.accession, t.accession / base.accession);
    } catch (const Exception& e) {
        std::fprintf(stderr, "bench_worklist_find: %s\n", e.what());
        return 1;
    }
    return 0;
}
