// SPDX-License-Identifier: MIT
// The default font of the two rich-text sections: stored from the tool bar, applied at
// every open.
#include "ReportForm_Editing.h"
#include "ReportUnit.h"
#include "platform/DialogService.h"
#include <QComboBox>
#include <QFontComboBox>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {
const QString kFontSection = QStringLiteral("Configuration/TReportForm_Font");
const char* const kDefaultTextColorProperty = "wrDefaultTextColor";

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
        const TColor colorValue = StringToColor(color);
        const QColor textColor = ColorToQColor(colorValue);
        const int points = FontSizeFromText(size);
        for (QTextEdit* re : {rich_jcsj, rich_zdjx}) {
            QPalette pal = re->palette();
            pal.setColor(QPalette::Text, textColor);
            re->setPalette(pal);
            // The window-text colour is what any reader shows by default; another colour is
            // written into the saved text (DefaultTextColorOf).
            re->setProperty(kDefaultTextColorProperty, colorValue == clWindowText ? QVariant() : QVariant(textColor));
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

QColor DefaultTextColorOf(const QTextEdit* re)
{
    const QVariant v = re->property(kDefaultTextColorProperty);
    return v.isValid() ? v.value<QColor>() : QColor();
}

void ApplyDefaultTextColor(QTextDocument& doc, const QColor& color)
{
    // Only text without a colour of its own shows the default colour, so only that gets it.
    QTextCursor c(&doc);
    c.beginEditBlock();
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.isValid() || f.charFormat().hasProperty(QTextFormat::ForegroundBrush)) continue;
            c.setPosition(f.position());
            c.setPosition(f.position() + f.length(), QTextCursor::KeepAnchor);
            QTextCharFormat fmt;
            fmt.setForeground(color);
            c.mergeCharFormat(fmt);
        }
    }
    c.endEditBlock();
}
