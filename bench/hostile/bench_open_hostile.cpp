// SPDX-License-Identifier: MIT
// Opening a report in the report form when its findings hold hostile rich text: tables nested
// 16 deep (250 and 20,000 cells), 20 MB of RTF in one paragraph and in 100,000 paragraphs,
// and 50 MB; with the 1 MB report of bench_save as the baseline of the same run. Each case
// runs in a fresh process, so its peak memory is its own.
//
//   bench_open_hostile [--check]          all cases
//   bench_open_hostile --case NAME        one case (what the first form runs for each)
#include "FakeHost.h"
#include "HostileRtf.h"
#include "form/ReportUnit.h"
#include "platform/SqliteDatabase.h"
#include "rtf/Rtf.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextEdit>
#include <cstdio>
#include <sys/resource.h>

namespace {

struct TCase {
    const char* name;
    const char* what;
    double targetMs;
    double targetMb;  // peak memory of the whole process, 0 for none
};

const TCase kCases[] = {
    {"baseline-1mb", "1 MB of RTF, 6,000 paragraphs (baseline)", 0, 0},
    {"nested-16x250", "tables nested 16 deep, 250 cells", 1000, 0},
    {"nested-16x20000", "tables nested 16 deep, 20,000 cells", 1000, 0},
    {"table-20000", "one table of 2,000 rows x 10 cells", 1000, 0},
    {"text-20mb-1", "20 MB of RTF in one paragraph", 5000, 1024},
    {"text-20mb-100000", "20 MB of RTF in 100,000 paragraphs", 5000, 1024},
    {"text-50mb", "50 MB of RTF in 1,000 paragraphs", 10000, 0},
};

QByteArray CaseRtf(const QString& name)
{
    if (name == QLatin1String("baseline-1mb")) return TextRtf(1024 * 1024, 6000);
    if (name == QLatin1String("nested-16x250")) return NestedTablesRtf(16, 250);
    if (name == QLatin1String("nested-16x20000")) return NestedTablesRtf(16, 20000);
    if (name == QLatin1String("table-20000")) return WideTableRtf(2000, 10);
    if (name == QLatin1String("text-20mb-1")) return TextRtf(20 * 1024 * 1024, 1);
    if (name == QLatin1String("text-20mb-100000")) return TextRtf(20 * 1024 * 1024, 100000);
    if (name == QLatin1String("text-50mb")) return TextRtf(50 * 1024 * 1024, 1000);
    return {};
}

// CPU time of the process in milliseconds: on a machine shared with other work the fairer
// figure beside the wall time.
double CpuMs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

double PeakMb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0;
}

// One case in this process: prints "ms mb notice" on stdout.
int RunCase(const QString& name)
{
    const QByteArray rtf = CaseRtf(name);
    if (rtf.isEmpty()) return 2;
    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(QStringLiteral("hostile.db"));
    CreateSqliteDatabase(file, SqliteScriptFiles(QStringLiteral(WR_SOURCE_DIR "/db/sqlite"), true));
    TSqliteConnection db(file);
    auto ins = db.CreateQuery();
    ins->SQL() << QStringLiteral("INSERT INTO Report (ruid, Accnu, ReportState, rtf_SuoJian, CreateTime) "
                                 "VALUES ('HOSTILE', 'H1', 2, %1, '2030-01-01 08:00:00.000')")
                      .arg(QuotedStr(QString::fromLatin1(rtf)));
    ins->ExecSQL();

    TFakeMainForm host;
    TFakeDataModule dm;
    dm.mainConnection = &db;
    TReportForm form;
    form.resize(616, 761);
    form.show();
    QApplication::processEvents();
    form.GetMainFormObject(static_cast<TFakeObject*>(&host), static_cast<TFakeObject*>(&dm));
    IReportForm& report = form;
    report.OpenReportByRuid(QStringLiteral("H1-warm-up"));  // fonts and caches, no row
    QApplication::processEvents();
    const double before = PeakMb();
    QElapsedTimer t;
    const double cpu = CpuMs();
    t.start();
    report.OpenReportByRuid(QStringLiteral("HOSTILE"));
    QApplication::processEvents();  // the first paint of what the open shows
    const double ms = t.nsecsElapsed() / 1e6;
    bool notice = false;
    for (const TLogLine& l : host.logs) notice = notice || l.value.contains(QStringLiteral("太大"));
    const int chars = form.rich_jcsj->document()->characterCount();
    std::printf("%.1f %.1f %.1f %d %d %lld %.1f\n", ms, PeakMb(), before, notice ? 1 : 0, chars, (long long)rtf.size(),
                CpuMs() - cpu);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (const int i = args.indexOf(QStringLiteral("--case")); i > 0 && i + 1 < args.size()) return RunCase(args.at(i + 1));
    const bool check = args.contains(QStringLiteral("--check"));
    bool ok = true;
    std::printf("bench_open_hostile: open of a report in the form, first paint included (one process per case)\n");
    for (const TCase& c : kCases) {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--case"), QLatin1String(c.name)});
        p.waitForFinished(600000);
        const QStringList v = QString::fromLatin1(p.readAllStandardOutput()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (p.exitCode() != 0 || v.size() < 7) {
            std::printf("  %-44s failed (exit %d)\n", c.what, p.exitCode());
            ok = false;
            continue;
        }
        const double ms = v[0].toDouble(), mb = v[1].toDouble(), cpu = v[6].toDouble();
        const bool met = c.targetMs <= 0 || (ms < c.targetMs && (c.targetMb <= 0 || mb < c.targetMb));
        ok &= met;
        std::printf("  %-44s %9.1f ms (cpu %8.1f ms)  peak %7.1f MB  %s  %s%s\n", c.what, ms, cpu, mb,
                    v[3] == QLatin1String("1") ? "plain text + notice" : "formatted          ",
                    qPrintable(c.targetMs <= 0 ? QString()
                                               : QStringLiteral("(target < %1 ms%2)").arg(c.targetMs).arg(
                                                     c.targetMb > 0 ? QStringLiteral(", < %1 MB").arg(c.targetMb) : QString())),
                    met ? "" : "  MISSED");
    }
    return check && !ok ? 1 : 0;
}
