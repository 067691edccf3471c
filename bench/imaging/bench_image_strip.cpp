// SPDX-License-Identifier: MIT
// The images beside the editor: an exam of 100 images (800x600, 160-pixel thumbnails as
// wr-dicomd indexes them) read from the index with their thumbnails and shown in the strip,
// as the images room does when the exam opens or an image arrives, against reading the list
// alone (the baseline, same run). The window never waits for this: the room reads on its own
// thread and only fills the strip on the window's.
//
//   bench_image_strip [runs] [--check]
// --check exits 1 when a target is missed: the 100 thumbnails read and shown in under 500 ms.
#include "images/ImageList.h"
#include "images/ImagesPanel.h"
#include "imaging/DicomHeader.h"
#include "platform/SqliteDatabase.h"
#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace wr::imaging;

namespace {
double Median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v[v.size() / 2];
}

QByteArray Thumbnail(int n)
{
    QImage img(160, 120, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setPen(QPen(QColor(200, 200, 200), 2));
    for (int r = 4; r < 120; r += 6 + n % 5) p.drawEllipse(QPoint(80, 10), r, r * 2 / 3);
    p.end();
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    img.save(&b, "JPEG", 85);
    return b.data();
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    int runs = 5;
    bool check = false;
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--check") check = true;
        else runs = std::max(1, atoi(argv[i]));
    }
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.db"));
    CreateSqliteDatabase(file, SqliteScriptFiles(QStringLiteral(WR_SOURCE_DIR "/db/sqlite"), false));
    auto conn = OpenDatabase(file);
    const QString accnu = QStringLiteral("US-BENCH-1");
    {
        TDicomIndex index(*conn);
        for (int n = 0; n < 100; ++n) {
            TDicomHeader h;
            h.sopInstanceUid = QStringLiteral("1.2.826.0.1.3680043.9.7.%1").arg(n + 1);
            h.sopClassUid = QStringLiteral("1.2.840.10008.5.1.4.1.1.7");
            h.studyInstanceUid = QStringLiteral("1.2.826.0.1.3680043.9.7.1000");
            h.seriesInstanceUid = QStringLiteral("1.2.826.0.1.3680043.9.7.1001");
            h.accessionNumber = accnu;
            h.patientName = QStringLiteral("张三");
            h.modality = QStringLiteral("US");
            h.instanceNumber = n + 1;
            h.width = 800;
            h.height = 600;
            index.IndexInstance(h, 480000, QStringLiteral("bench:/store"), QStringLiteral("/store/%1.dcm").arg(n), Thumbnail(n), false);
        }
    }
    QListWidget strip;
    strip.setIconSize(QSize(128, 128));
    strip.resize(220, 800);
    strip.show();
    const TKeyImageSelection none;
    QList<double> listMs, shownMs;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer t;
        t.start();
        const TImageLists plain = ReadImageLists(*conn, accnu, false);
        listMs << t.nsecsElapsed() / 1e6;
        t.restart();
        const TImageLists lists = ReadImageLists(*conn, accnu, true);
        FillImageStrip(strip, lists, none);
        strip.repaint();   // the strip painted, icons scaled, as the doctor sees it
        shownMs << t.nsecsElapsed() / 1e6;
        if (lists.exam.size() != 100 || lists.thumbnails.size() != 100 || plain.exam.size() != 100) {
            std::fprintf(stderr, "expected 100 images, read %zu (%s)\n", lists.exam.size(), qPrintable(lists.error));
            return 2;
        }
    }
    const double list = Median(listMs), shown = Median(shownMs);
    std::printf("100 images listed without thumbnails (baseline): %.1f ms\n", list);
    std::printf("100 thumbnails read and shown in the strip: %.1f ms (%.1fx the baseline)\n", shown, list > 0 ? shown / list : 0.0);
    const bool ok = shown < 500;
    std::printf("target (under 500 ms): %s\n", ok ? "met" : "MISSED");
    return check && !ok ? 1 : 0;
}
