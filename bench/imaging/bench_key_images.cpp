// SPDX-License-Identifier: MIT
// The key images on the printed sheet: a report with 4 key images of 1600x1200 (the largest
// a key image is kept at, ultrasound-like content, about 230 KB of JPEG each) written as PDF
// through the one render path, time and file size, against the same report without images
// written in the same run (the baseline).
//
//   bench_key_images [runs] [--check]
// --check exits 1 when a target is missed: the 4-image PDF under 1.5 s and under 4 MB.
#include "hostdata/PrintRender.h"
#include <QBuffer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

double Median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v[v.size() / 2];
}

// An ultrasound-like picture: speckled grey in a fan on black, with a few darker shapes, so
// its JPEG is as large as a real one rather than a flat colour's.
QImage UltrasoundLike(int w, int h, quint32 seed)
{
    QImage small(w / 2, h / 2, QImage::Format_Grayscale8);
    QRandomGenerator rng(seed);
    for (int y = 0; y < small.height(); ++y) {
        uchar* line = small.scanLine(y);
        for (int x = 0; x < small.width(); ++x) line[x] = static_cast<uchar>(40 + rng.bounded(150) * y / small.height());
    }
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QPainterPath fan;
    const QPointF apex(w / 2.0, h * 0.05);
    const double radius = h * 0.9;
    fan.moveTo(apex);
    fan.arcTo(QRectF(apex.x() - radius, apex.y() - radius, 2 * radius, 2 * radius), 235, 70);
    fan.closeSubpath();
    p.setClipPath(fan);
    p.drawImage(img.rect(), small);
    p.setBrush(QColor(15, 15, 15));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(w * 0.45, h * 0.5), w * 0.08, h * 0.06);
    p.drawEllipse(QPointF(w * 0.6, h * 0.65), w * 0.05, h * 0.04);
    return img;
}

QImage AsStoredJpeg(const QImage& img, qint64* bytes)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "JPEG");
    writer.setQuality(90);
    writer.write(img);
    *bytes += buffer.data().size();
    return QImage::fromData(buffer.data(), "JPEG");
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    int runs = 5;
    bool check = false;
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--check") check = true;
        else runs = std::max(1, atoi(argv[i]));
    }
    QTemporaryDir dir;
    TPrintRecord r;
    r.ruid = QStringLiteral("BENCH");
    r.accnu = QStringLiteral("US-BENCH");
    r.patientName = QStringLiteral("张三");
    r.suoJian = QStringLiteral("肝脏大小形态正常，包膜光滑，实质回声均匀。\n胆囊大小正常，壁光滑，腔内未见异常回声。");
    r.jieLun = QStringLiteral("肝胆未见明显异常。");
    TPrintRecord withImages = r;
    qint64 stored = 0;
    for (quint32 n = 0; n < 4; ++n) withImages.keyImages << AsStoredJpeg(UltrasoundLike(1600, 1200, n + 1), &stored);

    QList<double> plainMs, imagesMs;
    qint64 plainSize = 0, imagesSize = 0;
    for (int run = 0; run < runs; ++run) {
        for (auto* c : {&r, &withImages}) {
            const QString file = dir.filePath(QStringLiteral("bench.pdf"));
            QString error;
            QElapsedTimer t;
            t.start();
            if (!WriteReportPdf(*c, {}, file, nullptr, &error)) {
                std::fprintf(stderr, "PDF failed: %s\n", qPrintable(error));
                return 2;
            }
            (c == &r ? plainMs : imagesMs) << t.nsecsElapsed() / 1e6;
            (c == &r ? plainSize : imagesSize) = QFileInfo(file).size();
        }
    }
    const double plain = Median(plainMs), images = Median(imagesMs);
    std::printf("PDF without images (baseline): %.0f ms, %lld KB\n", plain, plainSize / 1024);
    std::printf("PDF with 4 key images 1600x1200: %.0f ms (%.1fx the baseline), %lld KB (the 4 stored JPEGs: %lld KB)\n",
                images, plain > 0 ? images / plain : 0.0, imagesSize / 1024, stored / 1024);
    const bool ok = images < 1500 && imagesSize < 4 * 1024 * 1024;
    std::printf("target (under 1.5 s and 4 MB): %s\n", ok ? "met" : "MISSED");
    return check && !ok ? 1 : 0;
}
