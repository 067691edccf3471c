// SPDX-License-Identifier: MIT
// Opening and saving a report through the form, on the demo database and on a report whose
// findings hold 1 MB of RTF: median times, the database's own share measured in the same
// run as the baseline, and memory after 1000 open/save cycles against the first cycle.
//
//   bench_save [--check] [--cycles N]
// --check exits 1 when a target is missed.
#include "FakeHost.h"
#include "form/ReportUnit.h"
#include "platform/SqliteDatabase.h"
#include "rtf/Rtf.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

const char16_t kWords[] =
    u"肝脏大小形态正常包膜光滑实质回声均匀未见明显异常肝内胆管无扩张门静脉主干内径约胆囊"
    u"壁毛糙囊内可见强回声团后方伴声影随体位改变移动胰腺显示清晰主胰管无扩张脾脏厚度"
    u"双肾大小正常皮髓质分界清楚集合系统未见分离膀胱充盈良好前列腺甲状腺左右叶结节边界";

// RTF of at least `bytes` bytes as the editor writes it: Chinese paragraphs with bold and
// coloured runs.
QByteArray LargeRtf(qsizetype bytes)
{
    const QString words = QString::fromUtf16(kWords);
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat plain, bold, red;
    bold.setFontWeight(QFont::Bold);
    red.setForeground(QColor(255, 0, 0));
    QByteArray rtf;
    for (int para = 0;; ++para) {
        for (int run = 0; run < 6; ++run) {
            const int at = (para * 7 + run * 13) % (words.size() - 30);
            c.insertText(words.mid(at, 30), run % 3 == 0 ? bold : run % 3 == 1 ? red : plain);
        }
        c.insertBlock();
        if (para % 200 == 199) {
            rtf = DocumentToRtf(doc);
            if (rtf.size() >= bytes) return rtf;
        }
    }
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

// This thread's CPU time in ms (user and system: page faults count), which other programs
// on a loaded machine do not inflate the way they inflate wall time.
double CpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Wall time of f in ms; its CPU time is added to *cpu when given.
double TimeMs(const std::function<void()>& f, std::vector<double>* cpu = nullptr)
{
    QElapsedTimer t;
    const double cpu0 = CpuMs();
    t.start();
    f();
    const double wall = t.nsecsElapsed() / 1e6;
    if (cpu) cpu->push_back(CpuMs() - cpu0);
    return wall;
}

// Resident set size in MB, from /proc/self/statm.
double RssMb()
{
    FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f) return 0.0;
    long size = 0, resident = 0;
    const int n = std::fscanf(f, "%ld %ld", &size, &resident);
    std::fclose(f);
    return n == 2 ? resident * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0.0;
}

class TBenchForm : public TReportForm {
public:
    using TReportData::GetReportInfoFromRuid;
};

struct TTimes {
    double open = 0, save = 0, load = 0, write = 0;
    double openCpu = 0, saveCpu = 0;
};

// The database's part of a save: sp_SaveReportInfo with the row's own values, called
// directly (the RTF columns sent as they are stored).
void WriteRowDirectly(TDbConnection& db, const QString& ruid)
{
    auto row = db.CreateQuery();
    row->SQL() << QStringLiteral("SELECT * FROM Report WHERE ruid = %1").arg(QuotedStr(ruid));
    row->Open();
    auto sp = db.CreateStoredProc();
    sp->SetProcedureName(QStringLiteral("sp_SaveReportInfo"));
    sp->RefreshParameters();
    int position = 0;
    for (TDbParameter& p : sp->Parameters()) {
        // Only the 49 parameters that are columns; the optional ones after them (stamp
        // check, who saves) keep their defaults.
        if (++position > 49) break;
        const TDbValue v = row->FieldByName(p.Name.mid(1));
        if (p.DataType == TDbFieldType::Integer) p.SetAsInteger(v.AsInteger());
        else if (p.DataType == TDbFieldType::Boolean) p.SetAsBoolean(v.AsBoolean());
        else if (p.DataType == TDbFieldType::DateTime) p.SetAsDateTime(v.AsDateTime());
        else p.SetAsString(v.AsString());
    }
    sp->ExecProc();
}

TTimes Measure(TBenchForm& form, IReportForm& report, TDbConnection& db, const QString& ruid, int runs)
{
    std::vector<double> open, save, load, write, openCpu, saveCpu;
    for (int i = 0; i < runs; ++i) {
        open.push_back(TimeMs([&] { report.OpenReportByRuid(ruid); }, &openCpu));
        save.push_back(TimeMs([&] { report.SaveReportToDb(ruid); }, &saveCpu));
        // The baselines: the database's part of an open (the row read alone) and of a save
        // (the row written alone). A write right after an open costs SQLite more than one
        // after another write, so the baseline write follows an open too.
        TReportInfo r;
        load.push_back(TimeMs([&] { form.GetReportInfoFromRuid(ruid, r); }));
        report.OpenReportByRuid(ruid);
        write.push_back(TimeMs([&] { WriteRowDirectly(db, ruid); }));
    }
    return {Median(open), Median(save), Median(load), Median(write), Median(openCpu), Median(saveCpu)};
}

