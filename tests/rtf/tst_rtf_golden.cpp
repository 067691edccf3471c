// SPDX-License-Identifier: MIT
// Every golden file of tests/data/rtf: read it and compare plain text, formatting runs,
// structure and warnings with what make_golden.py says; then write it, read it back and
// write again: same text, runs and structure, the same bytes the second time, 7-bit output.
#include "RtfTestUtil.h"
#include "rtf/Rtf.h"

#include <QDir>
#include <QTest>
#include <QTextDocument>

class TstRtfGolden : public QObject {
    Q_OBJECT

private:
    void goldenRows()
    {
        QTest::addColumn<QString>("name");
        const QStringList files = QDir(rtftest::dataDir()).entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);
        QVERIFY2(files.size() >= 30, "golden files missing: run tests/data/rtf/make_golden.py");
        for (const QString& f : files) {
            const QString name = f.chopped(4);
            QTest::newRow(name.toUtf8().constData()) << name;
        }
    }

private slots:
    void golden_data() { goldenRows(); }
    void golden()
    {
        QFETCH(QString, name);
        const QByteArray rtf = rtftest::readData(name + QStringLiteral(".rtf"));
        QTextDocument doc;
        QStringList warnings;
        QVERIFY(RtfToDocument(rtf, doc, &warnings));

        QString expected = QString::fromUtf8(rtftest::readData(name + QStringLiteral(".txt")));
        expected.replace(u'\n', QStringLiteral("\r\n"));
        QCOMPARE(DocumentPlainText(doc), expected);

        const QByteArray runs = rtftest::readData(name + QStringLiteral(".runs"));
        if (!runs.isEmpty())
            QCOMPARE(rtftest::runs(doc), QString::fromUtf8(runs));
        const QByteArray outline = rtftest::readData(name + QStringLiteral(".outline"));
        if (!outline.isEmpty())
            QCOMPARE(rtftest::outline(doc), QString::fromUtf8(outline));

        const QString warn = QString::fromUtf8(rtftest::readData(name + QStringLiteral(".warn")));
        if (warn.isEmpty())
            QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(u"; ")));
        else
            QVERIFY2(warnings.join(u"; ").contains(warn), qPrintable(warnings.join(u"; ")));
    }

    // Text held in a QString (a database column) reads the same as the bytes it came from.
    void goldenFromString_data() { goldenRows(); }
    void goldenFromString()
    {
        QFETCH(QString, name);
        const QByteArray rtf = rtftest::readData(name + QStringLiteral(".rtf"));
        QTextDocument fromBytes, fromString;
        QStringList warnings;
        QVERIFY(RtfToDocument(rtf, fromBytes, &warnings));
        // Latin-1 keeps every byte as one character; only 7-bit files mean the same that way.
        if (std::any_of(rtf.begin(), rtf.end(), [](char c) { return uchar(c) >= 0x80; }))
            QSKIP("eight-bit file: its literal bytes are code-page text, not characters");
        QVERIFY(RtfToDocument(QString::fromLatin1(rtf), fromString, &warnings));
        QCOMPARE(DocumentPlainText(fromString), DocumentPlainText(fromBytes));
        QCOMPARE(rtftest::runs(fromString), rtftest::runs(fromBytes));
    }

    void roundTrip_data() { goldenRows(); }
    void roundTrip()
    {
        QFETCH(QString, name);
        QTextDocument first;
        QStringList damage;
        QVERIFY(RtfToDocument(rtftest::readData(name + QStringLiteral(".rtf")), first, &damage));
        const QByteArray written = DocumentToRtf(first);
        QVERIFY(written.startsWith("{\\rtf1\\ansi\\ansicpg936\\deff0"));
        for (qsizetype i = 0; i < written.size(); ++i)
            QVERIFY2(uchar(written[i]) < 0x80 && written[i] != 0, qPrintable(QStringLiteral("byte %1 not 7-bit text").arg(i)));

        QTextDocument second;
        QStringList warnings;
        QVERIFY(RtfToDocument(written, second, &warnings));
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(u"; ")));
        QCOMPARE(DocumentPlainText(second), DocumentPlainText(first));
        QCOMPARE(rtftest::runs(second), rtftest::runs(first));
        QCOMPARE(rtftest::outline(second), rtftest::outline(first));
        QCOMPARE(DocumentToRtf(second), written);
    }
};

QTEST_MAIN(TstRtfGolden)
#include "tst_rtf_golden.moc"
