// SPDX-License-Identifier: MIT
// The switches around opening and saving: the forced positive/negative question, the
// automatic exam-item switch, and the default font of the rich-text sections.
#include "WorkflowFixture.h"
#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QToolButton>

namespace {
const QString kForm = QStringLiteral("Configuration/TReportForm");
const QString kFont = QStringLiteral("Configuration/TReportForm_Font");
const QString kQuestion = QStringLiteral("请仔细检查阴阳性是否正确!\r\n\r\n    阳性,请按[ 是 ]\r\n\r\n    阴性,请按[ 否 ]");
} // namespace

class TWorkflowOptionsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_f.reset(); }
    void forcedQuestion_data();
    void forcedQuestion();
    void itemSwitchIsStoredAtOnceAndReadAtOpen();
    void defaultFontsAtOpen_data();
    void defaultFontsAtOpen();
    void badStoredFontChangesNothing_data();
    void badStoredFontChangesNothing();
    void fontSaveButtonStoresTheToolBar();

private:
    std::unique_ptr<TWorkflowFixture> m_f;
};

void TWorkflowOptionsTest::init()
{
    m_f = std::make_unique<TWorkflowFixture>();
    InsertReportRow(*m_f->db, SampleReport(QStringLiteral("R-1")));
}

void TWorkflowOptionsTest::forcedQuestion_data()
{
    QTest::addColumn<bool>("switchOn");
    QTest::addColumn<bool>("checkedBefore");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("stored");
    QTest::newRow("Yes marks a negative report positive") << true << false << int(TMsgResult::Yes) << "1";
    QTest::newRow("No marks a positive report negative") << true << true << int(TMsgResult::No) << "0";
    QTest::newRow("closing the box keeps positive") << true << true << int(TMsgResult::Closed) << "1";
    QTest::newRow("closing the box keeps negative") << true << false << int(TMsgResult::Closed) << "0";
    QTest::newRow("switch off asks nothing") << false << true << -1 << "1";
}

void TWorkflowOptionsTest::forcedQuestion()
{
    QFETCH(bool, switchOn);
    QFETCH(bool, checkedBefore);
    QFETCH(int, answer);
    QFETCH(QString, stored);
    m_f->SetConfig(kForm, QStringLiteral("BForcceYinYangXingCheck"), switchOn ? QStringLiteral("1") : QStringLiteral("0"));
    m_f->Open(QStringLiteral("R-1"));
    m_f->Report().SetcontrolsEnable(true);
    Control<QCheckBox>(m_f->form.get(), "Check_YinYiang")->setChecked(checkedBefore);
    if (answer >= 0) m_f->dialogs.answers << static_cast<TMsgResult>(answer);

    for (int save = 0; save < 2; ++save) { // asked again on every save
        m_f->Save(QStringLiteral("R-1"));
        QCOMPARE(m_f->Column(QStringLiteral("YinYangXing"), QStringLiteral("R-1")), stored);
        if (answer >= 0) m_f->dialogs.answers << static_cast<TMsgResult>(answer);
    }
    QCOMPARE(Control<QCheckBox>(m_f->form.get(), "Check_YinYiang")->isChecked(), stored == QLatin1String("1"));
    if (!switchOn) {
        QVERIFY(m_f->dialogs.shown.isEmpty());
        return;
    }
    QCOMPARE(m_f->dialogs.shown.size(), 2);
    const TMessageRequest& ask = m_f->dialogs.shown.first();
    QCOMPARE(ask.caption, QStringLiteral("阴阳性强制检查"));
    QCOMPARE(ask.text, kQuestion);
    QCOMPARE(ask.buttons, TMsgButtons::YesNo);
    QCOMPARE(ask.defaultButton, TMsgResult::No);
    QCOMPARE(ask.icon, TMsgIcon::None);
}

void TWorkflowOptionsTest::itemSwitchIsStoredAtOnceAndReadAtOpen()
{
    const QString section = QStringLiteral("/Configuration/TReportForm");
    const QString key = QStringLiteral("AutoSelectAllCanUseItem");
    m_f->SetConfig(section, key, QStringLiteral("1"));
    m_f->Open(QStringLiteral("R-1"));
    auto* box = Control<QCheckBox>(m_f->form.get(), "Check_AutoSelectAllCanUseItem");
    QVERIFY(box->isChecked());
    const QString items = m_f->Memo("Memo_jcItem")->toPlainText();
    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(!box->isChecked());
    QCOMPARE(m_f->Config(section, key), QStringLiteral("0"));
    QCOMPARE(m_f->Memo("Memo_jcItem")->toPlainText(), items); // nothing is re-bound
    m_f->SetConfig(section, key, QStringLiteral("1"));
    m_f->Open(QStringLiteral("R-1"));
    QVERIFY(box->isChecked());
}

