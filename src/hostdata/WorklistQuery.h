// SPDX-License-Identifier: MIT
// The host's work list, read one page at a time: newest first (CreateTime, then ruid, both
// descending), within a range of creation days, of one report status, matching a search
// text in the exam number, the patient's name or the exam items. The database does the
// filtering and ordering; each page continues after the last row of the one before (keyset
// paging), so a page costs the same at the end of a million reports as at the start.
//
// Works on SQLite, SQL Server and PostgreSQL. The patient's name comes from table Study when
// the database has one. Rows without a CreateTime (the save procedures always set it) are not
// listed. Every function throws EDatabaseError with the database's message.
// A query object belongs to the thread of its connection.
#pragma once
#include "DateRange.h"
#include "ReportStatus.h"
#include "platform/Database.h"
#include <QDateTime>
#include <QList>
#include <QVariant>
#include <optional>

struct TWorklistFilter {
    TDateRange days;  // creation days, both ends included
    TStatusFilter status = TStatusFilter::All;
    QString search;   // part of the exam number, patient name or exam items; case ignored
    bool operator==(const TWorklistFilter&) const = default;
};

struct TWorklistEntry {
    QString ruid;
    QString accnu;
    QString patientName;
    QDateTime created;     // invalid when the row has none
    int state = 0;
    bool stateNull = true;
    QString itemNames;
    int signedEdits = 0;   // saves of the final report after it was unlocked (Report.SignedEdits)
    bool criticalUntold = false;  // holds a critical value with no notice in the register yet (shown red)
    QVariant createdKey;   // CreateTime as the database gave it, for the next page
};

// Where the next page starts: after this row. Invalid (default) for the first page.
struct TWorklistKey {
    QVariant created;
    QString ruid;
    bool valid = false;
};

struct TWorklistPage {
    QList<TWorklistEntry> rows;
    bool more = false;  // further rows follow
    TWorklistKey next;  // after the last row of this page
};

class TWorklistQuery {
public:
    explicit TWorklistQuery(TDbConnection& conn) : m_conn(conn) {}

    // Up to pageSize rows of the filter after `after`.
    TWorklistPage Page(const TWorklistFilter& filter, const TWorklistKey& after, int pageSize);
    // The report's row as the work list shows it, or nothing when no row has this GUID or the
    // row does not pass the filter (the list refreshes one row after a save).
    std::optional<TWorklistEntry> Row(const QString& ruid, const TWorklistFilter& filter);
    // The newest report of all, whatever the filter.
    std::optional<TWorklistEntry> Newest();
    // The newest report of an accession (exam number), whatever the filter.
    std::optional<TWorklistEntry> NewestOfAccession(const QString& accnu);

private:
    QList<TWorklistEntry> Run(const QStringList& conditions, int limit);
    bool HasStudy();
    bool HasSignedEdits();
    bool HasCriticalRegister();
    QString DateLiteral(const QDateTime& at) const;
    QString KeyLiteral(const QVariant& created) const;
    QStringList FilterConditions(const TWorklistFilter& filter) const;

    TDbConnection& m_conn;
    int m_withStudy = -1;  // does table Study exist? -1 until asked
    int m_withSignedEdits = -1;  // does Report.SignedEdits exist (upgrade 014)? -1 until asked
    int m_withCriticalRegister = -1;  // does table CriticalNotice exist (upgrade 025)? -1 until asked
};

// The LIKE pattern that finds `text` anywhere, with the LIKE wildcards of all three
// databases escaped by '!' (the pattern is lower case; compare it with LOWER(column)).
QString ContainsPattern(const QString& text);
