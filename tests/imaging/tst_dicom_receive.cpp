// SPDX-License-Identifier: MIT
// wr-dicomd as the machines meet it: storescu (Debian's dcmtk) sends fixtures made at test
// time; the store and the index must hold every acknowledged instance exactly once, refuse
// what is not accepted with nothing stored, survive a kill in the middle of an association
// without losing anything it acknowledged (and a sender dying mid-instance leaves nothing), index later what arrived while the database was
// down, and import a folder through the same path.
#include "DicomFixtures.h"
#include "TestDatabase.h"
#include "imaging/DicomHeader.h"
#include "imaging/DicomIndex.h"
#include "imaging/DicomStore.h"
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace wr::imaging;

namespace {

// The stored instances (files named <uid>.dcm under the store), by UID.
QStringList StoredUids(const QString& store)
{
    QStringList uids;
    QDirIterator it(store, {QStringLiteral("*.dcm")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) uids << QFileInfo(it.next()).completeBaseName();
    uids.sort();
    return uids;
}

QString UidOf(const QString& file)
{
    TDicomHeader h;
    QString error;
    return ReadDicomHeader(file, &h, &error) ? h.sopInstanceUid : QString();
}

int IndexedCount(const QString& db)
{
    auto conn = OpenDatabase(db);
    return QueryTestValue(*conn, QStringLiteral("SELECT count(*) FROM DicomInstance")).AsInteger();
}

bool WaitIndexed(const QString& db, int count, int timeoutMs = 20000)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        if (QFile::exists(db) && IndexedCount(db) >= count) return IndexedCount(db) == count;
        QThread::msleep(100);
    }
    return false;
}

template <typename Condition>
bool WaitFor(Condition condition, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs && !condition()) QThread::msleep(50);
    return condition();
}

QString Copy(const QString& file, const QString& name)
{
    const QString out = QFileInfo(file).absolutePath() + QLatin1Char('/') + name;
    QFile::copy(file, out);
    return fixtures::Run(QStringLiteral("dcmodify"), {QStringLiteral("-nb"), QStringLiteral("-gin"), out}) ? out : QString();
}

} // namespace

class TstDicomReceive : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QStringList DaemonArgs(int port, const QString& store, const QString& db)
    {
        return {QStringLiteral("--port"), QString::number(port), QStringLiteral("--store"), store, QStringLiteral("--db"), db};
    }

private slots:
    void receivesEachInstanceOnce();
    void manyAssociationsAtOnce();
    void refusesWhatItDoesNotAccept_data();
    void refusesWhatItDoesNotAccept();
    void killMidAssociationLosesNothingAcknowledged();
    void databaseDownThenBack();
    void importsAFolder();
    void portInUse();
};

