// SPDX-License-Identifier: MIT
// The font tool bar and the rich edits' context menu, driven through the controls.
#include "EditingKit.h"
#include "platform/Colors.h"
#include "platform/Exception.h"
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QEnterEvent>
#include <QFontComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>
#include <QToolButton>

namespace {

// The format of the character at `pos`.
QTextCharFormat FormatAt(QTextEdit* re, int pos)
{
    QTextCursor c(re->document());
    c.setPosition(pos + 1);
    return c.charFormat();
}

void Caret(QTextEdit* re, int pos) { Select(re, pos, pos); }

// The pointer entering the rich edit makes it current, as a click would.
void Hover(QTextEdit* re)
{
    QEnterEvent e(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(re, &e);
}

// Two families the face box lists, different from each other and from `avoid`.
QStringList TwoFamilies(QFontComboBox* box, const QString& avoid)
{
    QStringList out;
    for (int i = 0; i < box->count() && out.size() < 2; ++i) {
        const QString f = box->itemText(i);
        if (f != avoid && !out.contains(f)) out << f;
    }
    return out;
}

}  // namespace

class TestFormatting : public QObject {
    Q_OBJECT

    std::unique_ptr<TEditingFixture> f;
    QTextEdit* jcsj = nullptr;
    QTextEdit* zdjx = nullptr;

    // Changes one attribute through its tool-bar control; returns a check of the format.
    std::function<bool(const QTextCharFormat&)> ApplyThroughToolBar(const QString& kind);

private slots:
    void init()
    {
        f = std::make_unique<TEditingFixture>();
        jcsj = Ctl<QTextEdit>(*f, "rich_jcsj");
        zdjx = Ctl<QTextEdit>(*f, "rich_zdjx");
        QVERIFY(jcsj && zdjx);
        f->Intf()->SetcontrolsEnable(true);
    }
    void cleanup() { f.reset(); }

