// SPDX-License-Identifier: MIT
// A report whose findings RTF is too large to show formatted: it opens with its plain text
// and a notice, an unchanged save writes back exactly the stored RTF, and once the doctor
// edits the section the save writes what the editor shows.
#include "WorkflowFixture.h"
#include "form/LargeRichText.h"
#include "rtf/Rtf.h"
#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

class TstWorkflowLargeText : public QObject {
    Q_OBJECT
private slots:
    void tooLargeRtfOpensAsTextAndIsKeptUnlessEdited();
};

void TstWorkflowLargeText::tooLargeRtfOpensAsTextAndIsKeptUnlessEdited()
{
    // Just over the limit: numbered paragraphs of 2 KB with a bold run each.
    const QByteArray filler = QByteArray("report text ").repeated(170);
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\pard\\f0\\fs24 ";
    QStringList paragraphs;
    for (int i = 0; rtf.size() <= kMaxShownRtfChars; ++i) {
        const QByteArray word = "w" + QByteArray::number(i);
        rtf += word + " \\b bold\\b0  " + filler + "\\par ";
        paragraphs << QString::fromLatin1(word + " bold " + filler);
    }
    rtf += "\\pard last}";
    paragraphs << QStringLiteral("last");

    TWorkflowFixture f;
    const QString ruid = QStringLiteral("LARGE-1");
    TReportInfo r = SampleReport(ruid);
    r.Frtf_SuoJian = QString::fromLatin1(rtf);
    InsertReportRow(*f.db, r);
    f.Open(ruid);

    // The plain text, whole and in order, and a notice naming the section.
    QTextEdit* findings = f.Rich("rich_jcsj");
    QCOMPARE(findings->toPlainText(), paragraphs.join(QLatin1Char('\n')));
    bool notice = false;
    for (const TLogLine& l : f.host.logs)
        notice = notice || (l.value.startsWith(QStringLiteral("警告:")) && l.value.contains(QStringLiteral("影像表现"))
                            && l.value.contains(QStringLiteral("太大")));
    QVERIFY(notice);

    // Another section changed, findings untouched: the stored RTF goes back byte for byte.
    f.Report().SetcontrolsEnable(true);
    f.Memo("Memo_JianYi")->setPlainText(QStringLiteral("另一栏的修改"));
    f.Save(ruid);
    QCOMPARE(f.Column(QStringLiteral("JianYi"), ruid), QStringLiteral("另一栏的修改"));
    QCOMPARE(f.Column(QStringLiteral("rtf_SuoJian"), ruid), QString::fromLatin1(rtf));
    f.Save(ruid);  // and again
    QCOMPARE(f.Column(QStringLiteral("rtf_SuoJian"), ruid), QString::fromLatin1(rtf));

    // The doctor edits the findings: now the section is saved as shown.
    QTextCursor c(findings->document());
    c.movePosition(QTextCursor::End);
    c.insertText(QStringLiteral(" 补充"));
    f.Save(ruid);
    const QString saved = f.Column(QStringLiteral("rtf_SuoJian"), ruid);
    QVERIFY(saved != QString::fromLatin1(rtf));
    QTextDocument back;
    QVERIFY(RtfToDocument(saved, back));
    QCOMPARE(DocumentPlainText(back), paragraphs.join(QStringLiteral("\r\n")) + QStringLiteral(" 补充"));
}

QTEST_MAIN(TstWorkflowLargeText)
#include "tst_workflow_largetext.moc"
