// SPDX-License-Identifier: MIT
// Remembered doctor positions: written after every successful save, read at every open,
// and applied to incomplete reports by loading.
#include "ReportUnit.h"
#include <QComboBox>

namespace {

const QString kSection = QStringLiteral("Configuration/TReportForm");

// Selects entry `index`; a position that names no entry leaves nothing selected and
// nothing shown.
void SelectEntry(QComboBox* box, int index)
{
    box->setCurrentIndex(index);
    if (box->currentIndex() < 0) box->setEditText(QString());
}

// The position of the entry the box shows, -1 when its text was typed or is empty. The
// shown text decides: a text typed over a selected entry no longer counts as that entry.
int ShownEntryIndex(const QComboBox* box)
{
    const QString shown = box->currentText();
    const int current = box->currentIndex();
    if (current >= 0 && box->itemText(current) == shown) return current;
    return box->findText(shown, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

} // namespace

void TReportForm::Load_DoctorsIndexFromConfigFile()
{
    FdefaultexamctorIndex = -1;
    FdefaultreportDoctorIndex = -1;
    FdefaulthuiZhuidoctorIndex = -1;
    FdefaultSheHeDoctor = -1;
    try {
        IMainFrom* host = MainForm();
        FdefaultexamctorIndex = host->GetConfig_Integer(kSection, QStringLiteral("cbx_ExamDoctor_index"));
        FdefaultreportDoctorIndex = host->GetConfig_Integer(kSection, QStringLiteral("Cbx_ReportDoctor_index"));
        FdefaulthuiZhuidoctorIndex = host->GetConfig_Integer(kSection, QStringLiteral("Cbx_HuiZhenDoctor_index"));
        FdefaultSheHeDoctor = host->GetConfig_Integer(kSection, QStringLiteral("Cbx_ShenHedoctor_index"));
        // Only the upper bound counts: a negative position clears the selection.
        if (FdefaultreportDoctorIndex < Cbx_ReportDoctor->count()) SelectEntry(Cbx_ReportDoctor, FdefaultreportDoctorIndex);
        if (FdefaulthuiZhuidoctorIndex < Cbx_HuiZhenDoctor->count()) SelectEntry(Cbx_HuiZhenDoctor, FdefaulthuiZhuidoctorIndex);
        if (FdefaultSheHeDoctor < Cbx_ShenHedoctor->count()) SelectEntry(Cbx_ShenHedoctor, FdefaultSheHeDoctor);
    } catch (...) {
        // Remembered doctors are a convenience: without them the report opens all the same.
    }
}

void TReportForm::Save_DoctorsIndexToConfigFile()
{
    IMainFrom* host = MainForm();
    host->SetConfig_Integer(kSection, QStringLiteral("cbx_ExamDoctor_index"), ShownEntryIndex(cbx_ExamDoctor));
    host->SetConfig_Integer(kSection, QStringLiteral("Cbx_ReportDoctor_index"), ShownEntryIndex(Cbx_ReportDoctor));
    host->SetConfig_Integer(kSection, QStringLiteral("Cbx_HuiZhenDoctor_index"), ShownEntryIndex(Cbx_HuiZhenDoctor));
    host->SetConfig_Integer(kSection, QStringLiteral("Cbx_ShenHedoctor_index"), ShownEntryIndex(Cbx_ShenHedoctor));
}

QString TReportForm::SelectRememberedDoctor(TDoctorBox box)
{
    QComboBox* list = nullptr;
    int index = -1;
    switch (box) {
    case TDoctorBox::Exam: list = cbx_ExamDoctor; index = FdefaultexamctorIndex; break;
    case TDoctorBox::Report: list = Cbx_ReportDoctor; index = FdefaultreportDoctorIndex; break;
    case TDoctorBox::HuiZhen: list = Cbx_HuiZhenDoctor; index = FdefaulthuiZhuidoctorIndex; break;
    case TDoctorBox::ShenHe: list = Cbx_ShenHedoctor; index = FdefaultSheHeDoctor; break;
    }
    SelectEntry(list, index);
    return list->currentText();
}
