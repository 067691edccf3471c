// SPDX-License-Identifier: MIT
// The key images on the printed sheet: the grid for one to six images, each kept in its
// aspect ratio at 150 dpi or finer within the body, and in the PDF as JPEG images in print
// order between the patient data and the findings; a report without images has none.
#include "app/Fonts.h"
#include "PopplerTools.h"
#include "hostdata/PrintDocument.h"
#include "hostdata/PrintImages.h"
#include "hostdata/PrintRender.h"
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// A picture that is not one colour, so a JPEG of it is not trivially small.
QImage Picture(int w, int h, QRgb tint)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setPen(QPen(QColor(tint), 3));
    for (int r = 10; r < std::max(w, h); r += 25) p.drawEllipse(QPoint(w / 2, h / 3), r, r / 2);
    return img;
}
} // namespace

class TstPrintImages : public QObject {
    Q_OBJECT
    QTemporaryDir m_out;

private slots:
    void initTestCase() { InstallCjkFontSubstitutes(); }

    void layout_data()
    {
        QTest::addColumn<QList<QSize>>("pixels");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        const QSize us(1024, 768), tall(600, 800), small(320, 240), wide(1600, 600);
        QTest::newRow("one-large") << QList<QSize>{us} << 1 << 1;
        QTest::newRow("one-small-not-blown-up") << QList<QSize>{small} << 1 << 1;
        QTest::newRow("two-side-by-side") << QList<QSize>{us, tall} << 2 << 1;
        QTest::newRow("three-in-two-rows") << QList<QSize>{us, wide, small} << 2 << 2;
        QTest::newRow("four-in-two-rows") << QList<QSize>{us, us, tall, us} << 2 << 2;
        QTest::newRow("five-in-rows-of-three") << QList<QSize>{us, us, us, wide, small} << 3 << 2;
        QTest::newRow("six-in-rows-of-three") << QList<QSize>{us, tall, us, us, wide, us} << 3 << 2;
        QTest::newRow("seven-shows-six") << QList<QSize>{us, us, us, us, us, us, us} << 3 << 2;
    }
    void layout()
    {
        QFETCH(QList<QSize>, pixels);
        QFETCH(int, columns);
        QFETCH(int, rows);
        // An A4 body at 600 dpi: 180 x 240 mm.
        const double dpi = 600, width = 180 * dpi / 25.4, height = 240 * dpi / 25.4;
        const TKeyImageLayout l = LayoutKeyImages(pixels, width, height, dpi);
        QCOMPARE(l.columns, columns);
        QCOMPARE(l.rows, rows);
        QCOMPARE(l.sizes.size(), std::min<qsizetype>(pixels.size(), 6));
        QList<double> rowHeights(rows, 0.0);
        for (int n = 0; n < l.sizes.size(); ++n) {
            const QSizeF s = l.sizes[n];
            const QSize px = pixels[n];
            QVERIFY2(s.width() > 0 && s.height() > 0, qPrintable(QString::number(n)));
            QVERIFY2(std::abs(s.width() / s.height() - double(px.width()) / px.height()) < 0.01, "aspect ratio kept");
            QVERIFY2(px.width() / (s.width() / dpi) >= kKeyImageMinDpi - 0.5, "150 dpi or finer");
            QVERIFY(s.width() * columns + l.gap * (columns - 1) <= width);
            rowHeights[n / columns] = std::max(rowHeights[n / columns], s.height());
        }
        double block = l.gap * (rows - 1);
        for (double h : rowHeights) block += h;
        QVERIFY2(block <= height / 2, "the images leave the lower half of the body to the text");
        // The single large image uses the width it may have, not a corner of it.
        if (pixels.size() == 1 && pixels[0].width() >= 1024) QVERIFY(l.sizes[0].height() > height / 2 - 2 * l.gap - 1);
    }

    void pdfHoldsJpegsInOrderBeforeTheFindings()
    {
        if (const QString missing = PopplerMissing(); !missing.isEmpty()) QSKIP(qPrintable(missing));
        TPrintRecord r;
        r.ruid = QStringLiteral("R1");
        r.accnu = QStringLiteral("US1");
        r.patientName = QStringLiteral("张三");
        r.suoJian = QStringLiteral("肝脏大小形态正常");
        r.jieLun = QStringLiteral("肝脏未见明显异常");
        const QString plain = m_out.filePath(QStringLiteral("plain.pdf"));
        TPrintOutcome before, after;
        QString error;
        QVERIFY2(WriteReportPdf(r, {}, plain, &before, &error), qPrintable(error));
        QVERIFY(PdfImages(plain).isEmpty());

        r.keyImages << Picture(800, 600, qRgb(200, 200, 200)) << Picture(640, 480, qRgb(230, 180, 60)) << QImage();
        const QString pdf = m_out.filePath(QStringLiteral("images.pdf"));
        QVERIFY2(WriteReportPdf(r, {}, pdf, &after, &error), qPrintable(error));
        const QList<TPdfImage> images = PdfImages(pdf);
        QCOMPARE(images.size(), 2);
        QCOMPARE(images[0].width, 800);
        QCOMPARE(images[1].width, 640);
        for (const TPdfImage& i : images) {
            QCOMPARE(i.encoding, QStringLiteral("jpeg"));
            QVERIFY(i.xPpi >= 150);
        }
        QVERIFY(after.warnings.join(QLatin1Char('\n')).contains(QStringLiteral("key image 3")));
        // The findings follow the images on page 1; the text lines are the same as without.
        QCOMPARE(after.pageCount, 1);
        QStringList linesWithout = before.pageLines.value(0), linesWith = after.pageLines.value(0);
        linesWith.removeAll(QString(QChar::ObjectReplacementCharacter) + QChar::ObjectReplacementCharacter);
        linesWith.removeIf([](const QString& l) { return l.contains(QChar::ObjectReplacementCharacter); });
        QCOMPARE(linesWith, linesWithout);
        const QString text = PdfPageText(pdf, 1);
        QVERIFY(text.indexOf(Comparable(PrintCaption::Findings)) > text.indexOf(Comparable(QStringLiteral("临床诊断"))));
    }
};

QTEST_MAIN(TstPrintImages)
#include "tst_print_images.moc"
