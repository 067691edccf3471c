// SPDX-License-Identifier: MIT
// The worklist's side of the report database: the exams of table Study a machine may be
// given, read through procedure sp_WorklistFind, and each exam's Study Instance UID, kept
// through sp_SetStudyUid. Every value reaches the database as a bound parameter.
// One store per connection, on the connection's thread; EDatabaseError on any failure.
#pragma once
#include "platform/Database.h"
#include <QDateTime>
#include <QList>
#include <QString>

namespace wr::imaging {

struct TWorklistRow {
    QString accnu, patientName, sex, age, patientId, reqDept, bedNo;
    QDateTime examTime;
    QString modality, studyUid, stationAet;
    QString items;  // the exam's usable items, joined with ','
};

struct TWorklistFilter {
    QDateTime from, to;           // exam time in [from, to)
    QString modality;             // exact, or empty for any
    QString accnuLike, patientIdLike, patientNameLike;  // LIKE patterns ('\' escape), or empty
    QString stationAet;           // exams of this station and of none; empty for any
    QString accnuExact;           // one accession, read by its key; empty for any
    int maxRows = 0;
};

class TWorklistStore {
public:
    explicit TWorklistStore(TDbConnection& conn) : m_conn(conn) {}

    // Up to filter.maxRows exams, by exam time then accession.
    QList<TWorklistRow> Find(const TWorklistFilter& filter);
    // Gives the exam `uid` unless it has one already; returns the one it keeps (empty when
    // the exam does not exist).
    QString KeepStudyUid(const QString& accnu, const QString& uid);

private:
    TDbConnection& m_conn;
    std::unique_ptr<TDbStoredProc> m_setUid;  // prepared once: a day's new exams call it in a row
};

// The Study Instance UID of an exam, derived from its accession so that two services asked at
// the same moment agree: under `root` (digits and dots) a hash of the accession, within the
// 64 characters a UID may have; without a root, the "2.25." form of a name-based UUID.
QString StudyUidFor(const QString& accnu, const QString& root);
// Whether `root` is a usable UID root: components of digits without leading zeros, short
// enough to leave room for the exam's part.
bool ValidUidRoot(const QString& root);

}  // namespace wr::imaging
