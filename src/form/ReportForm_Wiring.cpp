// SPDX-License-Identifier: MIT
// Connects every control event to the form's handler of the same name. Signals cover
// clicks and changes; an event filter covers what Qt reports as events: the rich edits'
// click, enter, mouse down, mouse enter and mouse activate, and the double-clicks of the
// hip-joint boxes and their caption button.
#include "ReportForm_Editing.h"
#include "ReportUnit.h"
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QToolButton>

// Runs `handler` of this form with `sender` when `signal` of `sender` fires.
#define WR_WIRE(sender, signal, handler)                                                          \
    connect(sender, signal, this, [this] {                                                        \
        TraceHandler(#handler);                                                                   \
        handler(sender);                                                                          \
    })

void TReportForm::WireEvents()
{
    WR_WIRE(sb_jcitem, &QToolButton::clicked, sb_jcitemClick);
    WR_WIRE(sb_jcMethod, &QToolButton::clicked, sb_jcMethodClick);
    WR_WIRE(Lab_jcpart, &QToolButton::clicked, Lab_jcpartClick);
    WR_WIRE(lab_lczd, &QToolButton::clicked, lab_lczdClick);
    WR_WIRE(lab_yxbx, &QToolButton::clicked, lab_yxbxClick);
    WR_WIRE(lab_zdyx, &QToolButton::clicked, lab_yxbxClick);
    WR_WIRE(lab_Jianyi, &QToolButton::clicked, lab_JianyiClick);
    WR_WIRE(lab_beizhu, &QToolButton::clicked, lab_beizhuClick);
    InstallKeyboardAccess(*this);

    WR_WIRE(Memo_jcItem, &QPlainTextEdit::textChanged, Memo_jcItemChange);
    WR_WIRE(memo_jcmethod, &QPlainTextEdit::textChanged, memo_jcmethodChange);
    WR_WIRE(Memo_jcpart, &QPlainTextEdit::textChanged, Memo_jcpartChange);
    WR_WIRE(memo_lczd, &QPlainTextEdit::textChanged, memo_lczdChange);
    WR_WIRE(Memo_JianYi, &QPlainTextEdit::textChanged, memo_jcmethodChange);
    WR_WIRE(memo_beizhu, &QPlainTextEdit::textChanged, memo_jcmethodChange);

    WR_WIRE(rich_jcsj, &QTextEdit::textChanged, rich_jcsjChange);
    WR_WIRE(rich_jcsj, &QTextEdit::cursorPositionChanged, rich_jcsjSelectionChange);
    WR_WIRE(rich_jcsj, &QTextEdit::selectionChanged, rich_jcsjSelectionChange);
    WR_WIRE(rich_zdjx, &QTextEdit::textChanged, rich_zdjxChange);
    WR_WIRE(rich_zdjx, &QTextEdit::cursorPositionChanged, rich_zdjxSelectionChange);
    WR_WIRE(rich_zdjx, &QTextEdit::selectionChanged, rich_zdjxSelectionChange);

    WR_WIRE(FontName, &QFontComboBox::currentIndexChanged, FontNameChange);
    WR_WIRE(FontSize, &QComboBox::editTextChanged, FontSizeChange);
    WR_WIRE(cbx_fontColor, &QComboBox::currentIndexChanged, cbx_fontColorChange);
    WR_WIRE(BoldButton, &QToolButton::clicked, BoldButtonClick);
    WR_WIRE(UnderlineButton, &QToolButton::clicked, UnderlineButtonClick);
    WR_WIRE(tb_fontSave, &QToolButton::clicked, tb_fontSaveClick);
    WR_WIRE(Check_AutoSelectAllCanUseItem, &QCheckBox::clicked, Check_AutoSelectAllCanUseItemClick);
    WR_WIRE(Tb_tsfh, &QToolButton::clicked, Tb_tsfhClick);
    WR_WIRE(SpeedButton1, &QToolButton::clicked, SpeedButton1Click);

    WR_WIRE(N_copy, &QAction::triggered, N_copyClick);
    WR_WIRE(N_cut, &QAction::triggered, N_cutClick);
    WR_WIRE(N_paste, &QAction::triggered, N_pasteClick);

    for (QTextEdit* re : {rich_jcsj, rich_zdjx}) {
        connect(re, &QTextEdit::customContextMenuRequested, this,
                [this, re](const QPoint& pos) { Popup_richedit->popup(re->viewport()->mapToGlobal(pos)); });
        re->installEventFilter(this);
        re->viewport()->installEventFilter(this);
    }
    SpeedButton1->installEventFilter(this);
    for (QComboBox* c : {Cbx_kgj_Left_BaseLine, Cbx_kgj_Right_BaseLine, Cbx_kgj_Left_kjgd, Cbx_kgj_Right_kjgd,
                         Cbx_kgj_Left_gxtq, Cbx_kgj_Right_gxtq, Cbx_kgj_Left_rgyc, Cbx_kgj_Right_rgyc, Cbx_kgj_Left_gxzx,
                         Cbx_kgj_Right_gxzx, Cbx_kgj_Left_α, Cbx_kgj_Right_α, Cbx_kgj_Left_β, Cbx_kgj_Right_β}) {
        c->installEventFilter(this);
        if (c->lineEdit()) c->lineEdit()->installEventFilter(this);
    }
}

#undef WR_WIRE

bool TReportForm::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    // Rich edits: the frame widget gets focus and enter; its viewport gets the mouse.
    for (QTextEdit* re : {rich_jcsj, rich_zdjx}) {
        const bool isJcsj = re == rich_jcsj;
        if (watched == re) {
            if (type == QEvent::FocusIn) {
                TraceHandler(isJcsj ? "rich_jcsjEnter" : "rich_zdjxEnter");
                isJcsj ? rich_jcsjEnter(re) : rich_zdjxEnter(re);
            } else if (type == QEvent::Enter) {
                TraceHandler(isJcsj ? "rich_jcsjMouseEnter" : "rich_zdjxMouseEnter");
                isJcsj ? rich_jcsjMouseEnter(re) : rich_zdjxMouseEnter(re);
            }
            return false;
        }
        if (watched == re->viewport()) {
            if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
                auto* me = static_cast<QMouseEvent*>(event);
                const QPoint pos = me->position().toPoint();
                if (isJcsj) {
                    TraceHandler("rich_jcsjMouseDown");
                    rich_jcsjMouseDown(re, me->button(), me->modifiers(), pos.x(), pos.y());
                } else {
                    TraceHandler("rich_zdjxMouseActivate");
                    rich_zdjxMouseActivate(re);
                    TraceHandler("rich_zdjxMouseDown");
                    rich_zdjxMouseDown(re, me->button(), me->modifiers(), pos.x(), pos.y());
                }
            } else if (type == QEvent::MouseButtonRelease) {
                auto* me = static_cast<QMouseEvent*>(event);
                if (me->button() == Qt::LeftButton && re->viewport()->rect().contains(me->position().toPoint())) {
                    TraceHandler(isJcsj ? "rich_jcsjClick" : "rich_zdjxClick");
                    isJcsj ? rich_jcsjClick(re) : rich_zdjxClick(re);
                }
            }
            return false;
        }
    }

    if (type != QEvent::MouseButtonDblClick) return QWidget::eventFilter(watched, event);
    if (watched == SpeedButton1) {
        TraceHandler("SpeedButton1DblClick");
        SpeedButton1DblClick(SpeedButton1);
        return false;
    }
    // A hip-joint box or the edit line inside it.
    auto* combo = qobject_cast<QComboBox*>(watched);
    if (!combo && watched->parent()) combo = qobject_cast<QComboBox*>(watched->parent());
    // A filter sees events that a disabled widget would ignore: a locked report's boxes
    // cannot be double-clicked, so they store no default.
    if (!combo || !combo->isEnabled()) return false;
    using THandler = void (TReportForm::*)(QObject*);
    struct TDbl {
        QComboBox* box;
        THandler handler;
        const char* name;
    };
    const TDbl table[] = {
        {Cbx_kgj_Left_BaseLine, &TReportForm::Cbx_kgj_Left_BaseLineDblClick, "Cbx_kgj_Left_BaseLineDblClick"},
        {Cbx_kgj_Right_BaseLine, &TReportForm::Cbx_kgj_Right_BaseLineDblClick, "Cbx_kgj_Right_BaseLineDblClick"},
        {Cbx_kgj_Left_kjgd, &TReportForm::Cbx_kgj_Left_kjgdDblClick, "Cbx_kgj_Left_kjgdDblClick"},
        {Cbx_kgj_Right_kjgd, &TReportForm::Cbx_kgj_Right_kjgdDblClick, "Cbx_kgj_Right_kjgdDblClick"},
        {Cbx_kgj_Left_gxtq, &TReportForm::Cbx_kgj_Left_gxtqDblClick, "Cbx_kgj_Left_gxtqDblClick"},
        {Cbx_kgj_Right_gxtq, &TReportForm::Cbx_kgj_Right_gxtqDblClick, "Cbx_kgj_Right_gxtqDblClick"},
        {Cbx_kgj_Left_rgyc, &TReportForm::Cbx_kgj_Left_rgycDblClick, "Cbx_kgj_Left_rgycDblClick"},
        {Cbx_kgj_Right_rgyc, &TReportForm::Cbx_kgj_Right_rgycDblClick, "Cbx_kgj_Right_rgycDblClick"},
        {Cbx_kgj_Left_gxzx, &TReportForm::Cbx_kgj_Left_gxzxDblClick, "Cbx_kgj_Left_gxzxDblClick"},
        {Cbx_kgj_Right_gxzx, &TReportForm::Cbx_kgj_Right_gxzxDblClick, "Cbx_kgj_Right_gxzxDblClick"},
        {Cbx_kgj_Left_α, &TReportForm::Cbx_kgj_Left_αDblClick, "Cbx_kgj_Left_αDblClick"},
        {Cbx_kgj_Right_α, &TReportForm::Cbx_kgj_Right_αDblClick, "Cbx_kgj_Right_αDblClick"},
        {Cbx_kgj_Left_β, &TReportForm::Cbx_kgj_Left_βDblClick, "Cbx_kgj_Left_βDblClick"},
        {Cbx_kgj_Right_β, &TReportForm::Cbx_kgj_Right_βDblClick, "Cbx_kgj_Right_βDblClick"},
    };
    for (const auto& d : table) {
        if (d.box == combo) {
            TraceHandler(d.name);
            (this->*d.handler)(combo);
            break;
        }
    }
    return false;
}
