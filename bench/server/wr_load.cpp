// SPDX-License-Identifier: MIT
// Load test of many workstations against one database server.
//
//   wr_load run --db TARGET [--admin-db TARGET] [--processes 16] [--rounds 20] [--reports 3]
//               [--accessions 8]
//       Seeds the exam items (on --admin-db when given: the workstations' own login, --db,
//       may not write tables), measures one workstation alone (the baseline), then starts
//       --processes workstation processes at once. Each one first binds the same shared
//       accessions at the same moment as all the others, then opens, edits and saves its own
//       reports for a bounded number of rounds. Afterwards the database is checked: every
//       save landed (each report holds its last round), no item is bound to two reports and
//       every process exited normally. Prints saves/s and the 50th/99th percentile open and
//       save times; exits 1 when a check fails.
//   wr_load worker --db TARGET --id N --rounds R --reports K --accessions A --bind-at MS
//       One workstation (started by `run`): prints "open <ms>", "save <ms>", "fail <text>"
//       and "bind <accession> <names>" lines.
//
// Each workstation is the report-data half of the editor (TReportData) on the fake host, so
// the load goes through the same catalogue look-ups and procedure calls as the editor's.
#include "FakeHost.h"
#include "ScriptedDialogs.h"
#include "report/ReportData.h"
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <cstdio>

