// SPDX-License-Identifier: MIT
// Saving a report through sp_SaveReportInfo on a real database: every field, exactly the
// declared parameters, empty texts, refused and failing saves, and a report whose load
// broke off midway.
#include "ReportTestKit.h"
#include "ScriptedDialogs.h"
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString kGuid = QStringLiteral("{6F9619FF-8B86-D011-B42D-00C04FC964FF}");
const QString kSaveTitle = QStringLiteral("ReportForm.SaveReportInfoToDB");
} // namespace

class TReportSaveTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void saveThenLoadGivesBackEveryField();
    void sendsExactlyTheDeclaredParameters();
    void emptyTextsAreStoredAsEmptyText();
    void refusesAReportWithoutGuid_data();
    void refusesAReportWithoutGuid();
    void theGuidArgumentIsNotTheRow();
    void savingTwiceKeepsOneRow();
    void failuresAreLoggedAndTold_data();
    void failuresAreLoggedAndTold();
    void doctorIndexFailureAfterTheWriteIsOnlyLogged();
    void partlyLoadedReportIsNotWrittenBack();

private:
    TTestReportData& Data();
    TReportInfo Load(const QString& ruid);
    QString Column(const QString& column, const QString& ruid = kGuid);
    int Rows(const QString& where = QStringLiteral("1=1"));

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TDbConnection> m_db;
    std::unique_ptr<TFakeMainForm> m_host;
    std::unique_ptr<TFakeDataModule> m_dm;
    std::unique_ptr<TTestReportData> m_data;
    std::unique_ptr<TScriptedDialogs> m_dialogs;
};

void TReportSaveTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_db = CreateTestDatabase(m_dir->path(), false);
    m_host = std::make_unique<TFakeMainForm>();
    m_dm = std::make_unique<TFakeDataModule>();
    m_dm->mainConnection = m_db.get();
    m_data = std::make_unique<TTestReportData>(*m_host, *m_dm);
    m_dialogs = std::make_unique<TScriptedDialogs>();
}

void TReportSaveTest::cleanup()
{
    m_dialogs.reset();
    m_data.reset();
    m_db.reset();
}

TTestReportData& TReportSaveTest::Data() { return *m_data; }

TReportInfo TReportSaveTest::Load(const QString& ruid)
{
    TReportInfo r;
    Data().GetReportInfoFromRuid(ruid, r);
    return r;
}

QString TReportSaveTest::Column(const QString& column, const QString& ruid)
{
    const TDbValue v = QueryTestValue(*m_db, QStringLiteral("SELECT %1 FROM Report WHERE ruid = %2").arg(column, QuotedStr(ruid)));
    return v.IsNull() ? QStringLiteral("<NULL>") : v.AsString();
}

int TReportSaveTest::Rows(const QString& where)
{
    return QueryTestValue(*m_db, QStringLiteral("SELECT count(*) FROM Report WHERE ") + where).AsInteger();
}

void TReportSaveTest::saveThenLoadGivesBackEveryField()
{
    const TReportInfo sent = SampleReport(kGuid);
    Data().rtf[0] = sent.Frtf_SuoJian.toLatin1();
    Data().rtf[1] = sent.Frtf_JieLun.toLatin1();
    QVERIFY(Data().SaveReportInfoToDB(kGuid, sent));
    const TReportInfo back = Load(kGuid);
    QCOMPARE(ReportDifferences(sent, back), QStringList());
    QCOMPARE(Data().saveDoctorCalls, 1);
    QVERIFY(m_dialogs->shown.isEmpty());
    QVERIFY(m_host->LogsWithTitle(kSaveTitle).isEmpty());
}

