// SPDX-License-Identifier: MIT
// The saved versions of a report, as the database keeps them in ReportHistory (written by
// triggers on Report; see db/README.md): listing, reading one whole version, and the
// retention setting. Widget-free; throws EDatabaseError. UI thread, one connection.
#pragma once
#include "report/ReportInfo.h"
#include "platform/Database.h"
#include <QList>
#include <QString>

struct TReportVersion {
    qint64 historyId = 0;   // 0 for the current row
    QString operation;      // U replaced, D deleted, K kept by a workstation on a conflict, C current
    qint64 rowVersion = 0;  // the stamp the version had
    QString savedAt;        // when this version was written (yyyy-MM-dd HH:mm:ss), may be empty
    QString savedBy;        // who wrote it, as the database knows
    QString replacedAt;     // when it stopped being current
    QString replacedBy;     // the login that replaced it, where the database knows one
    qint64 size = 0;        // characters of all texts, RTF included
};

// Whether the database keeps history (a database not yet upgraded does not).
bool ReportHistoryAvailable(TDbConnection& conn);

// The current row first (operation C), then every kept version of `ruid`, newest first.
QList<TReportVersion> ListReportVersions(TDbConnection& conn, const QString& ruid);

// One kept version, whole (RTF columns as stored). False when there is no such entry.
bool ReadReportVersion(TDbConnection& conn, qint64 historyId, TReportInfo& out);

// ReportHistoryKeep: how many versions per report the database keeps (0: all).
int ReportHistoryKeep(TDbConnection& conn);
