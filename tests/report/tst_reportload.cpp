// SPDX-License-Identifier: MIT
// Loading a report row (GetReportInfoFromRuid) from a real SQLite database built from
// db/sqlite, with the recording fake host.
#include "FakeHost.h"
#include "TestDatabase.h"
#include "report/ReportData.h"
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kTitle = QStringLiteral("ReportForm.GetReportInfoFrom");

// The load with its host objects set directly; records the record as the defaults step
// sees it.
class TLoader final : public TReportData {
public:
    void SetHost(IInterface* mainForm, IInterface* dataModule)
    {
        FmainForm = mainForm;
        FDataModule = dataModule;
    }
    TDbConnection* MainConnection() const { return FmainConnection; }
    int defaultsCalls = 0;
    TReportInfo atDefaults;

protected:
    void CompleteReportDefaults(TReportInfo& info) override
    {
        ++defaultsCalls;
        atDefaults = info;
    }
};

// A record whose every field differs from both a loaded row and the starting state.
TReportInfo Sentinel()
{
    TReportInfo r;
    r.FRuid = QStringLiteral("old-guid");
    r.FAccnu = r.Fnbid = r.FjcMethod = r.FItemName = r.FItemCode = r.FJCDaLei = QStringLiteral("old");
    r.FjcTuJing = r.FImgQuality = r.FSuoJian = r.FJieLun = r.FJianYi = QStringLiteral("old");
    r.Frtf_SuoJian = r.Frtf_JieLun = QStringLiteral("{\\rtf1 old}");
    r.FReportState = 99;
    r.FTanTouRate = r.FTiXing = r.FExamDoctor = r.FExamDoctorCode = r.FReportDoctor = QStringLiteral("old");
    r.FReportDoctorCode = r.FShenHeDoctor = r.FShenHeDoctorCode = QStringLiteral("old");
    r.FHuiZhenDoctor = r.FHuizhenDoctorCode = QStringLiteral("old");
    r.FReportDate = r.FshenHeDate = r.FHuiZhenDate = 12345.5;
    r.FPrintedCont = 77;
    r.FYinYangXing = true;
    r.FWeiJiValue = r.FBeiZhu = r.Flczd = r.Fjcpart = r.FjcPartcode = QStringLiteral("old");
    r.FkgjLBaseLine = r.FkgjLKjgd = r.FkgjLGxtq = r.FkgjLRgyc = r.FkgjLGxzx = QStringLiteral("old");
    r.FkgjRBaseLine = r.FkgjRKjgd = r.FkgjRGxtq = r.FkgjRRgyc = r.FkgjRGxzx = QStringLiteral("old");
    r.FkgjL_A = r.FkgjR_A = r.FkgjL_B = r.FkgjR_B = QStringLiteral("old");
    return r;
}

} // namespace

class TstReportLoad : public QObject {
    Q_OBJECT

    std::unique_ptr<TFreshDatabase> m_db;
    TDbConnection* m_conn = nullptr;
    TFakeMainForm* m_main = nullptr;
    TFakeDataModule* m_dm = nullptr;
    TLoader* m_loader = nullptr;

    void Insert(const QString& columns, const QString& values)
    {
        ExecTestSql(*m_conn, QStringLiteral("INSERT INTO Report (%1) VALUES (%2)").arg(columns, values));
    }

private slots:
    void init()
    {
        m_db = std::make_unique<TFreshDatabase>(false);
        m_conn = m_db->conn.get();
        m_main = new TFakeMainForm;
        m_dm = new TFakeDataModule;
        m_dm->mainConnection = m_conn;
        m_loader = new TLoader;
        m_loader->SetHost(static_cast<IMainFrom*>(m_main), static_cast<ITrDataModle*>(m_dm));
    }
    void cleanup()
    {
        delete m_loader;
        delete m_dm;
        delete m_main;
        m_db.reset();
    }

