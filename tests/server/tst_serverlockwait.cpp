// SPDX-License-Identifier: MIT
// A save on the database server while another connection holds a lock the save needs, with
// the host's wait prompt installed: the question comes after 2 seconds; giving up fails the
// save and writes nothing, not even the part the procedure had done before it met the lock;
// waiting on saves the report once the lock is released.
#include "database/DbWaitPrompt.h"
#include "ServerFixture.h"
#include "ServerTestDatabase.h"
#include "platform/DialogService.h"
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QWidget>
#include <functional>

namespace {

const QString kSaveTitle = QStringLiteral("ReportForm.SaveReportInfoToDB");

// Answers the wait question with `onWait`; every other box as a closed window.
class TWaitDialogs final : public IDialogService {
public:
    TWaitDialogs() : m_previous(SetDialogService(this)) {}
    ~TWaitDialogs() override { SetDialogService(m_previous); }
    std::function<TMsgResult()> onWait;
    QStringList captions;
    TMsgResult MessageBox(const TMessageRequest& r) override
    {
        captions << r.caption;
        if (r.caption == QStringLiteral("等待数据库") && onWait) return onWait();
        return r.buttons == TMsgButtons::YesNo ? TMsgResult::Closed : TMsgResult::Ok;
    }

private:
    IDialogService* m_previous;
};

// Another program: its own connection, in a transaction that holds the locks it took.
class TLockHolder {
public:
    explicit TLockHolder(const QString& target) : m_name(QStringLiteral("wr_lock_holder"))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), m_name);
        db.setDatabaseName(target);
        if (!db.open() || !db.transaction()) m_error = db.lastError().text();
    }
    ~TLockHolder()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            if (db.isOpen()) {
                db.rollback();
                db.close();
            }
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    bool Lock(const QString& sql)
    {
        QSqlQuery q(QSqlDatabase::database(m_name, false));
        if (!q.exec(sql)) {
            m_error = q.lastError().text();
            return false;
        }
        while (q.next()) {}
        return true;
    }
    bool Commit() { return QSqlDatabase::database(m_name, false).commit(); }
    const QString& Error() const { return m_error; }

private:
    QString m_name;
    QString m_error;
};

} // namespace

class TServerLockWaitTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void rowLockedByAnotherConnection();
    void lockMetAfterTheSaveWroteRollsItAllBack();

private:
    bool Save(const TReportInfo& r) { return m_data->SaveReportInfoToDB(r.FRuid, r); }
    QString Column(const QString& column, const QString& ruid)
    {
        return m_db->Value(QStringLiteral("SELECT %1 FROM Report WHERE ruid = %2").arg(column, QuotedStr(ruid))).AsString();
    }
    int HistoryRows(const QString& ruid)
    {
        return m_db->Value(QStringLiteral("SELECT count(*) FROM ReportHistory WHERE ruid = %1").arg(QuotedStr(ruid))).AsInteger();
    }
    int Failures() const { return FailureLogCount(*m_host, kSaveTitle); }

    std::unique_ptr<TBackendDatabase> m_db;
    std::unique_ptr<TFakeMainForm> m_host;
    std::unique_ptr<TFakeDataModule> m_dm;
    std::unique_ptr<TServerReportData> m_data;
    std::unique_ptr<QWidget> m_window;
    std::unique_ptr<TDbWaitPrompt> m_prompt;
    std::unique_ptr<TWaitDialogs> m_dialogs;
};

void TServerLockWaitTest::initTestCase()
{
    if (!TestsUseServer()) QSKIP("Lock waits on the server need the database server (WR_TEST_BACKEND=odbc)");
    const QString why = TBackendDatabase::SkipReason();
    if (!why.isEmpty()) QSKIP(qPrintable(why));
}

void TServerLockWaitTest::init()
{
    m_db = std::make_unique<TBackendDatabase>();
    m_host = std::make_unique<TFakeMainForm>();
    m_dm = std::make_unique<TFakeDataModule>();
    m_dm->mainConnection = &m_db->Connection();
    m_data = std::make_unique<TServerReportData>(*m_host, *m_dm);
    m_data->rtf[0] = m_data->rtf[1] = QByteArrayLiteral("{\\rtf1 x}");
    m_window = std::make_unique<QWidget>();
    m_prompt = std::make_unique<TDbWaitPrompt>(m_window.get());
    m_dialogs = std::make_unique<TWaitDialogs>();
}