    void changeAppliesToSelectionOnly_data();
    void changeAppliesToSelectionOnly();
    void changeWithoutSelectionAppliesToNewText_data() { changeAppliesToSelectionOnly_data(); }
    void changeWithoutSelectionAppliesToNewText();
    void changeIsOneUndoStep();
    void sizeThatIsNotAWholeNumberChangesNothing_data();
    void sizeThatIsNotAWholeNumberChangesNothing();
    void typedSizeAppliesAsTyped();
    void hoveredEditorIsFormattedNotTheOneWithTheCaret();
    void findingsEditorIsTheTargetBeforeAnyIsCurrent();
    void caretMoveUpdatesFaceAndSizeAndLeavesColour();
    void hiddenButtonsFollowSelection_data();
    void hiddenButtonsFollowSelection();
    void nothingChangesWhileUpdating();
    void updatingFlagClearedWhenMirroringFails();
    void contextMenuActsOnCurrentEditor_data();
    void contextMenuActsOnCurrentEditor();
    void pastedRtfKeepsItsFormatting();
    void keyboardPasteTakesRtfToo();
    void fontDescriptionShownOnlyForFaceName_data();
    void fontDescriptionShownOnlyForFaceName();
};

std::function<bool(const QTextCharFormat&)> TestFormatting::ApplyThroughToolBar(const QString& kind)
{
    TReportForm& form = *f->form;
    if (kind == QLatin1String("size")) {
        form.FontSize->setEditText(QStringLiteral("20"));
        return [](const QTextCharFormat& c) { return c.fontPointSize() == 20; };
    }
    if (kind == QLatin1String("face")) {
        const QString family = TwoFamilies(form.FontName, QFontInfo(jcsj->font()).family()).value(0);
        form.FontName->setCurrentIndex(form.FontName->findText(family));
        return [family](const QTextCharFormat& c) { return !family.isEmpty() && c.fontFamilies().toStringList() == QStringList{family}; };
    }
    if (kind == QLatin1String("colour")) {
        form.cbx_fontColor->setCurrentIndex(form.cbx_fontColor->findText(QStringLiteral("红色")));
        return [](const QTextCharFormat& c) { return c.foreground().color() == ColorToQColor(clRed); };
    }
    if (kind == QLatin1String("bold")) {
        form.BoldButton->click();
        return [](const QTextCharFormat& c) { return c.fontWeight() == QFont::Bold; };
    }
    form.UnderlineButton->click();
    return [](const QTextCharFormat& c) { return c.fontUnderline(); };
}

void TestFormatting::changeAppliesToSelectionOnly_data()
{
    QTest::addColumn<QString>("kind");
    for (const char* k : {"size", "face", "colour", "bold", "underline"}) QTest::newRow(k) << QString::fromLatin1(k);
}

void TestFormatting::changeAppliesToSelectionOnly()
{
    QFETCH(QString, kind);
    jcsj->setPlainText(QStringLiteral("肝脏大小正常"));
    Hover(jcsj);
    Select(jcsj, 2, 4);
    const auto changed = ApplyThroughToolBar(kind);
    QVERIFY(changed(FormatAt(jcsj, 2)));
    QVERIFY(changed(FormatAt(jcsj, 3)));
    QVERIFY(!changed(FormatAt(jcsj, 1)));
    QVERIFY(!changed(FormatAt(jcsj, 4)));
    QCOMPARE(jcsj->toPlainText(), QStringLiteral("肝脏大小正常"));
}

void TestFormatting::changeWithoutSelectionAppliesToNewText()
{
    QFETCH(QString, kind);
    zdjx->setPlainText(QStringLiteral("ab"));
    Hover(zdjx);
    Caret(zdjx, 2);
    const auto changed = ApplyThroughToolBar(kind);
    QVERIFY(!changed(FormatAt(zdjx, 0)));
    QVERIFY(!changed(FormatAt(zdjx, 1)));
    QTest::keyClicks(zdjx, QStringLiteral("c"));
    QCOMPARE(zdjx->toPlainText(), QStringLiteral("abc"));
    QVERIFY(changed(FormatAt(zdjx, 2)));
}

void TestFormatting::changeIsOneUndoStep()
{
    jcsj->setPlainText(QStringLiteral("肝脏大小正常"));
    Hover(jcsj);
    Select(jcsj, 0, 4);
    const QString before = jcsj->toHtml();
    QVERIFY(!jcsj->document()->isUndoAvailable());
    f->form->FontSize->setEditText(QStringLiteral("24"));
    f->form->UnderlineButton->click();
    QVERIFY(jcsj->toHtml() != before);
    jcsj->undo();
    QVERIFY(FormatAt(jcsj, 0).fontPointSize() == 24.0);
    QVERIFY(!FormatAt(jcsj, 0).fontUnderline());
    jcsj->undo();
    QCOMPARE(jcsj->toHtml(), before);
    QVERIFY(!jcsj->document()->isUndoAvailable());
}

void TestFormatting::sizeThatIsNotAWholeNumberChangesNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("emptied box") << QString();
    QTest::newRow("decimal") << QStringLiteral("10.5");
    QTest::newRow("word") << QStringLiteral("大");
    QTest::newRow("zero") << QStringLiteral("0");
    QTest::newRow("negative") << QStringLiteral("-12");
    QTest::newRow("beyond any font") << QStringLiteral("99999");
}

void TestFormatting::sizeThatIsNotAWholeNumberChangesNothing()
{
    QFETCH(QString, text);
    jcsj->setPlainText(QStringLiteral("肝脏大小正常"));
    Hover(jcsj);
    Select(jcsj, 0, 3);
    const QString before = jcsj->toHtml();
    const QTextCharFormat caretBefore = jcsj->currentCharFormat();
    f->form->FontSize->setEditText(text);
    QCOMPARE(jcsj->toHtml(), before);
    QCOMPARE(jcsj->currentCharFormat(), caretBefore);
    QVERIFY(f->dialogs.shown.isEmpty());
}

