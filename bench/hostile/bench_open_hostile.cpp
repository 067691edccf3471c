// SPDX-License-Identifier: MIT
// Opening a report in the report form when its findings hold hostile rich text: tables nested
// 16 deep (250 and 20,000 cells), 20 MB of RTF in one paragraph and in 100,000 paragraphs,
// and 50 MB; with the 1 MB report of bench_save as the baseline of the same run. Each case
// runs in a fresh process, so its peak memory is its own.
//
// The host-path cases open the same documents as a doctor meets them: the built wr-host
// started with the report to open and a screenshot to take (`wr-host --db D --login-file F
// --open GUID --screenshot x.png`), timed from start to exit with its peak memory, and
// compared with the form's figure of the same run (target: within 3 times it, under 500 MB).
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
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextEdit>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace {

struct TCase {
    const char* name;
    const char* what;
    double targetMs;
    double targetMb;  // peak memory of the whole process, 0 for none
    const char* formCase = nullptr;  // host path: the form case it is compared with (3x its time)
};

const char* const kHostPrefix = "host-";

const TCase kCases[] = {
    {"baseline-1mb", "1 MB of RTF, 6,000 paragraphs (baseline)", 0, 0},
    {"nested-16x250", "tables nested 16 deep, 250 cells", 1000, 0},
    {"nested-16x20000", "tables nested 16 deep, 20,000 cells", 1000, 0},
    {"table-20000", "one table of 2,000 rows x 10 cells", 1000, 0},
    {"text-20mb-1", "20 MB of RTF in one paragraph", 5000, 1024},
    {"text-20mb-100000", "20 MB of RTF in 100,000 paragraphs", 5000, 1024},
    {"text-50mb", "50 MB of RTF in 1,000 paragraphs", 10000, 0},
    {"host-baseline-1mb", "wr-host: 1 MB (start to exit)", 0, 0, "baseline-1mb"},
    {"host-text-20mb-1", "wr-host: 20 MB in one paragraph", 0, 500, "text-20mb-1"},
    {"host-text-20mb-100000", "wr-host: 20 MB in 100,000 paragraphs", 0, 500, "text-20mb-100000"},
    {"host-text-50mb", "wr-host: 50 MB in 1,000 paragraphs", 0, 500, "text-50mb"},
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

// A database with the demo data (and its users) and the report HOSTILE holding `rtf`.
void MakeDatabase(const QString& file, const QByteArray& rtf)
{
    CreateSqliteDatabase(file, SqliteScriptFiles(QStringLiteral(WR_SOURCE_DIR "/db/sqlite"), true));
    TSqliteConnection db(file);
    auto ins = db.CreateQuery();
    ins->SQL() << QStringLiteral("INSERT INTO Report (ruid, Accnu, ReportState, rtf_SuoJian, CreateTime) "
                                 "VALUES ('HOSTILE', 'H1', 2, %1, '2030-01-01 08:00:00.000')")
                      .arg(QuotedStr(QString::fromLatin1(rtf)));
    ins->ExecSQL();
}

// Makes the case's database in a process of its own: a process reports the peak memory of
// the address space it started in when that is higher than its own, and making a 50 MB row
// takes hundreds of megabytes, which are no part of opening it.
bool MakeDatabaseApart(const QString& file, const QString& formCase)
{
    QProcess maker;
    maker.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--make-db"), file, formCase});
    return maker.waitForFinished(600000) && maker.exitStatus() == QProcess::NormalExit && maker.exitCode() == 0;
}

// The host path: runs wr-host on a fresh database and folders, and prints the same fields
// as RunCase.
int RunHostCase(const QString& formCase)
{
    const QString host = QCoreApplication::applicationDirPath() + QStringLiteral("/wr-host");
    if (!QFileInfo(host).isExecutable()) {
        std::fprintf(stderr, "no %s: build the wr-host target\n", qPrintable(host));
        return 3;
    }
    QTemporaryDir dir;
    const QDir d(dir.path());
    const QString file = d.filePath(QStringLiteral("hostile.db"));
    if (!MakeDatabaseApart(file, formCase)) return 2;
    const QString login = d.filePath(QStringLiteral("login.txt"));
    {
        QFile f(login);
        if (!f.open(QIODevice::WriteOnly)) return 2;
        f.write("user=D001\npassword=demo1234\n");
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
    const QString log = d.filePath(QStringLiteral("wr-host.log"));
    // A first run in folders of its own: no configuration, drafts or log of another run.
    QHash<QByteArray, QByteArray> env{{"XDG_CONFIG_HOME", d.filePath(QStringLiteral("config")).toLocal8Bit()},
                                      {"XDG_DATA_HOME", d.filePath(QStringLiteral("data")).toLocal8Bit()},
                                      {"WRITEREPORT_PROGRAM_DIR", d.filePath(QStringLiteral("program")).toLocal8Bit()},
                                      {"QT_QPA_PLATFORM", "offscreen"}};
    d.mkpath(QStringLiteral("program"));
    QList<QByteArray> envLines;
    for (char** e = environ; *e; ++e) {
        const QByteArray line(*e);
        if (!env.contains(line.left(line.indexOf('=')))) envLines << line;
    }
    for (auto it = env.cbegin(); it != env.cend(); ++it) envLines << it.key() + '=' + it.value();
    const QList<QByteArray> args{host.toLocal8Bit(), "--db", file.toLocal8Bit(), "--login-file", login.toLocal8Bit(),
                                 "--open", "HOSTILE", "--screenshot", d.filePath(QStringLiteral("x.png")).toLocal8Bit(),
                                 "--log", log.toLocal8Bit()};
    std::vector<char*> argv, envp;
    for (const QByteArray& a : args) argv.push_back(const_cast<char*>(a.constData()));
    for (const QByteArray& e : envLines) envp.push_back(const_cast<char*>(e.constData()));
    argv.push_back(nullptr);
    envp.push_back(nullptr);

    // Spawned and reaped here, so that wait4 gives the host's own CPU time and peak memory.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    QElapsedTimer t;
    t.start();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return 3;
    int status = 0;
    rusage u{};
    if (wait4(pid, &status, 0, &u) != pid) return 3;
    const double ms = t.nsecsElapsed() / 1e6;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "wr-host ended with status %d\n", status);
        return 4;
    }
    QFile logFile(log);
    const bool notice = logFile.open(QIODevice::ReadOnly) && QString::fromUtf8(logFile.readAll()).contains(QStringLiteral("太大"));
    const double cpu = (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
    // Fields as RunCase prints them; what only the form can tell (characters shown, the size
    // read) is 0.
    std::printf("%.1f %.1f 0 %d 0 0 %.1f\n", ms, u.ru_maxrss / 1024.0, notice ? 1 : 0, cpu);
    return 0;
}

// One case in this process: prints "ms mb notice" on stdout.
int RunCase(const QString& name)
{
    if (name.startsWith(QLatin1String(kHostPrefix))) return RunHostCase(name.mid(int(qstrlen(kHostPrefix))));
    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(QStringLiteral("hostile.db"));
    if (!MakeDatabaseApart(file, name)) return 2;
    TSqliteConnection db(file);
    qint64 rtfSize = 0;
    {
        auto size = db.CreateQuery();
        size->SQL() << QStringLiteral("SELECT length(rtf_SuoJian) AS n FROM Report WHERE ruid = 'HOSTILE'");
        size->Open();
        rtfSize = size->FieldByName(QStringLiteral("n")).AsInteger();
    }

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
    std::printf("%.1f %.1f %.1f %d %d %lld %.1f\n", ms, PeakMb(), before, notice ? 1 : 0, chars, (long long)rtfSize,
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
    if (const int i = args.indexOf(QStringLiteral("--make-db")); i > 0 && i + 2 < args.size()) {
        const QByteArray rtf = CaseRtf(args.at(i + 2));
        if (rtf.isEmpty()) return 2;
        MakeDatabase(args.at(i + 1), rtf);
        return 0;
    }
    const bool check = args.contains(QStringLiteral("--check"));
    bool ok = true;
    std::printf("bench_open_hostile: open of a report in the form, first paint included (one process per case)\n");
    QHash<QString, double> formMs;  // the form's time of each case, for the host-path targets
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
        formMs.insert(QLatin1String(c.name), ms);
        // A host-path case is held against the form's open of the same document in this run.
        const double form = c.formCase ? formMs.value(QLatin1String(c.formCase)) : 0;
        double targetMs = c.targetMs;
        if (c.formCase && c.targetMb > 0 && form > 0) targetMs = 3 * form;
        const bool met = (targetMs <= 0 || ms < targetMs) && (c.targetMb <= 0 || mb < c.targetMb);
        ok &= met;
        std::printf("  %-44s %9.1f ms (cpu %8.1f ms)  peak %7.1f MB  %s  %s%s\n", c.what, ms, cpu, mb,
                    v[3] == QLatin1String("1") ? "plain text + notice" : "formatted          ",
                    qPrintable(targetMs <= 0 && c.targetMb <= 0
                                   ? QString()
                                   : QStringLiteral("(target%1%2)")
                                         .arg(targetMs > 0 ? QStringLiteral(" < %1 ms").arg(targetMs, 0, 'f', 0) : QString(),
                                              c.targetMb > 0 ? QStringLiteral(" < %1 MB").arg(c.targetMb) : QString())),
                    met ? "" : "  MISSED");
        if (form > 0) std::printf("  %-44s %9.1fx the form's open of the same report\n", "", ms / form);
    }
    return check && !ok ? 1 : 0;
}
