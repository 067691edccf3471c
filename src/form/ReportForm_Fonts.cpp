// SPDX-License-Identifier: MIT
// The default font of the two rich-text sections: stored from the tool bar, applied at
// every open.
#include "ReportUnit.h"
#include "platform/DialogService.h"
#include <QComboBox>
#include <QFontComboBox>
#include <QTextEdit>

namespace {
const QString kFontSection = QStringLiteral("Configuration/TReportForm_Font");

int FontSizeFromText(const QString& text)
{
    bool ok = false;
    const int size = text.trimmed().toInt(&ok);
    if (!ok) throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    if (size <= 0) throw EConvertError(QStringLiteral("'%1' is not a valid font size").arg(text));
    return size;
}
} // namespace

void TReportForm::loadDefauleFonts()
{
    try {
        IMainFrom* host = MainForm();
        QString name = host->GetConfig_String(kFontSection, QStringLiteral("name"));
        QString size = host->GetConfig_String(kFontSection, QStringLiteral("Size"));
        QString color = host->GetConfig_String(kFontSection, QStringLiteral("color"));
        if (name.isEmpty()) name = QStringLiteral("宋体");
        if (size.isEmpty()) size = QStringLiteral("12");
        if (color.isEmpty()) color = QStringLiteral("clWindowText");
        // Both conversions come first, so a bad value changes neither editor.
        const QColor textColor = ColorToQColor(StringToColor(color));
        const int points = FontSizeFromText(size);
        for (QTextEdit* re : {rich_jcsj, rich_zdjx}) {
            QPalette pal = re->palette();
            pal.setColor(QPalette::Text, textColor);
            re->setPalette(pal);
            QFont font = re->font();
            font.setFamily(name);
            font.setPointSize(points);
            re->setFont(font);
        }
    } catch (const Exception& e) {
        Write_Log_TomfmAndLogbpl(QStringLiteral(" TReportForm.loadDefauleFonts"), QStringLiteral("异常:") + e.Message());
    } catch (const std::exception& e) {
        Write_Log_TomfmAndLogbpl(QStringLiteral(" TReportForm.loadDefauleFonts"), QStringLiteral("异常:") + QString::fromUtf8(e.what()));
    }
}

void TReportForm::Save_CurrentFontStyle()
{
    IMainFrom* host = MainForm();
    const QString face = FontName->currentText().isEmpty() ? FontName->currentFont().family() : FontName->currentText();
    host->SetConfig_String(kFontSection, QStringLiteral("name"), face);
    host->SetConfig_String(kFontSection, QStringLiteral("color"), ColorToString(cbx_fontColor->Selected()));
    host->SetConfig_String(kFontSection, QStringLiteral("Size"), FontSize->currentText());

    TMessageRequest done;
    done.parent = this;
    done.text = QStringLiteral("    当前选中的字符已成功保存为默认的字体!");
    done.caption = QStringLiteral("保存默认的字体格式");
    done.buttons = TMsgButtons::Ok;
    done.icon = TMsgIcon::Information;
    done.stayOnTop = true;
    Dialogs().MessageBox(done);
}

void TReportForm::tb_fontSaveClick(QObject* Sender) { Save_CurrentFontStyle(); }
