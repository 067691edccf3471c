// SPDX-License-Identifier: MIT
// Images from the machine to the printed sheet, end to end with the built programs:
// storescu sends two pictures of a demo exam to wr-dicomd, which stores and indexes them in
// the demo database; wr-host --script lists them, makes the second and the first the key
// images and saves; wr-host --pdf then prints a sheet holding both, in that order, as JPEG.
// On SQLite, and on the database server when WR_TEST_BACKEND=odbc (scripts/server-tests).
#include "DicomFixtures.h"
#include "HostProcess.h"
#include "PopplerTools.h"
#include "ServerTestDatabase.h"
#include "TestDatabase.h"
#include <QElapsedTimer>
#include <QPainter>
#include <QRegularExpression>
#include <QtTest>

namespace {
const QString kDraft = QStringLiteral("872ED6A1-21C1-5C5F-9840-95EB856AC250");  // demo report, draft
const QString kAccnu = QStringLiteral("US20240520003");

// A picture of its own size as a DICOM file (img2dcm from a JPEG; Secondary Capture).
QString Picture(const QString& dir, const QString& name, QSize size, int number)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setPen(QPen(Qt::white, 4));
    p.drawEllipse(img.rect().adjusted(20, 20, -20, -20));
    p.end();
    const QString jpeg = QDir(dir).filePath(name + QStringLiteral(".jpg"));
    const QString dcm = QDir(dir).filePath(name + QStringLiteral(".dcm"));
    if (!img.save(jpeg, "JPEG", 90)) return {};
    QString output;
    if (!fixtures::Run(QStringLiteral("img2dcm"),
                       {QStringLiteral("-i"), QStringLiteral("JPEG"), jpeg, dcm, QStringLiteral("-k"),
                        QStringLiteral("AccessionNumber=") + kAccnu, QStringLiteral("-k"),
                        QStringLiteral("InstanceNumber=%1").arg(number), QStringLiteral("-k"),
                        QStringLiteral("PatientName=ZHANG^SAN")},
                       &output)) {
        qWarning("img2dcm: %s", qPrintable(output));
        return {};
    }
    return dcm;
}

int Count(const QString& db, const QString& sql)
{
    auto conn = OpenDatabase(db);
    return QueryTestValue(*conn, sql).AsInteger();
}
} // namespace

class TstImagesHost : public QObject {
    Q_OBJECT
private slots:
    void receivedImagesChosenSavedAndPrinted()
    {
        if (const QString missing = PopplerMissing(); !missing.isEmpty()) QSKIP(qPrintable(missing));
        THostSandbox box;
        QString db;
        QStringList hostArgs;
        THostRun r;
        if (TestsUseServer()) {
            if (const QString why = ServerTestsUnavailableReason(); !why.isEmpty()) QSKIP(qPrintable(why));
            db = CreateServerTestDatabase(true);
            hostArgs = QStringList{QStringLiteral("--db"), db} + box.LoginAs(QStringLiteral("D001"));
        } else {
            r = box.RunScript(QStringLiteral("echo ready\n"));  // builds the demo database
            QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
            db = box.DemoDatabase();
        }
        const QString first = Picture(box.Path(QString()), QStringLiteral("first"), QSize(400, 300), 1);
        const QString second = Picture(box.Path(QString()), QStringLiteral("second"), QSize(320, 240), 2);
        QVERIFY(!first.isEmpty() && !second.isEmpty());

        const int port = fixtures::FreePort();
        {
            fixtures::Daemon daemon({QStringLiteral("--port"), QString::number(port), QStringLiteral("--store"),
                                     box.Path(QStringLiteral("store")), QStringLiteral("--db"), db});
            QVERIFY2(daemon.WaitListening(), qPrintable(daemon.Log()));
            QString out;
            // -xy: the pictures are JPEG baseline, as img2dcm wraps a JPEG file.
            QVERIFY2(fixtures::StoreScu(port, QStringLiteral("WRSTORE"), {first, second}, &out, {QStringLiteral("-xy")}) == 0,
                     qPrintable(out));
            QElapsedTimer t;
            t.start();
            const QString indexed = QStringLiteral("SELECT count(*) FROM DicomInstance WHERE AccessionNumber = '%1'").arg(kAccnu);
            while (Count(db, indexed) < 2 && t.elapsed() < 30000) QTest::qWait(200);
            QVERIFY2(Count(db, indexed) == 2, qPrintable(daemon.Log()));
        }

        r = box.RunScript(QStringLiteral("open %1\nunlock\nimages list\nimages select 2 1\nimages list\nsave\n").arg(kDraft), hostArgs);
        QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
        static const QRegularExpression line(QStringLiteral("^image (\\d)\\t([0-9.]+)\\t(\\d+)\\t(\\d+x\\d+)\\t(\\d)$"),
                                             QRegularExpression::MultilineOption);
        QStringList rows;
        for (auto it = line.globalMatch(r.out); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            rows << QStringLiteral("%1 %2 %3 %4").arg(m.captured(1), m.captured(3), m.captured(4), m.captured(5));
        }
        QCOMPARE(rows, QStringList({QStringLiteral("1 1 400x300 0"), QStringLiteral("2 1 320x240 0"),
                                    QStringLiteral("1 1 400x300 2"), QStringLiteral("2 1 320x240 1")}));
        QCOMPARE(Count(db, QStringLiteral("SELECT count(*) FROM KeyImage WHERE ruid = '%1'").arg(kDraft)), 2);

        const QString pdf = box.Path(QStringLiteral("sheet.pdf"));
        r = box.Run(QStringList{QStringLiteral("--pdf"), kDraft, pdf} + hostArgs);
        QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
        const QList<TPdfImage> images = PdfImages(pdf);
        QCOMPARE(images.size(), 2);
        QCOMPARE(QSize(images[0].width, images[0].height), QSize(320, 240));
        QCOMPARE(QSize(images[1].width, images[1].height), QSize(400, 300));
        for (const TPdfImage& i : images) {
            QCOMPARE(i.page, 1);
            QCOMPARE(i.encoding, QStringLiteral("jpeg"));
        }
    }
};

QTEST_MAIN(TstImagesHost)
#include "tst_images_host.moc"
