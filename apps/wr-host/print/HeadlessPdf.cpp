// SPDX-License-Identifier: MIT
#include "print/HeadlessPdf.h"
#include "app/ConfigStore.h"
#include "login/HostUser.h"
#include "app/HostOptions.h"
#include "login/HostRights.h"
#include "print/PrintConfig.h"
#include "hostdata/PrintRender.h"
#include <QFileInfo>

int WritePdfHeadless(TDbConnection& conn, TConfigStore& config, const THostLogin& login, const QString& ruid,
                     const QString& file, const std::function<void(const QString&)>& say,
                     const std::function<void(const QString&)>& fail)
{
    if (!PermissionsFor(login, config).Allowed(THostOperation::ExportPdf)) {
        fail(QStringLiteral("exporting a PDF is not permitted to %1 (role %2, or [Permissions] %3)")
                 .arg(login.userCode, login.roleCode, OperationName(THostOperation::ExportPdf)));
        return ExitPdf;
    }
    TPrintRecord record;
    try {
        record = LoadPrintRecord(conn, ruid);
    } catch (const Exception& e) {
        fail(QStringLiteral("cannot read report %1: %2").arg(ruid, e.Message()));
        return ExitPdf;
    }
    QStringList warnings;
    const TPrintSettings settings = PrintSettingsFromConfig(config, &warnings);
    TPrintOutcome out;
    QString error;
    if (!WriteReportPdf(record, settings, file, &out, &error)) {
        fail(error);
        return ExitPdf;
    }
    for (const QString& w : warnings + out.warnings) say(QStringLiteral("warning: %1").arg(w));
    say(QStringLiteral("PDF written to %1 (%2 page(s))").arg(QFileInfo(file).absoluteFilePath()).arg(out.pageCount));
    return ExitOk;
}
