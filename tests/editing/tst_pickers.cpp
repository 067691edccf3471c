// SPDX-License-Identifier: MIT
// Picker captions, the section setters, special symbols and template pastes, driven through
// the controls and IReportForm as the host drives them.
#include "EditingKit.h"
#include "FileBytes.h"
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>

namespace {

using TSetter = void (IReportForm::*)(const QString&);

}  // namespace

class TestPickers : public QObject {
    Q_OBJECT

    std::unique_ptr<TEditingFixture> f;

private slots:
    void init() { f = std::make_unique<TEditingFixture>(); }
    void cleanup() { f.reset(); }

    void captionClickCallsHost_data();
    void captionClickCallsHost();
    void disabledCaptionsCallNothingWhileLocked();
    void setterReplacesWholeText_data();
    void setterReplacesWholeText();
    void setterResizesSection();
    void symbolGoesBeforeSelectedWordFromClipboard();
    void symbolNotInsertedWhenLockedOrClipboardEmpty_data();
    void symbolNotInsertedWhenLockedOrClipboardEmpty();
    void templatePaste_data();
    void templatePaste();
    void templatePasteKeepsRtfFormatting();
};

void TestPickers::captionClickCallsHost_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("operation");
    QTest::newRow("exam items") << "sb_jcitem" << "ShowExamItemFrom";
    QTest::newRow("exam method") << "sb_jcMethod" << "ShowExamMethodForm";
    QTest::newRow("exam part") << "Lab_jcpart" << "ShowExamJCBWForm";
    QTest::newRow("clinical diagnosis") << "lab_lczd" << "ShowExamLCZD";
    QTest::newRow("findings templates") << "lab_yxbx" << "ShowReportModel";
    QTest::newRow("impression templates, same window") << "lab_zdyx" << "ShowReportModel";
    QTest::newRow("suggestion") << "lab_Jianyi" << "ShowExamJianYi";
    QTest::newRow("remark") << "lab_beizhu" << "ShowExamBeiZhu";
    QTest::newRow("special symbols") << "Tb_tsfh" << "ShowTeShuFuHao";
}

void TestPickers::captionClickCallsHost()
{
    QFETCH(QString, button);
    QFETCH(QString, operation);
    f->Intf()->SetcontrolsEnable(true);
    auto* b = f->form->findChild<QToolButton*>(button);
    QVERIFY(b);
    const QString before = f->form->findChild<QPlainTextEdit*>(QStringLiteral("memo_lczd"))->toPlainText();
    QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(f->host.calls, QStringList{operation});
    QCOMPARE(f->form->findChild<QPlainTextEdit*>(QStringLiteral("memo_lczd"))->toPlainText(), before);
}

void TestPickers::disabledCaptionsCallNothingWhileLocked()
{
    f->Intf()->SetcontrolsEnable(false);
    for (const char* name : {"sb_jcitem", "sb_jcMethod"}) QTest::mouseClick(Ctl<QToolButton>(*f, name), Qt::LeftButton);
    QVERIFY(f->host.calls.isEmpty());
    // The other captions still open their pickers on a locked report.
    for (const char* name : {"Lab_jcpart", "lab_lczd", "lab_Jianyi", "lab_beizhu", "lab_yxbx", "lab_zdyx"})
        QTest::mouseClick(Ctl<QToolButton>(*f, name), Qt::LeftButton);
    QCOMPARE(f->host.calls, (QStringList{"ShowExamJCBWForm", "ShowExamLCZD", "ShowExamJianYi", "ShowExamBeiZhu",
                                         "ShowReportModel", "ShowReportModel"}));
}

void TestPickers::setterReplacesWholeText_data()
{
    QTest::addColumn<QString>("memo");
    QTest::addColumn<int>("setter");
    QTest::addColumn<bool>("append");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const struct {
        const char* memo;
        const char* name;
    } setters[] = {{"Memo_jcItem", "SetJinCha_ItemString"}, {"memo_jcmethod", "SetExamMethodString"},
                   {"memo_beizhu", "SetExamBeiZhuString"},  {"Memo_JianYi", "SetExamJianYiString"},
                   {"Memo_jcpart", "SetExamBuWeiString"},   {"memo_lczd", "SetExamLCZDString"}};
    int i = 0;
    for (const auto& s : setters) {
        const QString memo = QString::fromLatin1(s.memo);
        QTest::addRow("%s replaces", s.name) << memo << i << false << false << "新文本" << "新文本";
        QTest::addRow("%s replaces although 追加 is ticked", s.name) << memo << i << true << false << "新文本" << "新文本";
        QTest::addRow("%s replaces while locked", s.name) << memo << i << false << true << "新文本" << "新文本";
        QTest::addRow("%s empty text clears", s.name) << memo << i << false << false << "" << "";
        QTest::addRow("%s CR LF becomes lines", s.name) << memo << i << false << false << "一\r\n二" << "一\n二";
        ++i;
    }
}

