// SPDX-License-Identifier: MIT
// The key images saved with a report, on fresh databases built from the project's scripts,
// on SQLite and on the database server: the images read back in their order, a changed
// choice keeps the replaced one with the report version it went with, a workstation that
// did not touch the images writes nothing over another's newer choice, and refused saves
// write nothing.
#include "ServerFixture.h"
#include "hostdata/KeyImages.h"
#include "hostdata/ReportHistory.h"
#include <QTest>

namespace {

TKeyImage Image(const QString& uid, int frame, char fill)
{
    TKeyImage i;
    i.sopInstanceUid = uid;
    i.frame = frame;
    i.width = 640;
    i.height = 480;
    // Not a JPEG: the store keeps bytes as given, and every byte value must survive.
    for (int n = 0; n < 300; ++n) i.jpeg.append(static_cast<char>(fill + n));
    return i;
}

const TKeyImage kA = Image(QStringLiteral("1.2.3.1"), 0, 'a');
const TKeyImage kB = Image(QStringLiteral("1.2.3.2"), 4, 'b');
const TKeyImage kC = Image(QStringLiteral("1.2.3.3"), 0, 'c');

} // namespace

class TstKeyImages : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_db.reset(); }

    void imagesReadBackAndChoicesAreKept();
    void untouchedSelectionWritesNothing();
    void refusedSavesWriteNothing_data();
    void refusedSavesWriteNothing();

private:
    void Touch() { m_db->Exec(QStringLiteral("UPDATE Report SET SuoJian = SuoJian || 'x' WHERE ruid = 'R1'")); }
    qint64 Stamp() { return ListReportVersions(Conn(), QStringLiteral("R1")).first().rowVersion; }
    QString Choice() { return StoredKeyImageChoice(Conn(), QStringLiteral("R1")); }

    TDbConnection& Conn() { return m_db->Connection(); }
    std::unique_ptr<TBackendDatabase> m_db;
};

void TstKeyImages::init()
{
    if (const QString why = TBackendDatabase::SkipReason(); !why.isEmpty()) QSKIP(qPrintable(why));
    m_db = std::make_unique<TBackendDatabase>(false);
    m_db->Exec(QStringLiteral("INSERT INTO Study (Accnu, PatientName) VALUES ('A1', '张三')"));
    m_db->Exec(QStringLiteral("INSERT INTO Report (ruid, Accnu, SuoJian, CreateTime) VALUES ('R1', 'A1', '', '2026-12-01 09:00:00')"));
}

void TstKeyImages::imagesReadBackAndChoicesAreKept()
{
    QVERIFY(KeyImagesAvailable(Conn()));
    SaveKeyImages(Conn(), QStringLiteral("R1"), {kB, kA}, QStringLiteral("李医生(01)@ws1"));
    const qint64 first = Stamp();
    QList<TKeyImage> back = LoadKeyImages(Conn(), QStringLiteral("r1"));
    QCOMPARE(back.size(), 2);
    QCOMPARE(back[0].sopInstanceUid, kB.sopInstanceUid);
    QCOMPARE(back[0].frame, 4);
    QCOMPARE(back[0].jpeg, kB.jpeg);
    QCOMPARE(back[1].jpeg, kA.jpeg);
    QCOMPARE(Choice(), QStringLiteral("1.2.3.2:4 1.2.3.1:0"));

    // Saved again unchanged with a newer report version: nothing kept.
    Touch();
    SaveKeyImages(Conn(), QStringLiteral("R1"), {kB, kA}, QString());
    QCOMPARE(m_db->Value(QStringLiteral("SELECT count(*) FROM KeyImageChoiceHistory")).AsInteger(), 0);

    // Another order, then none: each replaced choice goes with the version it was saved with.
    Touch();
    SaveKeyImages(Conn(), QStringLiteral("R1"), {kA, kC, kB}, QString());
    const qint64 second = Stamp();
    QCOMPARE(LoadKeyImages(Conn(), QStringLiteral("R1"))[1].jpeg, kC.jpeg);
    Touch();
    SaveKeyImages(Conn(), QStringLiteral("R1"), {}, QString());
    QVERIFY(LoadKeyImages(Conn(), QStringLiteral("R1")).isEmpty());
    QCOMPARE(KeyImageChoiceAt(Conn(), QStringLiteral("R1"), first).value_or(QStringLiteral("none")), QStringLiteral("1.2.3.2:4 1.2.3.1:0"));
    QCOMPARE(KeyImageChoiceAt(Conn(), QStringLiteral("R1"), second).value_or(QStringLiteral("none")),
             QStringLiteral("1.2.3.1:0 1.2.3.3:0 1.2.3.2:4"));
    QCOMPARE(KeyImageChoiceAt(Conn(), QStringLiteral("R1"), Stamp()).value_or(QStringLiteral("none")), QString());
    QVERIFY(!KeyImageChoiceAt(Conn(), QStringLiteral("R1"), first - 1));
}

void TstKeyImages::untouchedSelectionWritesNothing()
{
    SaveKeyImages(Conn(), QStringLiteral("R1"), {kA}, QString());
    TKeyImageSelection mine, theirs;
    mine.Load(Conn(), QStringLiteral("R1"));
    theirs.Load(Conn(), QStringLiteral("R1"));
    QString error;
    QVERIFY(theirs.Add(kB, 4, &error));
    QVERIFY(theirs.Save(Conn(), QStringLiteral("R1"), QString()));
    theirs.Saved();
    QVERIFY(!theirs.Changed());
    // The other workstation saves its report without having touched the images.
    QVERIFY(!mine.Changed());
    QVERIFY(!mine.Save(Conn(), QStringLiteral("R1"), QString()));
    QCOMPARE(Choice(), QStringLiteral("1.2.3.1:0 1.2.3.2:4"));
    // The selection's own rules: at most `max`, no frame twice, moves within the list.
    QVERIFY(!theirs.Add(kC, 2, &error));
    QVERIFY(!theirs.Add(kA, 4, &error));
    QVERIFY(theirs.Move(2, -1));
    QCOMPARE(theirs.PositionOf(kB.sopInstanceUid), 1);
    QVERIFY(!theirs.Move(2, 1));
}

void TstKeyImages::refusedSavesWriteNothing_data()
{
    QTest::addColumn<QString>("ruid");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("withoutJpeg");
    QTest::newRow("seven-images") << "R1" << 7 << false;
    QTest::newRow("an-image-without-jpeg") << "R1" << 2 << true;
    QTest::newRow("no-such-report") << "R9" << 1 << false;
}

void TstKeyImages::refusedSavesWriteNothing()
{
    QFETCH(QString, ruid);
    QFETCH(int, count);
    QFETCH(bool, withoutJpeg);
    SaveKeyImages(Conn(), QStringLiteral("R1"), {kC}, QString());
    QList<TKeyImage> images;
    for (int n = 0; n < count; ++n) images << Image(QStringLiteral("1.9.%1").arg(n), 0, 'x');
    if (withoutJpeg) images.last().jpeg.clear();
    bool refused = false;
    try {
        SaveKeyImages(Conn(), ruid, images, QString());
    } catch (const EDatabaseError&) {
        refused = true;
    }
    QVERIFY(refused);
    QCOMPARE(Choice(), QStringLiteral("1.2.3.3:0"));
    QCOMPARE(LoadKeyImages(Conn(), QStringLiteral("R1")).size(), 1);
}

QTEST_GUILESS_MAIN(TstKeyImages)
#include "tst_keyimages.moc"
