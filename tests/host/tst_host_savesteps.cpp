// SPDX-License-Identifier: MIT
// Steps a room adds to every save run in the save's own database transaction: the real
// editor saves a changed report on a fresh demo database, a step writes beside it, and a
// step that fails takes the report's save back with it.
#include "TestDatabase.h"
#include "app/ConfigStore.h"
#include "app/HostLog.h"
#include "app/PluginLoader.h"
#include "database/HostDataModule.h"
#include "editor/EditorSession.h"
#include "report/ReportConflict.h"
#include "script/ControlAccess.h"
#include "shell/HostMainForm.h"
#include "platform/DialogService.h"
#include <QApplication>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
// Counts the boxes the failed save shows; answers every one at once.
class TBoxes final : public IDialogService {
public:
    TBoxes() : m_previous(SetDialogService(this)) {}
    ~TBoxes() override { SetDialogService(m_previous); }
    QStringList shown;
    TMsgResult MessageBox(const TMessageRequest& r) override
    {
        shown << r.caption;
        return TMsgResult::Ok;
    }
    int Choose(const TChoiceRequest& r) override
    {
        shown << r.caption;
        return r.escapeChoice;
    }

private:
    IDialogService* m_previous;
};
} // namespace

namespace {
// The real editor in a host window on a fresh demo database.
struct TEditorFixture {
    QTemporaryDir dir;
    THostLog log;
    std::unique_ptr<TConfigStore> config;
    std::unique_ptr<THostDataModule> data;
    std::unique_ptr<THostMainForm> window;
    QString ruid;  // the work list's first report

    bool Make(TPluginLoader& plugin, QString* error)
    {
        qputenv("XDG_DATA_HOME", (dir.path() + QLatin1String("/data")).toUtf8());
        qputenv("WRITEREPORT_PROGRAM_DIR", dir.path().toUtf8());
        log.Open(dir.filePath(QStringLiteral("host.log")));
        config = std::make_unique<TConfigStore>(dir.filePath(QStringLiteral("user.ini")));
        data = std::make_unique<THostDataModule>(CreateTestDatabaseFile(dir.path(), true));
        if (!data->DM_ConnectDB(*error)) return false;
        window = std::make_unique<THostMainForm>(log, *config, *data,
                                                 THostLogin{QStringLiteral("测试医生"), QStringLiteral("T01"), QStringLiteral("1"), 1});
        TLoadedForm form;
        if (!plugin.CreateForm(QStringLiteral("TReportForm"), kReportFormClassType, window.get(), &form, error)) return false;
        window->AttachForm(form, QStringLiteral("TReportForm"));
        if (!window->RefreshWorklist(error)) return false;
        ruid = window->WorklistGuids().value(0);
        return true;
    }
};
} // namespace