    void foundRowFillsEveryFieldTrimmed()
    {
        // Every text carries padding of blanks, tabs and line breaks on both ends.
        const QString pad = QStringLiteral(" \t\r\n");
        QStringList textColumns{QStringLiteral("Accnu"), QStringLiteral("nbid"), QStringLiteral("jcMethod"), QStringLiteral("ItemName"),
                                QStringLiteral("ItemCode"), QStringLiteral("JCDaLei"), QStringLiteral("jcTuJing"), QStringLiteral("ImgQuality"),
                                QStringLiteral("SuoJian"), QStringLiteral("JieLun"), QStringLiteral("JianYi"), QStringLiteral("rtf_SuoJian"),
                                QStringLiteral("rtf_JieLun"), QStringLiteral("TanTouRate"), QStringLiteral("TiXing"), QStringLiteral("ExamDoctor"),
                                QStringLiteral("ExamDoctorCode"), QStringLiteral("ReportDoctor"), QStringLiteral("ReportDoctorCode"),
                                QStringLiteral("ShenHeDoctor"), QStringLiteral("ShenHeDoctorCode"), QStringLiteral("HuiZhenDoctor"),
                                QStringLiteral("HuizhenDoctorCode"), QStringLiteral("WeiJiValue"), QStringLiteral("BeiZhu"), QStringLiteral("lczd"),
                                QStringLiteral("jcpart"), QStringLiteral("jcpartcode"), QStringLiteral("kgjLBaseLine"), QStringLiteral("kgjLKjgd"),
                                QStringLiteral("kgjLGxtq"), QStringLiteral("kgjLRgyc"), QStringLiteral("kgjLGxzx"), QStringLiteral("kgjRBaseLine"),
                                QStringLiteral("kgjRKjgd"), QStringLiteral("kgjRGxtq"), QStringLiteral("kgjRRgyc"), QStringLiteral("kgjRGxzx"),
                                QStringLiteral("kgjL_A"), QStringLiteral("kgjR_A"), QStringLiteral("kgjL_B"), QStringLiteral("kgjR_B")};
        QCOMPARE(textColumns.size(), 42);
        auto value = [](const QString& column) {
            if (column.startsWith(QLatin1String("rtf_")))
                return QStringLiteral("{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}\\f0 %1\\par\r\n}").arg(column);
            return column + QStringLiteral("值 内部\r\n换行");
        };
        QStringList values;
        for (const QString& c : textColumns) values << QuotedStr(pad + value(c) + pad);
        Insert(QStringLiteral("ruid, ReportState, PrintedCont, YinYangXing, ReportDate, shenHeDate, HuiZhenDate, CreateTime, ")
                   + textColumns.join(QStringLiteral(", ")),
               QStringLiteral("'9F0C1A2B-0000-4000-8000-00000000ABCD', 4, 2, 1, '2024-05-17 08:30:15.250', "
                              "'2024-05-18 09:00:00.000', '2024-05-17 10:00:00.000', '2024-05-17 08:00:00.000', ")
                   + values.join(QStringLiteral(", ")));

        TReportInfo info = Sentinel();
        // GUIDs match regardless of case; the record keeps the GUID as it was asked for.
        const QString asked = QStringLiteral("9f0c1a2b-0000-4000-8000-00000000abcd");
        m_loader->GetReportInfoFromRuid(asked, info);

        TReportInfo expected;
        expected.FRuid = asked;
        expected.FAccnu = value(QStringLiteral("Accnu"));
        expected.Fnbid = value(QStringLiteral("nbid"));
        expected.FjcMethod = value(QStringLiteral("jcMethod"));
        expected.FItemName = value(QStringLiteral("ItemName"));
        expected.FItemCode = value(QStringLiteral("ItemCode"));
        expected.FJCDaLei = value(QStringLiteral("JCDaLei"));
        expected.FjcTuJing = value(QStringLiteral("jcTuJing"));
        expected.FImgQuality = value(QStringLiteral("ImgQuality"));
        expected.FSuoJian = value(QStringLiteral("SuoJian"));
        expected.FJieLun = value(QStringLiteral("JieLun"));
        expected.FJianYi = value(QStringLiteral("JianYi"));
        expected.Frtf_SuoJian = value(QStringLiteral("rtf_SuoJian")).trimmed();
        expected.Frtf_JieLun = value(QStringLiteral("rtf_JieLun")).trimmed();
        expected.FReportState = 4;
        expected.FTanTouRate = value(QStringLiteral("TanTouRate"));
        expected.FTiXing = value(QStringLiteral("TiXing"));
        expected.FExamDoctor = value(QStringLiteral("ExamDoctor"));
        expected.FExamDoctorCode = value(QStringLiteral("ExamDoctorCode"));
        expected.FReportDoctor = value(QStringLiteral("ReportDoctor"));
        expected.FReportDoctorCode = value(QStringLiteral("ReportDoctorCode"));
        expected.FShenHeDoctor = value(QStringLiteral("ShenHeDoctor"));
        expected.FShenHeDoctorCode = value(QStringLiteral("ShenHeDoctorCode"));
        expected.FHuiZhenDoctor = value(QStringLiteral("HuiZhenDoctor"));
        expected.FHuizhenDoctorCode = value(QStringLiteral("HuizhenDoctorCode"));
        expected.FReportDate = QDateTimeToDateTime(QDateTime(QDate(2024, 5, 17), QTime(8, 30, 15, 250)));
        expected.FshenHeDate = QDateTimeToDateTime(QDateTime(QDate(2024, 5, 18), QTime(9, 0)));
        expected.FHuiZhenDate = QDateTimeToDateTime(QDateTime(QDate(2024, 5, 17), QTime(10, 0)));
        expected.FPrintedCont = 2;
        expected.FYinYangXing = true;
        expected.FWeiJiValue = value(QStringLiteral("WeiJiValue"));
        expected.FBeiZhu = value(QStringLiteral("BeiZhu"));
        expected.Flczd = value(QStringLiteral("lczd"));
        expected.Fjcpart = value(QStringLiteral("jcpart"));
        expected.FjcPartcode = value(QStringLiteral("jcpartcode"));
        expected.FkgjLBaseLine = value(QStringLiteral("kgjLBaseLine"));
        expected.FkgjLKjgd = value(QStringLiteral("kgjLKjgd"));
        expected.FkgjLGxtq = value(QStringLiteral("kgjLGxtq"));
        expected.FkgjLRgyc = value(QStringLiteral("kgjLRgyc"));
        expected.FkgjLGxzx = value(QStringLiteral("kgjLGxzx"));
        expected.FkgjRBaseLine = value(QStringLiteral("kgjRBaseLine"));
        expected.FkgjRKjgd = value(QStringLiteral("kgjRKjgd"));
        expected.FkgjRGxtq = value(QStringLiteral("kgjRGxtq"));
        expected.FkgjRRgyc = value(QStringLiteral("kgjRRgyc"));
        expected.FkgjRGxzx = value(QStringLiteral("kgjRGxzx"));
        expected.FkgjL_A = value(QStringLiteral("kgjL_A"));
        expected.FkgjR_A = value(QStringLiteral("kgjR_A"));
        expected.FkgjL_B = value(QStringLiteral("kgjL_B"));
        expected.FkgjR_B = value(QStringLiteral("kgjR_B"));
        QVERIFY(info == expected);
        QCOMPARE(m_dm->mainConnectionCalls, 1);
        QCOMPARE(m_loader->MainConnection(), m_conn);
        QCOMPARE(m_main->LogsWithTitle(kTitle).size(), 1);   // the SQL only
    }