void TstDicomReceive::receivesEachInstanceOnce()
{
    QTemporaryDir dir;
    const QString db = CreateTestDatabaseFile(dir.path(), false);
    ExecTestSql(*OpenDatabase(db), QStringLiteral("INSERT INTO Study (Accnu) VALUES ('A1'), ('A2')"));
    const QString store = dir.path() + QStringLiteral("/store");
    // A Chinese name in UTF-8, and one in GB18030 as its raw bytes (李四: C0 EE CB C4, padded
    // to an even length).
    const QString utf8 = fixtures::Make(dir.path(), QStringLiteral("sc"), QStringLiteral("utf8.dcm"),
                                        {QStringLiteral("AccessionNumber=A1"), QStringLiteral("SpecificCharacterSet=ISO_IR 192"),
                                         QStringLiteral("PatientName=王^小明")});
    const QString gb = fixtures::Make(dir.path(), QStringLiteral("jpeg-labelled-rgb"), QStringLiteral("gb.dcm"),
                                      {QStringLiteral("AccessionNumber=A1")});
    QFile name(dir.path() + QStringLiteral("/name.bin"));
    QVERIFY(name.open(QIODevice::WriteOnly));
    name.write("\xC0\xEE^\xCB\xC4 ");
    name.close();
    QVERIFY(fixtures::Run(QStringLiteral("dcmodify"), {QStringLiteral("-nb"), QStringLiteral("-i"), QStringLiteral("SpecificCharacterSet=GB18030"),
                                                       QStringLiteral("-if"), QStringLiteral("PatientName=") + name.fileName(), gb}));
    const QString loop = fixtures::Make(dir.path(), QStringLiteral("multiframe"), QStringLiteral("loop.dcm"),
                                        {QStringLiteral("AccessionNumber=A2")});
    const QString none = fixtures::Make(dir.path(), QStringLiteral("rle"), QStringLiteral("none.dcm"));
    QVERIFY(!utf8.isEmpty() && !gb.isEmpty() && !loop.isEmpty() && !none.isEmpty());

    const int port = fixtures::FreePort();
    fixtures::Daemon daemon(DaemonArgs(port, store, db));
    QVERIFY2(daemon.WaitListening(), qPrintable(daemon.Log()));
    QVERIFY(fixtures::Run(QStringLiteral("echoscu"), {QStringLiteral("-aec"), QStringLiteral("WRSTORE"), QStringLiteral("localhost"),
                                                      QString::number(port)}));
    // storescu proposes one compressed transfer syntax, named by an option: the RLE file goes
    // on an association of its own. The JPEG one is sent twice, the second time on another
    // association.
    QString out;
    const QStringList jpeg{QStringLiteral("-xy")}, rle{QStringLiteral("-xr")};
    QVERIFY2(fixtures::StoreScu(port, QStringLiteral("WRSTORE"), {gb, utf8, loop, utf8}, &out, jpeg) == 0, qPrintable(out));
    QVERIFY2(out.contains(QLatin1String("JPEG Baseline -> JPEG Baseline")), "sent as JPEG, not decompressed by storescu");
    QVERIFY2(fixtures::StoreScu(port, QStringLiteral("WRSTORE"), {none}, &out, rle) == 0, qPrintable(out));
    QVERIFY2(fixtures::StoreScu(port, QStringLiteral("WRSTORE"), {gb}, &out, jpeg) == 0, qPrintable(out));
    QVERIFY2(WaitIndexed(db, 4), qPrintable(daemon.Log()));
    daemon.Terminate();
    QCOMPARE(daemon.ExitCode(), 0);

    QStringList sent{UidOf(utf8), UidOf(gb), UidOf(loop), UidOf(none)};
    sent.sort();
    QCOMPARE(StoredUids(store), sent);
    auto conn = OpenDatabase(db);
    TDicomIndex index(*conn);
    QCOMPARE(index.Find(UidOf(utf8))->patientName, QString::fromUtf8("王小明"));
    QCOMPARE(index.Find(UidOf(gb))->patientName, QString::fromUtf8("李四"));
    QCOMPARE(index.Find(UidOf(loop))->frames, 4);
    QCOMPARE(index.ListExam(QStringLiteral("A1")).size(), size_t(2));
    QCOMPARE(index.ListUnmatched().size(), size_t(1));
    QVERIFY(!index.Thumbnail(UidOf(gb)).isNull());
    // One line per instance with the status sent, and one per association.
    const QString log = daemon.Log();
    QCOMPARE(log.count(QRegularExpression(QStringLiteral("C-STORE .* status 0x0000"))), 6);
    QCOMPARE(log.count(QLatin1String("already stored, kept once")), 2);
    QCOMPARE(log.count(QLatin1String("association from STORESCU (127.0.0.1) ended")), 3);
    QCOMPARE(log.count(QLatin1String("association from ECHOSCU (127.0.0.1) ended")), 1);
}

