// SPDX-License-Identifier: MIT
#include "ReportUnit.h"

QTextCharFormat TReportForm::CurrText(QTextEdit* re)
{
    return {};
}

void TReportForm::SelectionChange(QObject* Sender, QTextEdit* re) {}

void TReportForm::SetReTextAttributes(const TmyfontStyle& ufont, Topfnt uop) {}

void TReportForm::rich_jcsjSelectionChange(QObject* Sender) {}

void TReportForm::rich_zdjxSelectionChange(QObject* Sender) {}

void TReportForm::FontNameChange(QObject* Sender) {}

void TReportForm::FontSizeChange(QObject* Sender) {}

void TReportForm::cbx_fontColorChange(QObject* Sender) {}

void TReportForm::BoldButtonClick(QObject* Sender) {}

void TReportForm::UnderlineButtonClick(QObject* Sender) {}

void TReportForm::N_copyClick(QObject* Sender) {}

void TReportForm::N_cutClick(QObject* Sender) {}

void TReportForm::N_pasteClick(QObject* Sender) {}