void TReportSaveTest::sendsExactlyTheDeclaredParameters()
{
    TRecordingConnection rec(*m_db);
    m_dm->mainConnection = &rec;
    TReportInfo sent = SampleReport(kGuid);
    // The record's own RTF is not what is sent: the editors' RTF is.
    Data().rtf[0] = "{\\rtf1 from the findings editor}";
    Data().rtf[1] = "{\\rtf1 from the impression editor}";
    QVERIFY(Data().SaveReportInfoToDB(kGuid, sent));

    QCOMPARE(rec.procCalls.size(), 1);
    const auto& call = rec.procCalls.first();
    QCOMPARE(call.name, QStringLiteral("sp_SaveReportInfo"));
    // The 49 fields, then the optional stamp parameters: no stamp was read (nothing was
    // opened), so none is sent and the save goes unchecked; who saves is always named.
    QCOMPARE(int(call.params.size()), 52);
    QVERIFY(call.params.at(49).Value.IsNull());
    QCOMPARE(call.params.at(50).Name, QStringLiteral("@SavedBy"));
    QVERIFY(call.params.at(50).Value.AsString().contains(QLatin1Char('@')));
    QStringList expectedNames;
    for (const QString& c : ReportColumns()) expectedNames << QLatin1Char('@') + (c == QLatin1String("ruid") ? QStringLiteral("Ruid") : c);
    sent.Frtf_SuoJian = QString::fromLatin1(Data().rtf[0]);
    sent.Frtf_JieLun = QString::fromLatin1(Data().rtf[1]);
    const QStringList expectedValues = ReportFieldTexts(sent);
    for (int i = 0; i < 49; ++i) {
        const TDbParameter& p = call.params.at(i);
        QCOMPARE(p.Name, expectedNames.at(i));
        QVERIFY2(!p.Value.IsNull(), qPrintable(p.Name));
        if (p.Name.endsWith(QLatin1String("Date"))) QCOMPARE(p.Value.AsDateTime(), QDateTimeToDateTime(QDateTime::fromString(expectedValues.at(i), QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"))));
        else if (p.Name == QLatin1String("@YinYangXing")) QCOMPARE(p.Value.AsBoolean(), true);
        else QCOMPARE(p.Value.AsString(), expectedValues.at(i));
    }
    QCOMPARE(Column(QStringLiteral("rtf_SuoJian")), QStringLiteral("{\\rtf1 from the findings editor}"));
    QCOMPARE(Data().rtfRequests, 2);
}

void TReportSaveTest::emptyTextsAreStoredAsEmptyText()
{
    TReportInfo fresh;
    fresh.FRuid = kGuid;
    QVERIFY(Data().SaveReportInfoToDB(kGuid, fresh));
    QCOMPARE(Rows(), 1);
    for (const QString& c : ReportColumns()) QVERIFY2(Column(c) != QLatin1String("<NULL>"), qPrintable(c));
    QCOMPARE(Column(QStringLiteral("Accnu")), QString());
    QCOMPARE(Column(QStringLiteral("rtf_JieLun")), QString());
    QCOMPARE(Column(QStringLiteral("ReportState")), QStringLiteral("0"));
}

void TReportSaveTest::refusesAReportWithoutGuid_data()
{
    QTest::addColumn<QString>("ruid");
    QTest::newRow("empty") << "";
    QTest::newRow("null") << QString();
    QTest::newRow("blanks") << "   ";
    QTest::newRow("tab and line break") << "\t\r\n";
}

void TReportSaveTest::refusesAReportWithoutGuid()
{
    QFETCH(QString, ruid);
    TReportInfo r = SampleReport(ruid);
    QVERIFY(!Data().SaveReportInfoToDB(kGuid, r));
    QCOMPARE(Rows(), 0);
    QCOMPARE(m_host->LogsWithTitle(kSaveTitle).size(), 1);
    QVERIFY(m_host->LogsWithTitle(kSaveTitle).first().value.startsWith(QStringLiteral("异常:")));
    QCOMPARE(m_dialogs->shown.size(), 1);
    QVERIFY(m_dialogs->shown.first().text.startsWith(QStringLiteral("报告保存失败")));
    QCOMPARE(Data().saveDoctorCalls, 0);
}

void TReportSaveTest::theGuidArgumentIsNotTheRow()
{
    QVERIFY(Data().SaveReportInfoToDB(QStringLiteral("another-guid"), SampleReport(kGuid)));
    QCOMPARE(Rows(QStringLiteral("ruid = ") + QuotedStr(kGuid)), 1);
    QCOMPARE(Rows(QStringLiteral("ruid = 'another-guid'")), 0);
}

void TReportSaveTest::savingTwiceKeepsOneRow()
{
    TRecordingConnection rec(*m_db);
    m_dm->mainConnection = &rec;
    TReportInfo r = SampleReport(kGuid);
    QVERIFY(Data().SaveReportInfoToDB(kGuid, r));
    r.FJianYi = QStringLiteral("第二次");
    QVERIFY(Data().SaveReportInfoToDB(kGuid, r));
    QCOMPARE(Rows(), 1);
    QCOMPARE(Column(QStringLiteral("JianYi")), QStringLiteral("第二次"));
    QCOMPARE(rec.procCalls.size(), 2);
    QCOMPARE(rec.procCalls.at(1).params.size(), rec.procCalls.at(0).params.size());
}

void TReportSaveTest::failuresAreLoggedAndTold_data()
{
    QTest::addColumn<QString>("breakSql");
    QTest::addColumn<QString>("reason");
    QTest::newRow("procedure lacks a parameter")
        << "DELETE FROM wr_procedure_param WHERE procedure = 'sp_SaveReportInfo' AND name = '@kgjR_B'" << "@kgjR_B";
    QTest::newRow("procedure missing") << "DELETE FROM wr_procedure WHERE name = 'sp_SaveReportInfo'" << "sp_SaveReportInfo";
    QTest::newRow("procedure raises an error")
        << "UPDATE wr_procedure SET body = 'SELECT wr_raise(''磁盘已满'')' WHERE name = 'sp_SaveReportInfo'" << "磁盘已满";
    QTest::newRow("report table gone") << "DROP TABLE Report" << "Report";
    QTest::newRow("no connection") << "" << "connection";
}

void TReportSaveTest::failuresAreLoggedAndTold()
{
    QFETCH(QString, breakSql);
    QFETCH(QString, reason);
    InsertReportRow(*m_db, SampleReport(kGuid));
    if (breakSql.isEmpty()) m_dm->mainConnection = nullptr;
    else ExecTestSql(*m_db, breakSql);

    TReportInfo changed = SampleReport(kGuid);
    changed.FJianYi = QStringLiteral("不应写入");
    QVERIFY(!Data().SaveReportInfoToDB(kGuid, changed));

    const auto logs = m_host->LogsWithTitle(kSaveTitle);
    QCOMPARE(logs.size(), 1);
    QVERIFY(logs.first().value.startsWith(QStringLiteral("异常:")));
    QVERIFY2(logs.first().value.contains(reason, Qt::CaseInsensitive), qPrintable(logs.first().value));
    QCOMPARE(m_dialogs->shown.size(), 1);
    QVERIFY(m_dialogs->shown.first().text.startsWith(QStringLiteral("报告保存失败")));
    QVERIFY(m_dialogs->shown.first().text.contains(reason, Qt::CaseInsensitive));
    QCOMPARE(Data().saveDoctorCalls, 0);
    if (breakSql.isEmpty() || !breakSql.startsWith(QLatin1String("DROP")))
        QCOMPARE(Column(QStringLiteral("JianYi")), SampleReport(kGuid).FJianYi);
}

void TReportSaveTest::doctorIndexFailureAfterTheWriteIsOnlyLogged()
{
    Data().onSaveDoctors = [] { throw Exception(QStringLiteral("配置存储不可写")); };
    QVERIFY(Data().SaveReportInfoToDB(kGuid, SampleReport(kGuid)));
    QCOMPARE(Rows(), 1);
    const auto logs = m_host->LogsWithTitle(kSaveTitle);
    QCOMPARE(logs.size(), 1);
    QCOMPARE(logs.first().value, QStringLiteral("异常:配置存储不可写"));
    QVERIFY(m_dialogs->shown.isEmpty());
}

void TReportSaveTest::partlyLoadedReportIsNotWrittenBack()
{
    InsertReportRow(*m_db, SampleReport(kGuid));
    // A state that is not a number breaks the load after the row was found, before the
    // hip-joint columns are read.
    ExecTestSql(*m_db, QStringLiteral("UPDATE Report SET ReportState = 'x4'"));
    TRecordingConnection rec(*m_db);
    m_dm->mainConnection = &rec;
    TReportInfo partial = Load(kGuid);
    QCOMPARE(Data().LastLoadOutcome(), TLoadOutcome::FailedAfterRowFound);
    QCOMPARE(partial.FkgjL_A, QString());

    QVERIFY(!Data().SaveReportInfoToDB(kGuid, partial));
    QVERIFY(rec.procCalls.isEmpty());
    QCOMPARE(Column(QStringLiteral("kgjL_A")), SampleReport(kGuid).FkgjL_A);
    QCOMPARE(m_dialogs->shown.size(), 1);
    QVERIFY(m_dialogs->shown.first().text.startsWith(QStringLiteral("报告保存失败")));
    QCOMPARE(Data().saveDoctorCalls, 0);

    // Once a later open reads the whole row, saving works again.
    ExecTestSql(*m_db, QStringLiteral("UPDATE Report SET ReportState = 6"));
    TReportInfo whole = Load(kGuid);
    QCOMPARE(Data().LastLoadOutcome(), TLoadOutcome::Loaded);
    whole.FJianYi = QStringLiteral("完整后保存");
    QVERIFY(Data().SaveReportInfoToDB(kGuid, whole));
    QCOMPARE(Column(QStringLiteral("JianYi")), QStringLiteral("完整后保存"));
    QCOMPARE(Column(QStringLiteral("kgjL_A")), SampleReport(kGuid).FkgjL_A);
}

QTEST_GUILESS_MAIN(TReportSaveTest)
#include "tst_reportsave.moc"
