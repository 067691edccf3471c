// SPDX-License-Identifier: MIT
// A machine asking wr-dicomd for its worklist: Debian's findscu against the real service on
// a real SQLite database, and wlmscpfs (a file-based worklist server) as the reference for
// which keys an answer carries; storescu sends an image with what the answer told it. With
// WR_WORKLIST_ON_SERVER the database is the PostgreSQL server of scripts/server-tests, which
// wr-dicomd reaches with the workstations' login.
#include "ServerTestDatabase.h"
#include "TestDatabase.h"
#include "imaging/DicomIndex.h"
#include "imaging/WorklistService.h"
#include <QImage>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QThread>
#include <QtTest>
#include <dcmtk/dcmdata/dcdeftag.h>
#include <dcmtk/dcmdata/dcfilefo.h>
#include <dcmtk/dcmdata/dcitem.h>

using namespace wr::imaging;

namespace {

QString Day(int offset, const char* time)
{
    return QDate::currentDate().addDays(offset).toString(Qt::ISODate) + QLatin1Char(' ') + QLatin1String(time) + ".000";
}
QString Da(int offset) { return QDate::currentDate().addDays(offset).toString(QStringLiteral("yyyyMMdd")); }

struct TAnswer {
    std::vector<std::unique_ptr<DcmFileFormat>> files;
    QString output;  // findscu's log
};

QByteArray Raw(DcmItem& d, const DcmTagKey& tag)
{
    const char* s = nullptr;
    d.findAndGetString(tag, s, OFTrue);
    return s ? QByteArray(s) : QByteArray();
}

// The tags of an answer: the top level and the step item ("sps." before them).
QStringList Tags(DcmItem& d, const QString& prefix = {})
{
    QStringList tags;
    DcmObject* obj = nullptr;
    while ((obj = d.nextInContainer(obj)) != nullptr) {
        const QString tag = prefix + QString::fromLatin1(obj->getTag().toString().c_str());
        if (obj->getTag() == DCM_SpecificCharacterSet)
            continue;
        tags << tag;
        DcmItem* step = nullptr;
        if (obj->getTag() == DCM_ScheduledProcedureStepSequence && d.findAndGetSequenceItem(obj->getTag(), step, 0).good())
            tags += Tags(*step, QStringLiteral("sps."));
    }
    tags.sort();
    return tags;
}

}  // namespace

class TestWorklistFindscu : public QObject {
    Q_OBJECT

    QString m_target;                       // what wr-dicomd opens
    std::unique_ptr<TDbConnection> m_admin;  // set-up and checks
    QTemporaryDir m_dir;
    QProcess m_daemon;
    int m_port = 0;
    int m_query = 0;

    bool Echo(int port, const QString& aet)
    {
        QProcess echo;
        echo.start(QStringLiteral("echoscu"), {QStringLiteral("-aec"), aet, QStringLiteral("127.0.0.1"), QString::number(port)});
        return echo.waitForFinished(10000) && echo.exitStatus() == QProcess::NormalExit && echo.exitCode() == 0;
    }

    bool WaitUntilListening(QProcess& p, int port, const QString& aet)
    {
        p.waitForStarted();
        for (int i = 0; i < 100 && p.state() == QProcess::Running; ++i) {
            if (Echo(port, aet))
                return true;
            QThread::msleep(100);
        }
        return false;
    }

    void AddStudy(const QString& accnu, const QString& name, const QString& examTime, const QString& station = {})
    {
        ExecTestSql(*m_admin, QStringLiteral("INSERT INTO Study (Accnu, PatientName, Sex, Age, PatientId, ExamTime, "
                                                "Modality, StationAet) VALUES (%1, %2, '男', '45岁', %3, '%4', 'US', %5)")
                                     .arg(QuotedStr(accnu), QuotedStr(name), QuotedStr("ID-" + accnu), examTime,
                                          station.isEmpty() ? QStringLiteral("NULL") : QuotedStr(station)));
    }