bool Report(const char* what, double value, double target, const char* unit)
{
    const bool ok = value < target;
    std::printf("  %-34s %9.2f %s   (target < %g %s)%s\n", what, value, unit, target, unit, ok ? "" : "  MISSED");
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool check = args.contains(QStringLiteral("--check"));
    int cycles = 1000;
    if (const int i = args.indexOf(QStringLiteral("--cycles")); i > 0 && i + 1 < args.size()) cycles = args.at(i + 1).toInt();

    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(QStringLiteral("demo.db"));
    CreateSqliteDatabase(file, SqliteScriptFiles(QStringLiteral(WR_SOURCE_DIR "/db/sqlite"), true));
    TSqliteConnection db(file);

    // A typical report: the demo report of median findings length.
    auto q = db.CreateQuery();
    q->SQL() << QStringLiteral("SELECT ruid FROM Report ORDER BY length(rtf_SuoJian), ruid");
    q->Open();
    const int reports = q->RecordCount();
    q->First();
    for (int i = 0; i < reports / 2; ++i) q->Next();
    const QString typical = q->FieldByName(QStringLiteral("ruid")).AsString();
    q->Close();

    // The large report: a copy of the typical one whose findings hold 1 MB of RTF.
    const QByteArray big = LargeRtf(1024 * 1024);
    auto ins = db.CreateQuery();
    ins->SQL() << QStringLiteral("INSERT INTO Report SELECT * FROM Report WHERE ruid = %1").arg(QuotedStr(typical));
    ins->ExecSQL();
    auto upd = db.CreateQuery();
    upd->SQL() << QStringLiteral("UPDATE Report SET ruid = 'BENCH-1MB', rtf_SuoJian = %1 WHERE rowid = (SELECT max(rowid) FROM Report)")
                      .arg(QuotedStr(QString::fromLatin1(big)));
    upd->ExecSQL();

    TFakeMainForm host;
    TFakeDataModule dm;
    dm.mainConnection = &db;
    TBenchForm form;
    form.resize(616, 761);
    form.show();
    QApplication::processEvents();
    form.GetMainFormObject(static_cast<TFakeObject*>(&host), static_cast<TFakeObject*>(&dm));
    IReportForm& report = form;

    std::printf("bench_save: %d demo reports; typical report %s; large report %.2f MB of RTF\n", reports,
                qPrintable(typical), big.size() / (1024.0 * 1024.0));
    bool ok = true;

    Measure(form, report, db, typical, 3); // warm-up: fonts, caches, the first layout
    auto run = [&](const char* title, const QString& ruid, int runs, double openTargetMs, double targetMs) {
        const TTimes t = Measure(form, report, db, ruid, runs);
        std::printf("%s (median of %d):\n", title, runs);
        ok &= Report("open", t.open, openTargetMs, "ms");
        ok &= Report("save", t.save, targetMs, "ms");
        std::printf("  %-34s %9.2f ms / %.2f ms\n", "CPU time of open / save", t.openCpu, t.saveCpu);
        std::printf("  %-34s %9.2f ms   (open / row read = %.1fx)\n", "row read alone (baseline)", t.load, t.open / std::max(t.load, 1e-3));
        std::printf("  %-34s %9.2f ms   (save / row write = %.1fx)\n", "row write alone (baseline)", t.write, t.save / std::max(t.write, 1e-3));
    };
    run("typical report", typical, 51, 10, 10);
    run("1 MB report", QStringLiteral("BENCH-1MB"), 15, 30, 150);

    // Memory: one cycle, then the rest; a leak per cycle shows as growth.
    report.OpenReportByRuid(typical);
    report.SaveReportToDb(typical);
    QApplication::processEvents();
    bool saveFailed = !host.LogsWithTitle(QStringLiteral("ReportForm.SaveReportInfoToDB")).isEmpty();
    const double first = RssMb();
    // The fake host keeps every log line in memory; a real host writes them out. Dropping
    // them keeps the host's memory out of the form's figure.
    auto dropHostRecords = [&] {
        host.logs.clear();
        host.calls.clear();
    };
    dropHostRecords();
    for (int i = 1; i < cycles; ++i) {
        report.OpenReportByRuid(typical);
        report.SaveReportToDb(typical);
        dropHostRecords();
        if (i % 100 == 0) QApplication::processEvents();
    }
    QApplication::processEvents();
    const double after = RssMb();
    std::printf("memory after %d open/save cycles:\n  RSS after the first %.1f MB, after the last %.1f MB\n", cycles, first, after);
    ok &= Report("growth", after - first, 2, "MB");
    if (saveFailed) {
        std::printf("a save failed; the figures above do not measure a working save\n");
        ok = false;
    }
    return check && !ok ? 1 : 0;
}
