// SPDX-License-Identifier: MIT
// A save while another connection holds the database's write lock: the host's wait prompt
// asks after 2 seconds; giving up fails the save and keeps the edited text in the editor;
// waiting on saves the report once the lock is released.
#include "database/DbWaitPrompt.h"
#include "WorkflowFixture.h"
#include <QPlainTextEdit>
#include <QTest>
#include <functional>

namespace {

// Answers the wait question with `onWait`; every other box as a closed window.
class TWaitDialogs final : public IDialogService {
public:
    TWaitDialogs() : m_previous(SetDialogService(this)) {}
    ~TWaitDialogs() override { SetDialogService(m_previous); }
    std::function<TMsgResult()> onWait;
    QList<TMessageRequest> shown;
    TMsgResult MessageBox(const TMessageRequest& r) override
    {
        shown << r;
        if (r.caption == QStringLiteral("等待数据库") && onWait) return onWait();
        return r.buttons == TMsgButtons::YesNo ? TMsgResult::Closed : TMsgResult::Ok;
    }

private:
    IDialogService* m_previous;
};

int Failures(const TWorkflowFixture& f)
{
    int n = 0;
    for (const TLogLine& l : f.host.LogsWithTitle(QStringLiteral("ReportForm.SaveReportInfoToDB")))
        n += l.value.startsWith(QStringLiteral("异常:")) ? 1 : 0;
    return n;
}

} // namespace

class TstDbWait : public QObject {
    Q_OBJECT
private slots:
    void giveUpKeepsTheTextAndWaitingSaves();
};

void TstDbWait::giveUpKeepsTheTextAndWaitingSaves()
{
    TWorkflowFixture f;
    const QString ruid = QStringLiteral("LOCKED-1");
    InsertReportRow(*f.db, SampleReport(ruid));
    f.Open(ruid);
    f.Report().SetcontrolsEnable(true);
    f.Memo("Memo_JianYi")->setPlainText(QStringLiteral("等锁释放后再保存"));

    QWidget window;
    TDbWaitPrompt prompt(&window);
    TWaitDialogs dialogs;
    auto holder = OpenDatabase(f.dir.filePath(QStringLiteral("writereport.db")));
    ExecTestSql(*holder, QStringLiteral("BEGIN IMMEDIATE"));
    ExecTestSql(*holder, QStringLiteral("UPDATE Report SET BeiZhu = 'held' WHERE ruid = 'nobody'"));

    // Give up: the save fails, the question came once, and the text is still there.
    QElapsedTimer t;
    t.start();
    dialogs.onWait = [] { return TMsgResult::No; };
    const int errorsBefore = Failures(f);
    f.Save(ruid);
    QVERIFY2(t.elapsed() >= TDbWaitPrompt::kFirstQuestionMs, qPrintable(QString::number(t.elapsed())));
    QCOMPARE(prompt.Questions(), 1);
    QCOMPARE(Failures(f), errorsBefore + 1);
    QCOMPARE(f.Memo("Memo_JianYi")->toPlainText(), QStringLiteral("等锁释放后再保存"));
    QVERIFY(!f.Memo("Memo_JianYi")->isReadOnly());
    QVERIFY(f.Column(QStringLiteral("JianYi"), ruid) != QStringLiteral("等锁释放后再保存"));

    // Keep waiting: the other program finishes while the question is up, and the save goes on.
    dialogs.onWait = [&] {
        ExecTestSql(*holder, QStringLiteral("COMMIT"));
        return TMsgResult::Yes;
    };
    const int errors = Failures(f);
    f.Save(ruid);
    QCOMPARE(prompt.Questions(), 2);
    QCOMPARE(Failures(f), errors);
    QCOMPARE(f.Column(QStringLiteral("JianYi"), ruid), QStringLiteral("等锁释放后再保存"));
}

QTEST_MAIN(TstDbWait)
#include "tst_dbwait.moc"
