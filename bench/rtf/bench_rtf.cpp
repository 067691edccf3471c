// SPDX-License-Identifier: MIT
// RTF reading and writing speed on a generated RichEdit-style report of about 2 MB (Chinese
// paragraphs in GBK \'hh escapes with formatting runs, bullets and tables), set beside the
// converters Debian offers (unrtf --text, LibreOffice's headless text conversion) on the same
// file in the same run.
//
//   bench_rtf [--check] [--no-office] [--keep FILE]
// --check exits 1 when a target is missed; --no-office leaves LibreOffice out (it takes
// seconds); --keep writes the generated document to FILE.
#include "rtf/Rtf.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTextDocument>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

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
        const QString a = chinese(30), b = chinese(12), c = chinese(25);
        const QString measure = QStringLiteral("%1.%2mm").arg(next() % 90 + 10).arg(next() % 10);
        appendEscaped(o, a, gbk);
        o.append("\\cf1\\b ");
        appendEscaped(o, b, gbk);
        o.append("\\cf0\\b0\\f1\\fs20 ").append(measure.toLatin1()).append("\\f0\\fs24 ");
        appendEscaped(o, c, gbk);
        o.append("\\par\r\n");
        g.characters += int(a.size() + b.size() + c.size() + measure.size());
        g.runs += 4;
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

double timeMs(const std::function<void()>& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e6;
}

// Wall time of a whole process in ms, or -1 when it cannot run or fails.
double processMs(const QString& program, const QStringList& args, const QString& workDir = QString())
{
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    if (!workDir.isEmpty())
        p.setWorkingDirectory(workDir);
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    if (!p.waitForFinished(300000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return -1;
    return t.nsecsElapsed() / 1e6;
}

double processMedian(int runs, const QString& program, const QStringList& args, const QString& dir = QString())
{
    std::vector<double> v;
    for (int i = 0; i < runs; ++i) {
        const double ms = processMs(program, args, dir);
        if (ms < 0)
            return -1;
        v.push_back(ms);
    }
    return median(v);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool check = args.contains(QStringLiteral("--check"));
    const bool office = !args.contains(QStringLiteral("--no-office"));

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
    std::vector<double> reads;
    QString plain;
    for (int i = 0; i < 12; ++i) {
        QTextDocument doc;
        reads.push_back(timeMs([&] { RtfToDocument(g.rtf, doc); }));
        if (i == 0)
            plain = DocumentPlainText(doc);
    }
    reads.erase(reads.begin()); // the first run also builds the code-page tables
    const qsizetype letters = plain.size() - plain.count(u'\r') - plain.count(u'\n') - plain.count(u'\t');
    if (letters != g.characters) {
        std::fprintf(stderr, "read gave %lld characters, expected %d\n", (long long)letters, g.characters);
        return 2;
    }
    const double readMs = median(reads);

    QTextDocument doc;
    RtfToDocument(g.rtf, doc);
    std::vector<double> writes;
    QByteArray written;
    for (int i = 0; i < 11; ++i)
        writes.push_back(timeMs([&] { written = DocumentToRtf(doc); }));
    writes.erase(writes.begin());
    const double writeMs = median(writes);
    const double plainMs = timeMs([&] { plain = DocumentPlainText(doc); });

    const double rtfconvMs = processMedian(7, QStringLiteral(WR_RTFCONV), {QStringLiteral("--to"), QStringLiteral("text"), file});
    const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
    const double unrtfMs = unrtf.isEmpty() ? -1 : processMedian(3, unrtf, {QStringLiteral("--text"), file});
    double officeMs = -1;
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (office && !soffice.isEmpty()) {
        const QStringList officeArgs = {QStringLiteral("-env:UserInstallation=file://") + tmp.filePath(QStringLiteral("lo-profile")),
                                        QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                                        QStringLiteral("txt:Text"), QStringLiteral("--outdir"), tmp.path(), file};
        processMs(soffice, officeArgs); // the first start creates the profile
        officeMs = processMedian(1, soffice, officeArgs);
    }

    bool ok = true;
    auto target = [&ok](bool met) { ok = ok && met; return met ? "met" : "MISSED"; };
    const double readRate = mb / (readMs / 1000);
    const double writeRate = written.size() / 1e6 / (writeMs / 1000);
    std::printf("read into QTextDocument : %8.1f ms  %7.1f MB/s   target >= 60 MB/s: %s\n", readMs, readRate,
                target(readRate >= 60));
    std::printf("write from QTextDocument: %8.1f ms  %7.1f MB/s of RTF written (%.2f MB; %.1f MB/s of the source's size)"
                "   target >= 100 MB/s: %s\n",
                writeMs, writeRate, written.size() / 1e6, mb / (writeMs / 1000), target(writeRate >= 100));
    std::printf("plain text of document  : %8.1f ms\n", plainMs);
    std::printf("rtfconv --to text       : %8.1f ms  (whole process)\n", rtfconvMs);
    if (unrtfMs > 0 && rtfconvMs > 0)
        std::printf("unrtf --text            : %8.1f ms  rtfconv %.1fx faster   target >= 3x: %s\n", unrtfMs,
                    unrtfMs / rtfconvMs, target(unrtfMs / rtfconvMs >= 3));
    else
        std::printf("unrtf --text            : not available or failed\n");
    if (officeMs > 0 && rtfconvMs > 0)
        std::printf("soffice --convert-to txt: %8.1f ms  rtfconv %.1fx faster   target >= 20x: %s\n", officeMs,
                    officeMs / rtfconvMs, target(officeMs / rtfconvMs >= 20));
    else
        std::printf("soffice --convert-to txt: %s\n", office ? "not available or failed" : "left out (--no-office)");
    return check && !ok ? 1 : 0;
}