void TestPickers::setterReplacesWholeText()
{
    QFETCH(QString, memo);
    QFETCH(int, setter);
    QFETCH(bool, append);
    QFETCH(bool, locked);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const TSetter setters[] = {&IReportForm::SetJinCha_ItemString, &IReportForm::SetExamMethodString,
                               &IReportForm::SetExamBeiZhuString,  &IReportForm::SetExamJianYiString,
                               &IReportForm::SetExamBuWeiString,   &IReportForm::SetExamLCZDString};
    auto* m = f->form->findChild<QPlainTextEdit*>(memo);
    QVERIFY(m);
    f->Intf()->SetcontrolsEnable(!locked);
    m->setPlainText(QStringLiteral("旧的内容"));
    m->moveCursor(QTextCursor::End);
    f->form->tb_Check_Add->setChecked(append);
    (f->Intf()->*setters[setter])(text);
    QCOMPARE(m->toPlainText(), expected);
    // Only the target section changes.
    for (QPlainTextEdit* other : f->form->findChildren<QPlainTextEdit*>())
        if (other != m) QVERIFY(!other->toPlainText().contains(QStringLiteral("新文本")));
}

void TestPickers::setterResizesSection()
{
    auto* memo = Ctl<QPlainTextEdit>(*f, "Memo_jcpart");
    QWidget* panel = memo->parentWidget();
    f->Intf()->SetExamBuWeiString(QStringLiteral("一行"));
    const int oneLine = panel->height();
    f->Intf()->SetcontrolsEnable(false);
    f->Intf()->SetExamBuWeiString(QStringLiteral("一\n二\n三\n四"));
    const int fourLines = panel->height();
    QVERIFY2(fourLines > oneLine, "four lines need a taller section");
    f->Intf()->SetExamBuWeiString(QString());
    QVERIFY2(panel->height() < oneLine, "an emptied section shrinks back");
    f->Intf()->SetExamBuWeiString(QStringLiteral("一\n二\n三\n四"));
    QCOMPARE(panel->height(), fourLines);
}

void TestPickers::symbolGoesBeforeSelectedWordFromClipboard()
{
    f->Intf()->SetcontrolsEnable(true);
    auto* zdjx = Ctl<QTextEdit>(*f, "rich_zdjx");
    auto* jcsj = Ctl<QTextEdit>(*f, "rich_jcsj");
    zdjx->setPlainText(QStringLiteral("肝脏大小正常"));
    jcsj->setPlainText(QStringLiteral("所见"));
    f->form->current_Re = zdjx;
    Ctl<QPlainTextEdit>(*f, "memo_lczd")->setFocus();  // a memo never takes symbols
    Select(zdjx, 4, 2);                                // "大小", selected backwards
    SetClipboardText(QStringLiteral("※"));
    f->Intf()->SetTeShuFuHao(QStringLiteral("△"));
    QCOMPARE(zdjx->toPlainText(), QStringLiteral("肝脏※大小正常"));
    QVERIFY(!zdjx->textCursor().hasSelection());
    QCOMPARE(zdjx->textCursor().position(), 3);
    QCOMPARE(jcsj->toPlainText(), QStringLiteral("所见"));
    QCOMPARE(Ctl<QPlainTextEdit>(*f, "memo_lczd")->toPlainText(), QString());
}

void TestPickers::symbolNotInsertedWhenLockedOrClipboardEmpty_data()
{
    QTest::addColumn<bool>("locked");
    QTest::addColumn<bool>("clipboardEmpty");
    QTest::newRow("locked") << true << false;
    QTest::newRow("empty clipboard") << false << true;
}

void TestPickers::symbolNotInsertedWhenLockedOrClipboardEmpty()
{
    QFETCH(bool, locked);
    QFETCH(bool, clipboardEmpty);
    f->Intf()->SetcontrolsEnable(!locked);
    auto* jcsj = Ctl<QTextEdit>(*f, "rich_jcsj");
    jcsj->setPlainText(QStringLiteral("肝脏"));
    f->form->current_Re = jcsj;
    if (clipboardEmpty) SetClipboard({});
    else SetClipboardText(QStringLiteral("※"));
    f->Intf()->SetTeShuFuHao(QStringLiteral("※"));
    QCOMPARE(jcsj->toPlainText(), QStringLiteral("肝脏"));
}

