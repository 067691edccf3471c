// SPDX-License-Identifier: MIT
// TDateTime conversions, and date-times through a real database.
#include "TestDatabase.h"
#include "platform/DateTime.h"
#include <QTemporaryDir>
#include <QTest>

class TstDateTime : public QObject {
    Q_OBJECT

private slots:
    void knownValues_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QDateTime>("moment");
        QTest::newRow("0 is the epoch") << 0.0 << QDateTime(QDate(1899, 12, 30), QTime(0, 0));
        QTest::newRow("0.5 is noon of the epoch") << 0.5 << QDateTime(QDate(1899, 12, 30), QTime(12, 0));
        QTest::newRow("1 is the next day") << 1.0 << QDateTime(QDate(1899, 12, 31), QTime(0, 0));
        QTest::newRow("-1 is the day before") << -1.0 << QDateTime(QDate(1899, 12, 29), QTime(0, 0));
        QTest::newRow("-1.25: back a day, then 06:00 forward") << -1.25 << QDateTime(QDate(1899, 12, 29), QTime(6, 0));
        QTest::newRow("-2.75") << -2.75 << QDateTime(QDate(1899, 12, 28), QTime(18, 0));
        QTest::newRow("1900-01-01") << 2.0 << QDateTime(QDate(1900, 1, 1), QTime(0, 0));
        QTest::newRow("2000-01-01 18:00") << 36526.75 << QDateTime(QDate(2000, 1, 1), QTime(18, 0));
        QTest::newRow("leap day 2024") << 45351.0 << QDateTime(QDate(2024, 2, 29), QTime(0, 0));
    }
    void knownValues()
    {
        QFETCH(double, value);
        QFETCH(QDateTime, moment);
        QCOMPARE(DateTimeToQDateTime(value), moment);
        QCOMPARE(QDateTimeToDateTime(moment), value);
    }

    void everySecondOfADayRoundTrips_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::newRow("ordinary working day") << QDate(2024, 5, 17);
        QTest::newRow("first day of a year") << QDate(2023, 1, 1);
        QTest::newRow("before the epoch") << QDate(1899, 12, 1);
    }
    void everySecondOfADayRoundTrips()
    {
        QFETCH(QDate, day);
        int mismatches = 0;
        QString first;
        for (int s = 0; s < 86400; ++s) {
            const QDateTime moment(day, QTime::fromMSecsSinceStartOfDay(s * 1000));
            const TDateTime v = QDateTimeToDateTime(moment);
            const QDateTime back = DateTimeToQDateTime(v);
            if (back != moment) {
                if (first.isEmpty()) first = moment.toString(Qt::ISODate) + QStringLiteral(" -> ") + back.toString(Qt::ISODate);
                ++mismatches;
            }
        }
        QVERIFY2(mismatches == 0, qPrintable(first));
    }

    void millisecondsRoundTrip_data()
    {
        QTest::addColumn<QDateTime>("moment");
        QTest::newRow("x.001") << QDateTime(QDate(2024, 5, 17), QTime(8, 30, 15, 1));
        QTest::newRow("x.999 before midnight") << QDateTime(QDate(2024, 5, 17), QTime(23, 59, 59, 999));
        QTest::newRow("far future") << QDateTime(QDate(2099, 12, 31), QTime(12, 34, 56, 789));
        QTest::newRow("before the epoch") << QDateTime(QDate(1899, 12, 29), QTime(6, 0, 0, 500));
    }
    void millisecondsRoundTrip()
    {
        QFETCH(QDateTime, moment);
        QCOMPARE(DateTimeToQDateTime(QDateTimeToDateTime(moment)), moment);
        QCOMPARE(MSecsToDateTime(DateTimeToMSecs(QDateTimeToDateTime(moment))), QDateTimeToDateTime(moment));
    }

    void invalidMomentIsZero() { QCOMPARE(QDateTimeToDateTime(QDateTime()), 0.0); }

    void millisecondsSurviveTheDatabase()
    {
        QTemporaryDir dir;
        auto conn = CreateTestDatabase(dir.path(), false);
        auto sp = conn->CreateStoredProc();
        sp->SetProcedureName(QStringLiteral("sp_SaveReportInfo"));
        sp->RefreshParameters();
        const TDateTime report = QDateTimeToDateTime(QDateTime(QDate(2024, 5, 17), QTime(10, 11, 12, 345)));
        const TDateTime review = QDateTimeToDateTime(QDateTime(QDate(2024, 5, 17), QTime(23, 59, 59, 999)));
        sp->ParamByName(QStringLiteral("@Ruid")).SetAsString(QStringLiteral("ms"));
        sp->ParamByName(QStringLiteral("@ReportDate")).SetAsDateTime(report);
        sp->ParamByName(QStringLiteral("@shenHeDate")).SetAsDateTime(review);
        sp->ParamByName(QStringLiteral("@HuiZhenDate")).SetAsDateTime(0.0);
        sp->ExecProc();
        QCOMPARE(QueryTestValue(*conn, QStringLiteral("SELECT ReportDate FROM Report")).AsDateTime(), report);
        QCOMPARE(QueryTestValue(*conn, QStringLiteral("SELECT shenHeDate FROM Report")).AsDateTime(), review);
        QCOMPARE(QueryTestValue(*conn, QStringLiteral("SELECT HuiZhenDate FROM Report")).AsString(),
                 QStringLiteral("1899-12-30 00:00:00.000"));
        QCOMPARE(QueryTestValue(*conn, QStringLiteral("SELECT HuiZhenDate FROM Report")).AsDateTime(), 0.0);
    }
};

QTEST_GUILESS_MAIN(TstDateTime)
#include "tst_datetime.moc"
