// SPDX-License-Identifier: MIT
// bench_checks [runs]: runs the checks before signing, with the shipped rules, on reports whose
// findings and impression together hold 1 MB of UTF-8 text: a realistic one dense with side,
// sex, negation and "nothing abnormal" words, and a hostile one made of characters that start
// terms without completing them. Prints the median times against the target (< 50 ms for
// 1 MB) and against one plain pass over the same text (QString::count of a character, the
// baseline measured in this run), and, for information, what reading the same text from RTF
// costs. Exit code 1 when the target is missed.
#include "hostdata/SignCheckReport.h"
#include <QElapsedTimer>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>

namespace {

double Median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v[v.size() / 2];
}

// Repeats `unit` until the text holds `bytes` bytes as UTF-8.
QString Fill(const QString& unit, qsizetype bytes)
{
    const qsizetype unitBytes = unit.toUtf8().size();
    QString s;
    s.reserve(bytes / unitBytes * unit.size() + unit.size());
    for (qsizetype n = 0; n < bytes; n += unitBytes) s += unit;
    return s;
}

template <typename F>
double TimeMs(int runs, F&& f)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        times << t.nsecsElapsed() / 1e6;
    }
    return Median(times);
}

QString Rtf(const QString& text)
{
    QString body;
    for (const QChar ch : text) {
        if (ch == QLatin1Char('\n')) body += QStringLiteral("\\par\r\n");
        else body += ch.unicode() < 128 ? QString(ch) : QStringLiteral("\\u%1?").arg(short(ch.unicode()));
    }
    return QStringLiteral("{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\\f0 ") + body + QLatin1Char('}');
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 9;
    const TSignCheckRules rules = TSignCheckRules::Load(QStringLiteral(WR_SOURCE_DIR "/data/checks/sign-checks.rules"));
    constexpr qsizetype kHalf = 512 * 1024;
    constexpr double kTargetMs = 50;

    struct TCase {
        const char* name;
        TCheckInput input;
    };
    TCheckInput dense;
    dense.examItem = QStringLiteral("右肾");
    dense.examPart = QStringLiteral("右肾");
    dense.sex = QStringLiteral("男");
    dense.positive = false;
    dense.findings = Fill(QStringLiteral("左肾大小约10.5×5.0cm左右，未见子宫回声，子宫切除术后，左侧附件区见无回声，前列腺不大，双肾未见明显异常。\n"), kHalf);
    dense.impression = Fill(QStringLiteral("1.左肾结石；2.子宫显示清楚；3.肝胆胰脾未见明显异常\n"), kHalf);
    TCheckInput hostile = dense;
    hostile.findings = Fill(QStringLiteral("子未未见明明左附胎孕"), kHalf);
    hostile.impression = Fill(QStringLiteral("未见明显未见明显异"), kHalf);
    const TCase cases[] = {{"dense Chinese report", dense}, {"hostile text", hostile}};

    bool ok = true;
    std::printf("checks before signing, %d runs, median\n", runs);
    for (const TCase& c : cases) {
        const qsizetype bytes = c.input.findings.toUtf8().size() + c.input.impression.toUtf8().size();
        int findings = 0;
        const double ms = TimeMs(runs, [&] { findings = int(RunSignChecks(rules, c.input).size()); });
        qsizetype sink = 0;
        const double baseMs = TimeMs(runs, [&] { sink += c.input.findings.count(QChar(u'左')) + c.input.impression.count(QChar(u'左')); });
        const bool met = ms < kTargetMs;
        ok = ok && met;
        std::printf("  %-22s %7.2f MB  %8.2f ms (target < %.0f ms: %s)  %4d finding(s)  %6.1fx one plain pass (%.2f ms)\n", c.name,
                    bytes / 1048576.0, ms, kTargetMs, met ? "met" : "MISSED", findings, baseMs > 0 ? ms / baseMs : 0.0, baseMs);
        if (sink < 0) return 2;
    }
    // Reading the saved RTF is the host's cost before the checks, not part of the target.
    const QString rtf = Rtf(dense.findings);
    QString plain;
    const double rtfMs = TimeMs(std::min(runs, 3), [&] { plain = CheckPlainText(rtf); });
    std::printf("  (for information: the %.2f MB of findings read from %.2f MB of RTF in %.1f ms)\n",
                dense.findings.toUtf8().size() / 1048576.0, rtf.size() / 1048576.0, rtfMs);
    return ok ? 0 : 1;
}
