// SPDX-License-Identifier: MIT
// The report's date boxes give back exactly what they were given until the user picks a
// day: the unset (zero) date shows empty, dates the box cannot hold show as text, and
// neither is rewritten by a save.
#include "form/DateTimePicker.h"
#include <QLineEdit>
#include <QtTest>

class TestDatePicker : public QObject {
    Q_OBJECT

private slots:
    void keepsWhatItWasGiven_data();
    void keepsWhatItWasGiven();
    void userPickKeepsTimeOfDay();
    void userPickAfterEmpty();
};

void TestDatePicker::keepsWhatItWasGiven_data()
{
    QTest::addColumn<QDateTime>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("zero date-time: empty") << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << "";
    QTest::newRow("zero day with a time: a real date") << QDateTime(QDate(1899, 12, 30), QTime(9, 30)) << "1899-12-30";
    QTest::newRow("year 50: shown as text") << QDateTime(QDate(50, 3, 1), QTime(8, 0, 0, 250)) << "0050-03-01";
    QTest::newRow("year 99, last day") << QDateTime(QDate(99, 12, 31), QTime(23, 59)) << "0099-12-31";
    QTest::newRow("lowest date the box holds") << QDateTime(QDate(100, 1, 1), QTime(7, 0)) << "0100-01-01";
    QTest::newRow("ordinary date") << QDateTime(QDate(2024, 5, 20), QTime(15, 10, 0, 5)) << "2024-05-20";
}

void TestDatePicker::keepsWhatItWasGiven()
{
    QFETCH(QDateTime, value);
    QFETCH(QString, shown);
    TDateTimePicker p;
    p.SetDateTime(QDateTime(QDate(2020, 1, 1), QTime(1, 0)));  // a previous report's value
    p.SetDateTime(value);
    QCOMPARE(p.DateTime(), value);
    QCOMPARE(p.findChild<QLineEdit*>()->text().trimmed(), shown);
    QCOMPARE(p.ShowsEmpty(), shown.isEmpty());
}

void TestDatePicker::userPickKeepsTimeOfDay()
{
    TDateTimePicker p;
    p.SetDateTime(QDateTime(QDate(50, 3, 1), QTime(8, 15)));
    p.setDate(QDate(2024, 6, 1));  // as the calendar pop-up does
    QCOMPARE(p.DateTime(), QDateTime(QDate(2024, 6, 1), QTime(8, 15)));
    QCOMPARE(p.findChild<QLineEdit*>()->text(), QStringLiteral("2024-06-01"));
}

void TestDatePicker::userPickAfterEmpty()
{
    TDateTimePicker p;
    p.SetDateTime(QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
    p.setDate(QDate(2024, 6, 2));
    QCOMPARE(p.DateTime(), QDateTime(QDate(2024, 6, 2), QTime(0, 0)));
    QVERIFY(!p.ShowsEmpty());
    // Shown again, the same box is empty again.
    p.SetDateTime(QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
    QVERIFY(p.ShowsEmpty());
}

QTEST_MAIN(TestDatePicker)
#include "tst_datepicker.moc"
