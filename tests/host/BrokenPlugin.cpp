// SPDX-License-Identifier: MIT
// Deliberately broken plug-ins for the host's loading tests; one source, the fault chosen by
// BROKEN_KIND at build time:
//   1 registers a class under another name than TReportForm
//   2 registers TReportForm, but its object lacks IBPLFuncTion
//   3 registers TReportForm answering a class type other than 1002
//   4 registers TReportForm whose factory throws
#include "host/uPubIntFace_WriteReport.h"
#include "platform/ClassRegistry.h"
#include <QWidget>

namespace {

class TBrokenForm final : public QWidget, public IBPLFuncTion {
public:
    explicit TBrokenForm(QWidget* parent) : QWidget(parent) {}
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        const bool offerBpl = BROKEN_KIND != 2;
        if (iid == IInterface::IID || (offerBpl && iid == IBPLFuncTion::IID)) {
            *obj = static_cast<IBPLFuncTion*>(this);
            return S_OK;
        }
        *obj = nullptr;
        return E_NOINTERFACE;
    }
    int _AddRef() override { return -1; }
    int _Release() override { return -1; }
    int GetFrmClassType() override { return BROKEN_KIND == 3 ? 999 : kReportFormClassType; }
    void GetMainFormObject(IInterface*, IInterface*) override {}
};

TCreatedForm Create(QWidget* parent)
{
    if (BROKEN_KIND == 4) throw Exception(QStringLiteral("the form's resources are missing"));
    auto* f = new TBrokenForm(parent);
    return {f, static_cast<IBPLFuncTion*>(f)};
}

const QString kName = BROKEN_KIND == 1 ? QStringLiteral("TOtherForm") : QStringLiteral("TReportForm");

struct TRegistration {
    TRegistration() { RegisterClass(kName, &Create); }
    ~TRegistration() { UnRegisterClass(kName); }
} g_registration;

} // namespace
