// SPDX-License-Identifier: MIT
// The store and the index on a fresh SQLite database made from the project's scripts: an
// instance is stored once whatever arrives twice, a bad UID never names a file, an exam lists
// exactly its images (by accession or by a doctor's assignment), unmatched ones stay listed,
// the archive state decides what may be deleted, and a database that is down loses nothing.
// The index cases run on SQLite and, as a workstation's login, on the PostgreSQL server.
#include "DicomFixtures.h"
#include "ServerFixture.h"
#include "TestDatabase.h"
#include "imaging/DicomHeader.h"
#include "imaging/DicomIndex.h"
#include "imaging/DicomIndexer.h"
#include "imaging/DicomStore.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace wr::imaging;

namespace {

TDicomHeader Header(const QString& uid, const QString& accession)
{
    TDicomHeader h;
    h.sopInstanceUid = uid;
    h.sopClassUid = QStringLiteral("1.2.840.10008.5.1.4.1.1.6.1");
    h.studyInstanceUid = QStringLiteral("1.2.9");
    h.accessionNumber = accession;
    h.patientName = QStringLiteral("张三");
    h.frames = 1;
    h.width = 320;
    h.height = 240;
    return h;
}

QStringList Uids(const std::vector<TDicomInstance>& rows)
{
    QStringList uids;
    for (const auto& r : rows) uids << r.sopInstanceUid;
    uids.sort();
    return uids;
}

QString WriteTemporary(TDicomStore& store, const QByteArray& content)
{
    const QString path = store.NewTemporaryPath();
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(content);
    return path;
}

} // namespace

class TstDicomIndex : public QObject
{
    Q_OBJECT

private slots:
    void storeKeepsAnInstanceOnce();
    void storeRefusesBadUids_data();
    void storeRefusesBadUids();
    void examListsItsImages();
    void archiveStateGuardsDeletion();
    void databaseDownLosesNothing();
};

void TstDicomIndex::storeKeepsAnInstanceOnce()
{
    QTemporaryDir dir;
    TDicomStore store(dir.path());
    QVERIFY(store.Prepare(nullptr));
    QString error;
    QCOMPARE(store.Commit(WriteTemporary(store, "first"), QStringLiteral("1.2.3.4"), &error), TDicomStore::TCommit::Stored);
    QCOMPARE(store.Commit(WriteTemporary(store, "second"), QStringLiteral("1.2.3.4"), &error),
             TDicomStore::TCommit::AlreadyStored);
    QFile stored(store.PathFor(QStringLiteral("1.2.3.4")));
    QVERIFY(stored.open(QIODevice::ReadOnly));
    QCOMPARE(stored.readAll(), QByteArray("first"));
    QCOMPARE(store.Queued(), QStringList{QStringLiteral("1.2.3.4")});
    QVERIFY(QDir(dir.path() + QStringLiteral("/incoming")).entryList(QDir::Files).isEmpty());
    // A transfer a kill interrupted is not an instance.
    WriteTemporary(store, "half");
    QCOMPARE(store.RemoveLeftovers(), 1);
    // A marker is dropped only when its file is not there (a kill between marker and rename).
    QVERIFY(!store.DropMarkerWithoutFile(QStringLiteral("1.2.3.4")));
    QVERIFY(store.Enqueue(QStringLiteral("1.2.3.5"), &error));
    QVERIFY(store.DropMarkerWithoutFile(QStringLiteral("1.2.3.5")));
    QCOMPARE(store.Queued(), QStringList{QStringLiteral("1.2.3.4")});
}

void TstDicomIndex::storeRefusesBadUids_data()
{
    QTest::addColumn<QString>("uid");
    QTest::newRow("empty") << QString();
    QTest::newRow("path escape") << QStringLiteral("../../etc/passwd");
    QTest::newRow("slash") << QStringLiteral("1.2/3");
    QTest::newRow("double dot") << QStringLiteral("1..2");
    QTest::newRow("letters") << QStringLiteral("1.2.a");
    QTest::newRow("65 characters") << QStringLiteral("1.") + QString(63, QLatin1Char('1'));
    QTest::newRow("non-ASCII digit") << QStringLiteral("1.2.٣");
}

void TstDicomIndex::storeRefusesBadUids()
{
    QFETCH(QString, uid);
    QTemporaryDir dir;
    TDicomStore store(dir.path());
    QVERIFY(store.Prepare(nullptr));
    const QString temporary = WriteTemporary(store, "x");
    QString error;
    QCOMPARE(store.Commit(temporary, uid, &error), TDicomStore::TCommit::Failed);
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(temporary));
    QVERIFY(store.Queued().isEmpty());
}

