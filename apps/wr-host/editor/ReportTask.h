// SPDX-License-Identifier: MIT
// What the rooms that act on the open report (signing, printing, and those to come) share:
// the failure said in the status line and in a box, the right checked first, the report
// that is open, the user as signer, the stored report read for printing. UI thread only.
#pragma once
#include "hostdata/HostPermissions.h"
#include "hostdata/PrintRecord.h"
#include "hostdata/ReportSigning.h"
#include <QString>

class IHostContext;

// "<what>失败：<message>" in the status line and a warning box; *error = message; false.
bool TaskFail(IHostContext& host, const QString& what, const QString& message, QString* error);
// True (and said so) when the user may not do `op`.
bool TaskRefused(IHostContext& host, THostOperation op, QString* error);
// The open report's GUID; false (and said so) when none is open.
bool TaskOpenRuid(IHostContext& host, QString* ruid, QString* error);
TSigner TaskSigner(IHostContext& host);
// The stored report as it prints; false (and said so) when it cannot be read.
bool TaskLoadRecord(IHostContext& host, const QString& ruid, TPrintRecord* record, QString* error);
