// SPDX-License-Identifier: MIT
// bench_print [runs]: writes the PDF of a typical demo report and of a report whose findings
// are 1 MB of RTF, through the same path as printing and --pdf, and prints the median times
// against the targets (typical < 200 ms, 1 MB < 2 s) and against reading the same RTF alone
// (the baseline measured in this run). Exit code 1 when a target is missed.
#include "app/Fonts.h"
#include "hostdata/PrintRender.h"
#include "platform/SqliteDatabase.h"
#include "rtf/Rtf.h"
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextDocument>
#include <algorithm>
#include <cstdio>

namespace {

double Median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v[v.size() / 2];
}

QString BigRtf(int bytes)
{
    // Chinese as \uN escapes, one paragraph per finding, every seventh number bold.
    QString body;
    QString para;
    for (const QChar ch : QStringLiteral("肝脏：形态大小正常，包膜光滑，实质回声均匀，肝内管道结构清晰，门静脉主干内径约1.0cm。"))
        para += ch.unicode() < 128 ? QString(ch) : QStringLiteral("\\u%1?").arg(ch.unicode());
    int n = 0;
    while (body.size() < bytes) {
        body += (++n % 7 == 0 ? QStringLiteral("\\b %1\\b0 ").arg(n) : QStringLiteral("%1 ").arg(n)) + para + QStringLiteral("\\par\r\n");
    }
    return QStringLiteral("{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\\f0\\fs24 ") + body
        + QStringLiteral("}");
}

struct TCase {
    const char* name;
    TPrintRecord record;
    double targetMs;
};

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    InstallCjkFontSubstitutes();
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.db"));
    CreateSqliteDatabase(file, SqliteScriptFiles(QStringLiteral(WR_SOURCE_DIR "/db/sqlite"), true));
    auto conn = OpenDatabase(file);

    TPrintRecord typical = LoadPrintRecord(*conn, QStringLiteral("60B67F58-DC6A-5A04-8D05-A2659B224C7D"));
    TPrintRecord big = typical;
    big.rtfSuoJian = BigRtf(1024 * 1024);
    const QList<TCase> cases{{"typical report", typical, 200}, {"1 MB report", big, 2000}};

    TPrintSettings settings;
    settings.hospitalName = QStringLiteral("示例市第一人民医院");
    bool ok = true;
    std::printf("%-16s %10s %10s %8s %12s %8s\n", "case", "median ms", "target ms", "pages", "RTF read ms", "ratio");
    for (const TCase& c : cases) {
        QList<double> pdfTimes, readTimes;
        int pages = 0;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer t;
            t.start();
            QTextDocument doc;
            RtfToDocument(c.record.rtfSuoJian, doc);
            readTimes << t.nsecsElapsed() / 1e6;
            t.restart();
            TPrintOutcome out;
            QString error;
            if (!WriteReportPdf(c.record, settings, dir.filePath(QStringLiteral("b.pdf")), &out, &error)) {
                std::fprintf(stderr, "%s: %s\n", c.name, qPrintable(error));
                return 2;
            }
            pdfTimes << t.nsecsElapsed() / 1e6;
            pages = out.pageCount;
        }
        const double pdf = Median(pdfTimes), read = Median(readTimes);
        std::printf("%-16s %10.1f %10.0f %8d %12.1f %8.1f\n", c.name, pdf, c.targetMs, pages, read, read > 0 ? pdf / read : 0.0);
        if (pdf > c.targetMs) ok = false;
    }
    std::printf("%s\n", ok ? "targets met" : "TARGET MISSED");
    return ok ? 0 : 1;
}
