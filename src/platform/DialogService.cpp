// SPDX-License-Identifier: MIT
#include "DialogService.h"
#include <QApplication>
#include <QMessageBox>

namespace {

class TMessageBoxService final : public IDialogService {
public:
    TMsgResult MessageBox(const TMessageRequest& r) override
    {
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
        case TMsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
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
};

TMessageBoxService g_default;
IDialogService* g_current = &g_default;

} // namespace

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