void TstDicomReceive::manyAssociationsAtOnce()
{
    QTemporaryDir dir;
    const QString db = CreateTestDatabaseFile(dir.path(), false);
    const QString store = dir.path() + QStringLiteral("/store");
    const QString first = fixtures::Make(dir.path(), QStringLiteral("sc"), QStringLiteral("m0.dcm"));
    QStringList files{first};
    for (int i = 1; i < 20; ++i) files << Copy(first, QStringLiteral("m%1.dcm").arg(i));
    QVERIFY(!files.contains(QString()));
    const int port = fixtures::FreePort();
    fixtures::Daemon daemon(DaemonArgs(port, store, db));
    QVERIFY(daemon.WaitListening());
    std::vector<std::unique_ptr<QProcess>> senders;
    for (const QString& f : files) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::MergedChannels);
        p->start(QStringLiteral("storescu"), {QStringLiteral("-R"), QStringLiteral("-aec"), QStringLiteral("WRSTORE"), QStringLiteral("localhost"),
                                               QString::number(port), f, f});
        senders.push_back(std::move(p));
    }
    for (auto& p : senders) {
        QVERIFY(p->waitForFinished(60000));
        QVERIFY2(p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0, p->readAll().constData());
    }
    if (!WaitIndexed(db, 20)) {
        qWarning().noquote() << daemon.Log();
        QFAIL("not every instance was indexed");
    }
    QCOMPARE(StoredUids(store).size(), 20);
}

void TstDicomReceive::refusesWhatItDoesNotAccept_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QStringList>("modify");   // dcmodify arguments
    QTest::addColumn<QString>("converted");    // dcmconv option, or empty
    QTest::addColumn<QStringList>("scu");      // storescu options
    QTest::addColumn<QString>("calledAet");
    QTest::addColumn<QString>("callingAets");  // [Dicom] CallingAETitles
    QTest::addColumn<QString>("logged");
    const QString noContext = QStringLiteral("none of the SOP classes and transfer syntaxes it proposed is accepted");
    QTest::newRow("CT image, a class not accepted")
        << "sc" << QStringList{QStringLiteral("-m"), QStringLiteral("SOPClassUID=1.2.840.10008.5.1.4.1.1.2")} << QString()
        << QStringList() << "WRSTORE" << QString() << noContext;
    // Sent by a peer that offers only deflated (storescu would otherwise inflate it itself).
    QTest::newRow("deflated, a transfer syntax not accepted")
        << "sc" << QStringList() << "+td" << QStringList{QStringLiteral("-xf"), QStringLiteral("@deflated-only"), QStringLiteral("Only")}
        << "WRSTORE" << QString() << noContext;
    QTest::newRow("wrong called AE title") << "sc" << QStringList() << QString() << QStringList() << "OTHER" << QString()
                                           << "called AE title \"OTHER\" is not WRSTORE";
    // A disk under the free-space margin (set beyond any disk's size here).
    QTest::newRow("disk full") << "sc" << QStringList() << QString() << QStringList() << "WRSTORE"
                               << QString() << "status 0xA700, not stored: the store's disk has";
    QTest::newRow("calling AE title not listed") << "sc" << QStringList() << QString() << QStringList() << "WRSTORE"
                                                 << "US1,US2" << "calling AE title not in [Dicom] CallingAETitles";
}

