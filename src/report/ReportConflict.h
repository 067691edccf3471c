// SPDX-License-Identifier: MIT
// Saves that would overwrite someone else's newer save. The database keeps a stamp per report
// row (Report.RowVersion, raised by the database on every update, whoever writes) and
// sp_SaveReportInfo refuses, in the same step as the write, a save whose @ExpectedVersion is
// not the row's current stamp. See db/README.md.
//
// Widget-free helpers for reading the stamp and the stored version, and for telling the
// doctor which sections differ. UI thread, like the rest of report/.
#pragma once
#include "ReportInfo.h"
#include "platform/Database.h"
#include <QList>
#include <QString>

// The stamp of a report as this workstation read it.
struct TRowStamp {
    // The stamp, 0 when the report had no row; -1 when unknown (a database without stamps,
    // or the read failed): then no check is asked for.
    qint64 version = -1;
    QString savedBy;   // who wrote that version, as the database knows it
    QString savedAt;   // when, as text yyyy-MM-dd HH:mm:ss
};

// What the doctor decides when a save meets a newer stored version.
enum class TConflictChoice { KeepMine, TakeTheirs, Cancel };

// One section whose text differs between the stored version and the doctor's.
struct TConflictSection {
    QString caption;   // Chinese caption, e.g. "检查所见"
    QString theirs;
    QString mine;
};

struct TSaveConflict {
    QString ruid;
    TReportInfo mine;      // the record being saved, with the editors' plain texts
    TReportInfo theirs;    // the row as now stored
    TRowStamp theirStamp;
    QList<TConflictSection> sections;   // what differs, in form order
};

// Whether an error message is the save procedure refusing a stale copy.
bool IsSaveConflictError(const QString& message);

// The SQL expression of a Report row's stamp in a query FROM Report, on this database.
QString RowStampExpression(const TDbConnection& conn);

// Reads the stamp of the report `ruid` (the highest of its rows). Never throws: a database
// without the stamp column gives version -1.
TRowStamp ReadRowStamp(TDbConnection& conn, const QString& ruid);

// Reads the current row of an open query holding the columns of the load statement (of
// Report or ReportHistory) into `out`, texts trimmed as loading trims them. Throws.
void ReadReportFields(const TDbQuery& q, TReportInfo& out);

// Reads the stored row of `ruid` without the defaults of loading; false when there is none.
// Throws EDatabaseError.
bool ReadStoredReport(TDbConnection& conn, const QString& ruid, TReportInfo& out);

// The sections a doctor edits whose text differs between the two versions, in form order:
// every column a form section shows, but the dates (the review date is set at each open),
// captioned with its label (ReportColumns.h).
QList<TConflictSection> DifferingSections(const TReportInfo& theirs, const TReportInfo& mine);