void TServerLockWaitTest::cleanup()
{
    m_dialogs.reset();
    m_prompt.reset();
    m_window.reset();
    m_data.reset();
    m_dm.reset();
    m_host.reset();
    m_db.reset();
}

void TServerLockWaitTest::rowLockedByAnotherConnection()
{
    const QString ruid = QStringLiteral("LOCKED-1");
    TReportInfo r = DistinctReport(ruid);
    QVERIFY(Save(r));
    QCOMPARE(m_prompt->Questions(), 0);  // nothing held: no question
    const QString stamp = Column(QStringLiteral("RowVersion"), ruid);
    const QString stored = Column(QStringLiteral("JianYi"), ruid);
    const int history = HistoryRows(ruid);

    TLockHolder holder(m_db->AdminTarget());
    QVERIFY2(holder.Lock(QStringLiteral("SELECT ruid FROM Report WHERE ruid = 'LOCKED-1' FOR UPDATE")), qPrintable(holder.Error()));
    r.FJianYi = QStringLiteral("等锁释放后再保存");

    // Give up: the save fails as any failed save does, after the question came once.
    m_dialogs->onWait = [] { return TMsgResult::No; };
    QElapsedTimer t;
    t.start();
    const int failures = Failures();
    QVERIFY(!Save(r));
    QVERIFY2(t.elapsed() >= TDbWaitPrompt::kFirstQuestionMs, qPrintable(QString::number(t.elapsed())));
    QCOMPARE(m_prompt->Questions(), 1);
    QCOMPARE(Failures(), failures + 1);
    QVERIFY(m_dialogs->captions.contains(QStringLiteral("保存报告")));
    QCOMPARE(Column(QStringLiteral("JianYi"), ruid), stored);
    QCOMPARE(Column(QStringLiteral("RowVersion"), ruid), stamp);
    QCOMPARE(HistoryRows(ruid), history);

    // Keep waiting: the other program finishes while the question is up, and the save goes on.
    m_dialogs->onWait = [&] {
        holder.Commit();
        return TMsgResult::Yes;
    };
    QVERIFY(Save(r));
    QCOMPARE(m_prompt->Questions(), 2);
    QCOMPARE(Failures(), failures + 1);
    QCOMPARE(Column(QStringLiteral("JianYi"), ruid), r.FJianYi);
    QCOMPARE(Column(QStringLiteral("RowVersion"), ruid).toLongLong(), stamp.toLongLong() + 1);
}

void TServerLockWaitTest::lockMetAfterTheSaveWroteRollsItAllBack()
{
    const QString ruid = QStringLiteral("LOCKED-2");
    TReportInfo r = DistinctReport(ruid);
    QVERIFY(Save(r));
    // The save procedure writes the row and its history, then needs a lock another program holds.
    m_db->Exec(QString(), QStringLiteral("CREATE TABLE wr_lock_probe (id int); INSERT INTO wr_lock_probe VALUES (1); "
                                         "GRANT SELECT, UPDATE ON wr_lock_probe TO wr_workstation"));
    m_db->Exec(QString(), PgWrapSaveProcedure(QStringLiteral("PERFORM 1 FROM wr_lock_probe FOR UPDATE;")));
    const QString stamp = Column(QStringLiteral("RowVersion"), ruid);
    const QString stored = Column(QStringLiteral("JianYi"), ruid);
    const int history = HistoryRows(ruid);

    TLockHolder holder(m_db->AdminTarget());
    QVERIFY2(holder.Lock(QStringLiteral("SELECT id FROM wr_lock_probe FOR UPDATE")), qPrintable(holder.Error()));
    r.FJianYi = QStringLiteral("写了一半的保存");
    m_dialogs->onWait = [] { return TMsgResult::No; };
    QVERIFY(!Save(r));
    QCOMPARE(m_prompt->Questions(), 1);
    QCOMPARE(Column(QStringLiteral("JianYi"), ruid), stored);
    QCOMPARE(Column(QStringLiteral("RowVersion"), ruid), stamp);
    QCOMPARE(HistoryRows(ruid), history);

    // The connection that gave up goes on working once the other program is done.
    QVERIFY(holder.Commit());
    QVERIFY(Save(r));
    QCOMPARE(m_prompt->Questions(), 1);
    QCOMPARE(Column(QStringLiteral("JianYi"), ruid), r.FJianYi);
}

QTEST_MAIN(TServerLockWaitTest)
#include "tst_serverlockwait.moc"
