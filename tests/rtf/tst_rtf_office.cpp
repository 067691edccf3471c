// SPDX-License-Identifier: MIT
// Interchange with an office suite: every golden file (they are also the seeds of the fuzz
// corpus) is read, written again as the report editor saves it, and the written RTF is
// converted to text by LibreOffice in one headless run. The office suite must read the same
// text as our reader, paragraph by paragraph and cell by cell, with the same list markers
// (numbers with their start and suffix, bullets) in front of list items. A file it refuses
// gives no text at all and fails here.
#include "RtfTestUtil.h"
#include "rtf/Rtf.h"
#include "rtf/RtfStructure.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTextTable>

namespace {

void addBlock(const QTextBlock& block, QStringList& lines)
{
    QString text = block.text();
    text.remove(QChar(0xFFFC)); // pictures
    text.remove(QChar(0x00AD)); // optional hyphens, which plain text leaves out
    text.replace(QChar(0x2028), u'\n');
    const QString label = rtf::listItemLabel(block);
    lines << (label.isEmpty() ? text : label + u' ' + text);
}

void addFrame(QTextFrame::iterator it, QStringList& lines)
{
    for (; !it.atEnd(); ++it) {
        if (auto* table = qobject_cast<QTextTable*>(it.currentFrame())) {
            for (int r = 0; r < table->rows(); ++r) {
                for (int c = 0; c < table->columns(); ++c) {
                    const QTextTableCell cell = table->cellAt(r, c);
                    if (cell.row() == r && cell.column() == c)
                        addFrame(cell.begin(), lines);
                }
            }
        } else if (it.currentFrame()) {
            addFrame(it.currentFrame()->begin(), lines);
        } else if (it.currentBlock().isValid()) {
            addBlock(it.currentBlock(), lines);
        }
    }
}

// Lines as both sides compare them: cells and tab-separated pieces on lines of their own,
// blanks around them and empty lines dropped, any bullet glyph as U+2022.
QStringList normalised(const QString& text)
{
    static const QRegularExpression bullet(QStringLiteral("^[\\x{2022}\\x{25AA}\\x{25CF}\\x{25E6}\\x{25A0}\\x{00B7}\\x{F0B7}]\\s*"));
    QStringList out;
    for (QString line : QString(text).remove(QChar(0x00AD)).split(QRegularExpression(QStringLiteral("[\\r\\n\\t]")))) {
        line = line.simplified(); // the office suite writes some runs of blanks as other spaces
        if (line.isEmpty())
            continue;
        line.replace(bullet, QStringLiteral("\u2022 "));
        out << line;
    }
    return out;
}

} // namespace

class TstRtfOffice : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_failure; // why the office suite could not run, empty when it ran

private slots:
    void initTestCase()
    {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (soffice.isEmpty())
            QSKIP("soffice not installed (Debian package libreoffice-writer-nogui)");
        QVERIFY(m_dir.isValid());
        QDir().mkpath(m_dir.filePath(QStringLiteral("in")));
        const QStringList files = QDir(rtftest::dataDir()).entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);
        QStringList inputs;
        for (const QString& f : files) {
            QTextDocument doc;
            QStringList warnings;
            QVERIFY(RtfToDocument(rtftest::readData(f), doc, &warnings));
            QFile out(m_dir.filePath(QStringLiteral("in/") + f));
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(DocumentToRtf(doc));
            inputs << out.fileName();
        }
        // One run for all files: starting the office suite costs seconds, a file milliseconds.
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(soffice, QStringList{QStringLiteral("-env:UserInstallation=file://") + m_dir.filePath(QStringLiteral("profile")),
                                     QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("txt:Text"),
                                     QStringLiteral("--outdir"), m_dir.filePath(QStringLiteral("out"))}
                             + inputs);
        QVERIFY2(p.waitForFinished(240000), "soffice did not finish within four minutes");
        QVERIFY2(p.exitStatus() == QProcess::NormalExit, p.readAll().constData());
    }

    void sameText_data()
    {
        QTest::addColumn<QString>("name");
        const QStringList files = QDir(rtftest::dataDir()).entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);
        QVERIFY(files.size() >= 30);
        for (const QString& f : files)
            QTest::newRow(f.chopped(4).toUtf8().constData()) << f.chopped(4);
    }

    void sameText()
    {
        QFETCH(QString, name);
        QTextDocument doc;
        QFile written(m_dir.filePath(QStringLiteral("in/%1.rtf").arg(name)));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(RtfToDocument(written.readAll(), doc));
        QStringList ours;
        addFrame(doc.rootFrame()->begin(), ours);

        QFile converted(m_dir.filePath(QStringLiteral("out/%1.txt").arg(name)));
        QVERIFY2(converted.open(QIODevice::ReadOnly), "the office suite could not open the rewritten RTF");
        QString theirs = QString::fromUtf8(converted.readAll());
        if (theirs.startsWith(QChar(0xFEFF)))
            theirs.remove(0, 1);
        QCOMPARE(normalised(theirs).join(u'\n'), normalised(ours.join(u'\n')).join(u'\n'));
    }
};

QTEST_MAIN(TstRtfOffice)
#include "tst_rtf_office.moc"