void TstDicomIndex::examListsItsImages()
{
    if (!TBackendDatabase::SkipReason().isEmpty()) QSKIP(qPrintable(TBackendDatabase::SkipReason()));
    TBackendDatabase db;
    db.Exec(QStringLiteral("INSERT INTO Study (Accnu, PatientName) VALUES ('A1', '张三'), ('A2', '李四')"));
    // The workstation's login: what it may read and execute is what the host will use.
    TDicomIndex index(db.Connection());
    QVERIFY(index.HasSchema());
    index.IndexInstance(Header(QStringLiteral("1.1"), QStringLiteral("A1")), 10, QStringLiteral("s"), QStringLiteral("/p/1.1"), QByteArray("jpg"), false);
    index.IndexInstance(Header(QStringLiteral("1.2"), QStringLiteral("A1")), 10, QStringLiteral("s"), QStringLiteral("/p/1.2"), {}, false);
    index.IndexInstance(Header(QStringLiteral("1.3"), QStringLiteral("NOPE")), 10, QStringLiteral("s"), QStringLiteral("/p/1.3"), {}, false);
    index.IndexInstance(Header(QStringLiteral("1.4"), QString()), 10, QStringLiteral("s"), QStringLiteral("/p/1.4"), {}, false);
    // The same instance again: one row, nothing about it lost.
    index.IndexInstance(Header(QStringLiteral("1.1"), QStringLiteral("A1")), 10, QStringLiteral("s"), QStringLiteral("/q/1.1"), {}, false);
    QCOMPARE(db.Value(QStringLiteral("SELECT count(*) FROM DicomInstance")).AsInteger(), 4);
    QCOMPARE(index.ThumbnailJpeg(QStringLiteral("1.1")), QByteArray("jpg"));
    QCOMPARE(index.Find(QStringLiteral("1.1"))->filePath, QStringLiteral("/q/1.1"));
    QCOMPARE(index.Find(QStringLiteral("1.1"))->patientName, QStringLiteral("张三"));

    QCOMPARE(Uids(index.ListExam(QStringLiteral("A1"))), (QStringList{QStringLiteral("1.1"), QStringLiteral("1.2")}));
    QVERIFY(index.ListExam(QStringLiteral("A2")).empty());
    QVERIFY(index.ListExam(QString()).empty());
    QCOMPARE(Uids(index.ListUnmatched()), (QStringList{QStringLiteral("1.3"), QStringLiteral("1.4")}));

    // The doctor gives an unmatched image to the open exam, and one of A1's to A2.
    index.Assign(QStringLiteral("1.3"), QStringLiteral("A2"));
    index.Assign(QStringLiteral("1.2"), QStringLiteral("A2"));
    QCOMPARE(Uids(index.ListExam(QStringLiteral("A1"))), QStringList{QStringLiteral("1.1")});
    QCOMPARE(Uids(index.ListExam(QStringLiteral("A2"))), (QStringList{QStringLiteral("1.2"), QStringLiteral("1.3")}));
    QCOMPARE(Uids(index.ListUnmatched()), QStringList{QStringLiteral("1.4")});
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, index.Assign(QStringLiteral("1.4"), QStringLiteral("NO-SUCH-EXAM")));
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, index.Assign(QStringLiteral("9.9"), QStringLiteral("A1")));
    // A Study registered after its images arrived picks them up.
    db.Exec(QStringLiteral("INSERT INTO Study (Accnu) VALUES ('NOPE')"));
    index.Assign(QStringLiteral("1.3"), QString());
    QCOMPARE(Uids(index.ListExam(QStringLiteral("NOPE"))), QStringList{QStringLiteral("1.3")});
    // An image without its accession finds its exam by the Study Instance UID the worklist gave.
    db.Exec(QStringLiteral("INSERT INTO Study (Accnu, StudyUid) VALUES ('A3', '1.2.77')"));
    TDicomHeader dropped = Header(QStringLiteral("1.5"), QString());
    dropped.studyInstanceUid = QStringLiteral("1.2.77");
    index.IndexInstance(dropped, 10, QStringLiteral("s"), QStringLiteral("/p/1.5"), {}, false);
    QCOMPARE(Uids(index.ListExam(QStringLiteral("A3"))), QStringList{QStringLiteral("1.5")});
    QCOMPARE(Uids(index.ListUnmatched()), QStringList{QStringLiteral("1.4")});
}