class TstHostSaveSteps : public QObject {
    Q_OBJECT
    TPluginLoader m_plugin;

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(m_plugin.Load(QStringLiteral(WR_BINARY_DIR "/bin/libWriteReport.so"), &error), qPrintable(error));
    }
    void cleanupTestCase() { m_plugin.Unload(); }

    void stepsStandOrFallWithTheSave_data()
    {
        QTest::addColumn<QStringList>("steps");   // "write" inserts a row, "fail" throws
        QTest::addColumn<bool>("saved");
        QTest::newRow("no step: the editor's save alone") << QStringList{} << true;
        QTest::newRow("a writing step is kept with the report") << QStringList{"write"} << true;
        QTest::newRow("a failing step takes the report back") << QStringList{"fail"} << false;
        QTest::newRow("a later failing step takes an earlier step's write back too")
            << QStringList{"write", "fail"} << false;
    }
    void stepsStandOrFallWithTheSave()
    {
        QFETCH(QStringList, steps);
        QFETCH(bool, saved);
        TEditorFixture f;
        QString error;
        QVERIFY2(f.Make(m_plugin, &error), qPrintable(error));
        THostMainForm& window = *f.window;
        TDbConnection& conn = *f.data->GetMainAdoConnection();
        ExecTestSql(conn, QStringLiteral("CREATE TABLE step_log (ruid TEXT)"));
        const QString ruid = f.ruid;
        const QTemporaryDir& dir = f.dir;
        TReportInfo before;
        QVERIFY(ReadStoredReport(conn, ruid, before));

        // A failing step fails the first save only, as a check the doctor then satisfies.
        auto failed = std::make_shared<bool>(false);
        for (const QString& step : steps)
            window.Session().AddSaveStep(step, [step, failed](TDbConnection& c, const QString& r) {
                ExecTestSql(c, QStringLiteral("INSERT INTO step_log (ruid) VALUES ('%1')").arg(r));
                if (step == QLatin1String("fail") && !*failed) {
                    *failed = true;
                    throw Exception(QStringLiteral("the check refused"));
                }
            });
        TBoxes boxes;
        QVERIFY2(window.OpenReport(ruid, &error) && window.SetEditing(true, &error), qPrintable(error));
        const QString text = before.FBeiZhu + QStringLiteral("（补充）");
        QVERIFY2(SetControlText(FindControl(window.FormWidget(), QStringLiteral("memo_beizhu")), text, &error), qPrintable(error));

        QCOMPARE(window.SaveReport(&error), saved);
        TReportInfo after;
        QVERIFY(ReadStoredReport(conn, ruid, after));
        QCOMPARE(after.FBeiZhu, saved ? text : before.FBeiZhu);
        QCOMPARE(QueryTestValue(conn, QStringLiteral("SELECT count(*) FROM step_log")).AsInteger(), saved ? steps.size() : 0);
        QVERIFY(!conn.InTransaction());
        if (!saved) {
            // The doctor is told, and the edits are still there to save again.
            QVERIFY2(error.contains(QStringLiteral("fail: the check refused")), qPrintable(error));
            QVERIFY(boxes.shown.contains(QStringLiteral("保存失败")));
            QVERIFY(window.Session().HasUnsavedChanges());
            // The edits are back in the draft the save had removed.
            QDirIterator drafts(dir.path() + QLatin1String("/data"), {QStringLiteral("*.draft")}, QDir::Files,
                                QDirIterator::Subdirectories);
            QVERIFY(drafts.hasNext());
            // The editor forgot the undone write: saving again is no conflict with itself.
            QVERIFY2(window.SaveReport(&error), qPrintable(error));
            QVERIFY(ReadStoredReport(conn, ruid, after));
            QCOMPARE(after.FBeiZhu, text);
            QVERIFY2(!boxes.shown.contains(QStringLiteral("报告保存冲突")), qPrintable(boxes.shown.join(QLatin1Char(','))));
        }
    }

    // A save the editor refuses without an error (the report was signed meanwhile at another
    // workstation) is a failed save: no step runs, nothing is said to be saved.
    void stepsDoNotRunWhenTheEditorRefuses()
    {
        TEditorFixture f;
        QString error;
        QVERIFY2(f.Make(m_plugin, &error), qPrintable(error));
        TDbConnection& conn = *f.data->GetMainAdoConnection();
        ExecTestSql(conn, QStringLiteral("CREATE TABLE step_log (ruid TEXT)"));
        f.window->Session().AddSaveStep(QStringLiteral("write"), [](TDbConnection& c, const QString& r) {
            ExecTestSql(c, QStringLiteral("INSERT INTO step_log (ruid) VALUES ('%1')").arg(r));
        });
        TBoxes boxes;
        ExecTestSql(conn, QStringLiteral("UPDATE Report SET ReportState = 2 WHERE ruid = '%1'").arg(f.ruid));
        QVERIFY2(f.window->OpenReport(f.ruid, &error) && f.window->SetEditing(true, &error), qPrintable(error));
        QVERIFY2(SetControlText(FindControl(f.window->FormWidget(), QStringLiteral("memo_beizhu")), QStringLiteral("签发后的改动"), &error),
                 qPrintable(error));
        ExecTestSql(conn, QStringLiteral("UPDATE Report SET ReportState = 5 WHERE ruid = '%1'").arg(f.ruid));
        QVERIFY(!f.window->SaveReport(&error));
        QCOMPARE(QueryTestValue(conn, QStringLiteral("SELECT count(*) FROM step_log")).AsInteger(), 0);
        QVERIFY(f.window->Session().HasUnsavedChanges());
    }

    // A room's unsaved choice alone (key images) makes the leave question ask; a choice
    // already saved, or a locked report, does not.
    void leaveAsksForARoomsUnsavedChoice()
    {
        TEditorFixture f;
        QString error;
        QVERIFY2(f.Make(m_plugin, &error), qPrintable(error));
        bool roomChanged = false;
        f.window->Session().AddUnsavedCheck([&roomChanged] { return roomChanged; });
        TBoxes boxes;
        QVERIFY2(f.window->OpenReport(f.ruid, &error) && f.window->SetEditing(true, &error), qPrintable(error));
        QVERIFY(!f.window->Session().HasUnsavedChanges());
        QCOMPARE(f.window->Session().Leave(), TEditorSession::TLeave::Left);
        roomChanged = true;
        QVERIFY(f.window->Session().HasUnsavedChanges());
        // Esc on the question keeps the report open.
        QCOMPARE(f.window->Session().Leave(), TEditorSession::TLeave::Cancelled);
        QCOMPARE(boxes.shown, QStringList{QStringLiteral("保存报告")});
        QVERIFY2(f.window->SetEditing(false, &error), qPrintable(error));
        QVERIFY(!f.window->Session().HasUnsavedChanges());
    }
};

QTEST_MAIN(TstHostSaveSteps)
#include "tst_host_savesteps.moc"