void TestPickers::templatePaste_data()
{
    QTest::addColumn<bool>("impression");
    QTest::addColumn<bool>("append");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("clipboard");  // "<empty>" for an empty clipboard
    QTest::addColumn<QByteArray>("modelFile");  // empty: no model file
    QTest::addColumn<QString>("expected");
    const QByteArray sjRtf("{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fcharset134 SimSun;}}\\f0 \\'c4\\'a3\\'b0\\'e5\\par}");
    QTest::newRow("model file absent: editor unchanged") << false << false << false << "原有" << "模板" << QByteArray() << "原有";
    QTest::newRow("replace") << false << false << false << "原有\n两行" << "模板" << sjRtf << "模板";
    // The template starts a paragraph of its own after the text, which stays in place.
    QTest::newRow("append after existing text") << false << true << false << "原有" << "模板" << sjRtf << "原有\n模板";
    QTest::newRow("append after two lines") << true << true << false << "胆囊多发结石伴胆囊炎\n轻度脂肪肝" << "肝未见异常"
                                            << sjRtf << "胆囊多发结石伴胆囊炎\n轻度脂肪肝\n肝未见异常";
    QTest::newRow("append after an empty last line: no extra one") << false << true << false << "原有\n" << "模板" << sjRtf
                                                                   << "原有\n模板";
    QTest::newRow("append, empty clipboard: no empty paragraph left") << false << true << false << "原有" << "<empty>"
                                                                     << sjRtf << "原有";
    QTest::newRow("append, blank editor, empty clipboard: file loaded") << false << true << false << " \n  " << "<empty>" << sjRtf << "模板";
    QTest::newRow("replace, blanks-only clipboard: file loaded") << false << false << false << "原有" << "  \r\n " << sjRtf << "模板";
    QTest::newRow("replace, empty clipboard, text kept") << false << false << false << "原有" << "<empty>" << sjRtf << "原有";
    QTest::newRow("impression editor, replace") << true << false << false << "结论" << "新结论" << sjRtf << "新结论";
    QTest::newRow("locked: paste refused, text kept") << false << false << true << "原有" << "模板" << sjRtf << "原有";
    QTest::newRow("locked and blank: file still loaded") << true << false << true << "" << "模板" << sjRtf << "模板";
    QTest::newRow("model file plain GBK text") << false << false << false << "" << "<empty>" << QByteArray("\xc4\xa3\xb0\xe5\r\n") << "模板\n";
}

void TestPickers::templatePaste()
{
    QFETCH(bool, impression);
    QFETCH(bool, append);
    QFETCH(bool, locked);
    QFETCH(QString, editor);
    QFETCH(QString, clipboard);
    QFETCH(QByteArray, modelFile);
    QFETCH(QString, expected);
    const QString folder = f->ProgramDir() + QStringLiteral("Temp/Model");
    const QString fileName = impression ? QStringLiteral("jl.rtf") : QStringLiteral("sj.rtf");
    if (!modelFile.isEmpty()) {
        QVERIFY(QDir().mkpath(folder));
        WriteFileBytes(folder + QLatin1Char('/') + fileName, modelFile);
    }
    auto* re = Ctl<QTextEdit>(*f, impression ? "rich_zdjx" : "rich_jcsj");
    auto* other = Ctl<QTextEdit>(*f, impression ? "rich_jcsj" : "rich_zdjx");
    f->Intf()->SetcontrolsEnable(!locked);
    re->setPlainText(editor);
    other->setPlainText(QStringLiteral("另一个"));
    f->form->tb_Check_Add->setChecked(append);
    if (clipboard == QLatin1String("<empty>")) SetClipboard({});
    else SetClipboardText(clipboard);

    if (impression) f->Intf()->SetModValues_JieLunPasteFromClipboard();
    else f->Intf()->SetModValues_SuoJianPasteFromClipboard();

    QCOMPARE(re->toPlainText(), expected);
    QCOMPARE(other->toPlainText(), QStringLiteral("另一个"));
    QVERIFY(QFileInfo(folder).isDir());
}

void TestPickers::templatePasteKeepsRtfFormatting()
{
    const QString folder = f->ProgramDir() + QStringLiteral("Temp/Model");
    QVERIFY(QDir().mkpath(folder));
    WriteFileBytes(folder + QStringLiteral("/sj.rtf"), QByteArray("{\\rtf1\\ansi x}"));
    f->Intf()->SetcontrolsEnable(true);
    auto* re = Ctl<QTextEdit>(*f, "rich_jcsj");
    re->setPlainText(QStringLiteral("旧"));
    SetClipboard({{QStringLiteral("text/rtf"), QByteArray("{\\rtf1\\ansi{\\b \\u32925?}\\u33039?\\par}")}});
    f->Intf()->SetModValues_SuoJianPasteFromClipboard();
    QCOMPARE(re->toPlainText(), QStringLiteral("肝脏"));
    QTextCursor c(re->document());
    c.setPosition(1);
    QCOMPARE(c.charFormat().fontWeight(), int(QFont::Bold));
    c.setPosition(2);
    QVERIFY(c.charFormat().fontWeight() != QFont::Bold);
}

QTEST_MAIN(TestPickers)
#include "tst_pickers.moc"
