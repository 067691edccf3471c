// SPDX-License-Identifier: MIT
// The editor from the keyboard alone: Alt+1 .. Alt+9 open the section pickers (not while
// locked), the caption buttons are reached with Tab, and Ctrl+Y redoes like Ctrl+Shift+Z.
#include "EditingKit.h"
#include <QPlainTextEdit>
#include <QToolButton>

class TestKeyboard : public QObject {
    Q_OBJECT

    std::unique_ptr<TEditingFixture> f;

private slots:
    void init()
    {
        f = std::make_unique<TEditingFixture>();
        f->form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f->form.get()));
    }
    void cleanup() { f.reset(); }

    void pickerShortcuts_data();
    void pickerShortcuts();
    void captionButtonsTakeTabFocus();
    void ctrlYRedoes_data();
    void ctrlYRedoes();
};

void TestKeyboard::pickerShortcuts_data()
{
    QTest::addColumn<int>("digit");
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("button");
    QTest::newRow("Alt+1 exam items") << 1 << "ShowExamItemFrom" << "sb_jcitem";
    QTest::newRow("Alt+2 methods") << 2 << "ShowExamMethodForm" << "sb_jcMethod";
    QTest::newRow("Alt+3 parts") << 3 << "ShowExamJCBWForm" << "Lab_jcpart";
    QTest::newRow("Alt+4 clinical diagnosis") << 4 << "ShowExamLCZD" << "lab_lczd";
    QTest::newRow("Alt+5 templates (findings)") << 5 << "ShowReportModel" << "lab_yxbx";
    QTest::newRow("Alt+6 templates (impression)") << 6 << "ShowReportModel" << "lab_zdyx";
    QTest::newRow("Alt+7 suggestion") << 7 << "ShowExamJianYi" << "lab_Jianyi";
    QTest::newRow("Alt+8 remark") << 8 << "ShowExamBeiZhu" << "lab_beizhu";
    QTest::newRow("Alt+9 special symbols") << 9 << "ShowTeShuFuHao" << "Tb_tsfh";
}

void TestKeyboard::pickerShortcuts()
{
    QFETCH(int, digit);
    QFETCH(QString, call);
    QFETCH(QString, button);
    QWidget* typing = Ctl<QPlainTextEdit>(*f, "Memo_JianYi");
    const auto key = static_cast<Qt::Key>(Qt::Key_0 + digit);

    auto* b = f->form->findChild<QToolButton*>(button);
    QVERIFY(b);
    // Locked: the shortcut does what a click does, nothing where the button is disabled.
    f->Intf()->SetcontrolsEnable(false);
    f->host.calls.clear();
    typing->setFocus();
    QTest::keyClick(typing, key, Qt::AltModifier);
    QCOMPARE(f->host.calls.contains(call), b->isEnabled());

    f->Intf()->SetcontrolsEnable(true);
    f->host.calls.clear();
    typing->setFocus();
    QTest::keyClick(typing, key, Qt::AltModifier);
    QVERIFY2(f->host.calls.contains(call), qPrintable(f->host.calls.join(QLatin1Char(','))));
}

void TestKeyboard::captionButtonsTakeTabFocus()
{
    for (const char* name : {"sb_jcitem", "sb_jcMethod", "Lab_jcpart", "lab_lczd", "lab_yxbx", "lab_zdyx", "lab_Jianyi",
                             "lab_beizhu", "Tb_tsfh"}) {
        auto* b = Ctl<QToolButton>(*f, name);
        QVERIFY(b);
        QVERIFY2(b->focusPolicy() & Qt::TabFocus, name);
    }
}

void TestKeyboard::ctrlYRedoes_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("rich edit") << "rich_jcsj";
    QTest::newRow("memo") << "Memo_JianYi";
}

void TestKeyboard::ctrlYRedoes()
{
    QFETCH(QString, control);
    f->Intf()->SetcontrolsEnable(true);
    QWidget* w = f->form->findChild<QWidget*>(control);
    QVERIFY(w);
    w->setFocus();
    QTest::keyClicks(w, QStringLiteral("abc"));
    auto text = [w] {
        if (auto* e = qobject_cast<QTextEdit*>(w)) return e->toPlainText();
        return qobject_cast<QPlainTextEdit*>(w)->toPlainText();
    };
    QCOMPARE(text(), QStringLiteral("abc"));
    QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(text().isEmpty());
    QTest::keyClick(w, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(text(), QStringLiteral("abc"));
    QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(text(), QStringLiteral("abc"));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