void TestFormatting::typedSizeAppliesAsTyped()
{
    jcsj->setPlainText(QStringLiteral("肝脏"));
    Hover(jcsj);
    Select(jcsj, 0, 2);
    f->form->FontSize->lineEdit()->clear();
    QTest::keyClicks(f->form->FontSize->lineEdit(), QStringLiteral("12"));
    QCOMPARE(FormatAt(jcsj, 0).fontPointSize(), 12.0);
    QCOMPARE(FormatAt(jcsj, 1).fontPointSize(), 12.0);
}

void TestFormatting::hoveredEditorIsFormattedNotTheOneWithTheCaret()
{
    jcsj->setPlainText(QStringLiteral("所见"));
    zdjx->setPlainText(QStringLiteral("结论"));
    jcsj->setFocus();
    Select(jcsj, 0, 2);
    Select(zdjx, 0, 2);
    Hover(zdjx);
    QCOMPARE(f->form->current_Re, zdjx);
    f->form->FontSize->setEditText(QStringLiteral("22"));
    QCOMPARE(FormatAt(zdjx, 0).fontPointSize(), 22.0);
    QVERIFY(FormatAt(jcsj, 0).fontPointSize() != 22.0);
}

void TestFormatting::findingsEditorIsTheTargetBeforeAnyIsCurrent()
{
    QVERIFY(f->form->current_Re == nullptr);
    jcsj->setPlainText(QStringLiteral("所见"));
    zdjx->setPlainText(QStringLiteral("结论"));
    Select(jcsj, 0, 2);
    Select(zdjx, 0, 2);
    QVERIFY(f->form->current_Re == nullptr);
    f->form->BoldButton->click();
    QCOMPARE(FormatAt(jcsj, 0).fontWeight(), int(QFont::Bold));
    QVERIFY(FormatAt(zdjx, 0).fontWeight() != QFont::Bold);
    SetClipboardText(QStringLiteral("贴"));
    Caret(jcsj, 2);
    f->form->N_paste->trigger();
    QCOMPARE(jcsj->toPlainText(), QStringLiteral("所见贴"));
    QCOMPARE(zdjx->toPlainText(), QStringLiteral("结论"));
}

void TestFormatting::caretMoveUpdatesFaceAndSizeAndLeavesColour()
{
    const QStringList families = TwoFamilies(f->form->FontName, QString());
    if (families.size() < 2) QSKIP("fewer than two font families installed");
    f->form->cbx_fontColor->setCurrentIndex(f->form->cbx_fontColor->findText(QStringLiteral("蓝色")));
    jcsj->clear();
    QTextCursor c(jcsj->document());
    QTextCharFormat a, b;
    a.setFontFamilies(QStringList{families.at(0)});
    a.setFontPointSize(10);
    b.setFontFamilies(QStringList{families.at(1)});
    b.setFontPointSize(20);
    c.insertText(QStringLiteral("AAA"), a);
    c.insertText(QStringLiteral("BBB"), b);
    const QString before = jcsj->toHtml();

    Caret(jcsj, 5);
    QCOMPARE(f->form->FontSize->currentText(), QStringLiteral("20"));
    QCOMPARE(f->form->FontName->currentText(), families.at(1));
    Caret(jcsj, 2);
    QCOMPARE(f->form->FontSize->currentText(), QStringLiteral("10"));
    QCOMPARE(f->form->FontName->currentText(), families.at(0));
    Select(jcsj, 3, 6);
    QCOMPARE(f->form->FontSize->currentText(), QStringLiteral("20"));

    QCOMPARE(f->form->cbx_fontColor->currentText(), QStringLiteral("蓝色"));
    QCOMPARE(jcsj->toHtml(), before);
    QVERIFY(!f->form->Fupdating);
}

void TestFormatting::hiddenButtonsFollowSelection_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("bold") << "BoldButton";
    QTest::newRow("italic") << "ItalicButton";
    QTest::newRow("underline") << "UnderlineButton";
    QTest::newRow("bullets") << "BulletsButton";
    QTest::newRow("centred") << "CenterAlign";
    QTest::newRow("right-aligned") << "RightAlign";
}

