// SPDX-License-Identifier: MIT
// Helpers for the report form tests: a form that records which handler each wired event
// reached and exposes its protected state, the CJK font mapping the host also installs,
// and control look-up by objectName.
#pragma once
#include "form/ReportUnit.h"
#include <QStringList>
#include <QTest>

class TProbeReportForm : public TReportForm {
public:
    using TReportForm::FEditStatus;
    using TReportForm::FSaving;

    QStringList handlers;  // names of the handlers reached, in order

protected:
    void TraceHandler(const char* handlerName) override { handlers << QString::fromUtf8(handlerName); }
};

// Maps the form's font faces to the CJK font installed on this machine.
void InstallCjkFontSubstitutes();

// Creates the form at its design size and shows it offscreen.
std::unique_ptr<TProbeReportForm> NewShownForm();

// The control of that objectName inside the form; fails the test when it is missing.
template <class T>
T* Control(QWidget* form, const char* name)
{
    T* w = form->findChild<T*>(QString::fromUtf8(name));
    if (!w) qWarning("control %s missing or of another kind", name);
    return w;
}

// Lets the stacking layout of the scroll box place the panels after height changes.
void SettleLayout(QWidget* form);
