// SPDX-License-Identifier: MIT
// The three sets of database scripts must declare the same objects: the procedures the same
// parameters in the same order, table Report the same columns. SQL Server cannot run here,
// so this is what keeps its scripts from drifting from the ones the tests run.
#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {

QString Read(const QString& relative)
{
    QFile f(QStringLiteral(WR_SOURCE_DIR "/") + relative);
    if (!f.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(relative));
    return QString::fromUtf8(f.readAll());
}

// The text from `start` to the first `end` after it.
QString Between(const QString& text, const QString& start, const QString& end)
{
    const qsizetype a = text.indexOf(start);
    if (a < 0) return {};
    const qsizetype b = text.indexOf(end, a + start.size());
    return text.mid(a + start.size(), b < 0 ? -1 : b - a - start.size());
}

QStringList Matches(const QString& text, const QString& pattern)
{
    QStringList r;
    auto it = QRegularExpression(pattern, QRegularExpression::MultilineOption).globalMatch(text);
    while (it.hasNext()) r << it.next().captured(1);
    return r;
}

QStringList SqliteParams(const QString& proc)
{
    return Matches(Read(QStringLiteral("db/sqlite/procedures.sql")),
                   QStringLiteral("^\\s*\\('%1', \\d+, '@(\\w+)'").arg(proc));
}

QStringList SqlServerParams(const QString& proc)
{
    const QString block = Between(Read(QStringLiteral("db/sqlserver/procedures.sql")),
                                  QStringLiteral("ALTER PROCEDURE dbo.%1\n").arg(proc), QStringLiteral("\nAS\n"));
    return Matches(block, QStringLiteral("^\\s*@(\\w+)\\s"));
}

QStringList PostgreSqlParams(const QString& proc)
{
    const QString block = Between(Read(QStringLiteral("db/postgresql/procedures.sql")),
                                  QStringLiteral("CREATE OR REPLACE PROCEDURE %1(").arg(proc), QStringLiteral("\n)\n"));
    return Matches(block, QStringLiteral("^\\s*(?:INOUT )?\"(\\w+)\"\\s"));
}

QStringList ReportColumns(const QString& file, const QString& start)
{
    return Matches(Between(Read(file), start, QStringLiteral("\n);")), QStringLiteral("^\\s+(\\w+)\\s+\\w"));
}

} // namespace

class TServerScriptsTest : public QObject {
    Q_OBJECT
private slots:
    void procedureParameters_data();
    void procedureParameters();
    void reportColumns();
};

void TServerScriptsTest::procedureParameters_data()
{
    QTest::addColumn<QString>("proc");
    QTest::addColumn<int>("count");
    // 49 original parameters, then @ExpectedVersion, @SavedBy and @SavedVersion.
    QTest::newRow("sp_SaveReportInfo") << QStringLiteral("sp_SaveReportInfo") << 52;
    QTest::newRow("sp_GetAllItemsFromAccnu_DefaustFirst") << QStringLiteral("sp_GetAllItemsFromAccnu_DefaustFirst") << 3;
    QTest::newRow("sp_SetReportExamItems") << QStringLiteral("sp_SetReportExamItems") << 4;
}

void TServerScriptsTest::procedureParameters()
{
    QFETCH(QString, proc);
    QFETCH(int, count);
    const QStringList sqlite = SqliteParams(proc);
    QCOMPARE(sqlite.size(), count);
    QCOMPARE(SqlServerParams(proc), sqlite);
    QCOMPARE(PostgreSqlParams(proc), sqlite);
}

void TServerScriptsTest::reportColumns()
{
    const QStringList sqlite = ReportColumns(QStringLiteral("db/sqlite/schema.sql"), QStringLiteral("CREATE TABLE Report ("));
    QCOMPARE(sqlite.size(), 50);
    QCOMPARE(ReportColumns(QStringLiteral("db/sqlserver/schema.sql"), QStringLiteral("CREATE TABLE dbo.Report (")), sqlite);
    QCOMPARE(ReportColumns(QStringLiteral("db/postgresql/schema.sql"), QStringLiteral("CREATE TABLE Report (")), sqlite);
}

QTEST_GUILESS_MAIN(TServerScriptsTest)
#include "tst_serverscripts.moc"
