// SPDX-License-Identifier: MIT
// The control tree of the report form: scroll box, the stacked section panels, the
// formatting tool bar, the text sections and the context menu. The hip-joint, other-values
// and report-state panels are built in ReportForm_LayoutPanels.cpp.
#include "Glyphs.h"
#include "LayoutHelpers.h"
#include "ReportUnit.h"
#include "SectionPanel.h"
#include <QFontComboBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextEdit>
#include "RichPaste.h"
#include <QToolBar>
#include <QVBoxLayout>

using namespace formbuild;

namespace {
struct TSectionDef {
    TSectionPanel* TReportForm::*panel;
    const char* name;
    int height;
    QFrame* TReportForm::*separator;
    const char* separatorName;
};

// The sections top to bottom with their design heights.
const TSectionDef kSections[] = {
    {&TReportForm::Panel_FontToolBar, "Panel_FontToolBar", 30, nullptr, nullptr},
    {&TReportForm::panel_jcitem, "panel_jcitem", 34, &TReportForm::Shape1, "Shape1"},
    {&TReportForm::panel_jcmethod, "panel_jcmethod", 35, &TReportForm::Shape2, "Shape2"},
    {&TReportForm::panel_jcpart, "panel_jcpart", 36, &TReportForm::Shape4, "Shape4"},
    {&TReportForm::panel_lczd, "panel_lczd", 36, &TReportForm::Shape6, "Shape6"},
    {&TReportForm::Panel_kuanGuanJie, "Panel_kuanGuanJie", 267, &TReportForm::Shape11, "Shape11"},
    {&TReportForm::panel_yxbx, "panel_yxbx", 38, &TReportForm::Shape3, "Shape3"},
    {&TReportForm::panel_zdyx, "panel_zdyx", 36, &TReportForm::Shape5, "Shape5"},
    {&TReportForm::Panel_JianYi, "Panel_JianYi", 35, &TReportForm::Shape9, "Shape9"},
    {&TReportForm::panel_beizhu, "panel_beizhu", 35, &TReportForm::Shape7, "Shape7"},
    {&TReportForm::Panel_Other, "Panel_Other", 62, &TReportForm::Shape8, "Shape8"},
    {&TReportForm::panel_reportState, "panel_reportState", 97, &TReportForm::Shape10, "Shape10"},
};

QFont FormFont(int pixelSize)
{
    QFont f(QStringLiteral("微软雅黑"));
    f.setPixelSize(pixelSize);
    return f;
}

void SetRole(QWidget* w, QPalette::ColorRole role, const QColor& c)
{
    QPalette p = w->palette();
    p.setColor(role, c);
    w->setPalette(p);
}

// Text controls keep their selection plainly visible while the focus is elsewhere.
void KeepSelectionVisible(QWidget* w)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    w->setPalette(p);
}

QPlainTextEdit* Memo(QWidget* parent, const char* name, int x, int y, int w, int h)
{
    auto* m = new QPlainTextEdit(parent);
    m->setObjectName(QString::fromUtf8(name));
    m->setFrameShape(QFrame::NoFrame);
    m->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m->document()->setDocumentMargin(2);
    KeepSelectionVisible(m);
    m->setGeometry(x, y, w, h);
    return m;
}

QTextEdit* Rich(QWidget* parent, const char* name, int x, int y, int w, int h)
{
    auto* r = new TRichEdit(parent);
    r->setObjectName(QString::fromUtf8(name));
    r->setFont(FormFont(13));
    r->setFrameStyle(QFrame::Box | QFrame::Plain);
    r->setLineWidth(1);
    r->setAcceptRichText(true);
    r->setLineWrapMode(QTextEdit::WidgetWidth);
    // The section grows with its content, so the box itself never needs to scroll.
    r->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    r->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    r->setContextMenuPolicy(Qt::CustomContextMenu);
    QPalette p = r->palette();
    p.setColor(QPalette::WindowText, QColor(0xA0, 0xA0, 0xA0));  // the 1-pixel border
    r->setPalette(p);
    // The tool bar formats the selection while the tool bar has the focus.
    KeepSelectionVisible(r);
    r->setPlainText(QStringLiteral("RichEdit1"));
    r->setGeometry(x, y, w, h);
    return r;
}

