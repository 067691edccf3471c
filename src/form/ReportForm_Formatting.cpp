// SPDX-License-Identifier: MIT
// The font tool bar and the rich edits' context menu: both act on EditingTarget, the rich
// edit last clicked, entered or hovered, or the findings editor before that.
#include "ReportForm_Editing.h"
#include "RichPaste.h"
#include "platform/DialogService.h"
#include "platform/Exception.h"
#include <QComboBox>
#include <QFontComboBox>
#include <QFontInfo>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>
#include <QToolButton>

namespace {

// The largest size a Windows rich edit accepts; larger or non-positive sizes change nothing.
constexpr int kMaxPointSize = 1638;

// Applies `change` to the selection or, without one, to the text typed next. A selection
// change is one undo step.
void MergeFormat(QTextEdit* re, const QTextCharFormat& change)
{
    QTextCursor c = re->textCursor();
    if (!c.hasSelection()) {
        re->mergeCurrentCharFormat(change);
        return;
    }
    c.beginEditBlock();
    c.mergeCharFormat(change);
    c.endEditBlock();
}

// The font a format gives once the document's default fills what it leaves open.
QFont ResolvedFont(QTextEdit* re, const QTextCharFormat& fmt)
{
    return fmt.font().resolve(re->document()->defaultFont());
}

int PointSize(const QFont& f)
{
    if (f.pointSizeF() > 0) return qRound(f.pointSizeF());
    return QFontInfo(f).pointSize();  // a font given in pixels
}

// Sets Fupdating for one scope and clears it however the scope is left.
class TUpdatingGuard {
public:
    explicit TUpdatingGuard(bool& flag) : m_flag(flag) { m_flag = true; }
    ~TUpdatingGuard() { m_flag = false; }
    TUpdatingGuard(const TUpdatingGuard&) = delete;
    TUpdatingGuard& operator=(const TUpdatingGuard&) = delete;

private:
    bool& m_flag;
};

}  // namespace

QTextCharFormat TReportForm::CurrText(QTextEdit* re)
{
    const QTextCursor c = re->textCursor();
    if (!c.hasSelection()) return re->currentCharFormat();
    // The attributes of the selection's first character.
    QTextCursor first(re->document());
    first.setPosition(c.selectionStart());
    first.movePosition(QTextCursor::NextCharacter);
    return first.charFormat();
}

void TReportForm::SelectionChange(QObject* Sender, QTextEdit* re)
{
    TUpdatingGuard updating(Fupdating);
    if (!re) throw Exception(QStringLiteral("SelectionChange: 没有指定富文本框"));
    const QTextCharFormat fmt = CurrText(re);
    const QFont font = ResolvedFont(re, fmt);
    BoldButton->setChecked(font.bold());
    ItalicButton->setChecked(font.italic());
    UnderlineButton->setChecked(font.underline());
    BulletsButton->setChecked(re->textCursor().currentList() != nullptr);
    FontSize->setEditText(QString::number(PointSize(font)));
    FontName->setCurrentFont(QFont(font.family()));
    // Justified paragraphs have no button; the three buttons then stay as they are.
    const Qt::Alignment a = re->alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter) CenterAlign->setChecked(true);
    else if (a & Qt::AlignRight) RightAlign->setChecked(true);
    else if (!(a & Qt::AlignJustify)) LeftAlign->setChecked(true);
}

void TReportForm::SetReTextAttributes(const TmyfontStyle& ufont, Topfnt uop)
{
    IntfCast<IMainFrom>(FmainForm)->GetCurrentReportFrm();
    if (uop != uft_name) return;
    ShowMessage(QStringLiteral("收到的字体:") + ufont.ufname + QStringLiteral("\r\n") + rich_jcsj->toPlainText(), this);
}

void TReportForm::rich_jcsjSelectionChange(QObject* Sender) { SelectionChange(Sender, rich_jcsj); }

void TReportForm::rich_zdjxSelectionChange(QObject* Sender) { SelectionChange(Sender, rich_zdjx); }

void TReportForm::FontNameChange(QObject* Sender)
{
    if (Fupdating) return;
    if (FontName->currentIndex() < 0) return;
    QTextCharFormat change;
    change.setFontFamilies(QStringList{FontName->itemText(FontName->currentIndex())});
    MergeFormat(EditingTarget(*this), change);
}

void TReportForm::FontSizeChange(QObject* Sender)
{
    if (Fupdating) return;
    // A half-typed or emptied size is no error worth a box: nothing changes until the text
    // is a whole number again.
    bool ok = false;
    const int size = FontSize->currentText().trimmed().toInt(&ok);
    if (!ok || size <= 0 || size > kMaxPointSize) return;
    QTextCharFormat change;
    change.setFontPointSize(size);
    MergeFormat(EditingTarget(*this), change);
}

void TReportForm::cbx_fontColorChange(QObject* Sender)
{
    if (Fupdating) return;
    QTextCharFormat change;
    change.setForeground(ColorToQColor(cbx_fontColor->Selected()));
    MergeFormat(EditingTarget(*this), change);
}

void TReportForm::BoldButtonClick(QObject* Sender)
{
    if (Fupdating) return;
    QTextCharFormat change;
    change.setFontWeight(BoldButton->isChecked() ? QFont::Bold : QFont::Normal);
    MergeFormat(EditingTarget(*this), change);
}

void TReportForm::UnderlineButtonClick(QObject* Sender)
{
    if (Fupdating) return;
    QTextCharFormat change;
    change.setFontUnderline(UnderlineButton->isChecked());
    MergeFormat(EditingTarget(*this), change);
}

void TReportForm::N_copyClick(QObject* Sender) { EditingTarget(*this)->copy(); }

// QTextEdit::cut already refuses on a read-only editor; the test keeps that explicit.
void TReportForm::N_cutClick(QObject* Sender)
{
    QTextEdit* re = EditingTarget(*this);
    if (!re->isReadOnly()) re->cut();
}

void TReportForm::N_pasteClick(QObject* Sender) { PasteClipboard(EditingTarget(*this)); }
