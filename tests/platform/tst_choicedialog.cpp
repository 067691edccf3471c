// SPDX-License-Identifier: MIT
// Versions side by side: which characters the comparison marks as changed, and that the
// choice window can be worked from the keyboard alone.
#include "platform/ChoiceDialog.h"
#include "platform/TextDiff.h"
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestChoiceDialog : public QObject {
    Q_OBJECT
private slots:
    void changedCharacters_data();
    void changedCharacters();
    void onlyChangedPlacesUntilWholeText();
    void tabReachesEveryControl();
};

namespace {
// The pieces as text: "=same" "-removed" "+added", joined by "|".
QString Describe(const QList<TDiffPiece>& pieces)
{
    QStringList out;
    for (const TDiffPiece& p : pieces)
        out << QString(p.kind == TDiffPiece::Same ? '=' : p.kind == TDiffPiece::Removed ? '-' : '+') + p.text;
    return out.join(QLatin1Char('|'));
}
} // namespace

void TestChoiceDialog::changedCharacters_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("pieces");
    QTest::newRow("equal texts") << "肝脏大小正常" << "肝脏大小正常" << "=肝脏大小正常";
    QTest::newRow("one word replaced") << "左肾囊肿" << "右肾囊肿" << "-左|+右|=肾囊肿";
    QTest::newRow("inserted in the middle") << "胆囊壁光滑" << "胆囊壁毛糙不光滑" << "=胆囊壁|+毛糙不|=光滑";
    QTest::newRow("removed at the end") << "建议复查。一年后随访。" << "建议复查。" << "=建议复查。|-一年后随访。";
    QTest::newRow("two separate changes") << "约1.0cm，边界清" << "约1.2cm，边界欠清"
                                          << "=约1.|-0|+2|=cm，边界|+欠|=清";
    QTest::newRow("from empty") << "" << "新写的诊断" << "+新写的诊断";
    QTest::newRow("to empty") << "旧的诊断" << "" << "-旧的诊断";
    QTest::newRow("character outside the basic plane kept whole") << "甲\U00020000乙" << "甲\U00020001乙"
                                                                  << "=甲|-\U00020000|+\U00020001|=乙";
}

void TestChoiceDialog::changedCharacters()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(QString, pieces);
    const QList<TDiffPiece> diff = DiffText(before, after);
    QCOMPARE(Describe(diff), pieces);
    QCOMPARE(DiffChanged(diff), before != after);
    // Each side rebuilds from its pieces.
    QString left, right;
    for (const TDiffPiece& p : diff) {
        if (p.kind != TDiffPiece::Added) left += p.text;
        if (p.kind != TDiffPiece::Removed) right += p.text;
    }
    QCOMPARE(left, before);
    QCOMPARE(right, after);
}

void TestChoiceDialog::onlyChangedPlacesUntilWholeText()
{
    const QString common = QStringLiteral("肝脏形态大小正常，包膜光滑，实质回声均匀，").repeated(4);
    TChoiceRequest r;
    r.caption = QStringLiteral("报告保存冲突");
    r.columns = {QStringLiteral("项目"), QStringLiteral("库中版本"), QStringLiteral("我的版本")};
    r.rows = {{QStringLiteral("检查所见"), common + QStringLiteral("左肾"), common + QStringLiteral("右肾")}};
    r.choiceIds = {QStringLiteral("keep-mine"), QStringLiteral("cancel")};
    r.choiceTexts = {QStringLiteral("保留我的版本(&K)"), QStringLiteral("返回编辑(&E)")};
    r.markDifferences = true;
    TChoiceDialog dialog(r);
    auto* mine = dialog.findChild<QLabel*>(QStringLiteral("choiceCell0_2"));
    QVERIFY(mine);
    QVERIFY2(mine->text().contains(QStringLiteral(" … ")) && mine->text().contains(QStringLiteral(">右</span>")),
             qPrintable(mine->text()));
    QVERIFY(!mine->text().contains(QStringLiteral("左")));
    dialog.findChild<QCheckBox*>(QStringLiteral("choiceWholeText"))->setChecked(true);
    QVERIFY(!mine->text().contains(QStringLiteral(" … ")));
    QVERIFY(mine->text().contains(QStringLiteral("包膜光滑")));
}

void TestChoiceDialog::tabReachesEveryControl()
{
    TChoiceRequest r;
    r.caption = QStringLiteral("报告保存冲突");
    r.columns = {QStringLiteral("项目"), QStringLiteral("库中版本"), QStringLiteral("我的版本")};
    for (int i = 0; i < 6; ++i) r.rows.append({QStringLiteral("项%1").arg(i), QStringLiteral("旧%1").arg(i), QStringLiteral("新%1").arg(i)});
    r.choiceIds = {QStringLiteral("keep-mine"), QStringLiteral("take-theirs"), QStringLiteral("cancel")};
    r.choiceTexts = {QStringLiteral("保留我的版本(&K)"), QStringLiteral("采用库中版本(&T)"), QStringLiteral("返回编辑(&E)")};
    r.defaultChoice = 2;
    r.escapeChoice = 2;
    r.markDifferences = true;
    TChoiceDialog dialog(r);
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("choice_cancel"));   // the safe default
    QStringList reached;
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget()->objectName();
    }
    for (const char* name : {"choice_keep-mine", "choice_take-theirs", "choice_cancel", "choiceWholeText"})
        QVERIFY2(reached.contains(QLatin1String(name)), qPrintable(reached.join(QLatin1Char(' '))));
    // Alt plus the accelerator letter chooses.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::AltModifier);
    QTRY_COMPARE(dialog.Chosen(), 1);   // a mnemonic clicks after its short press animation
}

QTEST_MAIN(TestChoiceDialog)
#include "tst_choicedialog.moc"