QToolButton* ToolButton(QToolBar* bar, const char* name, const QIcon& glyph, const QString& text, bool checkable,
                        QAction** action)
{
    auto* b = new QToolButton;
    b->setObjectName(QString::fromUtf8(name));
    b->setIcon(glyph);
    b->setText(text);
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setCheckable(checkable);
    if (bar) {
        QAction* a = bar->addWidget(b);
        if (action) *action = a;
    }
    return b;
}
} // namespace

void TReportForm::BuildControls()
{
    setObjectName(QStringLiteral("ReportForm"));
    setWindowTitle(QStringLiteral("ReportForm"));
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setFont(FormFont(13));
    setAutoFillBackground(true);
    resize(616, 761);

    ImageList1 = PopupMenuGlyphs();
    ImageList2 = ToolBarGlyphs();

    const QColor grey = ColorToQColor(clLockedGrey);
    ScrollBox_Report = new QScrollArea(this);
    ScrollBox_Report->setObjectName(QStringLiteral("ScrollBox_Report"));
    ScrollBox_Report->setFrameShape(QFrame::NoFrame);
    ScrollBox_Report->setWidgetResizable(true);
    ScrollBox_Report->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Always shown: a bar that came and went would change the width, re-wrap the sections
    // and so change the height that made it come or go.
    ScrollBox_Report->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ScrollBox_Report->verticalScrollBar()->setSingleStep(20);
    SetRole(ScrollBox_Report->viewport(), QPalette::Window, grey);

    ScrollBox_Content = new QWidget;
    ScrollBox_Content->setObjectName(QStringLiteral("ScrollBox_Content"));
    ScrollBox_Content->setAutoFillBackground(true);
    SetRole(ScrollBox_Content, QPalette::Window, grey);
    auto* stack = new QVBoxLayout(ScrollBox_Content);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);

    for (const auto& def : kSections) {
        auto* panel = new TSectionPanel(ScrollBox_Content);
        panel->setObjectName(QString::fromUtf8(def.name));
        panel->resize(612, def.height);
        panel->SetPanelHeight(def.height);
        SetRole(panel, QPalette::Window, Qt::white);
        if (def.separator) {
            auto* line = new QFrame(panel);
            line->setObjectName(QString::fromUtf8(def.separatorName));
            line->setFrameShape(QFrame::NoFrame);
            line->setAutoFillBackground(true);
            SetRole(line, QPalette::Window, kNavy);
            panel->SetSeparator(line);
            this->*def.separator = line;
        }
        this->*def.panel = panel;
        stack->addWidget(panel);
    }
    stack->addStretch(1);
    ScrollBox_Report->setWidget(ScrollBox_Content);

    panel_Bottom = new QFrame(this);
    panel_Bottom->setObjectName(QStringLiteral("panel_Bottom"));
    panel_Bottom->setFixedHeight(0);

    auto* formLayout = new QVBoxLayout(this);
    formLayout->setContentsMargins(0, 0, 0, 0);
    formLayout->setSpacing(0);
    formLayout->addWidget(ScrollBox_Report, 1);
    formLayout->addWidget(panel_Bottom);

    BuildToolBar();
    BuildTextSections();
    BuildHipJointPanel();
    BuildOtherPanel();
    BuildReportStatePanel();
    BuildPopupMenu();
}

