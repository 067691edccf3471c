// SPDX-License-Identifier: MIT
#include "DialogService.h"
#include "ChoiceDialog.h"
#include "HeadlessDialogs.h"
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

class TMessageBoxService final : public IDialogService {
public:
    TMsgResult MessageBox(const TMessageRequest& r) override
    {
        if (!r.compareRows.isEmpty() && r.buttons == TMsgButtons::YesNo) return Compared(r);
        QMessageBox box(r.parent);
        box.setText(r.text);
        box.setWindowTitle(r.caption.isEmpty() ? QApplication::applicationDisplayName() : r.caption);
        switch (r.icon) {
        case TMsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
        case TMsgIcon::Information: box.setIcon(QMessageBox::Information); break;
        case TMsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
        case TMsgIcon::Error: box.setIcon(QMessageBox::Critical); break;
        case TMsgIcon::Question: box.setIcon(QMessageBox::Question); break;
        }
        switch (r.buttons) {
        case TMsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case TMsgButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            if (!r.yesText.isEmpty()) box.button(QMessageBox::Yes)->setText(r.yesText);
            if (!r.noText.isEmpty()) box.button(QMessageBox::No)->setText(r.noText);
            break;
        case TMsgButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        }
        switch (r.defaultButton) {
        case TMsgResult::Yes: box.setDefaultButton(QMessageBox::Yes); break;
        case TMsgResult::No: box.setDefaultButton(QMessageBox::No); break;
        case TMsgResult::Cancel: box.setDefaultButton(QMessageBox::Cancel); break;
        default: break;
        }
        if (r.buttons == TMsgButtons::YesNo) box.setEscapeButton(static_cast<QAbstractButton*>(nullptr));
        if (r.stayOnTop) box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
        box.exec();
        QAbstractButton* clicked = box.clickedButton();
        if (!clicked) return TMsgResult::Closed;
        switch (box.standardButton(clicked)) {
        case QMessageBox::Ok: return TMsgResult::Ok;
        case QMessageBox::Cancel: return TMsgResult::Cancel;
        case QMessageBox::Yes: return TMsgResult::Yes;
        case QMessageBox::No: return TMsgResult::No;
        default: return TMsgResult::Closed;
        }
    }

private:
    // A yes/no question over two versions: the choice window with the marked comparison.
    static TMsgResult Compared(const TMessageRequest& r)
    {
        TChoiceRequest c;
        c.parent = r.parent;
        c.caption = r.caption;
        c.text = r.windowText.isEmpty() ? r.text : r.windowText;
        c.columns = r.compareColumns;
        c.rows = r.compareRows;
        c.markDifferences = true;
        c.choiceIds = {QStringLiteral("yes"), QStringLiteral("no")};
        c.choiceTexts = {r.yesText.isEmpty() ? QStringLiteral("是(&Y)") : r.yesText,
                         r.noText.isEmpty() ? QStringLiteral("否(&N)") : r.noText};
        c.defaultChoice = r.defaultButton == TMsgResult::No ? 1 : 0;
        c.escapeChoice = -1;
        TChoiceDialog dialog(c);
        if (r.stayOnTop) dialog.setWindowFlag(Qt::WindowStaysOnTopHint, true);
        dialog.exec();
        return dialog.Chosen() == 0 ? TMsgResult::Yes : dialog.Chosen() == 1 ? TMsgResult::No : TMsgResult::Closed;
    }
};

TMessageBoxService g_default;
IDialogService* g_current = &g_default;

} // namespace

int IDialogService::Choose(const TChoiceRequest& r)
{
    if (THeadlessDialogService::PlatformIsHeadless()) return r.escapeChoice;

    TChoiceDialog dialog(r);
    dialog.exec();
    return dialog.Chosen();
}

std::optional<QString> IDialogService::AskPassword(const TPasswordRequest& r)
{
    if (THeadlessDialogService::PlatformIsHeadless()) return std::nullopt;

    QDialog dialog(r.parent);
    dialog.setObjectName(QStringLiteral("passwordDialog"));
    dialog.setWindowTitle(r.caption.isEmpty() ? QStringLiteral("输入密码") : r.caption);
    // Wide enough that a window manager's title bar shows the whole caption.
    dialog.setMinimumWidth(qMax(380, dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()) * 2 + 160));
    auto* layout = new QVBoxLayout(&dialog);
    auto* text = new QLabel(r.text, &dialog);
    text->setObjectName(QStringLiteral("passwordText"));
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* form = new QFormLayout;
    if (!r.userCode.isEmpty()) {
        auto* user = new QLineEdit(r.userCode, &dialog);
        user->setObjectName(QStringLiteral("passwordUser"));
        user->setReadOnly(true);
        form->addRow(QStringLiteral("用户名："), user);
    }
    auto* edit = new QLineEdit(&dialog);
    edit->setObjectName(QStringLiteral("passwordEdit"));
    edit->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("密码："), edit);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* ok = buttons->addButton(QStringLiteral("确定(&O)"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("passwordOk"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("取消(&C)"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("passwordCancel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    edit->setFocus();
    const bool accepted = dialog.exec() == QDialog::Accepted;
    QString typed = edit->text();
    edit->clear();
    if (!accepted) return std::nullopt;
    return typed;
}

IDialogService& Dialogs() { return *g_current; }

IDialogService* SetDialogService(IDialogService* service)
{
    IDialogService* prev = g_current;
    g_current = service ? service : &g_default;
    return prev;
}

void ShowMessage(const QString& text, QWidget* parent)
{
    TMessageRequest r;
    r.parent = parent;
    r.text = text;
    Dialogs().MessageBox(r);
}