namespace {

struct TOptions {
    QString mode, db, adminDb;
    int processes = 16, rounds = 20, reports = 3, accessions = 8, id = 0, items = 4;
    qint64 bindAt = 0;
};

TOptions ParseOptions(const QStringList& args)
{
    TOptions o;
    o.mode = args.value(1);
    for (int i = 2; i + 1 < args.size(); i += 2) {
        const QString k = args.at(i), v = args.at(i + 1);
        if (k == QLatin1String("--db")) o.db = v;
        else if (k == QLatin1String("--admin-db")) o.adminDb = v;
        else if (k == QLatin1String("--processes")) o.processes = v.toInt();
        else if (k == QLatin1String("--rounds")) o.rounds = v.toInt();
        else if (k == QLatin1String("--reports")) o.reports = v.toInt();
        else if (k == QLatin1String("--accessions")) o.accessions = v.toInt();
        else if (k == QLatin1String("--id")) o.id = v.toInt();
        else if (k == QLatin1String("--bind-at")) o.bindAt = v.toLongLong();
    }
    return o;
}

void Out(const QString& line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

class TWorkstation : public TReportData {
public:
    TWorkstation(TFakeMainForm& host, TFakeDataModule& dm)
    {
        FmainForm = static_cast<IMainFrom*>(&host);
        FDataModule = static_cast<ITrDataModle*>(&dm);
    }
    QByteArray rtf;

protected:
    QByteArray RichEditRtf(TRichSection) override { return rtf; }
};

QString ReportGuid(int ws, int k) { return QStringLiteral("LOAD-WS%1-R%2").arg(ws).arg(k); }
QString Accession(int a) { return QStringLiteral("LOADACC%1").arg(a); }
QString BindGuid(int ws, int a) { return QStringLiteral("LOAD-WS%1-ACC%2").arg(ws).arg(a); }

// A report of realistic size: a few kilobytes of findings, Chinese throughout.
TReportInfo Report(int ws, int k, int round)
{
    TReportInfo r;
    r.FRuid = ReportGuid(ws, k);
    r.FAccnu = QStringLiteral("A-%1-%2").arg(ws).arg(k);
    r.FjcMethod = QStringLiteral("经腹部超声");
    r.FItemName = QStringLiteral("肝胆胰脾,双肾");
    r.FSuoJian = QStringLiteral("肝脏大小形态正常，包膜光滑，实质回声均匀。").repeated(60);
    r.FJieLun = QStringLiteral("第%1轮").arg(round);
    r.FReportState = 2;
    r.FReportDoctor = QStringLiteral("张医生");
    r.FReportDate = Now();
    r.FPrintedCont = round;
    return r;
}

int Worker(const TOptions& o)
{
    std::unique_ptr<TDbConnection> conn;
    try {
        conn = OpenDatabase(o.db);
    } catch (const Exception& e) {
        Out(QStringLiteral("fail connect: ") + e.Message());
        return 2;
    }
    TFakeMainForm host;
    TFakeDataModule dm;
    TScriptedDialogs dialogs;  // a failed save tells the user; here nobody answers
    dm.mainConnection = conn.get();
    TWorkstation ws(host, dm);
    ws.rtf = QByteArrayLiteral("{\\rtf1\\ansi ") + QByteArray(3000, 'x') + '}';
    auto failures = [&] {
        int n = 0;
        for (const TLogLine& l : host.logs)
            if (l.value.startsWith(QStringLiteral("异常:"))) { Out(QStringLiteral("fail ") + l.value.left(200)); ++n; }
        host.logs.clear();
        return n;
    };

    // Every workstation binds the shared accessions at the same moment.
    while (QDateTime::currentMSecsSinceEpoch() < o.bindAt) QThread::usleep(200);
    for (int a = 0; a < o.accessions; ++a)
        Out(QStringLiteral("bind %1 %2").arg(Accession(a), ws.AutoSetDengjiedAndCanBindItemToCurrentReport(Accession(a), BindGuid(o.id, a))));
    failures();

    QElapsedTimer t;
    const qint64 phaseStart = QDateTime::currentMSecsSinceEpoch();
    for (int round = 1; round <= o.rounds; ++round) {
        for (int k = 0; k < o.reports; ++k) {
            TReportInfo r;
            t.start();
            ws.GetReportInfoFromRuid(ReportGuid(o.id, k), r);
            Out(QStringLiteral("open %1").arg(t.nsecsElapsed() / 1e6, 0, 'f', 3));
            const TReportInfo edited = Report(o.id, k, round);
            t.start();
            const bool saved = ws.SaveReportInfoToDB(edited.FRuid, edited);
            Out(QStringLiteral("save %1").arg(t.nsecsElapsed() / 1e6, 0, 'f', 3));
            if (!saved) Out(QStringLiteral("fail save %1 round %2").arg(edited.FRuid).arg(round));
            failures();
        }
    }
    Out(QStringLiteral("phase %1 %2").arg(phaseStart).arg(QDateTime::currentMSecsSinceEpoch()));
    return 0;
}

double Percentile(std::vector<double> v, double p)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t i = std::min(v.size() - 1, size_t(p / 100.0 * double(v.size() - 1) + 0.5));
    return v[i];
}

struct TRunResult {
    std::vector<double> opens, saves;
    QStringList failures;
    QHash<QString, QStringList> boundNames;  // accession -> names handed out
    double seconds = 0;
};

TRunResult RunWorkers(const TOptions& o, int processes, int firstId)
{
    TRunResult result;
    qint64 first = 0, last = 0;  // the open/save phase, from the first start to the last end
    std::vector<std::unique_ptr<QProcess>> procs;
    const qint64 bindAt = QDateTime::currentMSecsSinceEpoch() + 1500 + 100 * processes;
    for (int p = 0; p < processes; ++p) {
        auto proc = std::make_unique<QProcess>();
        proc->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        proc->start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("worker"), QStringLiteral("--db"), o.db, QStringLiteral("--id"), QString::number(firstId + p),
                     QStringLiteral("--rounds"), QString::number(o.rounds), QStringLiteral("--reports"), QString::number(o.reports),
                     QStringLiteral("--accessions"), QString::number(processes > 1 ? o.accessions : 0),
                     QStringLiteral("--bind-at"), QString::number(bindAt)});
        procs.push_back(std::move(proc));
    }
    for (auto& proc : procs) {
        if (!proc->waitForFinished(15 * 60 * 1000)) {
            proc->kill();
            proc->waitForFinished();
            result.failures << QStringLiteral("a workstation process did not finish in time");
        }
        if (proc->exitStatus() != QProcess::NormalExit || proc->exitCode() != 0)
            result.failures << QStringLiteral("a workstation process ended abnormally (exit %1)").arg(proc->exitCode());
        const QStringList lines = QString::fromUtf8(proc->readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString& l : lines) {
            if (l.startsWith(QLatin1String("open "))) result.opens.push_back(l.mid(5).toDouble());
            else if (l.startsWith(QLatin1String("save "))) result.saves.push_back(l.mid(5).toDouble());
            else if (l.startsWith(QLatin1String("bind "))) {
                const QString acc = l.section(QLatin1Char(' '), 1, 1), names = l.section(QLatin1Char(' '), 2);
                if (!names.isEmpty()) result.boundNames[acc] << names.split(QLatin1Char(','));
            } else if (l.startsWith(QLatin1String("phase "))) {
                const qint64 from = l.section(QLatin1Char(' '), 1, 1).toLongLong(), to = l.section(QLatin1Char(' '), 2, 2).toLongLong();
                first = first ? std::min(first, from) : from;
                last = std::max(last, to);
            } else if (l.startsWith(QLatin1String("fail"))) result.failures << l;
        }
    }
    result.seconds = (last - first) / 1000.0;
    return result;
}

int Value(TDbConnection& conn, const QString& sql)
{
    auto q = conn.CreateQuery();
    q->SQL() << sql;
    q->Open();
    return q->FieldByName(q->FieldNames().first()).AsInteger();
}

void Exec(TDbConnection& conn, const QString& sql)
{
    auto q = conn.CreateQuery();
    q->SQL() << sql;
    q->ExecSQL();
}

