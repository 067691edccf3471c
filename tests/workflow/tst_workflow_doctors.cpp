// SPDX-License-Identifier: MIT
// Doctor lists and remembered doctor positions end to end: what the lists offer, what a
// save remembers, and what a failed save leaves alone.
#include "WorkflowFixture.h"
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>

using TRows = QList<QPair<QString, int>>;
Q_DECLARE_METATYPE(TRows)

namespace {
const QString kForm = QStringLiteral("Configuration/TReportForm");
const char* const kBoxes[] = {"cbx_ExamDoctor", "Cbx_ReportDoctor", "Cbx_HuiZhenDoctor", "Cbx_ShenHedoctor"};
const char* const kKeys[] = {"cbx_ExamDoctor_index", "Cbx_ReportDoctor_index", "Cbx_HuiZhenDoctor_index",
                             "Cbx_ShenHedoctor_index"};

QStringList Items(QComboBox* c)
{
    QStringList l;
    for (int i = 0; i < c->count(); ++i) l << c->itemText(i);
    return l;
}
} // namespace

class TWorkflowDoctorsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_f = std::make_unique<TWorkflowFixture>(); }
    void cleanup() { m_f.reset(); }
    void doctorListsOfTheUsersDepartment_data();
    void doctorListsOfTheUsersDepartment();
    void emptyDictionariesGiveEmptyListsAndFields();
    void saveRemembersTheChosenPositions();
    void handTypedDoctorIsRememberedAsMinusOne();
    void rememberedPositionOutsideTheListGivesNoDoctor();
    void failingProcedureChangesNoRememberedPosition();
    void examiningDoctorStaysTheUser();

private:
    void SetIndexes(int exam, int report, int huizhen, int shenhe);
    std::unique_ptr<TWorkflowFixture> m_f;
};

void TWorkflowDoctorsTest::SetIndexes(int exam, int report, int huizhen, int shenhe)
{
    const int values[] = {exam, report, huizhen, shenhe};
    for (int i = 0; i < 4; ++i) m_f->SetConfig(kForm, QString::fromLatin1(kKeys[i]), QString::number(values[i]));
}

void TWorkflowDoctorsTest::doctorListsOfTheUsersDepartment_data()
{
    QTest::addColumn<QString>("department");
    QTest::addColumn<TRows>("doctors");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("quote in the department code") << "US'03" << TRows{{"引号科医生", 1}} << QStringList{"引号科医生"};
    QTest::newRow("department without doctors") << "US09" << TRows{} << QStringList{};
    QTest::newRow("NULL and empty names left out, blanks and duplicates kept")
        << "US04" << TRows{{QString(), 5}, {"", 4}, {" ", 3}, {"同名", 2}, {"同名", 1}} << QStringList{" ", "同名", "同名"};
}

void TWorkflowDoctorsTest::doctorListsOfTheUsersDepartment()
{
    QFETCH(QString, department);
    QFETCH(TRows, doctors);
    QFETCH(QStringList, expected);
    InsertDoctors(*m_f->db, department, doctors);
    m_f->host.keshiCode = department;
    InsertReportRow(*m_f->db, SampleReport(QStringLiteral("R-1")));
    m_f->Open(QStringLiteral("R-1"));
    for (const char* box : kBoxes) QCOMPARE(Items(m_f->Combo(box)), expected);
    // The stored doctor is shown whether or not the list offers it.
    QCOMPARE(m_f->Combo("Cbx_ReportDoctor")->currentText(), SampleReport(QString()).FReportDoctor);
}

void TWorkflowDoctorsTest::emptyDictionariesGiveEmptyListsAndFields()
{
    for (const char* table : {"检查途径", "探头频率", "图像质量"})
        ExecTestSql(*m_f->db, QStringLiteral("DELETE FROM ") + QString::fromUtf8(table));
    ExecTestSql(*m_f->db, QStringLiteral("INSERT INTO Report (ruid, ReportState) VALUES ('R-e', 6)"));
    m_f->Open(QStringLiteral("R-e"));
    for (const char* box : {"Cbx_TanTouRate", "cbx_jcTuJing", "cbx_ImageQuality"}) {
        QCOMPARE(m_f->Combo(box)->count(), 0);
        QCOMPARE(m_f->Combo(box)->currentText(), QString());
    }
    m_f->Save(QStringLiteral("R-e"));
    QCOMPARE(m_f->Column(QStringLiteral("TanTouRate"), QStringLiteral("R-e")), QString());
    QVERIFY(m_f->dialogs.shown.isEmpty());
}

void TWorkflowDoctorsTest::saveRemembersTheChosenPositions()
{
    ExecTestSql(*m_f->db, QStringLiteral("INSERT INTO Report (ruid, ReportState) VALUES ('R-1', 0)"));
    SetIndexes(-1, 0, -1, 1);
    m_f->Open(QStringLiteral("R-1"));
    m_f->Report().SetcontrolsEnable(true);
    m_f->Combo("cbx_ExamDoctor")->setCurrentIndex(2);
    m_f->Combo("Cbx_ReportDoctor")->setCurrentIndex(1);
    m_f->Combo("Cbx_HuiZhenDoctor")->setCurrentIndex(0);
    m_f->Save(QStringLiteral("R-1"));
    const QStringList expected = {"2", "1", "0", "1"};
    for (int i = 0; i < 4; ++i) QCOMPARE(m_f->Config(kForm, QString::fromLatin1(kKeys[i])), expected[i]);

    // The next fresh report starts with them.
    ExecTestSql(*m_f->db, QStringLiteral("INSERT INTO Report (ruid, ReportState) VALUES ('R-2', 0)"));
    m_f->Open(QStringLiteral("R-2"));
    QCOMPARE(m_f->Combo("Cbx_ReportDoctor")->currentText(), QStringLiteral("李医生"));
    QCOMPARE(m_f->Combo("Cbx_HuiZhenDoctor")->currentText(), QStringLiteral("张医生"));
    QCOMPARE(m_f->Combo("Cbx_ShenHedoctor")->currentText(), QStringLiteral("李医生"));
}