    // findscu -W with the standard query changed by `keys` ("tag=value", "sps.tag=value").
    TAnswer Ask(int port, const QString& calledAet, const QStringList& keys, const QByteArray& charset = {},
                const QStringList& extraArgs = {}, int timeoutMs = 60000)
    {
        auto q = StandardWorklistQuery(QDate::currentDate());
        q->findAndDeleteElement(DCM_SpecificCharacterSet);
        if (!charset.isEmpty())
            q->putAndInsertString(DCM_SpecificCharacterSet, charset.constData());
        DcmItem* step = nullptr;
        q->findAndGetSequenceItem(DCM_ScheduledProcedureStepSequence, step, 0);
        for (const QString& kv : keys) {
            const QString name = kv.section(QLatin1Char('='), 0, 0);
            const bool inStep = name.startsWith(QLatin1String("sps."));
            DcmTag tag;
            DcmTag::findTagFromName(name.mid(inStep ? 4 : 0).toLatin1().constData(), tag);
            (inStep ? step : static_cast<DcmItem*>(q.get()))->putAndInsertString(tag, kv.section('=', 1).toUtf8().constData());
        }
        const QString dir = m_dir.filePath(QStringLiteral("q%1").arg(++m_query));
        QDir().mkpath(dir);
        const QString file = dir + QStringLiteral("/query.dcm");
        DcmFileFormat ff(q.get());
        ff.saveFile(file.toLocal8Bit().constData(), EXS_LittleEndianExplicit);

        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QStringLiteral("findscu"), QStringList{"-v", "-W", "-X", "-od", dir, "-aet", "US1", "-aec", calledAet}
                                               + extraArgs + QStringList{"127.0.0.1", QString::number(port), file});
        p.waitForFinished(timeoutMs);
        TAnswer a;
        a.output = QString::fromUtf8(p.readAll());
        QStringList names = QDir(dir).entryList({QStringLiteral("rsp*.dcm")}, QDir::Files, QDir::Name);
        for (const QString& n : names) {
            auto f = std::make_unique<DcmFileFormat>();
            if (f->loadFile((dir + QLatin1Char('/') + n).toLocal8Bit().constData()).good())
                a.files.push_back(std::move(f));
        }
        return a;
    }

    static QStringList Accessions(const TAnswer& a)
    {
        QStringList list;
        for (const auto& f : a.files)
            list << QString::fromLatin1(Raw(*f->getDataset(), DCM_AccessionNumber));
        return list;
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("findscu")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("echoscu")).isEmpty())
            QSKIP("Debian's dcmtk tools (findscu, echoscu) are not installed");
        const QString daemon = QStringLiteral(WR_BINARY_DIR "/bin/wr-dicomd");
        if (!QFileInfo::exists(daemon))
            QSKIP("wr-dicomd is not built");
#ifdef WR_WORKLIST_ON_SERVER
        if (!ServerTestsUnavailableReason().isEmpty())
            QSKIP(qPrintable(ServerTestsUnavailableReason()));
        m_target = CreateServerTestDatabase(false);
        m_admin = OpenDatabase(ServerAdminTarget(m_target));
#else
        m_target = CreateTestDatabaseFile(m_dir.path(), false);
        m_admin = OpenDatabase(m_target);
