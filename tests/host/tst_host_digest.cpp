// SPDX-License-Identifier: MIT
// The editor's content digest: what the doctor could lose changes it, what is no content
// does not.
#include "editor/EditorDigest.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QtTest>

namespace {

struct TEditorStandIn {
    QWidget root;
    QTextEdit* rich = new QTextEdit(&root);
    QPlainTextEdit* memo = new QPlainTextEdit(&root);
    QLineEdit* line = new QLineEdit(&root);
    QComboBox* combo = new QComboBox(&root);
    QCheckBox* check = new QCheckBox(&root);
    QDateEdit* date = new QDateEdit(QDate(2026, 12, 8), &root);

    TEditorStandIn()
    {
        rich->setObjectName(QStringLiteral("rich_jcsj"));
        memo->setObjectName(QStringLiteral("Memo_jcItem"));
        line->setObjectName(QStringLiteral("Edit_lczd"));
        combo->setObjectName(QStringLiteral("Cbx_ReportDoctor"));
        check->setObjectName(QStringLiteral("Check_YinYiang"));
        date->setObjectName(QStringLiteral("Date_report"));
        rich->setPlainText(QStringLiteral("肝脏大小形态正常\n胆囊未见异常"));
        memo->setPlainText(QStringLiteral("肝胆胰脾"));
        combo->addItems({QStringLiteral("张医生"), QStringLiteral("李医生")});
        check->setCheckable(true);
    }
    // The first `n` characters of the findings, selected.
    QTextCursor Selected(int n) const
    {
        QTextCursor c(rich->document());
        c.setPosition(n, QTextCursor::KeepAnchor);
        return c;
    }
};

using TChange = void (*)(TEditorStandIn&);

} // namespace

Q_DECLARE_METATYPE(TChange)

class TestHostDigest : public QObject {
    Q_OBJECT

private slots:
    void changes_data();
    void changes();
};

void TestHostDigest::changes_data()
{
    QTest::addColumn<TChange>("change");
    QTest::addColumn<bool>("differs");
    QTest::newRow("a character typed into the findings")
        << TChange([](TEditorStandIn& e) { e.rich->textCursor().insertText(QStringLiteral("。")); }) << true;
    QTest::newRow("a run made bold, same text") << TChange([](TEditorStandIn& e) {
        QTextCharFormat f;
        f.setFontWeight(QFont::Bold);
        e.Selected(2).mergeCharFormat(f);
    }) << true;
    QTest::newRow("a run coloured red") << TChange([](TEditorStandIn& e) {
        QTextCharFormat f;
        f.setForeground(Qt::red);
        e.Selected(2).mergeCharFormat(f);
    }) << true;
    QTest::newRow("the same characters split into other paragraphs")
        << TChange([](TEditorStandIn& e) { e.rich->setPlainText(QStringLiteral("肝脏大小形态正常胆\n囊未见异常")); }) << true;
    QTest::newRow("the exam items memo") << TChange([](TEditorStandIn& e) { e.memo->appendPlainText(QStringLiteral("双肾")); }) << true;
    QTest::newRow("a line edit") << TChange([](TEditorStandIn& e) { e.line->setText(QStringLiteral("胆囊炎")); }) << true;
    QTest::newRow("another doctor chosen") << TChange([](TEditorStandIn& e) { e.combo->setCurrentIndex(1); }) << true;
    QTest::newRow("positive ticked") << TChange([](TEditorStandIn& e) { e.check->setChecked(true); }) << true;
    QTest::newRow("another date") << TChange([](TEditorStandIn& e) { e.date->setDate(QDate(2026, 12, 9)); }) << true;
    QTest::newRow("typing undone") << TChange([](TEditorStandIn& e) {
        e.rich->textCursor().insertText(QStringLiteral("x"));
        e.rich->undo();
    }) << false;
    QTest::newRow("locked, disabled and hidden") << TChange([](TEditorStandIn& e) {
        e.rich->setReadOnly(true);
        e.line->setEnabled(false);
        e.memo->hide();
    }) << false;
    QTest::newRow("caret moved and text selected") << TChange([](TEditorStandIn& e) { e.rich->setTextCursor(e.Selected(3)); }) << false;
    QTest::newRow("a doctor added to the list only") << TChange([](TEditorStandIn& e) { e.combo->addItem(QStringLiteral("王医生")); }) << false;
}

void TestHostDigest::changes()
{
    QFETCH(TChange, change);
    QFETCH(bool, differs);
    TEditorStandIn editor;
    const QByteArray before = EditorContentDigest(&editor.root);
    QCOMPARE(EditorContentDigest(&editor.root), before);
    change(editor);
    QCOMPARE(EditorContentDigest(&editor.root) != before, differs);
}

QTEST_MAIN(TestHostDigest)
#include "tst_host_digest.moc"
