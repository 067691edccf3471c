// SPDX-License-Identifier: MIT
// RTF reading and writing speed on a generated RichEdit-style report of about 2 MB (Chinese
// paragraphs in GBK \'hh escapes with formatting runs, bullets and tables), set beside the
// converters Debian offers (unrtf --text, LibreOffice's headless text conversion) on the same
// file in the same run; then two large documents that must read in linear time: 30 MB of
// empty paragraphs and a table of 10,000 rows.
//
//   bench_rtf [--check] [--no-office] [--keep FILE]
// --check exits 1 when a target is missed; --no-office leaves LibreOffice out (it takes
// seconds); --keep writes the generated document to FILE.
#include "rtf/Rtf.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTextDocument>
#include <algorithm>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <cstdio>
#include <functional>
#include <vector>

extern char** environ;

namespace {

const char16_t kWords[] =
    u"肝脏大小形态正常包膜光滑实质回声均匀未见明显异常肝内胆管无扩张门静脉主干内径约胆囊"
    u"壁毛糙囊内可见强回声团后方伴声影随体位改变移动胰腺显示清晰主胰管无扩张脾脏厚度"
    u"双肾大小正常皮髓质分界清楚集合系统未见分离膀胱充盈良好前列腺甲状腺左右叶结节边界";

// Appends text as RichEdit writes it: ASCII as is, everything else as GBK \'hh escapes.
void appendEscaped(QByteArray& out, const QString& text, QStringEncoder& gbk)
{
    static const char hex[] = "0123456789abcdef";
    const QByteArray bytes = gbk.encode(text);
    for (char c : bytes) {
        const uchar b = uchar(c);
        if (b < 0x80) {
            out.append(c);
        } else {
            out.append("\\'").append(hex[b >> 4]).append(hex[b & 15]);
        }
    }
}

struct Generated {
    QByteArray rtf;
    int characters = 0;
    int paragraphs = 0;
    int runs = 0;
};

Generated generate()
{
    Generated g;
    QStringEncoder gbk("GBK");
    QByteArray& o = g.rtf;
    o.reserve(2300000);
    o.append("{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052{\\fonttbl{\\f0\\fnil\\fcharset134 ");
    appendEscaped(o, QStringLiteral("宋体"), gbk);
    o.append(";}{\\f1\\fnil\\fcharset0 Arial;}{\\f2\\fnil\\fcharset2 Symbol;}}\r\n"
             "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
             "\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs24 ");
    const QStringView words(kWords);
    uint32_t seed = 12345;
    auto next = [&seed] { seed = seed * 1103515245u + 12345u; return (seed >> 8) & 0xFFFF; };
    auto chinese = [&](int n) {
        QString s;
        for (int i = 0; i < n; ++i)
            s.append(words.at(next() % words.size()));
        return s;
    };
    bool inList = false;
    for (int p = 0; p < 3400; ++p) {
        if (p % 200 == 100) { // a 4 x 3 measurement table
            if (inList)
                o.append("\\pard ");
            inList = false;
            for (int r = 0; r < 4; ++r) {
                o.append("\\trowd\\trgaph108\\trleft-108\\trbrdrl\\brdrs\\brdrw10 \\trbrdrt\\brdrs\\brdrw10 "
                         "\\clbrdrl\\brdrw10\\brdrs\\cellx2000\\clbrdrl\\brdrw10\\brdrs\\cellx4000"
                         "\\clbrdrl\\brdrw10\\brdrs\\cellx6000\\pard\\intbl ");
                for (int c = 0; c < 3; ++c) {
                    const QString cell = chinese(4);
                    appendEscaped(o, cell, gbk);
                    g.characters += int(cell.size());
                    o.append("\\cell ");
                    ++g.runs;
                }
                o.append("\\row\r\n");
            }
            o.append("\\pard ");
        }
        if (p % 10 < 3) { // bullets in RichEdit's form
            if (!inList)
                o.append("\\pard{\\pntext\\f2\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0{\\pntxtb\\'b7}}\\fi-360\\li720 ");
            else
                o.append("{\\pntext\\f2\\'b7\\tab}");
            inList = true;
        } else if (inList) {
            o.append("\\pard ");
            inList = false;
        }
        // Plain, bold red, plain; every fifth paragraph ends with a measurement in Arial.
        const QString a = chinese(32), b = chinese(12), c = chinese(29);
        appendEscaped(o, a, gbk);
        o.append("\\cf1\\b ");
        appendEscaped(o, b, gbk);
        o.append("\\cf0\\b0 ");
        appendEscaped(o, c, gbk);
        g.characters += int(a.size() + b.size() + c.size());
        g.runs += 3;
        if (p % 5 == 0) {
            const QString measure = QStringLiteral("%1.%2mm").arg(next() % 90 + 10).arg(next() % 10);
            o.append("\\f1\\fs20 ").append(measure.toLatin1()).append("\\f0\\fs24 ");
            g.characters += int(measure.size());
            ++g.runs;
        }
        o.append("\\par\r\n");
        ++g.paragraphs;
    }
    o.append("}\r\n").append('\0');
    return g;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

struct Cost {
    double wallMs = -1; // -1: could not run, or failed
    double cpuMs = -1;  // user + system time of the process
    double peakMb = -1; // largest resident size of the process
};

// Runs a whole process with its output thrown away; wall and CPU time.
Cost runProcess(const QString& program, const QStringList& args)
{
    std::vector<QByteArray> storage{QFile::encodeName(program)};
    for (const QString& a : args)
        storage.push_back(QFile::encodeName(a));
    std::vector<char*> argv;
    for (QByteArray& a : storage)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    QElapsedTimer t;
    t.start();
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    Cost cost;
    if (rc != 0)
        return cost;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return cost;
    cost.wallMs = t.nsecsElapsed() / 1e6;
    cost.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
                 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    cost.peakMb = usage.ru_maxrss / 1024.0;
    return cost;
}

Cost processMedian(int runs, const QString& program, const QStringList& args)
{
    std::vector<double> wall, cpu;
    double peak = 0;
    for (int i = 0; i < runs; ++i) {
        const Cost c = runProcess(program, args);
        if (c.wallMs < 0)
            return c;
        wall.push_back(c.wallMs);
        cpu.push_back(c.cpuMs);
        peak = std::max(peak, c.peakMb);
    }
    return {median(wall), median(cpu), peak};
}

// 30 MB of nothing but paragraph marks (five million empty paragraphs).
QByteArray manyParagraphs()
{
    QByteArray o = "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\\f0\\fs24 ";
    o.reserve(30000100);
    while (o.size() < 30000000)
        o.append("\\par\r\n");
    return o.append("}\r\n");
}

// A measurement table of 10,000 rows of three cells, as RichEdit writes tables.
QByteArray longTable()
{
    QByteArray o = "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\\f0\\fs24 ";
    for (int r = 0; r < 10000; ++r) {
        o.append("\\trowd\\trgaph108\\trleft-108\\clbrdrl\\brdrw10\\brdrs\\cellx2000\\clbrdrl\\brdrw10\\brdrs\\cellx4000"
                 "\\clbrdrl\\brdrw10\\brdrs\\cellx6000\\pard\\intbl ");
        o.append("row ").append(QByteArray::number(r)).append("\\cell ");
        o.append(QByteArray::number(r * 7 % 1000)).append(".5mm\\cell ");
        o.append("\\'d5\\'fd\\'b3\\'a3\\cell\\row\r\n");
    }
    return o.append("\\pard\\par}\r\n");
}

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Wall and CPU time of one call.
Cost measure(const std::function<void()>& f)
{
    QElapsedTimer t;
    const double cpu0 = threadCpuMs();
    t.start();
    f();
    return {t.nsecsElapsed() / 1e6, threadCpuMs() - cpu0};
}

Cost medianOf(const std::vector<Cost>& v)
{
    std::vector<double> wall, cpu;
    for (const Cost& c : v) {
        wall.push_back(c.wallMs);
        cpu.push_back(c.cpuMs);
    }
    return {median(wall), median(cpu)};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool check = args.contains(QStringLiteral("--check"));
    const bool withOffice = !args.contains(QStringLiteral("--no-office"));

    const Generated g = generate();
    const double mb = g.rtf.size() / 1e6;
    QTemporaryDir tmp;
    const QString file = tmp.filePath(QStringLiteral("report.rtf"));
    {
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly) || f.write(g.rtf) != g.rtf.size())
            return std::fprintf(stderr, "cannot write %s\n", qPrintable(file)), 2;
    }
    const qsizetype keep = args.indexOf(QStringLiteral("--keep"));
    if (keep >= 0 && keep + 1 < args.size())
        QFile::copy(file, args.at(keep + 1));

