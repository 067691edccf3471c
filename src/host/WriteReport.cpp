// SPDX-License-Identifier: MIT
#include "WriteReport.h"
#include "form/ReportUnit.h"
#include "platform/ClassRegistry.h"
#include "wr_version.h"

namespace {
TCreatedForm CreateReportForm(QWidget* parent)
{
    auto* form = new TReportForm(parent);
    return {form, static_cast<IReportForm*>(form)};
}

// Module initialization and finalization: a static object's life is the module's.
struct TReportFormRegistrar {
    TReportFormRegistrar() { RegisterClass(QStringLiteral("TReportForm"), &CreateReportForm); }
    ~TReportFormRegistrar() { UnRegisterClass(QStringLiteral("TReportForm")); }
};
const TReportFormRegistrar registrar;
} // namespace

int WriteReportPluginAbiVersion() { return kWriteReportPluginAbiVersion; }

const char* WriteReportPluginVersion() { return WR_VERSION; }