    void defaultsStepRunsBetweenMainAndHipColumns()
    {
        Insert(QStringLiteral("ruid, Accnu, kgjL_A"), QStringLiteral("'G1', 'A1', '62'"));
        TReportInfo info = Sentinel();
        m_loader->GetReportInfoFromRuid(QStringLiteral("G1"), info);
        QCOMPARE(m_loader->defaultsCalls, 1);
        QCOMPARE(m_loader->atDefaults.FAccnu, QStringLiteral("A1"));
        QCOMPARE(m_loader->atDefaults.FjcPartcode, QString());
        QCOMPARE(m_loader->atDefaults.FkgjL_A, QStringLiteral("old"));
        QCOMPARE(info.FkgjL_A, QStringLiteral("62"));
    }

    void nullColumnsReadAsEmptyZeroFalse()
    {
        Insert(QStringLiteral("ruid"), QStringLiteral("'only-id'"));
        TReportInfo info = Sentinel();
        m_loader->GetReportInfoFromRuid(QStringLiteral("only-id"), info);
        TReportInfo expected;
        expected.FRuid = QStringLiteral("only-id");
        QVERIFY(info == expected);
    }

    void textsAreTrimmedOfControlCharactersOnly_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("loaded");
        QTest::newRow("blanks") << QStringLiteral("  阳性  ") << QStringLiteral("阳性");
        QTest::newRow("tabs and line breaks") << QStringLiteral("\t\r\n阴性\r\n") << QStringLiteral("阴性");
        QTest::newRow("other control characters") << QStringLiteral("\x01\x1f危急\x7f") << QStringLiteral("危急\x7f");
        QTest::newRow("ideographic space is kept") << QStringLiteral("\u3000见附图\u3000") << QStringLiteral("\u3000见附图\u3000");
        QTest::newRow("inner blanks kept") << QStringLiteral(" 左侧 甲状腺 ") << QStringLiteral("左侧 甲状腺");
        QTest::newRow("only blanks") << QStringLiteral(" \t ") << QString();
    }
    void textsAreTrimmedOfControlCharactersOnly()
    {
        QFETCH(QString, stored);
        QFETCH(QString, loaded);
        Insert(QStringLiteral("ruid, WeiJiValue, kgjRGxzx"), QStringLiteral("'t', %1, %1").arg(QuotedStr(stored)));
        TReportInfo info;
        m_loader->GetReportInfoFromRuid(QStringLiteral("t"), info);
        QCOMPARE(info.FWeiJiValue, loaded);
        QCOMPARE(info.FkgjRGxzx, loaded);
    }

    void missingGuidLogsAndLeavesTheRecordAlone()
    {
        Insert(QStringLiteral("ruid, Accnu"), QStringLiteral("'other', 'A9'"));
        TReportInfo info = Sentinel();
        m_loader->GetReportInfoFromRuid(QStringLiteral("no-such-guid"), info);
        QVERIFY(info == Sentinel());
        QCOMPARE(m_loader->defaultsCalls, 0);
        const QList<TLogLine> logs = m_main->LogsWithTitle(kTitle);
        QCOMPARE(m_main->logs.size(), 2);
        QCOMPARE(logs.size(), 2);
        QCOMPARE(logs.at(0).value,
                 QStringLiteral("获取指定的报告内容,sql:\r\n"
                                "SELECT  ruid, Accnu,nbid,jcMethod,ItemName,ItemCode,JCDaLei,jcTuJing,ImgQuality,\r\n"
                                " SuoJian,JieLun,JianYi,rtf_SuoJian,rtf_JieLun,ReportState,TanTouRate,TiXing,ExamDoctor,\r\n"
                                " ExamDoctorCode,ReportDoctor,ReportDoctorCode,ShenHeDoctor,ShenHeDoctorCode,HuiZhenDoctor,\r\n"
                                " HuizhenDoctorCode,ReportDate,shenHeDate,HuiZhenDate,PrintedCont,YinYangXing,WeiJiValue,\r\n"
                                "  BeiZhu,lczd,CreateTime,jcpart,jcpartcode,kgjLBaseLine,kgjLKjgd,kgjLGxtq,kgjLRgyc,kgjLGxzx,"
                                "kgjRBaseLine,kgjRKjgd,kgjRGxtq,kgjRRgyc,kgjRGxzx,kgjL_A,kgjL_B,kgjR_A,kgjR_B FROM Report\r\n"
                                " where 1=1 and  ruid='no-such-guid' order by CreateTime desc\r\n"));
        QCOMPARE(logs.at(1).value, QStringLiteral("没有找到符合条件的报告内容ruid=no-such-guid"));
    }

    void freshRecordStaysInStartingStateWhenNothingIsFound()
    {
        TReportInfo info;
        m_loader->GetReportInfoFromRuid(QString(), info);
        QVERIFY(info == TReportInfo());
        QCOMPARE(info.FReportDate, 0.0);
        QCOMPARE(m_main->logs.last().value, QStringLiteral("没有找到符合条件的报告内容ruid="));
    }

    void guidWithQuotesFindsItsRow_data()
    {
        QTest::addColumn<QString>("guid");
        QTest::addColumn<QString>("literal");
        QTest::newRow("one quote") << QStringLiteral("ab'cd") << QStringLiteral("'ab''cd'");
        QTest::newRow("injection attempt") << QStringLiteral("x' or '1'='1") << QStringLiteral("'x'' or ''1''=''1'");
        QTest::newRow("trailing quote") << QStringLiteral("g'") << QStringLiteral("'g'''");
    }
    void guidWithQuotesFindsItsRow()
    {
        QFETCH(QString, guid);
        QFETCH(QString, literal);
        Insert(QStringLiteral("ruid, Accnu"), QStringLiteral("'decoy', 'wrong'"));
        Insert(QStringLiteral("ruid, Accnu"), QuotedStr(guid) + QStringLiteral(", 'right'"));
        TReportInfo info;
        m_loader->GetReportInfoFromRuid(guid, info);
        QCOMPARE(info.FAccnu, QStringLiteral("right"));
        QCOMPARE(info.FRuid, guid);
        QVERIFY(m_main->logs.first().value.endsWith(QStringLiteral(" where 1=1 and  ruid=") + literal
                                                    + QStringLiteral(" order by CreateTime desc\r\n")));
    }

    void duplicateGuidsReadTheNewestRow()
    {
        // The newest row is neither the first nor the last the table holds.
        Insert(QStringLiteral("ruid, Accnu, ReportState, CreateTime"), QStringLiteral("'dup', 'older', 1, '2023-05-01 08:00:00.000'"));
        Insert(QStringLiteral("ruid, Accnu, ReportState, CreateTime"), QStringLiteral("'DUP', 'newest', 2, '2024-05-01 08:00:00.000'"));
        Insert(QStringLiteral("ruid, Accnu, ReportState, CreateTime"), QStringLiteral("'dup', 'oldest', 3, '2022-05-01 08:00:00.000'"));
        TReportInfo info;
        m_loader->GetReportInfoFromRuid(QStringLiteral("dup"), info);
        QCOMPARE(info.FAccnu, QStringLiteral("newest"));
        QCOMPARE(info.FReportState, 2);
        QCOMPARE(m_loader->defaultsCalls, 1);
        const QList<TLogLine> logs = m_main->LogsWithTitle(kTitle);
        QCOMPARE(logs.size(), 2);
        QCOMPARE(logs.at(1).value, QStringLiteral("ruid=dup 有 3 行报告记录，读取 CreateTime 最新的一行"));
    }

    void databaseErrorsAreLoggedAndSwallowed_data()
    {
        QTest::addColumn<QString>("breakage");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing column") << QStringLiteral("ALTER TABLE Report DROP COLUMN kgjR_B")
                                        << QStringLiteral("no such column: kgjR_B");
        QTest::newRow("missing table") << QStringLiteral("DROP TABLE Report") << QStringLiteral("no such table: Report");
    }
    void databaseErrorsAreLoggedAndSwallowed()
    {
        QFETCH(QString, breakage);
        QFETCH(QString, message);
        Insert(QStringLiteral("ruid, Accnu"), QStringLiteral("'g', 'A1'"));
        if (breakage.contains(QLatin1String("DROP COLUMN"))) {
            // The history triggers name every column; SQLite drops a column only without them.
            ExecTestSql(*m_conn, QStringLiteral("DROP TRIGGER tr_Report_history_update"));
            ExecTestSql(*m_conn, QStringLiteral("DROP TRIGGER tr_Report_history_delete"));
        }
        ExecTestSql(*m_conn, breakage);
        TReportInfo info = Sentinel();
        m_loader->GetReportInfoFromRuid(QStringLiteral("g"), info);
        QVERIFY(info == Sentinel());
        const QList<TLogLine> logs = m_main->LogsWithTitle(kTitle);
        QCOMPARE(logs.size(), 2);
        QVERIFY2(logs.at(1).value.startsWith(QStringLiteral("异常:")), qPrintable(logs.at(1).value));
        QVERIFY2(logs.at(1).value.contains(message), qPrintable(logs.at(1).value));
    }

    void badValueStopsTheLoadPartWay()
    {
        // A state that is not a number: the texts before it are in, the rest keep their values.
        Insert(QStringLiteral("ruid, Accnu, rtf_JieLun, ReportState, TanTouRate"),
               QStringLiteral("'bad', 'A7', '{\\rtf1 x}', '四', '5MHz'"));
        TReportInfo info = Sentinel();
        m_loader->GetReportInfoFromRuid(QStringLiteral("bad"), info);
        QCOMPARE(info.FAccnu, QStringLiteral("A7"));
        QCOMPARE(info.Frtf_JieLun, QStringLiteral("{\\rtf1 x}"));
        QCOMPARE(info.FReportState, 99);
        QCOMPARE(info.FTanTouRate, QStringLiteral("old"));
        QCOMPARE(m_loader->defaultsCalls, 0);
        QVERIFY(m_main->logs.last().value.startsWith(QStringLiteral("异常:")));
        QVERIFY(m_main->logs.last().value.contains(QStringLiteral("四")));
    }

    void dataModuleWithoutInterfaceIsLogged()
    {
        TBareObject bare;
        m_loader->SetHost(static_cast<IMainFrom*>(m_main), &bare);
        TReportInfo info = Sentinel();
        m_loader->GetReportInfoFromRuid(QStringLiteral("g"), info);
        QVERIFY(info == Sentinel());
        QCOMPARE(m_main->logs.size(), 1);
        QCOMPARE(m_main->logs.at(0).title, kTitle);
        QVERIFY(m_main->logs.at(0).value.startsWith(QStringLiteral("异常:")));
        QVERIFY(m_main->logs.at(0).value.contains(ITrDataModle::IID.toString()));
    }

    void dataModuleWithoutConnectionIsLogged()
    {
        TFakeDataModule empty;
        m_loader->SetHost(static_cast<IMainFrom*>(m_main), static_cast<ITrDataModle*>(&empty));
        TReportInfo info = Sentinel();
        m_loader->GetReportInfoFromRuid(QStringLiteral("g"), info);
        QVERIFY(info == Sentinel());
        QCOMPARE(m_main->logs.size(), 1);
        QVERIFY(m_main->logs.at(0).value.startsWith(QStringLiteral("异常:")));
    }

    void mainFormWithoutInterfaceRaises()
    {
        TBareObject bare;
        m_loader->SetHost(&bare, static_cast<ITrDataModle*>(m_dm));
        QVERIFY_THROWS_EXCEPTION(EIntfCastError, m_loader->Write_Log_TomfmAndLogbpl(QStringLiteral("t"), QStringLiteral("v")));
        // The load cannot log its own failure either, so the error reaches the caller.
        Insert(QStringLiteral("ruid, Accnu"), QStringLiteral("'g', 'A1'"));
        TReportInfo info = Sentinel();
        QVERIFY_THROWS_EXCEPTION(EIntfCastError, m_loader->GetReportInfoFromRuid(QStringLiteral("g"), info));
        QVERIFY(info == Sentinel());
    }

    void logPathForwardsTextsUnchanged()
    {
        m_loader->Write_Log_TomfmAndLogbpl(QStringLiteral("  TReportForm.x"), QStringLiteral("值\r\n 二行 "));
        QCOMPARE(m_main->logs.size(), 1);
        QCOMPARE(m_main->logs.at(0).title, QStringLiteral("  TReportForm.x"));
        QCOMPARE(m_main->logs.at(0).value, QStringLiteral("值\r\n 二行 "));
    }
};

QTEST_GUILESS_MAIN(TstReportLoad)
#include "tst_reportload.moc"
