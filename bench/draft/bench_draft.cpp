// SPDX-License-Identifier: MIT
// One draft of a report while the doctor types: the editor serialises the findings to RTF
// (only after they changed) and writes the draft file atomically with a sync. Measured for
// findings of growing size, against writing the same number of bytes with one sync (the
// floor any durable draft pays). Target: a typical report (a few KB) well under 20 ms, so
// a draft every 1.5 s is not felt while typing.
#include "report/ReportDraft.h"
#include "rtf/Rtf.h"
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cstdio>

namespace {
double MedianMs(QList<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return ms.at(ms.size() / 2);
}
} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    TDraftStore store(dir.path(), QStringLiteral("D001"), QStringLiteral("张医生"));
    for (int paragraphs : {5, 200, 5000}) {
        QTextDocument doc;
        QTextCursor c(&doc);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        for (int i = 0; i < paragraphs; ++i) {
            if (i) c.insertBlock();
            c.insertText(QStringLiteral("肝脏："), bold);
            c.insertText(QStringLiteral("形态大小正常，包膜光滑，实质回声均匀，肝内管道结构清晰，门静脉主干内径约1.0cm。"),
                         QTextCharFormat());
        }
        QList<double> draftMs, floorMs;
        qsizetype bytes = 0;
        for (int run = 0; run < 15; ++run) {
            QElapsedTimer t;
            t.start();
            TReportDraft d;
            d.ruid = QStringLiteral("60B67F58-DC6A-5A04-8D05-A2659B224C7D");
            d.userCode = QStringLiteral("D001");
            d.written = QDateTime::currentDateTimeUtc();
            d.record.FSuoJian = DocumentPlainText(doc);
            d.rtfSuoJian = DocumentToRtf(doc);
            QString error;
            if (!store.Write(d, &error)) {
                std::fprintf(stderr, "%s\n", qPrintable(error));
                return 2;
            }
            draftMs << t.nsecsElapsed() / 1e6;
            const QByteArray same(TDraftStore::Serialize(d).size(), 'x');
            bytes = same.size();
            t.start();
            QSaveFile f(dir.filePath(QStringLiteral("floor.bin")));
            f.open(QIODevice::WriteOnly);
            f.write(same);
            f.commit();
            floorMs << t.nsecsElapsed() / 1e6;
        }
        const double draft = MedianMs(draftMs), floor = MedianMs(floorMs);
        std::printf("findings %5d paragraphs, draft %8lld bytes: median %7.2f ms, same bytes written and synced %6.2f ms, ratio %5.2f\n",
                    paragraphs, static_cast<long long>(bytes), draft, floor, draft / floor);
    }
    return 0;
}
