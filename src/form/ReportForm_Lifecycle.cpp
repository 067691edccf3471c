// SPDX-License-Identifier: MIT
// Construction, the host hand-over, the interface queries and the form's own events.
#include "ReportUnit.h"
#include "platform/DialogService.h"
#include <QCloseEvent>

TReportForm* ReportForm = nullptr;
std::int32_t r_selectIndex = 0;

TReportForm::TReportForm(QWidget* parent) : QWidget(parent)
{
    BuildControls();
    WireEvents();
    WireDraftTracking();
    WireTyping();
    FormCreate(this);
}

TReportForm::~TReportForm()
{
    // A host that drops the form without asking loses no typing; nothing is logged, as the
    // host's objects may already be gone.
    if (FDraftDirty) WriteDraft(false);
    FormDestroy(this);
    // Children are destroyed after this object stops being a TReportForm; cut their
    // connections first so no late signal or event reaches a handler.
    for (QObject* child : findChildren<QObject*>()) {
        child->removeEventFilter(this);
        QObject::disconnect(child, nullptr, this, nullptr);
    }
}

HRESULT TReportForm::QueryInterface(const TGUID& iid, void** obj)
{
    if (!obj) return E_NOINTERFACE;
    if (iid == IReportForm::IID || iid == IInterface::IID) {
        *obj = static_cast<IReportForm*>(this);
        return S_OK;
    }
    if (iid == IBPLFuncTion::IID) {
        *obj = static_cast<IBPLFuncTion*>(this);
        return S_OK;
    }
    *obj = nullptr;
    return E_NOINTERFACE;
}

// The host owns the form and deletes it; references never do.
int TReportForm::_AddRef() { return -1; }
int TReportForm::_Release() { return -1; }

int TReportForm::GetFrmClassType() { return 1002; }

void TReportForm::GetMainFormObject(IInterface* Main_Form, IInterface* uPubDm)
{
    FmainForm = Main_Form;
    FDataModule = uPubDm;
}

void TReportForm::testToolFormMessage(const QString& aaa) { ShowMessage(aaa, this); }

void TReportForm::FormCreate(QObject* Sender) { SetPostionOnstartMemoAndRich(); }

// Closing keeps the default close action and saves nothing.
void TReportForm::FormClose(QObject* Sender) {}

void TReportForm::FormDestroy(QObject* Sender) {}

void TReportForm::closeEvent(QCloseEvent* event)
{
    FormClose(this);
    QWidget::closeEvent(event);
}