void TReportForm::BuildToolBar()
{
    Panel_FontToolBar->SetBorderColor(QColor(0xC0, 0xC0, 0xC0));  // silver
    SetRole(Panel_FontToolBar, QPalette::Window, palette().color(QPalette::Button));

    CoolBar1 = new QFrame(Panel_FontToolBar);
    CoolBar1->setObjectName(QStringLiteral("CoolBar1"));
    auto* band = new QHBoxLayout(CoolBar1);
    band->setContentsMargins(2, 1, 2, 1);
    ToolBar1 = new QToolBar(CoolBar1);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setMinimumHeight(24);
    band->addWidget(ToolBar1);
    CoolBar1->setGeometry(1, 1, 610, 28);
    Panel_FontToolBar->AnchorRight(CoolBar1, 1);

    FontName = new QFontComboBox(ToolBar1);
    FontName->setObjectName(QStringLiteral("FontName"));
    FontName->setFont(FormFont(12));
    FontName->setFixedWidth(170);
    ToolBar1->addWidget(FontName);

    FontSize = new QComboBox(ToolBar1);
    FontSize->setObjectName(QStringLiteral("FontSize"));
    FontSize->setFont(FormFont(12));
    FontSize->setEditable(true);
    FontSize->setInsertPolicy(QComboBox::NoInsert);
    FontSize->addItems({QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("10"),
                        QStringLiteral("11"), QStringLiteral("12"), QStringLiteral("13"), QStringLiteral("14"),
                        QStringLiteral("15"), QStringLiteral("16"), QStringLiteral("16"), QStringLiteral("17"),
                        QStringLiteral("18"), QStringLiteral("19"), QStringLiteral("20"), QStringLiteral("21"),
                        QStringLiteral("22"), QStringLiteral("23"), QStringLiteral("24"), QStringLiteral("25"),
                        QStringLiteral("26"), QStringLiteral("27")});
    FontSize->setCurrentIndex(-1);
    FontSize->setFixedWidth(52);
    ToolBar1->addWidget(FontSize);

    cbx_fontColor = new TColorComboBox(ToolBar1);
    cbx_fontColor->setObjectName(QStringLiteral("cbx_fontColor"));
    cbx_fontColor->setFont(FormFont(12));
    cbx_fontColor->setFixedWidth(84);
    ToolBar1->addWidget(cbx_fontColor);

    struct {
        QToolButton* TReportForm::*button;
        const char* name;
        int glyph;
    } const hidden[] = {
        {&TReportForm::BoldButton, "BoldButton", 0},     {&TReportForm::UnderlineButton, "UnderlineButton", 1},
        {&TReportForm::ItalicButton, "ItalicButton", 2}, {&TReportForm::LeftAlign, "LeftAlign", 7},
        {&TReportForm::CenterAlign, "CenterAlign", 3},   {&TReportForm::RightAlign, "RightAlign", 6},
        {&TReportForm::BulletsButton, "BulletsButton", 5},
    };
    for (const auto& h : hidden) {
        // Kept out of the bar's layout: a bar disables the widgets of its hidden actions,
        // and these stay enabled so their down state can still follow the selection.
        QToolButton* b = ToolButton(nullptr, h.name, ImageList2.at(h.glyph), QString(), true, nullptr);
        b->setParent(ToolBar1);
        b->hide();
        this->*h.button = b;
    }
    tb_fontSave = ToolButton(ToolBar1, "tb_fontSave", ImageList2.at(4), QStringLiteral("df"), false, nullptr);
    tb_fontSave->setToolTip(QStringLiteral("保存默认的字体格式"));

    tb_Check_Add = Check(ToolBar1, "tb_Check_Add", QStringLiteral("追加"));
    ToolBar1->addWidget(tb_Check_Add);
    Check_AutoSelectAllCanUseItem = Check(ToolBar1, "Check_AutoSelectAllCanUseItem", QStringLiteral("自动选择项目"));
    Check_AutoSelectAllCanUseItem->setToolTip(
        QStringLiteral("当前报告自动选择已登记的且没有被其它报告页面绑定的可用的检查项目！\n"
                       "如登记了十个项目，第一份报告选择了4个，那么余下的报告将自动选择其余的6个项目。\n"
                       "当有且只有一份报告时，自动选择全部项目，如果要取消部份项目，请点击检查项目按钮取消部份项目。\n"
                       "不勾选此选项，则所有项目要手工勾选！"));
    ToolBar1->addWidget(Check_AutoSelectAllCanUseItem);

    Tb_tsfh = ToolButton(ToolBar1, "Tb_tsfh", ImageList2.at(8), QStringLiteral("特殊符号"), false, nullptr);
    Tb_tsfh->setToolTip(QStringLiteral("特殊符号"));
}