#endif
        AddStudy("A1", "王建国", Day(0, "08:00:00"));
        AddStudy("A2", "单田芳", Day(0, "09:00:00"), "US2");
        AddStudy("B1", "王小明", Day(-1, "10:00:00"));
        const QString config = m_dir.filePath(QStringLiteral("wr.ini"));
        QFile c(config);
        QVERIFY(c.open(QIODevice::WriteOnly));
        c.write("[Dicom]\r\nCharacterSet=ISO_IR 192\r\nWorklistLimit=5000\r\n");
        c.close();
        // A port of its own per run; another test may hold one for a moment.
        for (int attempt = 0; attempt < 5 && m_port == 0; ++attempt) {
            const int port = 20000 + int((QCoreApplication::applicationPid() * 7 + attempt * 131) % 20000);
            m_daemon.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            m_daemon.start(daemon, {"--port", QString::number(port), "--aet", "WRSTORE", "--store", m_dir.filePath("store"),
                                    "--db", m_target, "--config", config});
            if (WaitUntilListening(m_daemon, port, QStringLiteral("WRSTORE")))
                m_port = port;
            else if (m_daemon.state() == QProcess::Running)
                m_daemon.kill(), m_daemon.waitForFinished();
        }
        QVERIFY2(m_port != 0, "wr-dicomd did not start listening");
    }

    void cleanupTestCase()
    {
        if (m_daemon.state() == QProcess::Running) {
            m_daemon.terminate();
            if (!m_daemon.waitForFinished(10000))
                m_daemon.kill();
        }
        m_admin.reset();
#ifdef WR_WORKLIST_ON_SERVER
        if (!m_target.isEmpty())
            DropServerTestDatabase(m_target);
#endif
    }

    void init()
    {
        // The server's fault run stops the shared server: it runs alone, in its own variant.
        const bool faultTest = QTest::currentTestFunction() == QLatin1String("databaseDownIsAFailure");
#ifdef WR_WORKLIST_FAULT
        if (!faultTest)
            QSKIP("run by the variant without server faults");
#else
        if (faultTest)
            QSKIP("run by the server's fault variant (scripts/server-tests)");
#endif
    }

    void machineQueries_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QByteArray>("charset");
        QTest::addColumn<QStringList>("accessions");
        QTest::addColumn<QString>("firstName");
        QTest::newRow("today's US list in UTF-8") << QStringList{} << QByteArray("ISO_IR 192") << QStringList{"A1", "A2"}
                                                  << "Wang^Jianguo=王^建国";
        QTest::newRow("a machine asking for GB18030") << QStringList{} << QByteArray("GB18030") << QStringList{"A1", "A2"}
                                                      << "Wang^Jianguo=王^建国";
        QTest::newRow("station AE title") << QStringList{"sps.ScheduledStationAETitle=US2"} << QByteArray()
                                          << QStringList{"A1", "A2"} << "Wang^Jianguo";
        QTest::newRow("another station does not get US2's exam")
            << QStringList{"sps.ScheduledStationAETitle=US1"} << QByteArray() << QStringList{"A1"} << "Wang^Jianguo";
        QTest::newRow("accession of yesterday") << QStringList{"AccessionNumber=B1", "sps.ScheduledProcedureStepStartDate="}
                                                << QByteArray("ISO_IR 192") << QStringList{"B1"} << "Wang^Xiaoming=王^小明";
        QTest::newRow("date range") << QStringList{"sps.ScheduledProcedureStepStartDate=" + Da(-1) + "-" + Da(0)}
                                    << QByteArray("ISO_IR 192") << QStringList{"B1", "A1", "A2"} << "Wang^Xiaoming=王^小明";
        QTest::newRow("name wildcard in pinyin") << QStringList{"PatientName=shan*"} << QByteArray("ISO_IR 192")
                                                 << QStringList{"A2"} << "Shan^Tianfang=单^田芳";
    }
    void machineQueries()
    {
        QFETCH(QStringList, keys);
        QFETCH(QByteArray, charset);
        QFETCH(QStringList, accessions);
        QFETCH(QString, firstName);
        const TAnswer a = Ask(m_port, QStringLiteral("WRSTORE"), keys, charset);
        QVERIFY2(a.output.contains(QLatin1String("Final Find Response (Success)")), qPrintable(a.output));
        QCOMPARE(Accessions(a), accessions);
        DcmDataset& first = *a.files.front()->getDataset();
        // An empty asked set: the configured UTF-8; otherwise the set asked for.
        const QByteArray term = charset.isEmpty() ? QByteArray("ISO_IR 192") : charset;
        QCOMPARE(Raw(first, DCM_SpecificCharacterSet), term);
        QStringDecoder decode(term == "GB18030" ? "GB18030" : "UTF-8");
        QString name = decode(Raw(first, DCM_PatientName));
        if (charset.isEmpty())
            name = name.section(QLatin1Char('='), 0, 0);
        QCOMPARE(name, firstName);
        QCOMPARE(Raw(first, DCM_Modality), QByteArray("US"));
        QVERIFY(Raw(first, DCM_StudyInstanceUID).startsWith("2.25."));
    }

    void studyAddedAppearsAndItsImagesMatch()
    {
        QCOMPARE(Accessions(Ask(m_port, QStringLiteral("WRSTORE"), {"AccessionNumber=N1"})), QStringList());
        AddStudy("N1", "曾国藩", Day(0, "15:00:00"));
        const TAnswer a = Ask(m_port, QStringLiteral("WRSTORE"), {"AccessionNumber=N1"}, "GB18030");
        QCOMPARE(Accessions(a), QStringList{"N1"});
        QCOMPARE(QStringDecoder("GB18030")(Raw(*a.files[0]->getDataset(), DCM_PatientName)).operator QString(),
                 QStringLiteral("Zeng^Guofan=曾^国藩"));

        // The machine sends an image with what the worklist told it; the receiver files it
        // under the exam.
        if (QStandardPaths::findExecutable(QStringLiteral("img2dcm")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("storescu")).isEmpty())
            QSKIP("img2dcm or storescu is not installed");
        const QByteArray uid = Raw(*a.files[0]->getDataset(), DCM_StudyInstanceUID);
        QImage picture(64, 48, QImage::Format_RGB888);
        picture.fill(Qt::darkGray);
        const QString bmp = m_dir.filePath(QStringLiteral("n1.bmp")), dcm = m_dir.filePath(QStringLiteral("n1.dcm"));
        QVERIFY(picture.save(bmp, "BMP"));
        QCOMPARE(QProcess::execute(QStringLiteral("img2dcm"),
                                   {"-i", "BMP", bmp, dcm, "-k", "AccessionNumber=N1", "-k",
                                    "StudyInstanceUID=" + QString::fromLatin1(uid), "-k", "Modality=US"}),
                 0);
        QCOMPARE(QProcess::execute(QStringLiteral("storescu"),
                                   {"-aet", "US1", "-aec", "WRSTORE", "127.0.0.1", QString::number(m_port), dcm}),
                 0);
        std::vector<TDicomInstance> images;
        for (int i = 0; i < 100 && images.empty(); ++i) {
            images = TDicomIndex(*m_admin).ListExam(QStringLiteral("N1"));
            if (images.empty())
                QThread::msleep(100);
        }
        QCOMPARE(images.size(), size_t(1));
        QCOMPARE(images[0].studyInstanceUid.toLatin1(), uid);
    }

    void cancelStopsTheAnswer()
    {
        // Enough matches that the answer cannot all sit in the sockets' buffers before the
        // machine's cancel arrives, however fast the service sends.
        const int studies = 3000;
        for (int first = 0; first < studies; first += 500) {
            QStringList rows;
            for (int i = first; i < first + 500; ++i)
                rows << QStringLiteral("('T%1', '李四', '男', '45岁', 'ID-T%1', '%2', 'US', NULL)").arg(i, 4, 10, QLatin1Char('0')).arg(Day(1, "09:00:00"));
            ExecTestSql(*m_admin, QStringLiteral("INSERT INTO Study (Accnu, PatientName, Sex, Age, PatientId, ExamTime, "
                                                    "Modality, StationAet) VALUES ") + rows.join(QLatin1Char(',')));
        }
        // On a loaded machine findscu may take minutes to read what was sent before the cancel
        // took effect (it writes every answer to a file): the final response comes last.
        const TAnswer a = Ask(m_port, QStringLiteral("WRSTORE"), {"sps.ScheduledProcedureStepStartDate=" + Da(1)}, {},
                              {"--cancel", "2"}, 300000);
        QVERIFY2(a.output.contains(QLatin1String("Final Find Response (Cancel")), qPrintable(a.output.right(400)));
        QVERIFY(a.files.size() >= 2);
        QVERIFY(int(a.files.size()) < studies);
    }

    void databaseDownIsAFailure()
    {
        const QString stop = qEnvironmentVariable("WR_TEST_PG_STOP"), start = qEnvironmentVariable("WR_TEST_PG_START");
        if (stop.isEmpty() || start.isEmpty())
            QSKIP("WR_TEST_PG_STOP / WR_TEST_PG_START are not set: run from scripts/server-tests");
        auto run = [](const QString& script) {
            QProcess p;
            p.start(script, {});
            return p.waitForFinished(90000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        };
        QVERIFY(run(stop));
        QElapsedTimer t;
        t.start();
        const TAnswer down = Ask(m_port, QStringLiteral("WRSTORE"), {});
        const qint64 ms = t.elapsed();
        QVERIFY2(run(start), "the test server did not start again");
        QVERIFY(down.files.empty());
        QVERIFY2(down.output.contains(QLatin1String("Final Find Response (Failed")), qPrintable(down.output.right(400)));
        QVERIFY2(ms < 30000, "the machine waited for the database");
        // Once the server is back, the next query is answered.
        QCOMPARE(Accessions(Ask(m_port, QStringLiteral("WRSTORE"), {})), (QStringList{"A1", "A2"}));
    }

    void answerShapeMatchesReference()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("wlmscpfs")).isEmpty())
            QSKIP("wlmscpfs is not installed");
        // The same exam as a worklist file, every key the query asks for present.
        auto exam = StandardWorklistQuery(QDate::currentDate());
        exam->putAndInsertString(DCM_AccessionNumber, "A1");
        exam->putAndInsertString(DCM_PatientName, "Wang^Jianguo");
        DcmItem* step = nullptr;
        exam->findAndGetSequenceItem(DCM_ScheduledProcedureStepSequence, step, 0);
        step->putAndInsertString(DCM_ScheduledStationAETitle, "US1");
        step->putAndInsertString(DCM_ScheduledProcedureStepStartTime, "080000");  // the reference matches date and time
        const QString wl = m_dir.filePath(QStringLiteral("wl/WLREF"));
        QDir().mkpath(wl);
        QFile(wl + QStringLiteral("/lockfile")).open(QIODevice::WriteOnly);
        DcmFileFormat(exam.get()).saveFile((wl + QStringLiteral("/a1.wl")).toLocal8Bit().constData(), EXS_LittleEndianExplicit);
        QProcess ref;
        const int port = m_port + 1;
        ref.start(QStringLiteral("wlmscpfs"), {"-dfr", "-dfp", m_dir.filePath(QStringLiteral("wl")), QString::number(port)});
        QVERIFY(WaitUntilListening(ref, port, QStringLiteral("WLREF")));
        const QStringList keys = {"AccessionNumber=A1"};
        const TAnswer expected = Ask(port, QStringLiteral("WLREF"), keys);
        ref.terminate();
        ref.waitForFinished();
        const TAnswer actual = Ask(m_port, QStringLiteral("WRSTORE"), keys);
        QVERIFY2(expected.files.size() == 1, qPrintable(expected.output.right(500)));
        QCOMPARE(actual.files.size(), size_t(1));
        // Every key the reference answers is answered (empty where the table holds nothing),
        // and nothing the query did not ask for.
        const QStringList ours = Tags(*actual.files[0]->getDataset());
        for (const QString& tag : Tags(*expected.files[0]->getDataset()))
            QVERIFY2(ours.contains(tag), qPrintable(tag + " missing"));
        const QStringList asked = Tags(*StandardWorklistQuery(QDate::currentDate()));
        for (const QString& tag : ours)
            QVERIFY2(asked.contains(tag), qPrintable(tag + " not asked for"));
    }
};

QTEST_GUILESS_MAIN(TestWorklistFindscu)
#include "tst_worklist_findscu.moc"
