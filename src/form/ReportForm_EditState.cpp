// SPDX-License-Identifier: MIT
// Locking and unlocking the form, the text change handlers that keep sections sized, and
// the rich-edit events that choose the rich edit the tool bar works on.
#include "ReportUnit.h"
#include "SectionPanel.h"
#include "platform/InputComposition.h"
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTextEdit>
#include <QToolButton>

namespace {
// Panels show their colour as the window background, input controls as their base.
QPalette::ColorRole BackgroundRole(const QWidget* w)
{
    if (qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QTextEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
        qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w))
        return QPalette::Base;
    return QPalette::Window;
}
} // namespace

QColor TReportForm::ControlColor(const QWidget* w)
{
    if (auto* area = qobject_cast<const QScrollArea*>(w)) {
        const QWidget* surface = area->widget() ? area->widget() : area->viewport();
        return surface->palette().color(QPalette::Active, QPalette::Window);
    }
    // The colour the control is given, not the dimmed one a disabled control is drawn with.
    return w->palette().color(QPalette::Active, BackgroundRole(w));
}

void TReportForm::SetControlColor(QWidget* w, TColor color)
{
    const QPalette::ColorRole role = BackgroundRole(w);
    QPalette p = w->palette();
    p.setColor(role, ColorToQColor(color));
    w->setPalette(p);
    if (role == QPalette::Window) w->setAutoFillBackground(true);
}

void TReportForm::SetcontrolsEnable(bool uEnable)
{
    // A read-only control takes no input-method commit: finish the word being composed first.
    if (!uEnable) CommitPendingComposition();
    FEditStatus = uEnable;

    sb_jcitem->setEnabled(uEnable);
    sb_jcMethod->setEnabled(uEnable);

    // Exam items come from binding or the host's picker only, never from typing.
    Memo_jcItem->setReadOnly(true);

    // Read-only rather than disabled, so a locked report can still be selected and copied.
    for (QPlainTextEdit* m : {memo_jcmethod, Memo_jcpart, memo_lczd, memo_beizhu, Memo_JianYi}) m->setReadOnly(!uEnable);
    for (QTextEdit* r : {rich_jcsj, rich_zdjx}) r->setReadOnly(!uEnable);

    const std::initializer_list<QComboBox*> valueCombos{Cbx_TanTouRate,   cbx_ImageQuality,  cbx_jcTuJing,
                                                        Cbx_ReportDoctor, Cbx_HuiZhenDoctor, cbx_ExamDoctor,
                                                        Cbx_ShenHedoctor};
    const std::initializer_list<QComboBox*> hipCombos{
        Cbx_kgj_Left_BaseLine,  Cbx_kgj_Left_kjgd,  Cbx_kgj_Left_gxtq,  Cbx_kgj_Left_rgyc, Cbx_kgj_Left_gxzx,
        Cbx_kgj_Left_α,         Cbx_kgj_Right_BaseLine, Cbx_kgj_Right_kjgd, Cbx_kgj_Right_gxtq, Cbx_kgj_Right_rgyc,
        Cbx_kgj_Right_gxzx,     Cbx_kgj_Right_β,    Cbx_kgj_Right_α,    Cbx_kgj_Left_β};
    for (QComboBox* c : valueCombos) c->setEnabled(uEnable);
    for (QWidget* w : std::initializer_list<QWidget*>{edt_weiJiZhi, Check_YinYiang, L_ReportDate, L_ShenHeDate})
        w->setEnabled(uEnable);
    for (QComboBox* c : hipCombos) c->setEnabled(uEnable);

    const TColor color = uEnable ? clEditableWhite : clLockedGrey;
    for (QWidget* panel : std::initializer_list<QWidget*>{panel_jcitem, panel_jcpart, panel_jcmethod, panel_yxbx,
                                                          panel_lczd, panel_zdyx, panel_beizhu, Panel_Other,
                                                          Panel_JianYi, panel_reportState, Panel_kuanGuanJie})
        SetControlColor(panel, color);
    for (QComboBox* c : valueCombos) SetControlColor(c, color);
    for (QWidget* w : std::initializer_list<QWidget*>{Memo_jcItem, memo_jcmethod, Memo_jcpart, memo_lczd, memo_beizhu,
                                                      rich_jcsj, rich_zdjx, Memo_JianYi})
        SetControlColor(w, color);
    for (QComboBox* c : hipCombos) SetControlColor(c, color);
}

bool TReportForm::GetReportIsEdited(const QString& rguid) { return FEditStatus; }

namespace {
QPlainTextEdit* MemoOf(QObject* sender, QPlainTextEdit* fallback)
{
    auto* m = qobject_cast<QPlainTextEdit*>(sender);
    return m ? m : fallback;
}
} // namespace

// The memo handlers resize whichever memo raised the change: memo_jcmethodChange also
// serves Memo_JianYi and memo_beizhu.
void TReportForm::Memo_jcItemChange(QObject* Sender) { FitMemoSection(MemoOf(Sender, Memo_jcItem)); }
void TReportForm::memo_jcmethodChange(QObject* Sender) { FitMemoSection(MemoOf(Sender, memo_jcmethod)); }
void TReportForm::Memo_jcpartChange(QObject* Sender) { FitMemoSection(MemoOf(Sender, Memo_jcpart)); }
void TReportForm::memo_lczdChange(QObject* Sender) { FitMemoSection(MemoOf(Sender, memo_lczd)); }

// While a save runs the rich edits are switched between wrapping modes to take their RTF;
// their sections keep the height they had.
void TReportForm::rich_jcsjChange(QObject* Sender) { FitRichSection(rich_jcsj); }
void TReportForm::rich_zdjxChange(QObject* Sender) { FitRichSection(rich_zdjx); }

void TReportForm::rich_jcsjClick(QObject* Sender) { current_Re = rich_jcsj; }
void TReportForm::rich_jcsjEnter(QObject* Sender) { current_Re = rich_jcsj; }
void TReportForm::rich_jcsjMouseDown(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    current_Re = rich_jcsj;
}
void TReportForm::rich_jcsjMouseEnter(QObject* Sender) { current_Re = rich_jcsj; }

void TReportForm::rich_zdjxClick(QObject* Sender) { current_Re = rich_zdjx; }
void TReportForm::rich_zdjxEnter(QObject* Sender) { current_Re = rich_zdjx; }
void TReportForm::rich_zdjxMouseActivate(QObject* Sender) { current_Re = rich_zdjx; }
void TReportForm::rich_zdjxMouseDown(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    current_Re = rich_zdjx;
}
void TReportForm::rich_zdjxMouseEnter(QObject* Sender) { current_Re = rich_zdjx; }
