// SPDX-License-Identifier: MIT
// The worklist answer as a machine sees it: a query dataset in, the identifiers and status
// out, against a real database built from the project's scripts: SQLite, or with
// WR_WORKLIST_ON_SERVER the PostgreSQL server of scripts/server-tests, where the answer
// comes through the procedures with the workstations' grants.
#include "ServerTestDatabase.h"
#include "TestDatabase.h"
#include "imaging/Pinyin.h"
#include "imaging/WorklistMatch.h"
#include "imaging/WorklistService.h"
#include <QStringEncoder>
#include <QtTest>
#include <dcmtk/dcmdata/dcdatset.h>
#include <dcmtk/dcmdata/dcdeftag.h>
#include <dcmtk/dcmdata/dcitem.h>

using namespace wr::imaging;

namespace {

QString Day(int offset, const char* time = "09:30:00")
{
    return QDate::currentDate().addDays(offset).toString(Qt::ISODate) + QLatin1Char(' ') + QLatin1String(time) + ".000";
}

// A query as machines send it; `keys` are "tag=value" with the step's keys prefixed by "sps.".
std::unique_ptr<DcmDataset> Query(const QStringList& keys, const char* charset = nullptr)
{
    auto q = StandardWorklistQuery(QDate::currentDate());
    q->findAndDeleteElement(DCM_SpecificCharacterSet);
    DcmItem* step = nullptr;
    q->findAndGetSequenceItem(DCM_ScheduledProcedureStepSequence, step, 0);
    step->putAndInsertString(DCM_ScheduledProcedureStepStartDate, "");
    step->putAndInsertString(DCM_Modality, "");
    if (charset)
        q->putAndInsertString(DCM_SpecificCharacterSet, charset);
    for (const QString& kv : keys) {
        const QString name = kv.section(QLatin1Char('='), 0, 0);
        const QByteArray value = kv.section(QLatin1Char('='), 1).toUtf8();
        DcmTag tag;
        const bool inStep = name.startsWith(QLatin1String("sps."));
        DcmTag::findTagFromName(name.mid(inStep ? 4 : 0).toLatin1().constData(), tag);
        (inStep ? static_cast<DcmItem*>(step) : q.get())->putAndInsertString(tag, value.constData());
    }
    return q;
}

QByteArray Raw(DcmItem& d, const DcmTagKey& tag)
{
    const char* s = nullptr;
    d.findAndGetString(tag, s, OFTrue);
    return s ? QByteArray(s) : QByteArray();
}

QStringList Accessions(const TWorklistResult& r)
{
    QStringList list;
    for (const auto& m : r.matches)
        list << QString::fromLatin1(Raw(*m, DCM_AccessionNumber));
    return list;
}

}  // namespace

class TestWorklist : public QObject {
    Q_OBJECT

    // The database the service opens (a file, or the workstation's connection string), and an
    // owner's connection for setting up and checking.
    QString m_target;
    std::unique_ptr<TDbConnection> m_admin;
    std::unique_ptr<QTemporaryDir> m_dir;
    TWorklistSettings m_settings;
    QStringList m_log;

    // The exams every database test starts from, made on first use (the pure tests need none).
    void MakeDatabase()
    {
        if (m_admin)
            return;
#ifdef WR_WORKLIST_ON_SERVER
        m_target = CreateServerTestDatabase(false);
        m_admin = OpenDatabase(ServerAdminTarget(m_target));
#else
        m_dir = std::make_unique<QTemporaryDir>();
        m_target = CreateTestDatabaseFile(m_dir->path(), false);
        m_admin = OpenDatabase(m_target);
#endif
        const QStringList rows = {
            "('A1', '王建国', '男', '45岁', 'P1', '超声科', NULL, '" + Day(0, "08:00:00") + "', 'US', NULL)",
            "('A2', '单田芳', '女', '3个月', 'P2', '儿科', '12', '" + Day(0, "10:15:00") + "', NULL, 'US2')",
            "('A3', '尉迟恭', '男', '70', 'P3', NULL, NULL, '" + Day(0, "11:00:00") + "', 'US', 'US1')",
            "('A4', '李四', '女', '30岁', 'P4', NULL, NULL, '" + Day(0, "12:00:00") + "', 'CT', NULL)",
            "('B1', '王小明', '男', '8岁', 'P5', NULL, NULL, '" + Day(-1) + "', 'US', NULL)",
            "('C1', 'Smith^John', 'M', '50Y', 'P6', NULL, NULL, '" + Day(2) + "', 'US', NULL)",
        };
        for (const QString& r : rows)
            ExecTestSql(*m_admin, "INSERT INTO Study (Accnu, PatientName, Sex, Age, PatientId, ReqDept, BedNo, "
                                     "ExamTime, Modality, StationAet) VALUES " + r);
        ExecTestSql(*m_admin, "INSERT INTO ExamItem (Accnu, ItemName, ItemOrder) VALUES ('A1', '肝胆脾', 1), ('A1', '双肾', 2)");
    }