void TstDicomReceive::refusesWhatItDoesNotAccept()
{
    QFETCH(QString, fixture);
    QFETCH(QStringList, modify);
    QFETCH(QString, converted);
    QFETCH(QStringList, scu);
    QFETCH(QString, calledAet);
    QFETCH(QString, callingAets);
    QFETCH(QString, logged);
    QTemporaryDir dir;
    const QString db = CreateTestDatabaseFile(dir.path(), false);
    const QString store = dir.path() + QStringLiteral("/store");
    QString file = fixtures::Make(dir.path(), fixture, QStringLiteral("refused.dcm"));
    QVERIFY(!file.isEmpty());
    if (!modify.isEmpty()) QVERIFY(fixtures::Run(QStringLiteral("dcmodify"), QStringList{QStringLiteral("-nb")} + modify << file));
    if (!converted.isEmpty()) {
        const QString out = file + QStringLiteral(".conv");
        QVERIFY(fixtures::Run(QStringLiteral("dcmconv"), {converted, file, out}));
        file = out;
    }
    const int at = int(scu.indexOf(QStringLiteral("@deflated-only")));
    if (at >= 0) {
        QFile cfg(dir.path() + QStringLiteral("/deflated.cfg"));
        QVERIFY(cfg.open(QIODevice::WriteOnly));
        cfg.write("[[TransferSyntaxes]]\n[Deflated]\nTransferSyntax1 = DeflatedLittleEndianExplicit\n"
                  "[[PresentationContexts]]\n[SC]\nPresentationContext1 = SecondaryCaptureImageStorage\\Deflated\n"
                  "[[Profiles]]\n[Only]\nPresentationContexts = SC\n");
        cfg.close();
        scu[at] = cfg.fileName();
    }
    QStringList args = DaemonArgs(fixtures::FreePort(), store, db);
    const bool diskFull = logged.contains(QLatin1String("0xA700"));
    if (!callingAets.isEmpty() || diskFull) {
        QFile config(dir.path() + QStringLiteral("/d.ini"));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(diskFull ? "[Dicom]\nMinFreeMB=2000000000\n" : "[Dicom]\nCallingAETitles=" + callingAets.toUtf8() + "\n");
        config.close();
        args << QStringLiteral("--config") << config.fileName();
    }
    fixtures::Daemon daemon(args);
    QVERIFY(daemon.WaitListening());
    QString out;
    const int rc = fixtures::StoreScu(args.at(1).toInt(), calledAet, {file}, &out, scu);
    QVERIFY2(rc != 0 || out.contains(QLatin1String("Out of Resources")), qPrintable(out + daemon.Log()));
    QTest::qWait(300);
    daemon.Terminate();
    QVERIFY2(StoredUids(store).isEmpty(), qPrintable(daemon.Log()));
    QVERIFY(QDir(store + QStringLiteral("/incoming")).entryList(QDir::Files).isEmpty());
    QCOMPARE(IndexedCount(db), 0);
    if (!logged.isEmpty()) QVERIFY2(daemon.Log().contains(logged), qPrintable(daemon.Log()));
}

