// SPDX-License-Identifier: MIT
// The thyroid assistant end to end through wr-host --script on the demo database: two nodules
// entered and scored, written into the findings and impression, saved with the report, and
// read back into the assistant when the report is opened again.
#include "HostProcess.h"
#include <QJsonObject>
#include <QTest>

namespace {
// A demo report of 甲状腺及颈部淋巴结, written but not yet signed.
const QString kReport = QStringLiteral("872ED6A1-21C1-5C5F-9840-95EB856AC250");
const QString kOther = QStringLiteral("60B67F58-DC6A-5A04-8D05-A2659B224C7D");

QStringList Lines(const QString& out, const QString& prefix)
{
    QStringList lines;
    for (const QString& l : out.split(QLatin1Char('\n')))
        if (l.startsWith(prefix)) lines << l;
    return lines;
}
} // namespace

class TstHostAssist : public QObject {
    Q_OBJECT
private slots:
    void thyroidNodulesWrittenSavedAndReopened();
};

void TstHostAssist::thyroidNodulesWrittenSavedAndReopened()
{
    THostSandbox box;
    QVERIFY(box.IsValid());
    const QString script = QStringLiteral(
        "open %1\n"
        "unlock\n"
        "assist auto\n"
        "nodule side=left composition=solid echogenicity=hypo shape=wider margin=irregular foci=punctate size=16x11x9\n"
        "nodule side=right composition=mixed echogenicity=iso shape=wider margin=smooth foci=comet-tail size=1,2x0,8x0,7cm\n"
        "assist score\n"
        "assist values\n"
        "assist write\n"
        "save\n"
        "open %2\n"
        "open %1\n"
        "assist thyroid\n"
        "assist values\n"
        "dump %3\n")
                               .arg(kReport, kOther, box.Path(QStringLiteral("after.json")));
    const THostRun r = box.RunScript(script);
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));

    QCOMPARE(Lines(r.out, QStringLiteral("nodule ")).mid(0, 2),
             QStringList({QStringLiteral("nodule 1: TR5 (9 points), C-TIRADS 4C, 建议细针穿刺活检（FNA）"),
                          QStringLiteral("nodule 2: TR2 (2 points), C-TIRADS 2, 无需细针穿刺活检")}));
    // The values as entered, and as read back after the report was left and opened again.
    const QStringList values = Lines(r.out, QStringLiteral("nodule ")).mid(2);
    QCOMPARE(values.size(), 4);
    QCOMPARE(values.mid(2), values.mid(0, 2));
    QVERIFY2(values[1].contains(QStringLiteral("size=12x8x7")), qPrintable(values[1]));

    const QJsonObject controls = ReadDumpControls(box.Path(QStringLiteral("after.json")));
    const QString findings = controls[QStringLiteral("rich_jcsj")].toObject()[QStringLiteral("text")].toString();
    const QString impression = controls[QStringLiteral("rich_zdjx")].toObject()[QStringLiteral("text")].toString();
    QVERIFY2(findings.contains(QStringLiteral("甲状腺左叶见一实性或几乎完全实性低回声结节，大小约16×11×9mm")), qPrintable(findings));
    QVERIFY2(impression.contains(QStringLiteral("结节1（甲状腺左叶）：ACR TI-RADS TR5（9分，高度可疑），建议细针穿刺活检（FNA）；C-TIRADS 4C类")),
             qPrintable(impression));
    QVERIFY2(impression.contains(QStringLiteral("结节2（甲状腺右叶）：ACR TI-RADS TR2（2分，不可疑）")), qPrintable(impression));
}

QTEST_GUILESS_MAIN(TstHostAssist)
#include "tst_host_assist.moc"
