// SPDX-License-Identifier: MIT
// The report form's control tree walked by objectName: names, kinds, captions, lists,
// initial texts, visibility, fonts and colours, and which handler each control event
// reaches. Also renders the form to a PNG for people to look at.
#include "FakeHost.h"
#include "FormTestKit.h"
#include "ScriptedDialogs.h"
#include "form/SectionPanel.h"
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QEnterEvent>
#include <QFontComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QString TextOf(QWidget* w)
{
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
    if (auto* m = qobject_cast<QPlainTextEdit*>(w)) return m->toPlainText();
    if (auto* r = qobject_cast<QTextEdit*>(w)) return r->toPlainText();
    return QString();
}

QStringList Items(QComboBox* c)
{
    QStringList r;
    for (int i = 0; i < c->count(); ++i) r << c->itemText(i);
    return r;
}

const QStringList kHipCombos{
    QStringLiteral("Cbx_kgj_Left_BaseLine"), QStringLiteral("Cbx_kgj_Right_BaseLine"), QStringLiteral("Cbx_kgj_Left_kjgd"),
    QStringLiteral("Cbx_kgj_Right_kjgd"),    QStringLiteral("Cbx_kgj_Left_gxtq"),      QStringLiteral("Cbx_kgj_Right_gxtq"),
    QStringLiteral("Cbx_kgj_Left_rgyc"),     QStringLiteral("Cbx_kgj_Right_rgyc"),     QStringLiteral("Cbx_kgj_Left_gxzx"),
    QStringLiteral("Cbx_kgj_Right_gxzx"),    QStringLiteral("Cbx_kgj_Left_α"),         QStringLiteral("Cbx_kgj_Right_α"),
    QStringLiteral("Cbx_kgj_Left_β"),        QStringLiteral("Cbx_kgj_Right_β")};
} // namespace

class TestFormLayout : public QObject {
    Q_OBJECT

    std::unique_ptr<TProbeReportForm> form;
    TFakeMainForm host;
    TFakeDataModule dm;
    TScriptedDialogs dialogs;
    QTemporaryDir programDir;

private slots:
    void initTestCase()
    {
        InstallCjkFontSubstitutes();
        QVERIFY(programDir.isValid());
        qputenv("WRITEREPORT_PROGRAM_DIR", QDir(programDir.path()).absolutePath().toUtf8() + '/');
    }

    void init()
    {
        form = NewShownForm();
        form->GetMainFormObject(static_cast<IMainFrom*>(&host), static_cast<ITrDataModle*>(&dm));
    }