void TestFormatting::hiddenButtonsFollowSelection()
{
    QFETCH(QString, button);
    jcsj->setPlainText(QStringLiteral("plain\nformatted"));
    QTextCursor c(jcsj->document()->findBlockByNumber(1));
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    QTextCharFormat cf;
    QTextBlockFormat bf;
    if (button == QLatin1String("BoldButton")) cf.setFontWeight(QFont::Bold);
    if (button == QLatin1String("ItalicButton")) cf.setFontItalic(true);
    if (button == QLatin1String("UnderlineButton")) cf.setFontUnderline(true);
    if (button == QLatin1String("CenterAlign")) bf.setAlignment(Qt::AlignHCenter);
    if (button == QLatin1String("RightAlign")) bf.setAlignment(Qt::AlignRight);
    c.mergeCharFormat(cf);
    c.mergeBlockFormat(bf);
    if (button == QLatin1String("BulletsButton")) c.createList(QTextListFormat::ListDisc);

    auto* b = f->form->findChild<QToolButton*>(button);
    QVERIFY(b);
    QVERIFY(!b->isVisible());
    const int second = jcsj->document()->findBlockByNumber(1).position();
    Select(jcsj, second + 1, second + 4);
    QVERIFY(b->isChecked());
    Caret(jcsj, 2);
    const bool alignment = button.endsWith(QLatin1String("Align"));
    if (alignment) {
        QVERIFY(f->form->LeftAlign->isChecked());
        QVERIFY(b->isChecked());  // the other alignment buttons are left as they are
    } else {
        QVERIFY(!b->isChecked());
    }
}

void TestFormatting::nothingChangesWhileUpdating()
{
    jcsj->setPlainText(QStringLiteral("肝脏大小正常"));
    Hover(jcsj);
    Select(jcsj, 0, 3);
    const QString before = jcsj->toHtml();
    const QTextCharFormat caretBefore = jcsj->currentCharFormat();
    f->form->Fupdating = true;
    f->form->FontSize->setEditText(QStringLiteral("26"));
    f->form->cbx_fontColor->setCurrentIndex(f->form->cbx_fontColor->findText(QStringLiteral("红色")));
    f->form->FontName->setCurrentIndex(f->form->FontName->currentIndex() == 0 ? 1 : 0);
    f->form->BoldButton->click();
    f->form->UnderlineButton->click();
    QCOMPARE(jcsj->toHtml(), before);
    QCOMPARE(jcsj->currentCharFormat(), caretBefore);
    f->form->Fupdating = false;
}

void TestFormatting::updatingFlagClearedWhenMirroringFails()
{
    QVERIFY_THROWS_EXCEPTION(Exception, f->form->SelectionChange(nullptr, nullptr));
    QVERIFY(!f->form->Fupdating);
    // The tool bar still works afterwards.
    jcsj->setPlainText(QStringLiteral("ab"));
    Hover(jcsj);
    Select(jcsj, 0, 1);
    f->form->FontSize->setEditText(QStringLiteral("18"));
    QCOMPARE(FormatAt(jcsj, 0).fontPointSize(), 18.0);
}

void TestFormatting::contextMenuActsOnCurrentEditor_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QString>("impression");
    QTest::addColumn<QString>("clipboard");
    QTest::newRow("copy") << "N_copy" << false << "一二三" << "二";
    QTest::newRow("cut") << "N_cut" << false << "一三" << "二";
    QTest::newRow("paste") << "N_paste" << false << "一剪贴板三" << "剪贴板";
    QTest::newRow("copy while locked") << "N_copy" << true << "一二三" << "二";
    QTest::newRow("cut while locked") << "N_cut" << true << "一二三" << "剪贴板";
    QTest::newRow("paste while locked") << "N_paste" << true << "一二三" << "剪贴板";
}