    TWorklistResult Find(const QStringList& keys, const char* charset = nullptr)
    {
        MakeDatabase();
        const QString file = m_target;
        TWorklistService service([file] { return OpenDatabase(file); }, m_settings,
                                 [this](const QString& l) { m_log << l; });
        return service.Find(*Query(keys, charset), QStringLiteral("US1"));
    }

private slots:
    void init()
    {
        m_settings = TWorklistSettings();
        m_log.clear();
    }
    void initTestCase()
    {
#ifdef WR_WORKLIST_ON_SERVER
        if (!ServerTestsUnavailableReason().isEmpty())
            QSKIP(qPrintable(ServerTestsUnavailableReason()));
#endif
    }
    void cleanup()
    {
        m_admin.reset();
#ifdef WR_WORKLIST_ON_SERVER
        if (!m_target.isEmpty())
            DropServerTestDatabase(m_target);
#endif
        m_target.clear();
        m_dir.reset();
    }

    void pinyinNames_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("pinyinOnly");
        QTest::addColumn<QString>("expected");
        QTest::newRow("common surname") << "王建国" << false << "Wang^Jianguo=王^建国";
        QTest::newRow("surname read Shan, not Dan") << "单田芳" << false << "Shan^Tianfang=单^田芳";
        QTest::newRow("surname read Zeng, not Ceng") << "曾国藩" << false << "Zeng^Guofan=曾^国藩";
        QTest::newRow("surname read Xie") << "解缙" << true << "Xie^Jin";
        QTest::newRow("surname read Qiu") << "仇英" << true << "Qiu^Ying";
        QTest::newRow("surname read Ou") << "区志坚" << true << "Ou^Zhijian";
        QTest::newRow("surname read Zha") << "查良镛" << true << "Zha^Liangyong";
        QTest::newRow("surname read Piao") << "朴槿惠" << true << "Piao^Jinhui";
        QTest::newRow("surname read Ge") << "盖聂" << true << "Ge^Nie";
        QTest::newRow("two-character surname") << "尉迟恭" << false << "Yuchi^Gong=尉迟^恭";
        QTest::newRow("u-umlaut written yu") << "吕布" << true << "Lyu^Bu";
        QTest::newRow("apostrophe before a vowel syllable") << "张西安" << true << "Zhang^Xi'an";
        QTest::newRow("name with a middle dot") << "买买提·艾力" << false << "Maimaiti Aili=买买提·艾力";
        QTest::newRow("already a person name") << "Smith^John" << false << "Smith^John";
    }
    void pinyinNames()
    {
        QFETCH(QString, stored);
        QFETCH(bool, pinyinOnly);
        QFETCH(QString, expected);
        QCOMPARE(DicomPersonName(stored, pinyinOnly), expected);
    }

    void matching_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("matches");
        QTest::newRow("star in the middle") << "A*9" << "ABC9" << true;
        QTest::newRow("question mark is one character") << "A?9" << "AB9" << true;
        QTest::newRow("question mark is not two") << "A?9" << "ABC9" << false;
        QTest::newRow("case counts outside names") << "abc" << "ABC" << false;
        QTest::newRow("back-tracking star") << "*a*a*b" << "aaaaaaaab" << true;
        QTest::newRow("one ideograph for a question mark") << "王?国" << "王建国" << true;
    }
    void matching()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, value);
        QFETCH(bool, matches);
        QCOMPARE(WildcardMatch(pattern, value), matches);
    }

    void dateRanges_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("valid");
        QTest::newRow("single date") << "20261208" << true;
        QTest::newRow("closed range") << "20261201-20261208" << true;
        QTest::newRow("open start") << "-20261208" << true;
        QTest::newRow("open end") << "20261208-" << true;
        QTest::newRow("range backwards") << "20261208-20261201" << false;
        QTest::newRow("not a date") << "2026-12-08" << false;
        QTest::newRow("lone dash") << "-" << false;
    }
    void dateRanges()
    {
        QFETCH(QString, value);
        QFETCH(bool, valid);
        TDateSpan span;
        QCOMPARE(ParseDateMatch(value, &span), valid);
    }

    void find_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QStringList>("accessions");
        QTest::addColumn<int>("status");
        const QString today = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
        const QString yesterday = QDate::currentDate().addDays(-1).toString(QStringLiteral("yyyyMMdd"));
        QTest::newRow("empty query is today's list") << QStringList{} << QStringList{"A1", "A2", "A3", "A4"} << 0;
        QTest::newRow("today's US exams") << QStringList{"sps.Modality=US"} << QStringList{"A1", "A2", "A3"} << 0;
        QTest::newRow("date range") << QStringList{"sps.ScheduledProcedureStepStartDate=" + yesterday + "-" + today,
                                                   "sps.Modality=US"}
                                    << QStringList{"B1", "A1", "A2", "A3"} << 0;
        QTest::newRow("open range from tomorrow") << QStringList{"sps.ScheduledProcedureStepStartDate=" +
                                                                 QDate::currentDate().addDays(1).toString("yyyyMMdd") + "-"}
                                                  << QStringList{"C1"} << 0;
        QTest::newRow("an accession is found on any day") << QStringList{"AccessionNumber=B1"} << QStringList{"B1"} << 0;
        QTest::newRow("accession wildcard keeps to today") << QStringList{"AccessionNumber=A?"}
                                                           << QStringList{"A1", "A2", "A3", "A4"} << 0;
        QTest::newRow("station gets its own and unassigned exams") << QStringList{"sps.ScheduledStationAETitle=US1",
                                                                                 "sps.Modality=US"}
                                                                   << QStringList{"A1", "A3"} << 0;
        QTest::newRow("name in pinyin with a wildcard") << QStringList{"PatientName=wang*"} << QStringList{"A1"} << 0;
        QTest::newRow("name in characters") << QStringList{"PatientName=王*", "sps.ScheduledProcedureStepStartDate=-" + today}
                                            << QStringList{"B1", "A1"} << 0;
        QTest::newRow("patient ID") << QStringList{"PatientID=P3"} << QStringList{"A3"} << 0;
        QTest::newRow("malformed date is refused") << QStringList{"sps.ScheduledProcedureStepStartDate=2026-12-08"}
                                                   << QStringList{} << int(kWorklistBadQuery);
        QTest::newRow("huge value is refused") << QStringList{"PatientName=" + QString(2000, QLatin1Char('A'))}
                                               << QStringList{} << int(kWorklistBadQuery);
    }
    void find()
    {
        QFETCH(QStringList, keys);
        QFETCH(QStringList, accessions);
        QFETCH(int, status);
        const TWorklistResult r = Find(keys);
        QCOMPARE(Accessions(r), accessions);
        QCOMPARE(int(r.finalStatus), status);
    }

    void answerHoldsWhatWasAsked()
    {
        const TWorklistResult r = Find({"AccessionNumber=A1", "PatientMotherBirthName=X"});
        QCOMPARE(r.matches.size(), size_t(1));
        QVERIFY(r.optionalKeysUnsupported);
        DcmDataset& d = *r.matches[0];
        QCOMPARE(Raw(d, DCM_SpecificCharacterSet), QByteArray("ISO_IR 192"));
        QCOMPARE(QString::fromUtf8(Raw(d, DCM_PatientName)), QStringLiteral("Wang^Jianguo=王^建国"));
        QCOMPARE(Raw(d, DCM_PatientSex), QByteArray("M"));
        QCOMPARE(Raw(d, DCM_PatientAge), QByteArray("045Y"));
        QCOMPARE(QString::fromUtf8(Raw(d, DCM_RequestedProcedureDescription)), QStringLiteral("肝胆脾,双肾"));
        QCOMPARE(Raw(d, DCM_ScheduledProcedureStepStartTime), QByteArray("080000"));
        QCOMPARE(Raw(d, DCM_Modality), QByteArray("US"));
        QVERIFY(d.tagExists(DCM_PatientBirthDate));        // asked, not held: empty
        QVERIFY(Raw(d, DCM_PatientBirthDate).isEmpty());
        QVERIFY(!d.tagExists(DCM_PatientWeight));          // not asked: absent
        QVERIFY(d.tagExists(DCM_PatientMotherBirthName));
    }

    void stepAskedWithoutAnItemComesWhole()
    {
        auto q = Query({"AccessionNumber=A1"});
        q->findAndDeleteElement(DCM_ScheduledProcedureStepSequence);
        q->insertEmptyElement(DCM_ScheduledProcedureStepSequence);
        MakeDatabase();
        const QString file = m_target;
        TWorklistService service([file] { return OpenDatabase(file); }, m_settings, [](const QString&) {});
        const TWorklistResult r = service.Find(*q, QStringLiteral("US1"));
        QCOMPARE(r.matches.size(), size_t(1));
        QCOMPARE(Raw(*r.matches[0], DCM_ScheduledProcedureStepID), QByteArray("A1"));
        QCOMPARE(Raw(*r.matches[0], DCM_ScheduledProcedureStepStartDate), QDate::currentDate().toString("yyyyMMdd").toLatin1());
    }

    void characterSets_data()
    {
        QTest::addColumn<QByteArray>("asked");
        QTest::addColumn<QString>("configured");
        QTest::addColumn<bool>("pinyinOnly");
        QTest::addColumn<QByteArray>("term");
        QTest::addColumn<QByteArray>("name");
        QStringEncoder gb("GB18030");
        const QByteArray gbName = gb.encode(QStringLiteral("Wang^Jianguo=王^建国"));
        QTest::newRow("machine asks for GB18030") << QByteArray("GB18030") << "ISO_IR 192" << false << QByteArray("GB18030") << gbName;
        QTest::newRow("configured GB18030") << QByteArray() << "GB18030" << false << QByteArray("GB18030") << gbName;
        QTest::newRow("UTF-8 by default") << QByteArray() << "ISO_IR 192" << false << QByteArray("ISO_IR 192")
                                          << QStringLiteral("Wang^Jianguo=王^建国").toUtf8();
        QTest::newRow("Latin-1 machine gets pinyin") << QByteArray("ISO_IR 100") << "ISO_IR 192" << false
                                                     << QByteArray("ISO_IR 100") << QByteArray("Wang^Jianguo");
        QTest::newRow("ISO 2022 answered in ASCII") << QByteArray("\\ISO 2022 IR 58") << "ISO_IR 192" << false
                                                    << QByteArray() << QByteArray("Wang^Jianguo");
        QTest::newRow("pinyin only") << QByteArray() << "GB18030" << true << QByteArray("GB18030") << QByteArray("Wang^Jianguo");
    }
    void characterSets()
    {
        QFETCH(QByteArray, asked);
        QFETCH(QString, configured);
        QFETCH(bool, pinyinOnly);
        QFETCH(QByteArray, term);
        QFETCH(QByteArray, name);
        m_settings.characterSet = configured;
        m_settings.pinyinOnly = pinyinOnly;
        const TWorklistResult r = Find({"AccessionNumber=A1"}, asked.isEmpty() ? nullptr : asked.constData());
        QCOMPARE(r.matches.size(), size_t(1));
        QCOMPARE(Raw(*r.matches[0], DCM_SpecificCharacterSet), term);
        QCOMPARE(Raw(*r.matches[0], DCM_PatientName), name);
    }

    void charactersOutsideTheSetAreReplacedAndLogged()
    {
        const TWorklistResult r = Find({"AccessionNumber=A1"}, "ISO_IR 100");
        QCOMPARE(r.matches.size(), size_t(1));
        QCOMPARE(Raw(*r.matches[0], DCM_RequestedProcedureDescription), QByteArray("???,??"));
        QCOMPARE(Raw(*r.matches[0], DCM_RequestingService), QByteArray("???"));
        const QString log = m_log.join('\n');
        QVERIFY2(log.contains(QLatin1String("without its ideographic group")), qPrintable(log));
        QVERIFY2(log.contains(QLatin1String("replaced by '?'")), qPrintable(log));
    }

    void studyUidIsGivenOnceAndKept()
    {
        m_settings.uidRoot = QStringLiteral("1.2.826.0.1.3680043.10.999");
        const QByteArray first = Raw(*Find({"AccessionNumber=A1"}).matches[0], DCM_StudyInstanceUID);
        QVERIFY(first.startsWith("1.2.826.0.1.3680043.10.999.1."));
        QVERIFY(first.size() <= 64);
        QCOMPARE(QueryTestValue(*m_admin, "SELECT StudyUid FROM Study WHERE Accnu = 'A1'").AsString().toLatin1(), first);
        // A new root later changes no exam that has its UID.
        m_settings.uidRoot.clear();
        QCOMPARE(Raw(*Find({"AccessionNumber=A1"}).matches[0], DCM_StudyInstanceUID), first);
        const QByteArray other = Raw(*Find({"AccessionNumber=A2"}).matches[0], DCM_StudyInstanceUID);
        QVERIFY(other.startsWith("2.25."));
    }

    void tooManyMatchesAreLimited()
    {
        m_settings.limit = 2;
        const TWorklistResult r = Find({});
        QCOMPARE(Accessions(r), (QStringList{"A1", "A2"}));
        QCOMPARE(int(r.finalStatus), int(kWorklistLimited));
    }

    void databaseDownIsAFailure()
    {
        TWorklistService service([] { return OpenDatabase(QStringLiteral("/nonexistent/folder/wr.db")); }, m_settings,
                                 [this](const QString& l) { m_log << l; });
        const TWorklistResult r = service.Find(*Query({}), QStringLiteral("US1"));
        QCOMPARE(int(r.finalStatus), int(kWorklistUnavailable));
        QVERIFY(r.matches.empty());
        QVERIFY(m_log.join('\n').contains(QLatin1String("unavailable")));
    }
};

QTEST_GUILESS_MAIN(TestWorklist)
#include "tst_worklist_answer.moc"
