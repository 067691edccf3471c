// SPDX-License-Identifier: MIT
// wr-admin critical-report --from DATE --to DATE [--csv FILE]: the register of critical values
// (hostdata/CriticalValues.h) for a period: every notice with the minutes from the report's
// save to the notice, every critical value not told yet, and the share told within 10
// minutes. The table goes to `out`; with --csv also to FILE (UTF-8 with a byte-order mark, as
// spreadsheets on Chinese Windows read it). Needs SELECT on CriticalNotice, Report and Study
// (the workstations' role has it).
#pragma once
#include "platform/Database.h"
#include <QStringList>
#include <QTextStream>

// Whether args (after the command name) are --from DATE --to DATE [--csv FILE] with valid
// dates, from not after to; else *why says what is wrong.
bool CriticalReportArgsValid(const QStringList& args, QString* why);
int CriticalReportCommand(TDbConnection& conn, const QStringList& args, QTextStream& out, QTextStream& err);