void TstDicomIndex::archiveStateGuardsDeletion()
{
    if (!TBackendDatabase::SkipReason().isEmpty()) QSKIP(qPrintable(TBackendDatabase::SkipReason()));
    TBackendDatabase db;
    TDicomIndex index(db.Connection());
    index.IndexInstance(Header(QStringLiteral("2.1"), QStringLiteral("A")), 10, QStringLiteral("here"), QStringLiteral("/p"), {}, true);
    index.IndexInstance(Header(QStringLiteral("2.2"), QStringLiteral("A")), 10, QStringLiteral("other"), QStringLiteral("/p"), {}, true);
    QCOMPARE(Uids(index.PendingForward(QStringLiteral("here"), 10)), QStringList{QStringLiteral("2.1")});

    index.RecordForward(QStringLiteral("2.1"), false, QStringLiteral("no association"));
    QCOMPARE(index.Find(QStringLiteral("2.1"))->forwardAttempts, 1);
    QCOMPARE(index.Find(QStringLiteral("2.1"))->forwardState, TForwardState::Pending);
    QVERIFY(index.Prunable(QStringLiteral("here"), 0, 10).empty());
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, index.MarkRemoved(QStringLiteral("2.1")));

    index.RecordForward(QStringLiteral("2.1"), true, QString());
    QCOMPARE(index.Find(QStringLiteral("2.1"))->forwardState, TForwardState::Archived);
    QVERIFY(index.PendingForward(QStringLiteral("here"), 10).empty());
    QVERIFY(index.Prunable(QStringLiteral("here"), 30, 10).empty());      // archived just now
    QVERIFY(index.Prunable(QStringLiteral("other"), 0, 10).empty());      // another store's
    QCOMPARE(Uids(index.Prunable(QStringLiteral("here"), 0, 10)), QStringList{QStringLiteral("2.1")});
    index.MarkRemoved(QStringLiteral("2.1"));
    QVERIFY(index.Find(QStringLiteral("2.1"))->FileRemoved());
    QVERIFY(index.Prunable(QStringLiteral("here"), 0, 10).empty());
    // Sent again after its file was removed: the file is back, the archive state stays.
    index.IndexInstance(Header(QStringLiteral("2.1"), QStringLiteral("A")), 10, QStringLiteral("here"), QStringLiteral("/p"), {}, true);
    QVERIFY(!index.Find(QStringLiteral("2.1"))->FileRemoved());
    QCOMPARE(index.Find(QStringLiteral("2.1"))->forwardState, TForwardState::Archived);
}

void TstDicomIndex::databaseDownLosesNothing()
{
    QTemporaryDir dir;
    TFreshDatabase db(false);
    TDicomStore store(dir.path() + QStringLiteral("/store"));
    QVERIFY(store.Prepare(nullptr));
    QString error;
    const QString file = fixtures::Make(dir.path(), QStringLiteral("sc"), QStringLiteral("a.dcm"),
                                        {QStringLiteral("AccessionNumber=A9")});
    QVERIFY(!file.isEmpty());
    TDicomHeader h;
    QVERIFY(ReadDicomHeader(file, &h, &error));
    const QString temporary = store.NewTemporaryPath();
    QVERIFY(QFile::copy(file, temporary));
    QCOMPARE(store.Commit(temporary, h.sopInstanceUid, &error), TDicomStore::TCommit::Stored);
    // A marker whose transfer was killed before its rename: nothing to index.
    QVERIFY(store.Enqueue(QStringLiteral("7.7.7"), &error));

    bool up = false;
    QStringList log;
    TDicomIndexer indexer(store, QStringLiteral("here"),
                          [&]() -> std::unique_ptr<TDbConnection> {
                              if (!up) throw EDatabaseError(QStringLiteral("server not reachable"));
                              return OpenDatabase(db.file);
                          },
                          [&](const QString& line) { log << line; });
    TDicomIndexer::TDrainResult r = indexer.Drain();
    QVERIFY(r.databaseDown);
    QCOMPARE(r.indexed, 0);
    QCOMPARE(store.Queued().size(), 2);
    QVERIFY(QFile::exists(store.PathFor(h.sopInstanceUid)));

    up = true;
    r = indexer.Drain();
    QVERIFY(!r.databaseDown);
    QCOMPARE(r.indexed, 1);
    QCOMPARE(r.dropped, 1);
    QVERIFY(store.Queued().isEmpty());
    TDicomIndex index(*db.conn);
    const auto row = index.Find(h.sopInstanceUid);
    QVERIFY(row.has_value());
    QCOMPARE(row->accessionNumber, QStringLiteral("A9"));
    QCOMPARE(row->filePath, store.PathFor(h.sopInstanceUid));
    QVERIFY(!index.Thumbnail(h.sopInstanceUid).isNull());
}

QTEST_GUILESS_MAIN(TstDicomIndex)
#include "tst_dicom_index.moc"