void TWorkflowOptionsTest::defaultFontsAtOpen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("color");
    QTest::addColumn<QString>("expectedFace");
    QTest::addColumn<int>("expectedSize");
    QTest::addColumn<QColor>("expectedColor");
    const QColor windowText = ColorToQColor(clWindowText);
    QTest::newRow("nothing stored") << "" << "" << "" << "宋体" << 12 << windowText;
    QTest::newRow("identifier colour") << "微软雅黑" << "16" << "clRed" << "微软雅黑" << 16 << QColor(255, 0, 0);
    QTest::newRow("hex colour") << "宋体" << "9" << "$00008000" << "宋体" << 9 << QColor(0, 128, 0);
    QTest::newRow("decimal colour") << "宋体" << "20" << "16711680" << "宋体" << 20 << QColor(0, 0, 255);
}

void TWorkflowOptionsTest::defaultFontsAtOpen()
{
    QFETCH(QString, name);
    QFETCH(QString, size);
    QFETCH(QString, color);
    QFETCH(QString, expectedFace);
    QFETCH(int, expectedSize);
    QFETCH(QColor, expectedColor);
    if (!name.isEmpty()) m_f->SetConfig(kFont, QStringLiteral("name"), name);
    if (!size.isEmpty()) m_f->SetConfig(kFont, QStringLiteral("Size"), size);
    if (!color.isEmpty()) m_f->SetConfig(kFont, QStringLiteral("color"), color);
    m_f->Open(QStringLiteral("R-1"));
    for (const char* name : {"rich_jcsj", "rich_zdjx"}) {
        QTextEdit* re = m_f->Rich(name);
        QCOMPARE(re->font().family(), expectedFace);
        QCOMPARE(re->font().pointSize(), expectedSize);
        QCOMPARE(re->palette().color(QPalette::Text), expectedColor);
    }
    QCOMPARE(m_f->Logs(QStringLiteral(" TReportForm.loadDefauleFonts")), 0);
}

void TWorkflowOptionsTest::badStoredFontChangesNothing_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("color");
    QTest::newRow("size made of letters") << "abc" << "clRed";
    QTest::newRow("size with a fraction") << "10.5" << "clRed";
    QTest::newRow("size zero") << "0" << "clRed";
    QTest::newRow("unknown colour identifier") << "14" << "clPink";
    QTest::newRow("colour hex too long") << "14" << "$123456789";
}

void TWorkflowOptionsTest::badStoredFontChangesNothing()
{
    QFETCH(QString, size);
    QFETCH(QString, color);
    m_f->SetConfig(kFont, QStringLiteral("name"), QStringLiteral("微软雅黑"));
    m_f->SetConfig(kFont, QStringLiteral("Size"), size);
    m_f->SetConfig(kFont, QStringLiteral("color"), color);
    QTextEdit* re = m_f->Rich("rich_jcsj");
    const QFont before = re->font();
    const QColor colorBefore = re->palette().color(QPalette::Text);
    m_f->Open(QStringLiteral("R-1"));
    QCOMPARE(re->font(), before);
    QCOMPARE(re->palette().color(QPalette::Text), colorBefore);
    const auto logs = m_f->host.LogsWithTitle(QStringLiteral(" TReportForm.loadDefauleFonts"));
    QCOMPARE(logs.size(), 1);
    QVERIFY(logs.first().value.startsWith(QStringLiteral("异常:")));
    // The report still opened.
    QCOMPARE(m_f->Memo("memo_jcmethod")->toPlainText(), SampleReport(QString()).FjcMethod);
}

void TWorkflowOptionsTest::fontSaveButtonStoresTheToolBar()
{
    m_f->Open(QStringLiteral("R-1"));
    auto* size = m_f->Combo("FontSize");
    auto* color = Control<TColorComboBox>(m_f->form.get(), "cbx_fontColor");
    auto* face = Control<QFontComboBox>(m_f->form.get(), "FontName");
    size->setCurrentIndex(10); // the second of the two "16" entries
    color->SetSelected(clNavy);
    const QString shownFace = face->currentText();
    QTest::mouseClick(Control<QToolButton>(m_f->form.get(), "tb_fontSave"), Qt::LeftButton);
    QCOMPARE(m_f->Config(kFont, QStringLiteral("Size")), QStringLiteral("16"));
    QCOMPARE(m_f->Config(kFont, QStringLiteral("color")), QStringLiteral("clNavy"));
    QCOMPARE(m_f->Config(kFont, QStringLiteral("name")), shownFace);
    QCOMPARE(m_f->dialogs.shown.size(), 1);
    const TMessageRequest& done = m_f->dialogs.shown.first();
    QCOMPARE(done.text, QStringLiteral("    当前选中的字符已成功保存为默认的字体!"));
    QCOMPARE(done.caption, QStringLiteral("保存默认的字体格式"));
    QCOMPARE(done.icon, TMsgIcon::Information);
    QVERIFY(done.stayOnTop);
    // Applied at the next open.
    m_f->Open(QStringLiteral("R-1"));
    QCOMPARE(m_f->Rich("rich_zdjx")->font().pointSize(), 16);
    QCOMPARE(m_f->Rich("rich_zdjx")->palette().color(QPalette::Text), QColor(0, 0, 128));
}

QTEST_MAIN(TWorkflowOptionsTest)
#include "tst_workflow_options.moc"
