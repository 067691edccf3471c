// SPDX-License-Identifier: MIT
// The demo database built from db/sqlite: every report loads cleanly and the data shows
// what the demo is for (list order versus defaults, a quoted department code, item binding).
#include "FakeHost.h"
#include "TestDatabase.h"
#include "report/ReportData.h"
#include <QTemporaryDir>
#include <QTest>

namespace {

class TLoader final : public TReportData {
public:
    TLoader(IInterface* mainForm, IInterface* dataModule)
    {
        FmainForm = mainForm;
        FDataModule = dataModule;
    }
};

QStringList Column(TDbConnection& conn, const QString& sql)
{
    auto q = conn.CreateQuery();
    q->SQL() << sql;
    q->Open();
    QStringList out;
    for (q->First(); !q->Eof(); q->Next()) out << q->FieldByName(q->FieldNames().first()).AsString();
    return out;
}

} // namespace

class TstDemoData : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<TDbConnection> m_conn;

private slots:
    void initTestCase() { m_conn = CreateTestDatabase(m_dir.path(), true); }
    void cleanupTestCase() { m_conn.reset(); }

    void everyReportLoadsWithoutError()
    {
        const QStringList guids = Column(*m_conn, QStringLiteral("SELECT ruid FROM Report ORDER BY CreateTime"));
        QVERIFY(guids.size() >= 12);
        TFakeMainForm mainForm;
        TFakeDataModule dm;
        dm.mainConnection = m_conn.get();
        TLoader loader(static_cast<IMainFrom*>(&mainForm), static_cast<ITrDataModle*>(&dm));
        int withRtf = 0, identifiersOnly = 0, hip = 0;
        for (const QString& guid : guids) {
            TReportInfo info;
            loader.GetReportInfoFromRuid(guid, info);
            QCOMPARE(info.FRuid, guid);
            QVERIFY(!info.FAccnu.isEmpty());
            if (info.Frtf_SuoJian.startsWith(QLatin1String("{\\rtf1\\ansi\\ansicpg936")) && info.Frtf_JieLun.endsWith(QLatin1Char('}')))
                ++withRtf;
            if (info.FItemName.isEmpty() && info.FSuoJian.isEmpty() && info.FReportDate == 0.0) ++identifiersOnly;
            if (!info.FkgjL_A.isEmpty()) {
                ++hip;
                QCOMPARE(info.FkgjRRgyc, QStringLiteral("宽,强"));
            }
            QVERIFY(info.FItemName == info.FItemName.trimmed());
        }
        for (const TLogLine& l : mainForm.logs) QVERIFY2(!l.value.startsWith(QStringLiteral("异常:")), qPrintable(l.value));
        QCOMPARE(mainForm.logs.size(), guids.size());   // one SQL line each, no not-found line
        QVERIFY(withRtf >= 8);
        QVERIFY(identifiersOnly >= 3);
        QCOMPARE(hip, 1);
    }

    void listOrderAndDefaultsDiffer_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("byDefault");
        QTest::newRow("routes") << QStringLiteral("select cname from 检查途径") << QStringLiteral("select cname from 检查途径 order by uorder");
        QTest::newRow("image quality") << QStringLiteral("select 图像质量 from 图像质量")
                                       << QStringLiteral("select 图像质量 from 图像质量 order by uorder");
    }
    void listOrderAndDefaultsDiffer()
    {
        QFETCH(QString, list);
        QFETCH(QString, byDefault);
        const QStringList inList = Column(*m_conn, list);
        const QStringList sorted = Column(*m_conn, byDefault);
        QVERIFY(inList.size() >= 3);
        QCOMPARE(QSet<QString>(inList.begin(), inList.end()), QSet<QString>(sorted.begin(), sorted.end()));
        QVERIFY(inList.first() != sorted.first());
    }

    void quotedDepartmentHasDoctors()
    {
        const QStringList doctors = Column(*m_conn, QStringLiteral(" SELECT  姓名 FROM  [csdoctor] where  kscode=")
                                                        + QuotedStr(QStringLiteral("US'03")) + QStringLiteral(" order by displayindex desc "));
        QCOMPARE(doctors.size(), 2);
    }

    void freshAccessionBindsItsFreeItemsOnce()
    {
        // The two fresh pages of one examination: the first takes every usable item.
        const QStringList pages = Column(*m_conn, QStringLiteral("SELECT ruid FROM Report WHERE Accnu = 'US20240521001' ORDER BY CreateTime"));
        QCOMPARE(pages.size(), 2);
        QString names[2];
        for (int i = 0; i < 2; ++i) {
            auto sp = m_conn->CreateStoredProc();
            sp->SetProcedureName(QStringLiteral("sp_GetAllItemsFromAccnu_DefaustFirst"));
            sp->RefreshParameters();
            sp->ParamByName(QStringLiteral("@Accnu")).SetAsString(QStringLiteral("US20240521001"));
            sp->ParamByName(QStringLiteral("@ReportGuid")).SetAsString(pages.at(i));
            sp->ParamByName(QStringLiteral("@OutItemFirstName")).SetAsString(QString());
            sp->ExecProc();
            names[i] = sp->ParamByName(QStringLiteral("@OutItemFirstName")).Value.AsString();
        }
        QCOMPARE(names[0], QStringLiteral("肝胆胰脾,双肾输尿管,甲状腺及颈部淋巴结,乳腺及腋窝淋巴结"));
        QCOMPARE(names[1], QString());
    }

    void boundItemsBelongToExistingReports()
    {
        QCOMPARE(Column(*m_conn, QStringLiteral("SELECT count(*) FROM ExamItem i WHERE ReportGuid IS NOT NULL "
                                                "AND NOT EXISTS (SELECT 1 FROM Report r WHERE r.ruid = i.ReportGuid AND r.Accnu = i.Accnu)")),
                 QStringList{QStringLiteral("0")});
        QCOMPARE(Column(*m_conn, QStringLiteral("SELECT count(*) FROM Report r WHERE NOT EXISTS (SELECT 1 FROM Study s WHERE s.Accnu = r.Accnu)")),
                 QStringList{QStringLiteral("0")});
    }
};

QTEST_GUILESS_MAIN(TstDemoData)
#include "tst_demodata.moc"
