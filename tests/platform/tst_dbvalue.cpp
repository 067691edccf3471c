// SPDX-License-Identifier: MIT
// Field values read as text, integer, boolean and date-time, as the report loader reads them.
#include "platform/Database.h"
#include <QTest>

namespace {
// A cell of the expectation tables: the value, or "error" for EConvertError.
const QVariant kError = QStringLiteral("error");

template <class F>
QVariant ReadOrError(F read)
{
    try {
        return QVariant::fromValue(read());
    } catch (const EConvertError&) {
        return kError;
    }
}
} // namespace

class TstDbValue : public QObject {
    Q_OBJECT

private slots:
    void reads_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("asString");
        QTest::addColumn<QVariant>("asInteger");
        QTest::addColumn<QVariant>("asBoolean");
        QTest::addColumn<QVariant>("asDateTime");

        QTest::newRow("NULL of no type") << QVariant() << QString() << QVariant(0) << QVariant(false) << QVariant(0.0);
        QTest::newRow("NULL text column") << QVariant(QMetaType::fromType<QString>()) << QString() << QVariant(0)
                                          << QVariant(false) << QVariant(0.0);
        QTest::newRow("NULL integer column") << QVariant(QMetaType::fromType<qlonglong>()) << QString() << QVariant(0)
                                             << QVariant(false) << QVariant(0.0);
        QTest::newRow("integer") << QVariant(qlonglong(7)) << QStringLiteral("7") << QVariant(7) << QVariant(true) << kError;
        QTest::newRow("zero") << QVariant(qlonglong(0)) << QStringLiteral("0") << QVariant(0) << QVariant(false) << kError;
        QTest::newRow("negative") << QVariant(qlonglong(-3)) << QStringLiteral("-3") << QVariant(-3) << QVariant(true) << kError;
        QTest::newRow("text number") << QVariant(QStringLiteral("42")) << QStringLiteral("42") << QVariant(42) << QVariant(true) << kError;
        QTest::newRow("text number padded") << QVariant(QStringLiteral(" 5 ")) << QStringLiteral(" 5 ") << QVariant(5) << QVariant(true) << kError;
        QTest::newRow("text zero") << QVariant(QStringLiteral("0")) << QStringLiteral("0") << QVariant(0) << QVariant(false) << kError;
        QTest::newRow("text true") << QVariant(QStringLiteral("True")) << QStringLiteral("True") << kError << QVariant(true) << kError;
        QTest::newRow("text false") << QVariant(QStringLiteral("false")) << QStringLiteral("false") << kError << QVariant(false) << kError;
        QTest::newRow("bad integer text") << QVariant(QStringLiteral("12abc")) << QStringLiteral("12abc") << kError << kError << kError;
        QTest::newRow("Chinese text") << QVariant(QStringLiteral("阳性")) << QStringLiteral("阳性") << kError << kError << kError;
        QTest::newRow("empty text") << QVariant(QStringLiteral("")) << QString() << kError << QVariant(false) << QVariant(0.0);
        QTest::newRow("boolean") << QVariant(true) << QStringLiteral("true") << QVariant(1) << QVariant(true) << kError;
        QTest::newRow("ISO text with ms") << QVariant(QStringLiteral("2024-05-17 08:30:15.250")) << QStringLiteral("2024-05-17 08:30:15.250")
                                          << kError << kError
                                          << QVariant(QDateTimeToDateTime(QDateTime(QDate(2024, 5, 17), QTime(8, 30, 15, 250))));
        QTest::newRow("ISO text with T") << QVariant(QStringLiteral("2024-05-17T08:30:15")) << QStringLiteral("2024-05-17T08:30:15")
                                         << kError << kError
                                         << QVariant(QDateTimeToDateTime(QDateTime(QDate(2024, 5, 17), QTime(8, 30, 15))));
        QTest::newRow("date only") << QVariant(QStringLiteral("2024-05-17")) << QStringLiteral("2024-05-17") << kError << kError
                                   << QVariant(QDateTimeToDateTime(QDateTime(QDate(2024, 5, 17), QTime(0, 0))));
        QTest::newRow("impossible date") << QVariant(QStringLiteral("2024-02-30 10:00:00")) << QStringLiteral("2024-02-30 10:00:00")
                                         << kError << kError << kError;
    }
    void reads()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, asString);
        QFETCH(QVariant, asInteger);
        QFETCH(QVariant, asBoolean);
        QFETCH(QVariant, asDateTime);
        const TDbValue v(value);
        QCOMPARE(v.AsString(), asString);
        QCOMPARE(ReadOrError([&] { return v.AsInteger(); }), asInteger);
        QCOMPARE(ReadOrError([&] { return v.AsBoolean(); }), asBoolean);
        QCOMPARE(ReadOrError([&] { return v.AsDateTime(); }), asDateTime);
    }

    void nullIsNullOnlyForNull()
    {
        QVERIFY(TDbValue().IsNull());
        QVERIFY(TDbValue(QVariant(QMetaType::fromType<QString>())).IsNull());
        QVERIFY(!TDbValue(QVariant(QStringLiteral(""))).IsNull());
        QVERIFY(!TDbValue(QVariant(0)).IsNull());
    }

    void parameterSetters()
    {
        TDbParameter p;
        p.SetAsString(QString());
        QVERIFY(!p.Value.IsNull());   // an empty text is a value, not NULL
        p.SetAsDateTime(0.5);
        QCOMPARE(p.Value.AsDateTime(), 0.5);
        p.LoadFromBytes(QByteArray("{\\rtf1\\ansi \\'b8\\'ce}"));
        QCOMPARE(p.Value.AsString(), QStringLiteral("{\\rtf1\\ansi \\'b8\\'ce}"));
    }

    void quotedStr_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("plain") << QStringLiteral("abc") << QStringLiteral("'abc'");
        QTest::newRow("empty") << QString() << QStringLiteral("''");
        QTest::newRow("one quote") << QStringLiteral("O'Brien") << QStringLiteral("'O''Brien'");
        QTest::newRow("only quotes") << QStringLiteral("''") << QStringLiteral("''''''");
    }
    void quotedStr()
    {
        QFETCH(QString, text);
        QFETCH(QString, quoted);
        QCOMPARE(QuotedStr(text), quoted);
    }
};

QTEST_GUILESS_MAIN(TstDbValue)
#include "tst_dbvalue.moc"