    std::printf("RTF benchmark: %.2f MB RichEdit-style GBK document, %d characters, %d paragraphs, %d runs\n",
                mb, g.characters, g.paragraphs, g.runs);

    // Reading: each time into a fresh document, as a report is opened.
    std::vector<Cost> reads;
    QString plain;
    for (int i = 0; i < 12; ++i) {
        QTextDocument doc;
        reads.push_back(measure([&] { RtfToDocument(g.rtf, doc); }));
        if (i == 0)
            plain = DocumentPlainText(doc);
    }
    reads.erase(reads.begin()); // the first run also fills the code-page tables
    const qsizetype letters = plain.size() - plain.count(u'\r') - plain.count(u'\n') - plain.count(u'\t');
    if (letters != g.characters) {
        std::fprintf(stderr, "read gave %lld characters, expected %d\n", (long long)letters, g.characters);
        return 2;
    }
    const Cost read = medianOf(reads);

    QTextDocument doc;
    RtfToDocument(g.rtf, doc);
    std::vector<Cost> writes;
    QByteArray written;
    for (int i = 0; i < 11; ++i)
        writes.push_back(measure([&] { written = DocumentToRtf(doc); }));
    writes.erase(writes.begin());
    const Cost write = medianOf(writes);
    const Cost plainCost = measure([&] { plain = DocumentPlainText(doc); });