void TstDicomReceive::killMidAssociationLosesNothingAcknowledged()
{
    QTemporaryDir dir;
    const QString db = CreateTestDatabaseFile(dir.path(), false);
    const QString store = dir.path() + QStringLiteral("/store");
    const QString small = fixtures::Make(dir.path(), QStringLiteral("sc"), QStringLiteral("s0.dcm"));
    const QString big = fixtures::MakeLoop(dir.path(), QStringLiteral("big.dcm"), 300);
    QVERIFY(!small.isEmpty() && !big.isEmpty());
    const QStringList files{small, Copy(small, QStringLiteral("s1.dcm")), Copy(small, QStringLiteral("s2.dcm")), big,
                            Copy(small, QStringLiteral("s3.dcm"))};
    const int port = fixtures::FreePort();
    auto daemon = std::make_unique<fixtures::Daemon>(DaemonArgs(port, store, db));
    QVERIFY(daemon->WaitListening());

    QProcess sender;
    sender.setProcessChannelMode(QProcess::MergedChannels);
    sender.start(QStringLiteral("storescu"), QStringList{QStringLiteral("-v"), QStringLiteral("-R"), QStringLiteral("-aec"), QStringLiteral("WRSTORE"),
                                                         QStringLiteral("localhost"), QString::number(port)} + files);
    // Killed while the big loop is being written.
    QElapsedTimer t;
    t.start();
    bool midTransfer = false;
    while (!midTransfer && t.elapsed() < 60000) {
        for (const QFileInfo& fi : QDir(store + QStringLiteral("/incoming")).entryInfoList(QDir::Files))
            midTransfer = midTransfer || fi.size() > 20 * 1024 * 1024;
        QThread::msleep(5);
    }
    QVERIFY(midTransfer);
    daemon->Kill();
    QVERIFY(sender.waitForFinished(60000));
    const QString out = QString::fromLocal8Bit(sender.readAll());
    const int acknowledged = int(out.count(QLatin1String("Received Store Response (Success)")));
    QCOMPARE(acknowledged, 3);  // the three small ones before the loop

    // Every acknowledged instance is stored whole; the loop was not acknowledged and is not there.
    QStringList expected;
    for (int i = 0; i < acknowledged; ++i) expected << UidOf(files.at(i));
    expected.sort();
    QCOMPARE(StoredUids(store), expected);
    for (const QString& uid : expected) QCOMPARE(UidOf(TDicomStore(store).PathFor(uid)), uid);

    // Started again: the unfinished transfer goes, whatever the kill left unindexed is indexed.
    daemon = std::make_unique<fixtures::Daemon>(DaemonArgs(port, store, db));
    QVERIFY(daemon->WaitListening());
    QVERIFY(daemon->Log().contains(QLatin1String("removed 1 unfinished transfer")));
    // Now the sender dies in the middle of the loop: nothing of it counts, nothing is left.
    QProcess dying;
    dying.start(QStringLiteral("storescu"), {QStringLiteral("-R"), QStringLiteral("-aec"), QStringLiteral("WRSTORE"),
                                             QStringLiteral("localhost"), QString::number(port), big});
    midTransfer = false;
    t.restart();
    while (!midTransfer && t.elapsed() < 60000) {
        for (const QFileInfo& fi : QDir(store + QStringLiteral("/incoming")).entryInfoList(QDir::Files))
            midTransfer = midTransfer || fi.size() > 20 * 1024 * 1024;
        QThread::msleep(5);
    }
    QVERIFY(midTransfer);
    dying.kill();
    dying.waitForFinished();
    QVERIFY2(WaitFor([&] { return QDir(store + QStringLiteral("/incoming")).entryList(QDir::Files).isEmpty(); }, 10000),
             qPrintable(daemon->Log()));
    // The half file goes before the failure is logged: wait for the line as well.
    QVERIFY2(WaitFor([&] { return daemon->Log().contains(QLatin1String("transfer failed")); }, 10000), qPrintable(daemon->Log()));
    QCOMPARE(StoredUids(store), expected);

    // The sender tries again: the rest arrives, nothing twice.
    QCOMPARE(fixtures::StoreScu(port, QStringLiteral("WRSTORE"), files), 0);
    QVERIFY2(WaitIndexed(db, 5), qPrintable(daemon->Log()));
    QCOMPARE(StoredUids(store).size(), 5);
}

void TstDicomReceive::databaseDownThenBack()
{
    QTemporaryDir dir;
    QTemporaryDir dbDir;
    // The database file does not exist yet: the server is "down".
    const QString db = dbDir.path() + QStringLiteral("/writereport.db");
    const QString store = dir.path() + QStringLiteral("/store");
    const QString a = fixtures::Make(dir.path(), QStringLiteral("sc"), QStringLiteral("a.dcm"));
    const QString b = Copy(a, QStringLiteral("b.dcm"));
    const int port = fixtures::FreePort();
    fixtures::Daemon daemon(DaemonArgs(port, store, db));
    QVERIFY(daemon.WaitListening());
    QCOMPARE(fixtures::StoreScu(port, QStringLiteral("WRSTORE"), {a, b}), 0);
    QTest::qWait(1500);
    QCOMPARE(StoredUids(store).size(), 2);
    QCOMPARE(TDicomStore(store).Queued().size(), 2);
    QVERIFY2(WaitFor([&] { return daemon.Log().contains(QLatin1String("database unavailable")); }, 10000), qPrintable(daemon.Log()));

    CreateTestDatabaseFile(dbDir.path(), false);
    QVERIFY2(WaitIndexed(db, 2, 40000), qPrintable(daemon.Log()));
    QVERIFY(TDicomStore(store).Queued().isEmpty());
}

