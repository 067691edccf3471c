// SPDX-License-Identifier: MIT
// How a worklist query's key values match an exam, as C-FIND matching defines it: single
// values with '*' (any run) and '?' (one character) wildcards, date ranges, person names over
// their component groups. Pure functions, any thread.
#pragma once
#include <QDate>
#include <QString>

namespace wr::imaging {

bool HasWildcards(const QString& value);
// '*' matches any run of characters, '?' exactly one; everything else itself.
bool WildcardMatch(const QString& pattern, const QString& value, Qt::CaseSensitivity cs = Qt::CaseSensitive);
// The same pattern as an SQL LIKE pattern with '\' as its escape character, for a database
// pre-filter that lets through at least every value the pattern matches.
QString LikePattern(const QString& pattern);

// A DA matching value: "YYYYMMDD", "YYYYMMDD-YYYYMMDD", "-YYYYMMDD" or "YYYYMMDD-". An open end
// is an invalid QDate. False (and *span untouched) for anything else, a range ending before it
// starts included.
struct TDateSpan {
    QDate from, to;
};
bool ParseDateMatch(const QString& value, TDateSpan* span);

// Whether a PN matching value matches the person name we answer with (`dicomName`, e.g.
// "Wang^Jianguo=王^建国") or the name as stored ("王建国"). Case is ignored, as C-FIND allows
// for names. A value with component groups ('=') matches group by group, an empty group
// matching anything; a value without them may match any one group or the stored name.
bool PersonNameMatches(const QString& pattern, const QString& dicomName, const QString& storedName);

}  // namespace wr::imaging
