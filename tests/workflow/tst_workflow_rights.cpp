// SPDX-License-Identifier: MIT
// A doctor without the right 修改已审核报告 cannot change a final report through the form by
// any path: restoring his draft of a report signed meanwhile, saving after a host unlocked
// it without asking, or keeping his version over a signature made while he edited. The
// stored row keeps its text and its state.
#include "WorkflowFixture.h"
#include "platform/DialogService.h"
#include "report/ReportDraft.h"
#include <QDir>
#include <QPlainTextEdit>

namespace {
const QString kRuid = QStringLiteral("6A1E2B3C-0000-4000-8000-00000000E32A");
const QString kRight = QStringLiteral("修改已审核报告");
const QString kMine = QStringLiteral("无权修改者的建议");

// Keeps the doctor's version at a save conflict; every message is answered as scripted.
class TKeepMine final : public IDialogService {
public:
    explicit TKeepMine(TScriptedDialogs& inner) : m_inner(inner), m_previous(SetDialogService(this)) {}
    ~TKeepMine() override { SetDialogService(m_previous); }
    TMsgResult MessageBox(const TMessageRequest& r) override { return m_inner.MessageBox(r); }
    int Choose(const TChoiceRequest&) override { return 0; }   // 保留我的版本

private:
    TScriptedDialogs& m_inner;
    IDialogService* m_previous;
};

void Sign(TDbConnection& db)
{
    ExecTestSql(db, QStringLiteral("UPDATE Report SET ReportState = 5, ShenHeDoctor = '张医生', ShenHeDoctorCode = 'D001' "
                                   "WHERE ruid = '%1'").arg(kRuid));
}
} // namespace

class TWorkflowRightsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qputenv("XDG_DATA_HOME", m_dataHome.path().toUtf8()); }
    void noPathChangesAFinalReport_data();
    void noPathChangesAFinalReport();

private:
    QTemporaryDir m_dataHome;
};

void TWorkflowRightsTest::noPathChangesAFinalReport_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("draft of a report signed since") << QStringLiteral("draft");
    QTest::newRow("save after an unlock without asking") << QStringLiteral("unlocked");
    QTest::newRow("keep mine over a signature made meanwhile") << QStringLiteral("keep-mine");
}

void TWorkflowRightsTest::noPathChangesAFinalReport()
{
    QFETCH(QString, path);
    QDir(TDraftStore::DefaultRoot()).removeRecursively();
    TWorkflowFixture f;
    f.host.refusedOperations << kRight;
    TReportInfo row = SampleReport(kRuid);
    row.FReportState = 2;
    InsertReportRow(*f.db, row);
    const QString stored = f.Column(QStringLiteral("JianYi"), kRuid);

    if (path == QLatin1String("draft")) {
        // His unsaved edits are left as a draft; the report is signed before he comes back.
        f.Open(kRuid);
        f.Report().SetcontrolsEnable(true);
        f.Memo("Memo_JianYi")->setPlainText(kMine);
        QVERIFY(f.form->FlushDraft());
        Sign(*f.db);
        f.NewForm();
        f.host.refusedOperations << kRight;
        f.dialogs.answers << TMsgResult::Yes;   // he would restore it
        f.Open(kRuid);
        QCOMPARE(f.dialogs.shown.size(), 1);
        QCOMPARE(f.dialogs.shown.first().buttons, TMsgButtons::Ok);   // told, not asked
        QVERIFY(!f.Report().GetReportIsEdited(QString()));
        QVERIFY(!TDraftStore(TDraftStore::DefaultRoot(), QStringLiteral("D001"), QStringLiteral("张医生")).Exists(kRuid));
        f.Save(kRuid);
    } else if (path == QLatin1String("unlocked")) {
        Sign(*f.db);
        f.Open(kRuid);
        f.Report().SetcontrolsEnable(true);
        f.Memo("Memo_JianYi")->setPlainText(kMine);
        f.Save(kRuid);
        QVERIFY(!f.dialogs.shown.isEmpty());
        QVERIFY2(f.dialogs.shown.last().text.contains(kRight), qPrintable(f.dialogs.shown.last().text));
    } else {
        f.Open(kRuid);
        f.Report().SetcontrolsEnable(true);
        f.Memo("Memo_JianYi")->setPlainText(kMine);
        Sign(*f.db);
        TKeepMine keep(f.dialogs);
        f.Save(kRuid);
        QVERIFY(!f.dialogs.shown.isEmpty());
        QVERIFY2(f.dialogs.shown.last().text.contains(QStringLiteral("撤销审核")), qPrintable(f.dialogs.shown.last().text));
    }
    QCOMPARE(f.Column(QStringLiteral("JianYi"), kRuid), stored);
    QCOMPARE(f.Column(QStringLiteral("ReportState"), kRuid), QStringLiteral("5"));
}

QTEST_MAIN(TWorkflowRightsTest)
#include "tst_workflow_rights.moc"