void TstDicomReceive::importsAFolder()
{
    QTemporaryDir dir;
    const QString db = CreateTestDatabaseFile(dir.path(), false);
    const QString store = dir.path() + QStringLiteral("/store");
    const QString usb = dir.path() + QStringLiteral("/usb");
    QVERIFY(QDir().mkpath(usb + QStringLiteral("/DICOM/ST1")));
    const QString a = fixtures::Make(usb + QStringLiteral("/DICOM/ST1"), QStringLiteral("sc"), QStringLiteral("IM1"));
    const QString b = fixtures::Make(usb + QStringLiteral("/DICOM/ST1"), QStringLiteral("jpeg-baseline"), QStringLiteral("IM2"));
    const QString ct = fixtures::Make(usb, QStringLiteral("sc"), QStringLiteral("CT1"));
    QVERIFY(fixtures::Run(QStringLiteral("dcmodify"), {QStringLiteral("-nb"), QStringLiteral("-m"),
                                                       QStringLiteral("SOPClassUID=1.2.840.10008.5.1.4.1.1.2"), ct}));
    QFile::remove(usb + QStringLiteral("/DICOM/ST1/IM1.bmp"));
    QFile::remove(usb + QStringLiteral("/DICOM/ST1/IM2.bmp"));
    QFile::remove(usb + QStringLiteral("/CT1.bmp"));
    // A copy cut short, as a stick pulled out too early leaves it.
    QFile whole(a);
    QVERIFY(whole.open(QIODevice::ReadOnly));
    QFile cut(usb + QStringLiteral("/DICOM/ST1/IM3"));
    QVERIFY(cut.open(QIODevice::WriteOnly));
    cut.write(whole.read(whole.size() * 2 / 3));
    cut.close();
    QFile text(usb + QStringLiteral("/autorun.inf"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("[autorun]\n");
    text.close();

    for (int round = 0; round < 2; ++round) {
        QString out;
        const bool ok = fixtures::Run(fixtures::DaemonPath(), {QStringLiteral("--store"), store, QStringLiteral("--db"), db,
                                                               QStringLiteral("--import"), usb}, &out);
        QVERIFY2(ok, qPrintable(out));
        QVERIFY2(out.contains(round == 0 ? QLatin1String("2 stored, 0 already stored, 2 refused, 1 not DICOM, 0 failed, 2 indexed")
                                         : QLatin1String("0 stored, 2 already stored, 2 refused, 1 not DICOM, 0 failed")),
                 qPrintable(out));
    }
    QCOMPARE(IndexedCount(db), 2);
    QStringList expected{UidOf(a), UidOf(b)};
    expected.sort();
    QCOMPARE(StoredUids(store), expected);
}

void TstDicomReceive::portInUse()
{
    QTemporaryDir dir;
    const QString db = CreateTestDatabaseFile(dir.path(), false);
    const int port = fixtures::FreePort();
    fixtures::Daemon first(DaemonArgs(port, dir.path() + QStringLiteral("/a"), db));
    QVERIFY(first.WaitListening());
    fixtures::Daemon second(DaemonArgs(port, dir.path() + QStringLiteral("/b"), db));
    QVERIFY(!second.WaitListening());
    QVERIFY(second.Process().state() == QProcess::NotRunning || second.Process().waitForFinished(10000));
    QCOMPARE(second.ExitCode(), 1);
    QVERIFY2(second.Log().contains(QStringLiteral("cannot listen on port %1").arg(port)), qPrintable(second.Log()));
}

QTEST_GUILESS_MAIN(TstDicomReceive)
#include "tst_dicom_receive.moc"