void TReportForm::BuildTextSections()
{
    struct TTextDef {
        TSectionPanel* TReportForm::*panel;
        QToolButton* TReportForm::*caption;
        const char* captionName;
        const char* captionText;
        QPlainTextEdit* TReportForm::*memo;
        QTextEdit* TReportForm::*rich;
        const char* controlName;
        int top;
        int height;
    };
    const TTextDef defs[] = {
        {&TReportForm::panel_jcitem, &TReportForm::sb_jcitem, "sb_jcitem", "检查项目", &TReportForm::Memo_jcItem, nullptr,
         "Memo_jcItem", 2, 29},
        {&TReportForm::panel_jcmethod, &TReportForm::sb_jcMethod, "sb_jcMethod", "检查方法", &TReportForm::memo_jcmethod,
         nullptr, "memo_jcmethod", 3, 29},
        {&TReportForm::panel_jcpart, &TReportForm::Lab_jcpart, "Lab_jcpart", "检查部位", &TReportForm::Memo_jcpart, nullptr,
         "Memo_jcpart", 3, 29},
        {&TReportForm::panel_lczd, &TReportForm::lab_lczd, "lab_lczd", "临床诊断", &TReportForm::memo_lczd, nullptr,
         "memo_lczd", 3, 29},
        {&TReportForm::panel_yxbx, &TReportForm::lab_yxbx, "lab_yxbx", "影像表现", nullptr, &TReportForm::rich_jcsj,
         "rich_jcsj", 3, 30},
        {&TReportForm::panel_zdyx, &TReportForm::lab_zdyx, "lab_zdyx", "诊断印像", nullptr, &TReportForm::rich_zdjx,
         "rich_zdjx", 1, 32},
        {&TReportForm::Panel_JianYi, &TReportForm::lab_Jianyi, "lab_Jianyi", "建     议", &TReportForm::Memo_JianYi, nullptr,
         "Memo_JianYi", 4, 29},
        {&TReportForm::panel_beizhu, &TReportForm::lab_beizhu, "lab_beizhu", "备     注", &TReportForm::memo_beizhu, nullptr,
         "memo_beizhu", 3, 29},
    };
    for (const auto& d : defs) {
        TSectionPanel* panel = this->*d.panel;
        this->*d.caption = CaptionButton(panel, d.captionName, QString::fromUtf8(d.captionText), 2, 4);
        QWidget* control;
        if (d.memo) {
            control = this->*d.memo = Memo(panel, d.controlName, 67, d.top, 550, d.height);
        } else {
            control = this->*d.rich = Rich(panel, d.controlName, 67, d.top, 550, d.height);
        }
        panel->AnchorRight(control, 1);
    }
    Memo_jcItem->setReadOnly(true);
}

void TReportForm::BuildPopupMenu()
{
    Popup_richedit = new QMenu(this);
    Popup_richedit->setObjectName(QStringLiteral("Popup_richedit"));
    auto item = [this](const char* name, const QString& caption, int glyph) {
        QAction* a = Popup_richedit->addAction(ImageList1.at(glyph), caption);
        a->setObjectName(QString::fromUtf8(name));
        return a;
    };
    N_copy = item("N_copy", QStringLiteral("复制"), 0);
    N_cut = item("N_cut", QStringLiteral("剪切"), 1);
    N_paste = item("N_paste", QStringLiteral("粘贴"), 2);
    N1 = Popup_richedit->addSeparator();
    N1->setObjectName(QStringLiteral("N1"));
    // Radio-item look only: choosing it neither checks it nor runs anything.
    N_showFontTool = item("N_showFontTool", QStringLiteral("显示字体工具栏"), 3);
}