    void cleanup() { form.reset(); }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("hasText");
        // text null: the control shows no fixed text (font and colour combos, date pickers).
        auto row = [](const char* name, const char* kind, const char* text = "", bool visible = true) {
            QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(kind)
                                << QString::fromUtf8(text ? text : "") << visible << (text != nullptr);
        };
        row("ScrollBox_Report", "QScrollArea");
        row("panel_Bottom", "QFrame");
        for (const char* p : {"Panel_FontToolBar", "panel_jcitem", "panel_jcmethod", "panel_jcpart", "panel_lczd",
                              "Panel_kuanGuanJie", "panel_yxbx", "panel_zdyx", "Panel_JianYi", "panel_beizhu",
                              "Panel_Other", "panel_reportState"})
            row(p, "TSectionPanel");
        for (const char* s : {"Shape1", "Shape2", "Shape3", "Shape4", "Shape5", "Shape6", "Shape7", "Shape8", "Shape9",
                              "Shape10", "Shape11", "Bevel1", "CoolBar1"})
            row(s, "QFrame");
        row("sb_jcitem", "QToolButton", "检查项目");
        row("sb_jcMethod", "QToolButton", "检查方法");
        row("Lab_jcpart", "QToolButton", "检查部位");
        row("lab_lczd", "QToolButton", "临床诊断");
        row("lab_yxbx", "QToolButton", "影像表现");
        row("lab_zdyx", "QToolButton", "诊断印像");
        row("lab_Jianyi", "QToolButton", "建     议");
        row("lab_beizhu", "QToolButton", "备     注");
        row("SpeedButton1", "QToolButton", "髋关节\n筛查：");
        for (const char* m : {"Memo_jcItem", "memo_jcmethod", "Memo_jcpart", "memo_lczd", "Memo_JianYi", "memo_beizhu"})
            row(m, "QPlainTextEdit");
        row("rich_jcsj", "QTextEdit");
        row("rich_zdjx", "QTextEdit");
        row("ToolBar1", "QToolBar");
        row("FontName", "QFontComboBox", nullptr);
        row("FontSize", "QComboBox", nullptr);  // follows the selection of the rich edits
        row("cbx_fontColor", "TColorComboBox", nullptr);
        for (const char* b : {"BoldButton", "UnderlineButton", "ItalicButton", "LeftAlign", "CenterAlign", "RightAlign",
                              "BulletsButton"})
            row(b, "QToolButton", "", false);
        row("tb_fontSave", "QToolButton", "df");
        row("tb_Check_Add", "QCheckBox", "追加");
        row("Check_AutoSelectAllCanUseItem", "QCheckBox", "自动选择项目");
        row("Tb_tsfh", "QToolButton", "特殊符号");
        row("Label10", "QLabel", "左侧");
        row("Label5", "QLabel", "右侧");
        row("Label8", "QLabel", "基线:");
        row("Label9", "QLabel", "髋臼骨顶:");
        row("Label11", "QLabel", "骨性突起:");
        row("Label18", "QLabel", "软骨盂唇:");
        row("Label19", "QLabel", "骨化中心:");
        row("Label20", "QLabel", "α角:");
        row("Label21", "QLabel", "β角:");
        for (const char* l : {"Label22", "Label23", "Label24", "Label25"}) row(l, "QLabel", "度");
        row("Label1", "QLabel", "其它");
        row("Label3", "QLabel", "探头频率");
        row("Cbx_TanTouRate", "QComboBox");
        row("Label2", "QLabel", "危急值");
        row("edt_weiJiZhi", "QLineEdit", "0");
        row("Check_YinYiang", "QCheckBox", "阳性");
        row("Label6", "QLabel", "检查途径");
        row("cbx_jcTuJing", "QComboBox");
        row("Label4", "QLabel", "图像质量");
        row("cbx_ImageQuality", "QComboBox");
        row("Label7", "QLabel", "报告状态");
        row("Label13", "QLabel", "报告医生");
        row("Cbx_ReportDoctor", "QComboBox");
        row("Label15", "QLabel", "检查医生");
        row("cbx_ExamDoctor", "QComboBox");
        row("Label14", "QLabel", "会诊医生");
        row("Cbx_HuiZhenDoctor", "QComboBox");
        row("Label12", "QLabel", "审核医生");
        row("Cbx_ShenHedoctor", "QComboBox");
        row("Label16", "QLabel", "报告日期");
        row("L_ReportDate", "QDateEdit", nullptr);
        row("Label17", "QLabel", "审核日期");
        row("L_ShenHeDate", "QDateEdit", nullptr);
    }

    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(bool, visible);
        QFETCH(bool, hasText);
        const auto found = form->findChildren<QWidget*>(name);
        QCOMPARE(found.size(), 1);
        QWidget* w = found.first();
        QVERIFY2(w->inherits(kind.toLatin1()), qPrintable(w->metaObject()->className()));
        if (hasText) QCOMPARE(TextOf(w), text);
        QCOMPARE(w->isVisibleTo(form.get()), visible);
    }

    void membersAreTheNamedControls()
    {
        QCOMPARE(form->Memo_jcItem, Control<QPlainTextEdit>(form.get(), "Memo_jcItem"));
        QCOMPARE(form->rich_zdjx, Control<QTextEdit>(form.get(), "rich_zdjx"));
        QCOMPARE(form->Cbx_kgj_Left_α, Control<QComboBox>(form.get(), "Cbx_kgj_Left_α"));
        QCOMPARE(form->Cbx_kgj_Right_β, Control<QComboBox>(form.get(), "Cbx_kgj_Right_β"));
        QCOMPARE(static_cast<QWidget*>(form->panel_reportState), Control<QWidget>(form.get(), "panel_reportState"));
        QCOMPARE(form->N_showFontTool, form->findChild<QAction*>(QStringLiteral("N_showFontTool")));
    }

    void sectionsStackInOrder()
    {
        const QStringList expected{"Panel_FontToolBar", "panel_jcitem", "panel_jcmethod", "panel_jcpart",
                                   "panel_lczd",        "Panel_kuanGuanJie", "panel_yxbx", "panel_zdyx",
                                   "Panel_JianYi",      "panel_beizhu", "Panel_Other", "panel_reportState"};
        auto* stack = form->ScrollBox_Content->layout();
        QStringList order;
        for (int i = 0; i < stack->count(); ++i)
            if (QWidget* w = stack->itemAt(i)->widget()) order << w->objectName();
        QCOMPARE(order, expected);
        int top = 0;
        for (const QString& name : expected) {
            auto* panel = Control<QWidget>(form.get(), name.toUtf8());
            QCOMPARE(panel->y(), top);
            QCOMPARE(panel->width(), form->ScrollBox_Report->viewport()->width());
            top += panel->height();
        }
        QCOMPARE(Control<QWidget>(form.get(), "Panel_FontToolBar")->height(), 30);
        QCOMPARE(Control<QWidget>(form.get(), "Panel_kuanGuanJie")->height(), 267);
        QCOMPARE(Control<QWidget>(form.get(), "Panel_Other")->height(), 62);
        QCOMPARE(Control<QWidget>(form.get(), "panel_reportState")->height(), 97);
        QCOMPARE(form->SpeedButton1->height(), 221);
        QCOMPARE(form->panel_Bottom->height(), 0);
    }

    void separatorsAreNavyLinesAtTheBottom_data()
    {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("line");
        QTest::newRow("items") << "panel_jcitem" << "Shape1";
        QTest::newRow("method") << "panel_jcmethod" << "Shape2";
        QTest::newRow("part") << "panel_jcpart" << "Shape4";
        QTest::newRow("clinical") << "panel_lczd" << "Shape6";
        QTest::newRow("hip") << "Panel_kuanGuanJie" << "Shape11";
        QTest::newRow("findings") << "panel_yxbx" << "Shape3";
        QTest::newRow("impression") << "panel_zdyx" << "Shape5";
        QTest::newRow("suggestion") << "Panel_JianYi" << "Shape9";
        QTest::newRow("remark") << "panel_beizhu" << "Shape7";
        QTest::newRow("other") << "Panel_Other" << "Shape8";
        QTest::newRow("state") << "panel_reportState" << "Shape10";
    }

    void separatorsAreNavyLinesAtTheBottom()
    {
        QFETCH(QString, panel);
        QFETCH(QString, line);
        auto* p = Control<QWidget>(form.get(), panel.toUtf8());
        auto* l = Control<QFrame>(form.get(), line.toUtf8());
        QCOMPARE(l->parentWidget(), p);
        QCOMPARE(l->geometry(), QRect(0, p->height() - 1, p->width(), 1));
        QCOMPARE(l->palette().color(QPalette::Window), QColor(0, 0, 0x80));
        QVERIFY(l->autoFillBackground());
        // Still at the bottom after the section grows.
        form->memo_jcmethod->setPlainText(QStringLiteral("a\nb\nc"));
        form->Memo_jcItem->setPlainText(QStringLiteral("a\nb\nc"));
        QCOMPARE(l->geometry(), QRect(0, p->height() - 1, p->width(), 1));
    }

    void fixedLists()
    {
        QCOMPARE(Items(form->FontSize),
                 QStringList({"7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "16", "17", "18", "19", "20", "21",
                              "22", "23", "24", "25", "26", "27"}));
        QVERIFY(form->FontSize->isEditable());
        for (QComboBox* c : {form->Cbx_TanTouRate, form->cbx_jcTuJing, form->cbx_ImageQuality, form->Cbx_ReportDoctor,
                             form->cbx_ExamDoctor, form->Cbx_HuiZhenDoctor, form->Cbx_ShenHedoctor}) {
            QVERIFY2(c->isEditable(), qPrintable(c->objectName()));
            QCOMPARE(c->count(), 0);
        }
    }

    void hipJointCombos_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("tag");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("text");
        const QStringList baseLine{"平直", "斜向", "曲线", "无法判断"};
        const QStringList roof{"凹面", "斜面", "直面", "无法判断"};
        const QStringList rim{"锐", "钝", "缺失", "无法判断"};
        const QStringList labrum{"长", "短", "宽,强", "内翻或消失", "宽", "强", "内翻", "消失"};
        const QStringList centre{"未出现", "刚出现", "清晰可见", "新月形"};
        QStringList angles;
        for (int a = 5; a <= 70; a += 5) angles << QString::number(a);
        const QList<QStringList> lists{baseLine, roof, rim, labrum, centre, angles, angles};
        const QStringList texts{"无法判断", "无法判断", "无法判断", "内翻或消失", "未出现", "0", "0"};
        for (int tag = 0; tag < 14; ++tag) {
            QTest::newRow(kHipCombos[tag].toUtf8()) << kHipCombos[tag] << tag << lists[tag / 2] << texts[tag / 2];
        }
    }

    void hipJointCombos()
    {
        QFETCH(QString, name);
        QFETCH(int, tag);
        QFETCH(QStringList, items);
        QFETCH(QString, text);
        auto* c = Control<QComboBox>(form.get(), name.toUtf8());
        QVERIFY(c->isEditable());
        QCOMPARE(c->property("Tag").toInt(), tag);
        QCOMPARE(Items(c), items);
        QCOMPARE(c->currentText(), text);
        QCOMPARE(c->parentWidget(), static_cast<QWidget*>(form->Panel_kuanGuanJie));
    }

    void degreeLabelsFollowTheAngleBoxes_data()
    {
        QTest::addColumn<QString>("combo");
        QTest::addColumn<QString>("label");
        QTest::newRow("left alpha") << "Cbx_kgj_Left_α" << "Label22";
        QTest::newRow("left beta") << "Cbx_kgj_Left_β" << "Label25";
        QTest::newRow("right alpha") << "Cbx_kgj_Right_α" << "Label23";
        QTest::newRow("right beta") << "Cbx_kgj_Right_β" << "Label24";
    }

    void degreeLabelsFollowTheAngleBoxes()
    {
        QFETCH(QString, combo);
        QFETCH(QString, label);
        auto* c = Control<QWidget>(form.get(), combo.toUtf8());
        auto* l = Control<QWidget>(form.get(), label.toUtf8());
        QVERIFY(l->x() >= c->geometry().right());
        QVERIFY(l->x() - c->geometry().right() < 20);
        QCOMPARE(l->geometry().center().y(), c->geometry().center().y());
        // The divider stands between the two columns.
        QVERIFY(form->Bevel1->x() > form->Cbx_kgj_Left_α->geometry().right());
        QVERIFY(form->Bevel1->geometry().right() < form->Cbx_kgj_Right_α->x());
    }

    void hintsAndMenu()
    {
        QCOMPARE(form->Check_AutoSelectAllCanUseItem->toolTip().split(QLatin1Char('\n')),
                 QStringList({"当前报告自动选择已登记的且没有被其它报告页面绑定的可用的检查项目！",
                              "如登记了十个项目，第一份报告选择了4个，那么余下的报告将自动选择其余的6个项目。",
                              "当有且只有一份报告时，自动选择全部项目，如果要取消部份项目，请点击检查项目按钮取消部份项目。",
                              "不勾选此选项，则所有项目要手工勾选！"}));
        QCOMPARE(form->Tb_tsfh->toolTip(), QStringLiteral("特殊符号"));
        QVERIFY(!form->tb_Check_Add->isChecked());
        QVERIFY(!form->Check_AutoSelectAllCanUseItem->isChecked());
        QVERIFY(!form->Check_YinYiang->isChecked());

        const auto actions = form->Popup_richedit->actions();
        QCOMPARE(actions.size(), 5);
        QCOMPARE(actions[0], form->N_copy);
        QCOMPARE(actions[1], form->N_cut);
        QCOMPARE(actions[2], form->N_paste);
        QVERIFY(actions[3]->isSeparator());
        QCOMPARE(actions[3]->objectName(), QStringLiteral("N1"));
        QCOMPARE(actions[4], form->N_showFontTool);
        QCOMPARE(form->N_copy->text(), QStringLiteral("复制"));
        QCOMPARE(form->N_cut->text(), QStringLiteral("剪切"));
        QCOMPARE(form->N_paste->text(), QStringLiteral("粘贴"));
        QCOMPARE(form->N_showFontTool->text(), QStringLiteral("显示字体工具栏"));
        form->N_showFontTool->trigger();
        QVERIFY(!form->N_showFontTool->isChecked());
        for (QTextEdit* re : {form->rich_jcsj, form->rich_zdjx}) QCOMPARE(re->contextMenuPolicy(), Qt::CustomContextMenu);
    }

    void glyphs()
    {
        QCOMPARE(form->ImageList1.size(), 5);
        QCOMPARE(form->ImageList2.size(), 9);
        for (const QIcon& i : form->ImageList1 + form->ImageList2) {
            QVERIFY(!i.isNull());
            QVERIFY(i.availableSizes().contains(QSize(16, 16)));
        }
        const QList<QPair<QAbstractButton*, int>> toolGlyphs{
            {form->BoldButton, 0},    {form->UnderlineButton, 1}, {form->ItalicButton, 2}, {form->LeftAlign, 7},
            {form->CenterAlign, 3},   {form->RightAlign, 6},      {form->BulletsButton, 5}, {form->tb_fontSave, 4},
            {form->Tb_tsfh, 8}};
        for (const auto& [button, index] : toolGlyphs)
            QCOMPARE(button->icon().cacheKey(), form->ImageList2.at(index).cacheKey());
        QCOMPARE(form->N_copy->icon().cacheKey(), form->ImageList1.at(0).cacheKey());
        QCOMPARE(form->N_cut->icon().cacheKey(), form->ImageList1.at(1).cacheKey());
        QCOMPARE(form->N_paste->icon().cacheKey(), form->ImageList1.at(2).cacheKey());
        QCOMPARE(form->N_showFontTool->icon().cacheKey(), form->ImageList1.at(3).cacheKey());
        // Glyphs are different pictures, not one repeated image.
        QSet<qint64> distinct;
        for (const QIcon& i : form->ImageList2) distinct.insert(i.pixmap(16, 16).toImage().cacheKey());
        QSet<QByteArray> pictures;
        for (const QIcon& i : form->ImageList1 + form->ImageList2) {
            const QImage img = i.pixmap(16, 16).toImage();
            pictures.insert(QByteArray(reinterpret_cast<const char*>(img.constBits()), img.sizeInBytes()));
        }
        QCOMPARE(pictures.size(), 14);
    }

    void fontsAndColours()
    {
        QCOMPARE(form->font().family(), QStringLiteral("微软雅黑"));
        QCOMPARE(form->font().pixelSize(), 13);
        for (QWidget* w : std::initializer_list<QWidget*>{form->rich_jcsj, form->rich_zdjx, form->memo_lczd, form->Label3}) {
            QCOMPARE(w->font().family(), QStringLiteral("微软雅黑"));
            QCOMPARE(w->font().pixelSize(), 13);
        }
        for (QWidget* w : std::initializer_list<QWidget*>{form->FontName, form->FontSize, form->cbx_fontColor})
            QCOMPARE(w->font().pixelSize(), 12);
        QVERIFY(form->Label10->font().bold());
        QVERIFY(form->Label5->font().bold());
        QCOMPARE(TReportForm::ControlColor(form->ScrollBox_Report), QColor(0xD8, 0xD8, 0xD8));
        for (QWidget* panel : std::initializer_list<QWidget*>{form->panel_jcitem, form->Panel_kuanGuanJie, form->panel_reportState})
            QCOMPARE(TReportForm::ControlColor(panel), QColor(Qt::white));
        QCOMPARE(TReportForm::ControlColor(form->Panel_FontToolBar), form->palette().color(QPalette::Button));
        QCOMPARE(form->rich_jcsj->frameWidth(), 1);
        QVERIFY(form->Memo_jcItem->isReadOnly());
        QVERIFY(!form->memo_jcmethod->isReadOnly());
        // Caption buttons are flat, yet reachable with Tab (keyboard use of the pickers).
        QCOMPARE(form->sb_jcitem->focusPolicy(), Qt::TabFocus);
        QVERIFY(form->sb_jcitem->autoRaise());
        QVERIFY(form->ToolBar1->height() >= 24);
    }

    // Every caption, label and check box shows its whole text.
    void captionsAreNotClipped()
    {
        for (QWidget* w : form->findChildren<QWidget*>()) {
            const bool captioned = qobject_cast<QToolButton*>(w) || qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w);
            if (!captioned || !w->isVisibleTo(form.get())) continue;
            if (auto* b = qobject_cast<QToolButton*>(w); b && b->toolButtonStyle() == Qt::ToolButtonIconOnly) continue;
            const QString text = TextOf(w);
            if (text.isEmpty()) continue;
            QRect need = w->fontMetrics().boundingRect(QRect(0, 0, 1000, 1000), Qt::AlignLeft | Qt::TextShowMnemonic, text);
            int extra = qobject_cast<QCheckBox*>(w) ? 20 : 0;  // the check mark
            QVERIFY2(need.width() + extra <= w->width(), qPrintable(w->objectName()));
            QVERIFY2(need.height() <= w->height(), qPrintable(w->objectName()));
        }
    }

    void wiring_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("handler");
        auto row = [](const char* tag, const char* control, const char* action, const char* handler) {
            QTest::newRow(tag) << QString::fromUtf8(control) << QString::fromUtf8(action) << QString::fromUtf8(handler);
        };
        row("exam items caption", "sb_jcitem", "click", "sb_jcitemClick");
        row("exam method caption", "sb_jcMethod", "click", "sb_jcMethodClick");
        row("exam part caption", "Lab_jcpart", "click", "Lab_jcpartClick");
        row("clinical caption", "lab_lczd", "click", "lab_lczdClick");
        row("findings caption", "lab_yxbx", "click", "lab_yxbxClick");
        row("impression caption runs the findings handler", "lab_zdyx", "click", "lab_yxbxClick");
        row("suggestion caption", "lab_Jianyi", "click", "lab_JianyiClick");
        row("remark caption", "lab_beizhu", "click", "lab_beizhuClick");
        row("exam items text", "Memo_jcItem", "text", "Memo_jcItemChange");
        row("exam method text", "memo_jcmethod", "text", "memo_jcmethodChange");
        row("exam part text", "Memo_jcpart", "text", "Memo_jcpartChange");
        row("clinical text", "memo_lczd", "text", "memo_lczdChange");
        row("suggestion text goes to the method handler", "Memo_JianYi", "text", "memo_jcmethodChange");
        row("remark text goes to the method handler", "memo_beizhu", "text", "memo_jcmethodChange");
        row("findings text", "rich_jcsj", "text", "rich_jcsjChange");
        row("findings selection", "rich_jcsj", "select", "rich_jcsjSelectionChange");
        row("findings focus", "rich_jcsj", "focus", "rich_jcsjEnter");
        row("findings hover", "rich_jcsj", "hover", "rich_jcsjMouseEnter");
        row("findings mouse down", "rich_jcsj", "press", "rich_jcsjMouseDown");
        row("findings click", "rich_jcsj", "click", "rich_jcsjClick");
        row("impression text", "rich_zdjx", "text", "rich_zdjxChange");
        row("impression selection", "rich_zdjx", "select", "rich_zdjxSelectionChange");
        row("impression focus", "rich_zdjx", "focus", "rich_zdjxEnter");
        row("impression hover", "rich_zdjx", "hover", "rich_zdjxMouseEnter");
        row("impression mouse activate", "rich_zdjx", "press", "rich_zdjxMouseActivate");
        row("impression mouse down", "rich_zdjx", "press", "rich_zdjxMouseDown");
        row("impression click", "rich_zdjx", "click", "rich_zdjxClick");
        row("font name", "FontName", "index", "FontNameChange");
        row("font size typed", "FontSize", "text", "FontSizeChange");
        row("font size picked", "FontSize", "index", "FontSizeChange");
        row("font colour", "cbx_fontColor", "index", "cbx_fontColorChange");
        row("bold", "BoldButton", "click", "BoldButtonClick");
        row("underline", "UnderlineButton", "click", "UnderlineButtonClick");
        row("save default font", "tb_fontSave", "click", "tb_fontSaveClick");
        row("auto select switch", "Check_AutoSelectAllCanUseItem", "click", "Check_AutoSelectAllCanUseItemClick");
        row("special symbol", "Tb_tsfh", "click", "Tb_tsfhClick");
        row("hip defaults click", "SpeedButton1", "click", "SpeedButton1Click");
        row("hip defaults double-click", "SpeedButton1", "dblclick", "SpeedButton1DblClick");
        row("copy", "N_copy", "trigger", "N_copyClick");
        row("cut", "N_cut", "trigger", "N_cutClick");
        row("paste", "N_paste", "trigger", "N_pasteClick");
        for (const QString& c : kHipCombos) {
            QTest::newRow(qPrintable(c + " double-click")) << c << "dblclick" << c + "DblClick";
            QTest::newRow(qPrintable(c + " double-click in its edit")) << c << "dblclick-edit" << c + "DblClick";
        }
        // Controls without a handler.
        for (const char* c : {"ItalicButton", "LeftAlign", "CenterAlign", "RightAlign", "BulletsButton", "tb_Check_Add",
                              "Check_YinYiang"})
            row(qPrintable(QStringLiteral("%1 has no handler").arg(c)), c, "click", "");
        row("menu font tool bar has no handler", "N_showFontTool", "trigger", "");
        for (const char* c : {"edt_weiJiZhi", "Cbx_TanTouRate", "cbx_jcTuJing", "cbx_ImageQuality", "Cbx_ReportDoctor",
                              "cbx_ExamDoctor", "Cbx_HuiZhenDoctor", "Cbx_ShenHedoctor"})
            row(qPrintable(QStringLiteral("%1 has no handler").arg(c)), c, "text", "");
        row("report date has no handler", "L_ReportDate", "date", "");
    }

    void wiring()
    {
        QFETCH(QString, control);
        QFETCH(QString, action);
        QFETCH(QString, handler);
        // Handlers that act on the current rich edit get one, and the form is editable.
        form->SetcontrolsEnable(true);
        form->current_Re = form->rich_jcsj;
        form->handlers.clear();

        QObject* target = form->findChild<QObject*>(control);
        QVERIFY(target);
        auto* w = qobject_cast<QWidget*>(target);
        if (action == QLatin1String("click")) {
            if (auto* re = qobject_cast<QTextEdit*>(w)) {
                QTest::mouseClick(re->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
            } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
                b->click();
            }
        } else if (action == QLatin1String("dblclick") || action == QLatin1String("dblclick-edit")) {
            QWidget* where = w;
            if (auto* c = qobject_cast<QComboBox*>(w); c && action == QLatin1String("dblclick-edit")) where = c->lineEdit();
            QTest::mouseDClick(where, Qt::LeftButton, {}, QPoint(5, 5));
        } else if (action == QLatin1String("text")) {
            if (auto* m = qobject_cast<QPlainTextEdit*>(w)) m->setPlainText(QStringLiteral("一行文字"));
            else if (auto* r = qobject_cast<QTextEdit*>(w)) r->setPlainText(QStringLiteral("一行文字"));
            else if (auto* c = qobject_cast<QComboBox*>(w)) c->setEditText(QStringLiteral("12"));
            else if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(QStringLiteral("12"));
        } else if (action == QLatin1String("index")) {
            auto* c = qobject_cast<QComboBox*>(w);
            const int next = c->itemText(3) == c->currentText() || c->currentIndex() == 3 ? 4 : 3;
            c->setCurrentIndex(next);
        } else if (action == QLatin1String("select")) {
            auto* re = qobject_cast<QTextEdit*>(w);
            re->setPlainText(QStringLiteral("abc def"));
            form->handlers.clear();
            QTextCursor cur = re->textCursor();
            cur.setPosition(1);
            cur.setPosition(4, QTextCursor::KeepAnchor);
            re->setTextCursor(cur);
        } else if (action == QLatin1String("focus")) {
            QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
            QCoreApplication::sendEvent(w, &in);
        } else if (action == QLatin1String("hover")) {
            QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), w->mapToGlobal(QPointF(3, 3)));
            QCoreApplication::sendEvent(w, &enter);
        } else if (action == QLatin1String("press")) {
            QTest::mousePress(qobject_cast<QTextEdit*>(w)->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
            QTest::mouseRelease(qobject_cast<QTextEdit*>(w)->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        } else if (action == QLatin1String("trigger")) {
            qobject_cast<QAction*>(target)->trigger();
        } else if (action == QLatin1String("date")) {
            auto* d = qobject_cast<QDateEdit*>(w);
            d->setDate(d->date().addDays(1));
        }

        if (handler.isEmpty()) {
            QVERIFY2(form->handlers.isEmpty(), qPrintable(form->handlers.join(QLatin1Char(','))));
        } else {
            QVERIFY2(form->handlers.contains(handler), qPrintable(form->handlers.join(QLatin1Char(','))));
        }
    }

    void richEditsShowTheirContextMenu()
    {
        QSignalSpy spy(form->rich_zdjx, &QWidget::customContextMenuRequested);
        QContextMenuEvent ev(QContextMenuEvent::Mouse, QPoint(4, 4));
        QCoreApplication::sendEvent(form->rich_zdjx->viewport(), &ev);
        QCOMPARE(spy.size(), 1);
        QTRY_VERIFY(form->Popup_richedit->isVisible());
        form->Popup_richedit->hide();
    }

    // Renders the form with sample content for people to look at.
    void screenshot()
    {
        form->SetcontrolsEnable(true);
        form->Memo_jcItem->setPlainText(QStringLiteral("髋关节超声（双侧）"));
        form->memo_jcmethod->setPlainText(QStringLiteral("经体表二维及彩色多普勒超声检查"));
        form->Memo_jcpart->setPlainText(QStringLiteral("双侧髋关节"));
        form->memo_lczd->setPlainText(QStringLiteral("发育性髋关节发育不良待排"));
        form->rich_jcsj->setPlainText(
            QStringLiteral("左侧髋关节：骨性髋臼顶凹面，骨性边缘锐利，软骨性髋臼顶覆盖股骨头良好，α角65°，β角50°。\n"
                           "右侧髋关节：骨性髋臼顶凹面，骨性边缘稍钝，软骨性髋臼顶覆盖股骨头良好，α角62°，β角52°。"));
        form->rich_zdjx->setPlainText(QStringLiteral("双侧髋关节超声检查未见明显异常（Graf Ⅰ型）。"));
        form->Memo_JianYi->setPlainText(QStringLiteral("建议三个月后复查。"));
        form->memo_beizhu->setPlainText(QStringLiteral("患儿检查时安静配合。"));
        form->Cbx_kgj_Left_α->setEditText(QStringLiteral("65"));
        form->Cbx_kgj_Right_α->setEditText(QStringLiteral("62"));
        form->Cbx_kgj_Left_β->setEditText(QStringLiteral("50"));
        form->Cbx_kgj_Right_β->setEditText(QStringLiteral("52"));
        form->Cbx_TanTouRate->setEditText(QStringLiteral("7.5MHz"));
        form->cbx_jcTuJing->setEditText(QStringLiteral("经体表"));
        form->cbx_ImageQuality->setEditText(QStringLiteral("甲级"));
        form->Cbx_ReportDoctor->setEditText(QStringLiteral("张医生"));
        form->cbx_ExamDoctor->setEditText(QStringLiteral("张医生"));
        form->Cbx_HuiZhenDoctor->setEditText(QStringLiteral("李医生"));
        form->Cbx_ShenHedoctor->setEditText(QStringLiteral("王医生"));
        form->L_ReportDate->setDate(QDate(2024, 5, 20));
        form->L_ShenHeDate->setDate(QDate(2024, 5, 20));
        form->FontName->setCurrentFont(QFont(QStringLiteral("微软雅黑")));
        form->FontSize->setEditText(QStringLiteral("12"));
        SettleLayout(form.get());
        // Tall enough to show every section at once.
        form->resize(616, form->ScrollBox_Content->sizeHint().height() + 2);
        SettleLayout(form.get());

        const QString dir = QStringLiteral(WR_BINARY_DIR "/screenshots");
        QVERIFY(QDir().mkpath(dir));
        const QString file = dir + QStringLiteral("/report-form.png");
        QFile::remove(file);
        QVERIFY(form->grab().save(file));
        QVERIFY(QFileInfo(file).size() > 1000);
        qInfo("screenshot: %s", qPrintable(file));
        // The same report locked, as it shows right after opening.
        form->SetcontrolsEnable(false);
        SettleLayout(form.get());
        const QString locked = dir + QStringLiteral("/report-form-locked.png");
        QVERIFY(form->grab().save(locked));
    }
};

QTEST_MAIN(TestFormLayout)
#include "tst_form_layout.moc"
