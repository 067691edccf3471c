// SPDX-License-Identifier: MIT
// Several processes saving into one SQLite file at the same moment: none fails, none loses
// a row. Each process is a real sqlite_saver.
#include "TestDatabase.h"
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TstMultiProcess : public QObject {
    Q_OBJECT

private slots:
    void concurrentSavesAllArrive()
    {
        QTemporaryDir dir;
        const QString file = CreateTestDatabaseFile(dir.path(), false);
        constexpr int kProcesses = 8;
        constexpr int kReports = 25;
        std::vector<std::unique_ptr<QProcess>> procs;
        for (int p = 0; p < kProcesses; ++p) {
            auto proc = std::make_unique<QProcess>();
            proc->setProcessChannelMode(QProcess::ForwardedOutputChannel);
            proc->start(QStringLiteral(WR_SAVER_EXE), {file, QStringLiteral("P%1").arg(p), QString::number(kReports)});
            procs.push_back(std::move(proc));
        }
        for (auto& proc : procs) {
            QVERIFY(proc->waitForFinished(120000));
            QCOMPARE(proc->exitStatus(), QProcess::NormalExit);
            QCOMPARE(proc->exitCode(), 0);
        }
        auto conn = OpenDatabase(file);
        QCOMPARE(QueryTestValue(*conn, QStringLiteral("SELECT count(*) FROM Report")).AsInteger(), kProcesses * kReports);
        QCOMPARE(QueryTestValue(*conn, QStringLiteral("SELECT count(DISTINCT ruid) FROM Report")).AsInteger(), kProcesses * kReports);
        QCOMPARE(QueryTestValue(*conn, QStringLiteral("SELECT min(PrintedCont) FROM Report")).AsInteger(), 1);
    }
};

QTEST_GUILESS_MAIN(TstMultiProcess)
#include "tst_multiprocess.moc"