int Run(const TOptions& o)
{
    std::unique_ptr<TDbConnection> conn = OpenDatabase(o.adminDb.isEmpty() ? o.db : o.adminDb);
    Exec(*conn, QStringLiteral("DELETE FROM Report WHERE ruid LIKE 'LOAD-%'"));
    Exec(*conn, QStringLiteral("DELETE FROM ExamItem WHERE Accnu LIKE 'LOADACC%'"));
    QStringList rows;
    for (int a = 0; a < o.accessions; ++a)
        for (int i = 0; i < o.items; ++i) rows << QStringLiteral("('%1', '项目%2-%3', %3)").arg(Accession(a)).arg(a).arg(i);
    Exec(*conn, QStringLiteral("INSERT INTO ExamItem (Accnu, ItemName, ItemOrder) VALUES ") + rows.join(QStringLiteral(", ")));

    std::printf("Database: %s (%s)\n", qPrintable(conn->Description()), qPrintable(conn->Dialect()));
    if (!o.adminDb.isEmpty()) std::printf("Workstations log in as: %s\n", qPrintable(OpenDatabase(o.db)->Description()));
    std::printf("Each workstation: %d rounds x %d reports (open, edit, save)\n", o.rounds, o.reports);

    const TRunResult base = RunWorkers(o, 1, 1000);
    const TRunResult load = RunWorkers(o, o.processes, 0);

    auto line = [](const char* name, const TRunResult& r, int processes) {
        const double rate = r.saves.size() / std::max(0.001, r.seconds);
        std::printf("%-12s %2d processes: %5zu saves in %6.2f s = %7.1f saves/s; open p50 %6.2f ms p99 %6.2f ms; "
                    "save p50 %6.2f ms p99 %6.2f ms\n",
                    name, processes, r.saves.size(), r.seconds, rate, Percentile(r.opens, 50), Percentile(r.opens, 99),
                    Percentile(r.saves, 50), Percentile(r.saves, 99));
        return rate;
    };
    const double baseRate = line("baseline", base, 1);
    const double loadRate = line("load", load, o.processes);
    std::printf("throughput ratio load/baseline: %.2f; save p50 ratio load/baseline: %.2f\n", loadRate / std::max(0.001, baseRate),
                Percentile(load.saves, 50) / std::max(0.001, Percentile(base.saves, 50)));

    // Checks: every save landed, no item bound twice, nothing failed.
    QStringList problems = base.failures + load.failures;
    const int expectedSaves = o.rounds * o.reports;
    if (int(base.saves.size()) != expectedSaves || int(load.saves.size()) != expectedSaves * o.processes)
        problems << QStringLiteral("not every save was attempted");
    const int landed = Value(*conn, QStringLiteral("SELECT count(*) FROM Report WHERE ruid LIKE 'LOAD-WS%' AND PrintedCont = %1 AND JieLun = '第%1轮'").arg(o.rounds));
    const int reportRows = Value(*conn, QStringLiteral("SELECT count(*) FROM Report WHERE ruid LIKE 'LOAD-WS%'"));
    if (landed != o.reports * (o.processes + 1) || reportRows != landed)
        problems << QStringLiteral("saves missing: %1 reports hold their last round, %2 rows, %3 expected").arg(landed).arg(reportRows).arg(o.reports * (o.processes + 1));
    const int unbound = Value(*conn, QStringLiteral("SELECT count(*) FROM ExamItem WHERE Accnu LIKE 'LOADACC%' AND ReportGuid IS NULL"));
    if (unbound != 0) problems << QStringLiteral("%1 items were left unbound").arg(unbound);
    int handedOut = 0;
    for (auto it = load.boundNames.cbegin(); it != load.boundNames.cend(); ++it) {
        QStringList names = it.value();
        handedOut += names.size();
        names.removeDuplicates();
        if (names.size() != it.value().size()) problems << QStringLiteral("an item of %1 was handed to two reports").arg(it.key());
    }
    if (handedOut != o.accessions * o.items)
        problems << QStringLiteral("%1 item names handed out, %2 items registered").arg(handedOut).arg(o.accessions * o.items);
    std::printf("binding: %d workstations bound %d accessions at once; %d items handed out, each once\n", o.processes,
                o.accessions, handedOut);

    for (const QString& p : problems) std::printf("FAILED: %s\n", qPrintable(p));
    std::printf(problems.isEmpty() ? "load test passed\n" : "load test FAILED\n");
    return problems.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const TOptions o = ParseOptions(app.arguments());
    if (o.db.isEmpty() || (o.mode != QLatin1String("run") && o.mode != QLatin1String("worker"))) {
        std::fprintf(stderr, "usage: wr_load run --db TARGET [--processes N] [--rounds N] [--reports N] [--accessions N]\n");
        return 2;
    }
    try {
        return o.mode == QLatin1String("run") ? Run(o) : Worker(o);
    } catch (const Exception& e) {
        std::fprintf(stderr, "wr_load: %s\n", e.what());
        return 1;
    }
}
