// SPDX-License-Identifier: MIT
// Decoding stored instances to QImage: every colour model and compression an ultrasound room
// sends, compared with dcmj2pnm's rendering and with the colour that was drawn (red block on
// white), so a wrong colour model (a YCbCr stream labelled RGB read as RGB, planes read as
// interleaved, a palette ignored) fails here.
#include "DicomFixtures.h"
#include "imaging/DicomDecode.h"
#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

using namespace wr::imaging;

class TstDicomDecode : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void decodesLikeTheReference_data();
    void decodesLikeTheReference();
    void keyImageAndThumbnail();
    void badInput_data();
    void badInput();
};

void TstDicomDecode::decodesLikeTheReference_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("frame");
    QTest::addColumn<bool>("monochrome");
    QTest::addColumn<QColor>("blockColour");  // what was drawn at (80, 60); invalid: not checked
    QTest::addColumn<int>("tolerance");      // largest channel difference to dcmj2pnm
    const QColor red(255, 0, 0);
    QTest::newRow("RGB uncompressed") << "sc" << 0 << false << red << 0;
    QTest::newRow("JPEG baseline YBR_FULL_422") << "jpeg-baseline" << 0 << false << red << 2;
    QTest::newRow("JPEG baseline stream labelled RGB") << "jpeg-labelled-rgb" << 0 << false << red << 2;
    QTest::newRow("JPEG lossless") << "jpeg-lossless" << 0 << false << red << 0;
    QTest::newRow("RLE") << "rle" << 0 << false << red << 0;
    QTest::newRow("JPEG-LS lossless") << "jpeg-ls" << 0 << false << red << 0;
    QTest::newRow("RGB planar") << "planar" << 0 << false << red << 0;
    QTest::newRow("YBR_FULL uncompressed") << "ybrfull" << 0 << false << red << 2;
    QTest::newRow("PALETTE COLOR") << "palette" << 0 << false << red << 0;
    QTest::newRow("MONOCHROME2 16 bit with window") << "mono16" << 0 << true << QColor() << 1;
    QTest::newRow("multi-frame, frame 3 of 4") << "multiframe" << 2 << false << QColor(0, 0, 255) << 0;
    QTest::newRow("multi-frame, frame 1 of 4") << "multiframe" << 0 << false << red << 0;
}

void TstDicomDecode::decodesLikeTheReference()
{
    QFETCH(QString, kind);
    QFETCH(int, frame);
    QFETCH(bool, monochrome);
    QFETCH(QColor, blockColour);
    QFETCH(int, tolerance);
    const QString file = fixtures::Make(m_dir.path(), kind, kind + QStringLiteral(".dcm"));
    QVERIFY(!file.isEmpty());

    const TDecodedFrame decoded = DecodeDicomFrame(file, frame);
    QVERIFY2(!decoded.image.isNull(), qPrintable(decoded.error));
    QCOMPARE(decoded.image.size(), QSize(320, 240));
    QCOMPARE(decoded.image.isGrayscale(), monochrome);
    if (kind == QLatin1String("multiframe")) QCOMPARE(decoded.frameCount, 4);

    const QImage reference = fixtures::Reference(file, frame, monochrome);
    QVERIFY(!reference.isNull());
    double mean = 0;
    const int worst = fixtures::MaxDifference(decoded.image, reference, &mean);
    QVERIFY2(worst >= 0 && worst <= tolerance, qPrintable(QStringLiteral("max %1, mean %2").arg(worst).arg(mean)));

    if (blockColour.isValid()) {
        const QColor got = decoded.image.pixelColor(80, 60);
        QVERIFY2(std::abs(got.red() - blockColour.red()) < 12 && std::abs(got.green() - blockColour.green()) < 12
                     && std::abs(got.blue() - blockColour.blue()) < 12,
                 qPrintable(QStringLiteral("block is %1,%2,%3").arg(got.red()).arg(got.green()).arg(got.blue())));
        const QColor background = decoded.image.pixelColor(300, 20);
        QVERIFY(background.red() > 240 && background.green() > 240 && background.blue() > 240);
    }
}

void TstDicomDecode::keyImageAndThumbnail()
{
    const QString file = fixtures::Make(m_dir.path(), QStringLiteral("jpeg-labelled-rgb"), QStringLiteral("key.dcm"));
    QVERIFY(!file.isEmpty());
    QString error;
    // Never enlarged: a 320x240 image stays that size, and a thumbnail fits its box.
    const QImage key = QImage::fromData(RenderKeyImageJpeg(file, 0, &error), "JPEG");
    QVERIFY2(!key.isNull(), qPrintable(error));
    QCOMPARE(key.size(), QSize(320, 240));
    const QImage thumb = QImage::fromData(MakeThumbnailJpeg(file, &error, 160), "JPEG");
    QCOMPARE(thumb.size(), QSize(160, 120));
    const QColor c = thumb.pixelColor(40, 30);
    QVERIFY2(c.red() > 200 && c.green() < 60 && c.blue() < 60, "the thumbnail keeps the colours");
    QCOMPARE(FitLongSide(QImage(3200, 1000, QImage::Format_RGB888), 1600).size(), QSize(1600, 500));
}

void TstDicomDecode::badInput_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("frame");
    QTest::newRow("frame past the end") << "multiframe" << 4;
    QTest::newRow("negative frame") << "sc" << -1;
    QTest::newRow("truncated file") << "truncated" << 0;
    QTest::newRow("not DICOM") << "text" << 0;
    QTest::newRow("missing file") << "missing" << 0;
}

void TstDicomDecode::badInput()
{
    QFETCH(QString, what);
    QFETCH(int, frame);
    QString file = QDir(m_dir.path()).filePath(what + QStringLiteral("-bad.dcm"));
    if (what == QLatin1String("multiframe") || what == QLatin1String("sc")) {
        file = fixtures::Make(m_dir.path(), what, what + QStringLiteral("-bad.dcm"));
    } else if (what == QLatin1String("truncated")) {
        const QString whole = fixtures::Make(m_dir.path(), QStringLiteral("sc"), QStringLiteral("whole.dcm"));
        QFile in(whole);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(in.read(in.size() / 2));
    } else if (what == QLatin1String("text")) {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("not an image at all\n");
    }
    const TDecodedFrame decoded = DecodeDicomFrame(file, frame);
    QVERIFY(decoded.image.isNull());
    QVERIFY(!decoded.error.isEmpty());
}

QTEST_GUILESS_MAIN(TstDicomDecode)
#include "tst_dicom_decode.moc"
