// SPDX-License-Identifier: MIT
// The stream that presents a borrowed buffer: what it reads, where its writes land, and
// that it never writes into memory it was not given for writing.
#include "report/NewStream.h"
#include <QTest>

class TNewStreamTest : public QObject {
    Q_OBJECT
private slots:
    void writesAfterAnEmptyBorrow();
    void writesPastTheBorrowedEndKeepEveryByte_data();
    void writesPastTheBorrowedEndKeepEveryByte();
    void writableBorrowTakesWritesInPlace();
    void readOnlyBorrowIsNeverWritten();
    void readsTheBorrowedBytes();
    void seekPastTheEndFillsTheGapWithZeros();
    void newReadStreamForgetsThePreviousContent();
    void rtfOverPlainText_data();
    void rtfOverPlainText();
};

void TNewStreamTest::writesAfterAnEmptyBorrow()
{
    char dummy = 'x';
    TNewStream s;
    s.NewReadStream(&dummy, 0);
    QCOMPARE(s.Size(), 0);
    QCOMPARE(s.Write("0123456789", 10), 10);
    QCOMPARE(s.Bytes(), QByteArray("0123456789"));
    QCOMPARE(dummy, 'x');
}

void TNewStreamTest::writesPastTheBorrowedEndKeepEveryByte_data()
{
    QTest::addColumn<int>("borrowed");
    QTest::addColumn<QList<int>>("writes");
    QTest::newRow("5000 borrowed, 4096 then 2000 written") << 5000 << QList<int>{4096, 2000};
    QTest::newRow("one write straight past the end") << 10 << QList<int>{11};
    QTest::newRow("many small writes growing the stream") << 3 << QList<int>{1, 1, 1, 1, 500, 7, 4096};
    QTest::newRow("writes that end exactly at the borrowed size") << 100 << QList<int>{60, 40};
}

void TNewStreamTest::writesPastTheBorrowedEndKeepEveryByte()
{
    QFETCH(int, borrowed);
    QFETCH(QList<int>, writes);
    QByteArray buffer(borrowed, '.');
    const QByteArray before = buffer;
    TNewStream s;
    s.NewReadStream(buffer.data(), borrowed);

    QByteArray expected;
    // Writes that stay inside the loan land in the lender's buffer until the first write
    // that crosses its end; after that the buffer is never touched again.
    QByteArray expectedBuffer = before;
    bool moved = false;
    int counter = 0;
    for (int n : writes) {
        QByteArray chunk(n, '\0');
        for (char& c : chunk) c = static_cast<char>('a' + (counter++ % 26));
        if (!moved && expected.size() + n <= borrowed) expectedBuffer.replace(expected.size(), n, chunk);
        else moved = true;
        QCOMPARE(s.Write(chunk.constData(), chunk.size()), qint64(n));
        expected += chunk;
    }
    QCOMPARE(s.Position(), qint64(expected.size()));
    QCOMPARE(s.Size(), qint64(std::max<qsizetype>(expected.size(), borrowed)));
    QCOMPARE(s.Bytes(0, expected.size()), expected);
    QCOMPARE(s.Borrowed(), !moved);
    QCOMPARE(buffer, expectedBuffer);
}

void TNewStreamTest::writableBorrowTakesWritesInPlace()
{
    QByteArray buffer("abcdefgh");
    TNewStream s;
    s.NewReadStream(buffer.data(), 8);
    s.Write("XY", 2);
    QVERIFY(s.Borrowed());
    QCOMPARE(buffer, QByteArray("XYcdefgh"));
    QCOMPARE(s.Bytes(), QByteArray("XYcdefgh"));
    // Crossing the end copies everything written so far, then leaves the buffer alone.
    s.Seek(0, TNewStream::soEnd);
    s.Write("1234", 4);
    QVERIFY(!s.Borrowed());
    s.Seek(0, TNewStream::soBeginning);
    s.Write("zz", 2);
    QCOMPARE(buffer, QByteArray("XYcdefgh"));
    QCOMPARE(s.Bytes(), QByteArray("zzcdefgh1234"));
}

void TNewStreamTest::readOnlyBorrowIsNeverWritten()
{
    const QByteArray text("read-only text");
    const QByteArray copy = text;
    TNewStream s;
    s.NewReadStream(static_cast<const void*>(text.constData()), static_cast<int>(text.size()));
    s.Write("RE", 2);
    QCOMPARE(text, copy);
    QCOMPARE(s.Bytes(), QByteArray("REad-only text"));
}

void TNewStreamTest::readsTheBorrowedBytes()
{
    const char data[] = "hello world";
    TNewStream s;
    s.NewReadStream(static_cast<const void*>(data), 11);
    char out[32] = {};
    QCOMPARE(s.Read(out, 5), qint64(5));
    QCOMPARE(QByteArray(out, 5), QByteArray("hello"));
    QCOMPARE(s.Read(out, 100), qint64(6));
    QCOMPARE(QByteArray(out, 6), QByteArray(" world"));
    QCOMPARE(s.Read(out, 1), qint64(0));
    QCOMPARE(s.Memory(), static_cast<const char*>(data));
}

void TNewStreamTest::seekPastTheEndFillsTheGapWithZeros()
{
    TNewStream s;
    s.Write("ab", 2);
    s.Seek(5, TNewStream::soBeginning);
    s.Write("c", 1);
    QCOMPARE(s.Bytes(), QByteArray("ab\0\0\0c", 6));
    s.SetSize(1);
    QCOMPARE(s.Position(), qint64(1));
    QCOMPARE(s.Bytes(), QByteArray("a"));
}

void TNewStreamTest::newReadStreamForgetsThePreviousContent()
{
    TNewStream s;
    s.Write("old content", 11);
    QByteArray buffer("new");
    s.NewReadStream(buffer.data(), 3);
    QCOMPARE(s.Position(), qint64(0));
    QCOMPARE(s.Bytes(), QByteArray("new"));
    s.NewReadStream(static_cast<void*>(nullptr), 5);
    QCOMPARE(s.Size(), qint64(0));
}

void TNewStreamTest::rtfOverPlainText_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("block");
    const QByteArray longRtf = "{\\rtf1\\ansi " + QByteArray(10000, 'x') + "}";
    QTest::newRow("empty control") << QString() << QByteArray("{\\rtf1\\ansi }") << 4096;
    QTest::newRow("Chinese text, RTF longer") << QStringLiteral("肝脏大小正常") << QByteArray("{\\rtf1\\u32925?\\u33039?}") << 4096;
    QTest::newRow("text longer than the first block") << QString(6000, QLatin1Char('a')) << longRtf << 4096;
    QTest::newRow("RTF shorter than the borrowed text") << QString(50, QLatin1Char('a')) << QByteArray("{\\rtf1 a}") << 4096;
    QTest::newRow("byte by byte") << QStringLiteral("ab") << QByteArray("{\\rtf1 ab}") << 1;
}

void TNewStreamTest::rtfOverPlainText()
{
    QFETCH(QString, plain);
    QFETCH(QByteArray, rtf);
    QFETCH(int, block);
    const QString before = plain;
    const QByteArray got = StreamRtfOverPlainText(plain, [&](TNewStream& s) { WriteBlocks(s, rtf, block); });
    QCOMPARE(got, rtf);
    QCOMPARE(plain, before);
}

QTEST_APPLESS_MAIN(TNewStreamTest)
#include "tst_newstream.moc"
