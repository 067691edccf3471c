// SPDX-License-Identifier: MIT
// The main window's first size and what it remembers per user.
#include "app/ConfigStore.h"
#include "shell/WindowGeometry.h"
#include <QMainWindow>
#include <QSplitter>
#include <QTemporaryDir>
#include <QtTest>

class TestHostWindow : public QObject {
    Q_OBJECT

private slots:
    void initialGeometry_data();
    void initialGeometry();
    void fitsInsideTheScreenFrameIncluded_data();
    void fitsInsideTheScreenFrameIncluded();
    void remembersSizeAndSplitters();
};

void TestHostWindow::initialGeometry_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("expected");
    const QSize minimum(1024, 700);
    QTest::newRow("1366x768 less a task bar") << QRect(0, 0, 1366, 728) << QRect(0, 0, 1366, 728);
    QTest::newRow("1920x1080, second screen") << QRect(1920, 0, 1920, 1040) << QRect(1920, 0, 1920, 1040);
    QTest::newRow("tiny screen: the minimum") << QRect(0, 0, 800, 600) << QRect(0, 0, 1024, 700);
    QTest::newRow("no screen known") << QRect() << QRect(0, 0, 1024, 700);
}

void TestHostWindow::initialGeometry()
{
    QFETCH(QRect, available);
    QFETCH(QRect, expected);
    QCOMPARE(TWindowGeometry::InitialGeometry(available, QSize(1024, 700)), expected);
}

void TestHostWindow::fitsInsideTheScreenFrameIncluded_data()
{
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("client");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("expected");  // the client geometry
    const QRect screen(0, 0, 1600, 1000);
    // A window manager's 25-pixel title bar, no side borders.
    QTest::newRow("fits: left as it is") << QRect(100, 100, 1000, 725) << QRect(100, 125, 1000, 700) << screen
                                         << QRect(100, 125, 1000, 700);
    QTest::newRow("the screen's size plus the title bar: shrunk") << QRect(0, 0, 1600, 1025) << QRect(0, 25, 1600, 1000)
                                                                  << screen << QRect(0, 25, 1600, 975);
    QTest::newRow("below the bottom: moved up") << QRect(200, 600, 1100, 725) << QRect(200, 625, 1100, 700) << screen
                                                << QRect(200, 300, 1100, 700);
    QTest::newRow("left of a second screen: moved right") << QRect(1500, 0, 1100, 725) << QRect(1500, 25, 1100, 700)
                                                          << QRect(1600, 0, 1920, 1040) << QRect(1600, 25, 1100, 700);
    QTest::newRow("screen smaller than the minimum: its top-left corner")
        << QRect(300, 200, 1024, 725) << QRect(300, 225, 1024, 700) << QRect(0, 0, 800, 600) << QRect(0, 25, 1024, 700);
}

void TestHostWindow::fitsInsideTheScreenFrameIncluded()
{
    QFETCH(QRect, frame);
    QFETCH(QRect, client);
    QFETCH(QRect, available);
    QFETCH(QRect, expected);
    QCOMPARE(TWindowGeometry::FitInside(frame, client, available, QSize(1024, 700)), expected);
}

void TestHostWindow::remembersSizeAndSplitters()
{
    QTemporaryDir dir;
    TConfigStore config(dir.filePath(QStringLiteral("doctor.ini")));
    auto make = [&](QMainWindow& w) {
        auto* split = new QSplitter(&w);
        split->setObjectName(QStringLiteral("hostSplitter"));
        split->addWidget(new QWidget);
        split->addWidget(new QWidget);
        w.setCentralWidget(split);
        return split;
    };
    {
        QMainWindow w;
        QSplitter* split = make(w);
        auto* g = new TWindowGeometry(&w, config);
        g->Restore();
        w.show();
        w.setGeometry(40, 50, 1100, 720);
        split->setSizes({300, 780});
        QCoreApplication::processEvents();
        w.close();  // saves
    }
    QVERIFY(!config.ReadString(QStringLiteral("Window"), QStringLiteral("Geometry")).isEmpty());
    QMainWindow again;
    QSplitter* split = make(again);
    (new TWindowGeometry(&again, config))->Restore();
    again.show();
    QCoreApplication::processEvents();
    QCOMPARE(again.geometry().size(), QSize(1100, 720));
    // Restored before the window is laid out, the splitter keeps its proportion to a few pixels.
    QVERIFY2(qAbs(split->sizes().value(0) - 300) <= 12, qPrintable(QString::number(split->sizes().value(0))));
}

QTEST_MAIN(TestHostWindow)
#include "tst_host_window.moc"
