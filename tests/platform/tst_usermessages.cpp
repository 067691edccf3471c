// SPDX-License-Identifier: MIT
// What the doctor reads of a database error, and message boxes where nobody can answer.
#include "platform/HeadlessDialogs.h"
#include "platform/UserMessages.h"
#include <QtTest>

class TestUserMessages : public QObject {
    Q_OBJECT

private slots:
    void databaseErrors_data();
    void databaseErrors();
    void headlessBoxesAnswerAtOnce();
};

void TestUserMessages::databaseErrors_data()
{
    QTest::addColumn<QString>("technical");
    QTest::addColumn<bool>("connection");
    QTest::addColumn<QString>("shownPart");  // a part the doctor must see
    QTest::newRow("PostgreSQL server gone during the catalogue query")
        << "SQLFetchScroll unable to fetch next (SQL: SELECT n.nspname, p.proname FROM pg_proc p JOIN pg_namespace n ON (p.pronamespace = n.oid))"
        << true << "连接中断";
    QTest::newRow("SQL Server link failure")
        << "[Microsoft][ODBC Driver 18 for SQL Server]Communication link failure QODBC: Unable to execute statement (SQL: EXEC dbo.sp_SaveReportInfo @Ruid=?)"
        << true << "信息科";
    QTest::newRow("psqlodbc: server closed the connection")
        << "server closed the connection unexpectedly; This probably means the server terminated abnormally" << true << "连接中断";
    QTest::newRow("SQL state 08S01") << "[FreeTDS][SQL Server]Unexpected EOF from the server (08S01)" << true << "连接中断";
    QTest::newRow("login time-out") << "Cannot connect to dbserver: Login timeout expired" << true << "连接中断";
    QTest::newRow("procedure error keeps its message, not its SQL")
        << "database is write-protected (SQL: UPDATE Report SET a = 1 WHERE (ruid = :Ruid))" << false << "database is write-protected";
    QTest::newRow("no SQL at all") << "Could not find stored procedure 'sp_SaveReportInfo'." << false
                                   << "Could not find stored procedure 'sp_SaveReportInfo'.";
    QTest::newRow("a column named connection_id is no lost link")
        << "column \"connection_id\" does not exist (SQL: SELECT connection_id FROM t)" << false << "connection_id";
}

void TestUserMessages::databaseErrors()
{
    QFETCH(QString, technical);
    QFETCH(bool, connection);
    QFETCH(QString, shownPart);
    QCOMPARE(IsConnectionError(technical), connection);
    const QString shown = DatabaseErrorForUser(technical);
    QVERIFY2(shown.contains(shownPart), qPrintable(shown));
    QVERIFY2(!shown.contains(QStringLiteral("SQL:")) && !shown.contains(QStringLiteral("SELECT")), qPrintable(shown));
    QVERIFY(DatabaseErrorForUser(QString()).isEmpty());
}

void TestUserMessages::headlessBoxesAnswerAtOnce()
{
    QStringList printed;
    THeadlessDialogService d([&](const QString& l) { printed << l; });
    IDialogService* previous = SetDialogService(&d);
    TMessageRequest info;
    info.caption = QStringLiteral("打开报告失败");
    info.text = QStringLiteral("第一行\r\n第二行");
    QCOMPARE(Dialogs().MessageBox(info), TMsgResult::Ok);
    TMessageRequest q;
    q.caption = QStringLiteral("保存报告");
    q.buttons = TMsgButtons::YesNo;
    q.defaultButton = TMsgResult::Yes;
    // Nothing is decided for the absent user, not even the default.
    QCOMPARE(Dialogs().MessageBox(q), TMsgResult::Closed);
    SetDialogService(previous);
    QCOMPARE(printed, (QStringList{QStringLiteral("message box \"打开报告失败\": 第一行\\n第二行"),
                                   QStringLiteral("message box \"保存报告\": ")}));
    QCOMPARE(d.BoxesShown(), 2);
    QCOMPARE(d.QuestionsUnanswered(), 1);
}

QTEST_GUILESS_MAIN(TestUserMessages)
#include "tst_usermessages.moc"