    const Cost rtfconv = processMedian(7, QStringLiteral(WR_RTFCONV), {QStringLiteral("--to"), QStringLiteral("text"), file});
    const QString unrtfPath = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
    const Cost unrtf = unrtfPath.isEmpty() ? Cost() : processMedian(3, unrtfPath, {QStringLiteral("--text"), file});
    Cost office;
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (withOffice && !soffice.isEmpty()) {
        const QStringList officeArgs = {QStringLiteral("-env:UserInstallation=file://") + tmp.filePath(QStringLiteral("lo-profile")),
                                        QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                                        QStringLiteral("txt:Text"), QStringLiteral("--outdir"), tmp.path(), file};
        runProcess(soffice, officeArgs); // the first start creates the profile
        office = processMedian(1, soffice, officeArgs);
    }

    bool ok = true;
    auto target = [&ok](bool met) { ok = ok && met; return met ? "met" : "MISSED"; };
    auto rate = [](double megabytes, double ms) { return megabytes / (ms / 1000); };
    const double writtenMb = written.size() / 1e6;
    std::printf("                           wall ms   cpu ms   (MB/s by wall / by cpu)\n");
    std::printf("read into QTextDocument : %8.1f %8.1f   %6.1f / %6.1f MB/s   target >= 60 MB/s: %s\n", read.wallMs,
                read.cpuMs, rate(mb, read.wallMs), rate(mb, read.cpuMs), target(rate(mb, read.wallMs) >= 60));
    std::printf("write from QTextDocument: %8.1f %8.1f   %6.1f / %6.1f MB/s   target >= 100 MB/s: %s\n", write.wallMs,
                write.cpuMs, rate(writtenMb, write.wallMs), rate(writtenMb, write.cpuMs),
                target(rate(writtenMb, write.wallMs) >= 100));
    std::printf("  (%.2f MB of RTF written: %.1f MB/s measured by the source document's size)\n", writtenMb,
                rate(mb, write.wallMs));
    std::printf("plain text of document  : %8.1f %8.1f\n", plainCost.wallMs, plainCost.cpuMs);
    std::printf("rtfconv --to text       : %8.1f %8.1f   whole process\n", rtfconv.wallMs, rtfconv.cpuMs);
    if (unrtf.wallMs > 0 && rtfconv.wallMs > 0)
        std::printf("unrtf --text            : %8.1f %8.1f   rtfconv faster %.1fx (cpu %.1fx)   target >= 3x: %s\n",
                    unrtf.wallMs, unrtf.cpuMs, unrtf.wallMs / rtfconv.wallMs, unrtf.cpuMs / rtfconv.cpuMs,
                    target(unrtf.wallMs / rtfconv.wallMs >= 3));
    else
        std::printf("unrtf --text            : not available or failed\n");
    if (office.wallMs > 0 && rtfconv.wallMs > 0)
        std::printf("soffice --convert-to txt: %8.1f %8.1f   rtfconv faster %.1fx (cpu %.1fx)   target >= 20x: %s\n",
                    office.wallMs, office.cpuMs, office.wallMs / rtfconv.wallMs, office.cpuMs / rtfconv.cpuMs,
                    target(office.wallMs / rtfconv.wallMs >= 20));
    else
        std::printf("soffice --convert-to txt: %s\n", withOffice ? "not available or failed" : "left out (--no-office)");

    // Large documents: each read once into a fresh document, and by rtfconv as a whole process
    // (whose peak memory is the document's).
    struct Large {
        const char* name;
        QByteArray rtf;
        double maxMs, maxMb;
    };
    const Large large[] = {{"30 MB of \\par (5 million)", manyParagraphs(), 3000, 500},
                           {"table of 10,000 rows", longTable(), -1, -1}};
    std::printf("\nlarge documents              MB    read ms   cpu ms  | rtfconv ms  peak MB\n");
    for (const Large& l : large) {
        const QString path = tmp.filePath(QStringLiteral("large.rtf"));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(l.rtf) != l.rtf.size())
            return std::fprintf(stderr, "cannot write %s\n", qPrintable(path)), 2;
        f.close();
        Cost in;
        {
            QTextDocument doc;
            in = measure([&] { RtfToDocument(l.rtf, doc); });
        }
        const Cost whole = processMedian(1, QStringLiteral(WR_RTFCONV), {QStringLiteral("--to"), QStringLiteral("text"), path});
        std::printf("%-26s %6.1f %9.1f %8.1f  | %10.1f %8.1f", l.name, l.rtf.size() / 1e6, in.wallMs, in.cpuMs,
                    whole.wallMs, whole.peakMb);
        if (l.maxMs > 0)
            std::printf("   target < %.0f ms and < %.0f MB: %s", l.maxMs, l.maxMb,
                        target(whole.wallMs > 0 && whole.wallMs < l.maxMs && whole.peakMb < l.maxMb));
        std::printf("\n");
    }

    double load[1] = {0};
    if (getloadavg(load, 1) == 1)
        std::printf("load average during the run: %.1f (cpu times are the fairer measure on a busy machine)\n", load[0]);
    return check && !ok ? 1 : 0;
}
