// SPDX-License-Identifier: MIT
// What a log line may carry of a value: escaped control and invalid characters, a cut with
// the length said.
#include "platform/LogText.h"
#include <QtTest>

class TestLogText : public QObject {
    Q_OBJECT

private slots:
    void text_data();
    void text();
    void bytes_data();
    void bytes();
};

void TestLogText::text_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<int>("max");
    QTest::addColumn<bool>("keepBreaks");
    QTest::addColumn<QString>("out");
    const QChar high(0xd83d), low(0xde00);  // U+1F600 as a pair
    QTest::newRow("Chinese text and a tab pass") << QStringLiteral("肝脏\t正常") << 100 << true << QStringLiteral("肝脏\t正常");
    QTest::newRow("NUL, ESC and DEL escaped") << QStringLiteral("a") + QChar(0) + QStringLiteral("\x1b[2J\x7f")
                                              << 100 << true << QStringLiteral("a\\x00\\x1B[2J\\x7F");
    QTest::newRow("C1 control escaped") << QString(QChar(0x85)) << 100 << true << QStringLiteral("\\x85");
    QTest::newRow("line breaks kept in an entry") << QStringLiteral("a\r\nb") << 100 << true << QStringLiteral("a\r\nb");
    QTest::newRow("line breaks escaped in an excerpt") << QStringLiteral("a\r\nb") << 100 << false << QStringLiteral("a\\x0D\\x0Ab");
    QTest::newRow("Unicode line separator and bidi override")
        << QString(QChar(0x2028)) + QChar(0x202e) << 100 << true << QStringLiteral("\\u2028\\u202E");
    QTest::newRow("lone surrogates escaped") << QString(low) + QStringLiteral("x") + high << 100 << true
                                             << QStringLiteral("\\uDE00x\\uD83D");
    QTest::newRow("a pair passes") << QString(high) + low << 100 << true << QString(high) + low;
    QTest::newRow("noncharacter escaped") << QString(QChar(0xffff)) << 100 << true << QStringLiteral("\\uFFFF");
    QTest::newRow("cut says the whole length") << QString(5000, QLatin1Char('x')) << 4 << true
                                               << QStringLiteral("xxxx…[5000 chars]");
    QTest::newRow("cut never splits a pair") << QStringLiteral("ab") + high + low + QStringLiteral("cd") << 3 << true
                                             << QStringLiteral("ab…[6 chars]");
    QTest::newRow("exactly at the limit is not cut") << QStringLiteral("abcd") << 4 << true << QStringLiteral("abcd");
}

void TestLogText::text()
{
    QFETCH(QString, in);
    QFETCH(int, max);
    QFETCH(bool, keepBreaks);
    QFETCH(QString, out);
    QCOMPARE(LogSafeText(in, max, keepBreaks ? TLogLineBreaks::Keep : TLogLineBreaks::Escape), out);
}

void TestLogText::bytes_data()
{
    QTest::addColumn<QByteArray>("in");
    QTest::addColumn<int>("max");
    QTest::addColumn<QString>("out");
    QTest::newRow("valid UTF-8") << QStringLiteral("回声").toUtf8() << 100 << QStringLiteral("回声");
    QTest::newRow("GBK bytes are no UTF-8") << QByteArray("\xbb\xd8\xc9\xf9") << 100 << QStringLiteral("\\xBB\\xD8\\xC9\\xF9");
    QTest::newRow("truncated sequence at the end") << QByteArray("a\xe5\x9b") << 100 << QStringLiteral("a\\xE5\\x9B");
    QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << 100 << QStringLiteral("\\xC0\\xAF");
    QTest::newRow("encoded surrogate") << QByteArray("\xed\xa0\x80") << 100 << QStringLiteral("\\xED\\xA0\\x80");
    QTest::newRow("NUL byte") << QByteArray("a\0b", 3) << 100 << QStringLiteral("a\\x00b");
    QTest::newRow("cut counts characters") << QStringLiteral("回声回声回声").toUtf8() << 2 << QStringLiteral("回声…[6 chars]");
}

void TestLogText::bytes()
{
    QFETCH(QByteArray, in);
    QFETCH(int, max);
    QFETCH(QString, out);
    QCOMPARE(LogSafeText(QByteArrayView(in), max), out);
}

QTEST_GUILESS_MAIN(TestLogText)
#include "tst_logtext.moc"