void TestFormatting::contextMenuActsOnCurrentEditor()
{
    QFETCH(QString, item);
    QFETCH(bool, locked);
    QFETCH(QString, impression);
    QFETCH(QString, clipboard);
    jcsj->setPlainText(QStringLiteral("甲乙丙"));
    zdjx->setPlainText(QStringLiteral("一二三"));
    Select(jcsj, 1, 2);
    Select(zdjx, 1, 2);
    jcsj->setFocus();
    Hover(zdjx);
    f->Intf()->SetcontrolsEnable(!locked);
    SetClipboardText(QStringLiteral("剪贴板"));
    auto* action = f->form->findChild<QAction*>(item);
    QVERIFY(action);
    action->trigger();
    QCOMPARE(zdjx->toPlainText(), impression);
    QCOMPARE(jcsj->toPlainText(), QStringLiteral("甲乙丙"));
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
}

void TestFormatting::pastedRtfKeepsItsFormatting()
{
    zdjx->setPlainText(QStringLiteral("前后"));
    Hover(zdjx);
    Caret(zdjx, 1);
    // 粗 bold, 体 plain; the plain-text alternative must not win.
    SetClipboard({{QStringLiteral("text/plain"), QByteArray("plain")},
                  {QStringLiteral("text/rtf"), QByteArray("{\\rtf1\\ansi\\deff0{\\b \\u31895?}\\u20307?}")}});
    f->form->N_paste->trigger();
    QCOMPARE(zdjx->toPlainText(), QStringLiteral("前粗体后"));
    QCOMPARE(FormatAt(zdjx, 1).fontWeight(), int(QFont::Bold));
    QVERIFY(FormatAt(zdjx, 2).fontWeight() != QFont::Bold);
    QCOMPARE(zdjx->textCursor().position(), 3);
}

void TestFormatting::keyboardPasteTakesRtfToo()
{
    // Ctrl+V goes through the editor itself, not the menu: it must prefer RTF as well.
    zdjx->setPlainText(QStringLiteral("前后"));
    zdjx->setFocus();
    Caret(zdjx, 1);
    SetClipboard({{QStringLiteral("text/plain"), QByteArray("plain")},
                  {QStringLiteral("text/rtf"), QByteArray("{\\rtf1\\ansi\\deff0{\\b \\u31895?}\\u20307?}")}});
    QTest::keyClick(zdjx, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(zdjx->toPlainText(), QStringLiteral("前粗体后"));
    QCOMPARE(FormatAt(zdjx, 1).fontWeight(), int(QFont::Bold));
}

void TestFormatting::fontDescriptionShownOnlyForFaceName_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<bool>("shown");
    QTest::newRow("uft_name") << int(uft_name) << true;
    QTest::newRow("uft_size") << int(uft_size) << false;
    QTest::newRow("uft_color") << int(uft_color) << false;
    QTest::newRow("uft_style") << int(uft_style) << false;
    QTest::newRow("uft_Numbering") << int(uft_Numbering) << false;
    QTest::newRow("uft_saveDefault") << int(uft_saveDefault) << false;
}

void TestFormatting::fontDescriptionShownOnlyForFaceName()
{
    QFETCH(int, op);
    QFETCH(bool, shown);
    jcsj->setPlainText(QStringLiteral("第一行\n第二行"));
    const QString before = jcsj->toHtml();
    TmyfontStyle font;
    font.ufname = QStringLiteral("宋体");
    font.ufSize = 30;
    f->form->SetReTextAttributes(font, static_cast<Topfnt>(op));
    QVERIFY(f->host.calls.contains(QStringLiteral("GetCurrentReportFrm")));
    QCOMPARE(f->dialogs.shown.size(), shown ? 1 : 0);
    if (shown) QCOMPARE(f->dialogs.shown.at(0).text, QStringLiteral("收到的字体:宋体\r\n第一行\n第二行"));
    QCOMPARE(jcsj->toHtml(), before);
}

QTEST_MAIN(TestFormatting)
#include "tst_formatting.moc"