void TWorkflowDoctorsTest::handTypedDoctorIsRememberedAsMinusOne()
{
    ExecTestSql(*m_f->db, QStringLiteral("INSERT INTO Report (ruid, ReportState) VALUES ('R-1', 0)"));
    SetIndexes(0, 0, 0, 0);
    m_f->Open(QStringLiteral("R-1"));
    m_f->Report().SetcontrolsEnable(true);
    QComboBox* box = m_f->Combo("Cbx_ReportDoctor");
    QCOMPARE(box->currentText(), QStringLiteral("张医生"));
    box->lineEdit()->selectAll();
    // Chinese is typed through the input method: the committed text replaces the selection.
    QInputMethodEvent typed;
    typed.setCommitString(QStringLiteral("进修医生"));
    QApplication::sendEvent(box->lineEdit(), &typed);
    QCOMPARE(box->currentText(), QStringLiteral("进修医生"));
    m_f->Save(QStringLiteral("R-1"));
    QCOMPARE(m_f->Config(kForm, QStringLiteral("Cbx_ReportDoctor_index")), QStringLiteral("-1"));
    QCOMPARE(m_f->Column(QStringLiteral("ReportDoctor"), QStringLiteral("R-1")), QStringLiteral("进修医生"));

    // At the next open no entry of that box comes from the remembered position.
    ExecTestSql(*m_f->db, QStringLiteral("INSERT INTO Report (ruid, ReportState) VALUES ('R-2', 0)"));
    m_f->Open(QStringLiteral("R-2"));
    QCOMPARE(m_f->Combo("Cbx_ReportDoctor")->currentIndex(), -1);
    QCOMPARE(m_f->Combo("Cbx_ReportDoctor")->currentText(), QString());
}

void TWorkflowDoctorsTest::rememberedPositionOutsideTheListGivesNoDoctor()
{
    // Stored positions as a shrunk list would leave them: beyond the end, and below zero.
    SetIndexes(0, 7, 3, -5);
    ExecTestSql(*m_f->db, QStringLiteral("INSERT INTO Report (ruid, ReportState) VALUES ('R-2', 0)"));
    m_f->Open(QStringLiteral("R-2"));
    // The review doctor of an unreviewed report comes from a position that selects nothing.
    QCOMPARE(m_f->Combo("Cbx_ShenHedoctor")->currentText(), QString());
    QCOMPARE(m_f->Combo("Cbx_ReportDoctor")->currentText(), QString());
    QCOMPARE(m_f->Combo("Cbx_HuiZhenDoctor")->currentText(), QString());
}

void TWorkflowDoctorsTest::failingProcedureChangesNoRememberedPosition()
{
    InsertReportRow(*m_f->db, SampleReport(QStringLiteral("R-1")));
    SetIndexes(0, 0, 0, 0);
    m_f->Open(QStringLiteral("R-1"));
    m_f->Report().SetcontrolsEnable(true);
    for (const char* box : kBoxes) m_f->Combo(box)->setCurrentIndex(2);
    ExecTestSql(*m_f->db, QStringLiteral("UPDATE wr_procedure SET body = 'SELECT wr_raise(''数据库只读'')' WHERE name = 'sp_SaveReportInfo'"));
    m_f->Save(QStringLiteral("R-1"));

    const auto logs = m_f->host.LogsWithTitle(QStringLiteral("ReportForm.SaveReportInfoToDB"));
    QCOMPARE(logs.size(), 1);
    QVERIFY(logs.first().value.startsWith(QStringLiteral("异常:")));
    QVERIFY(logs.first().value.contains(QStringLiteral("数据库只读")));
    for (const char* key : kKeys) QCOMPARE(m_f->Config(kForm, QString::fromLatin1(key)), QStringLiteral("0"));
    QCOMPARE(m_f->dialogs.shown.size(), 1);
    QVERIFY(m_f->dialogs.shown.first().text.startsWith(QStringLiteral("报告保存失败")));
    QVERIFY(m_f->dialogs.shown.first().text.contains(QStringLiteral("数据库只读")));
    QCOMPARE(m_f->dialogs.shown.first().parent, m_f->form.get());
    QCOMPARE(m_f->Column(QStringLiteral("ReportDoctor"), QStringLiteral("R-1")), SampleReport(QString()).FReportDoctor);
}

void TWorkflowDoctorsTest::examiningDoctorStaysTheUser()
{
    ExecTestSql(*m_f->db, QStringLiteral("INSERT INTO Report (ruid, ReportState) VALUES ('R-1', 0), ('R-2', 0)"));
    m_f->Open(QStringLiteral("R-1"));
    m_f->Report().SetcontrolsEnable(true);
    m_f->Combo("cbx_ExamDoctor")->setCurrentIndex(1);
    m_f->Save(QStringLiteral("R-1"));
    QCOMPARE(m_f->Config(kForm, QStringLiteral("cbx_ExamDoctor_index")), QStringLiteral("1"));
    m_f->Open(QStringLiteral("R-2"));
    QCOMPARE(m_f->Combo("cbx_ExamDoctor")->currentText(), m_f->host.userName);
}

QTEST_MAIN(TWorkflowDoctorsTest)
#include "tst_workflow_doctors.moc"
