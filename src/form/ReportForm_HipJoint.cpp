// SPDX-License-Identifier: MIT
// The hip-joint panel's stored defaults: a double-click on a box stores its text in
// "cbxCfg_GuGuanJie.ini" beside the program (section = the box's tag, key "DefaultValue"),
// SpeedButton1 writes every stored text back into the boxes. Files written by the Windows
// workstation (GBK, unquoted values such as 宽,强) read as they were meant.
#include "GrafHints.h"
#include "ReportUnit.h"
#include "SectionPanel.h"
#include "platform/DialogService.h"
#include "platform/Exception.h"
#include "platform/IniFile.h"
#include "platform/ProgramDir.h"
#include "report/GrafHipType.h"
#include <QComboBox>
#include <QLabel>

namespace {

const QString kDefaultKey = QStringLiteral("DefaultValue");

QString DefaultsFile() { return ProgramDir() + QStringLiteral("cbxCfg_GuGuanJie.ini"); }

int TagOf(const QObject* box) { return box->property("Tag").toInt(); }

QString GrafHint(const QComboBox* alpha, const QComboBox* beta)
{
    const QString type = GrafHipType(alpha->currentText(), beta->currentText());
    return type.isEmpty() ? QString() : QStringLiteral("Graf分型：") + type;
}

QLabel* AddGrafHint(QWidget* panel, const char* name, const QComboBox* alpha, const QComboBox* beta)
{
    auto* label = new QLabel(panel);
    label->setObjectName(QString::fromUtf8(name));
    // Under the β box, in the space between the last row and the panel's separator.
    label->setGeometry(alpha->x(), beta->y() + beta->height() + 1, alpha->width(), label->fontMetrics().height());
    label->setToolTip(QStringLiteral("按α角、β角提示的Graf分型，仅供参考；II型分IIa或IIb需结合月龄"));
    const auto update = [label, alpha, beta] { label->setText(GrafHint(alpha, beta)); };
    QObject::connect(alpha, &QComboBox::editTextChanged, label, update);
    QObject::connect(beta, &QComboBox::editTextChanged, label, update);
    update();
    return label;
}

}  // namespace

void InstallGrafHints(TReportForm& form)
{
    AddGrafHint(form.Panel_kuanGuanJie, "lab_kgj_Left_Graf", form.Cbx_kgj_Left_α, form.Cbx_kgj_Left_β);
    AddGrafHint(form.Panel_kuanGuanJie, "lab_kgj_Right_Graf", form.Cbx_kgj_Right_α, form.Cbx_kgj_Right_β);
}

void TReportForm::SaveGgjCbxItemInexDefault(QObject* Sender)
{
    const auto* box = qobject_cast<const QComboBox*>(Sender);
    if (!box) return;
    try {
        TIniFile(DefaultsFile()).WriteString(QString::number(TagOf(box)), kDefaultKey, box->currentText());
    } catch (const Exception& e) {
        ShowMessage(e.Message(), this);
        return;
    }
    ShowMessage(QStringLiteral("默认值保存成功！"), this);
}

void TReportForm::LoadGgjCbxItemIndexDefault()
{
    QComboBox* const boxes[] = {Cbx_kgj_Left_BaseLine, Cbx_kgj_Right_BaseLine, Cbx_kgj_Left_kjgd, Cbx_kgj_Right_kjgd,
                                Cbx_kgj_Left_gxtq,     Cbx_kgj_Right_gxtq,     Cbx_kgj_Left_rgyc, Cbx_kgj_Right_rgyc,
                                Cbx_kgj_Left_gxzx,     Cbx_kgj_Right_gxzx,     Cbx_kgj_Left_α,    Cbx_kgj_Right_α,
                                Cbx_kgj_Left_β,        Cbx_kgj_Right_β};
    try {
        const TIniFile ini(DefaultsFile());
        for (int t = 0; t <= 13; ++t) {
            for (QComboBox* box : boxes) {
                // The stored text as it is, whether or not it is one of the box's entries.
                if (TagOf(box) == t) box->setEditText(ini.ReadString(QString::number(t), kDefaultKey, QString()));
            }
        }
    } catch (const Exception& e) {
        ShowMessage(e.Message(), this);
    }
}

void TReportForm::SpeedButton1Click(QObject* Sender) { LoadGgjCbxItemIndexDefault(); }

void TReportForm::SpeedButton1DblClick(QObject* Sender) { LoadGgjCbxItemIndexDefault(); }

void TReportForm::Cbx_kgj_Left_BaseLineDblClick(QObject* Sender) { SaveGgjCbxItemInexDefault(Sender); }
void TReportForm::Cbx_kgj_Right_BaseLineDblClick(QObject* Sender) { SaveGgjCbxItemInexDefault(Sender); }
void TReportForm::Cbx_kgj_Left_kjgdDblClick(QObject* Sender) { SaveGgjCbxItemInexDefault(Sender); }
void TReportForm::Cbx_kgj_Right_kjgdDblClick(QObject* Sender) { SaveGgjCbxItemInexDefault(Sender); }
void TReportForm::Cbx_kgj_Left_gxtqDblClick(QObject* Sender) { SaveGgjCbxItemInexDefault(Sender); }
void TReportForm::Cbx_kgj_Right_gxtqDblClick(QObject* Sender) { SaveGgjCbxItemInexDefault(Sender); }
void TReportForm::Cbx_kgj_Left_rgycDblClick(QObject* Sender) { SaveGgjCbxItemInexDefault(Sender); }
void TReportForm::Cbx_kgj_Right_rgycDblClick(QObject* Sender) { SaveGgjCbxItemInexDefault(Sender); }
void TReportForm::Cbx_kgj_Left_gxzxDblClick(QObject* Sender) { SaveGgjCbxItemInexDefault(Sender); }
void TReportForm::Cbx_kgj_Right_gxzxDblClick(QObject* Sender) { SaveGgjCbxItemInexDefault(Sender); }
void TReportForm::Cbx_kgj_Left_αDblClick(QObject* Sender) { SaveGgjCbxItemInexDefault(Sender); }
void TReportForm::Cbx_kgj_Right_αDblClick(QObject* Sender) { SaveGgjCbxItemInexDefault(Sender); }
void TReportForm::Cbx_kgj_Left_βDblClick(QObject* Sender) { SaveGgjCbxItemInexDefault(Sender); }
void TReportForm::Cbx_kgj_Right_βDblClick(QObject* Sender) { SaveGgjCbxItemInexDefault(Sender); }
