// SPDX-License-Identifier: MIT
// The keys of a worklist query: which ones narrow the answer, whether an exam passes them,
// and the identifier sent for an exam, holding exactly the keys the query asked for. Used by
// TWorklistService only; pure functions, any thread.
#pragma once
#include "WorklistCharset.h"
#include "WorklistMatch.h"
#include "WorklistStore.h"
#include <QStringList>
#include <memory>
#include <vector>

class DcmDataset;

namespace wr::imaging {

// What a key of the query stands for in an exam.
enum class TField {
    None,  // known, but the table holds no value for it
    Accnu, Name, PatientId, Sex, Age, StudyUid, ReqDept, Items, Location,
    Modality, StationAet, StartDate, StartTime,
};

// A key with a value that narrows the answer.
struct TCondition {
    TField field;
    QString value;
    TDateSpan span;  // StartDate
};

// What a query asks for; `error` set when it is malformed.
struct TParsedQuery {
    std::vector<TCondition> conditions;
    bool unsupported = false;  // a value given for a key that cannot narrow the answer
    QString error;
};

// An exam as the answer shows it.
struct TExam {
    TWorklistRow row;
    QString personName;  // in DICOM form, before encoding
};

// Reads the keys of a query whose text is UTF-8.
TParsedQuery ParseQueryKeys(DcmDataset& query);
// Whether the exam passes one condition.
bool MatchesExam(const TCondition& c, const TExam& x);
// The identifier for one exam in `set`: every key the query asked for, empty where the table
// holds nothing. Characters the set cannot hold are noted in *notes.
std::unique_ptr<DcmDataset> WorklistAnswer(DcmDataset& query, const TExam& exam, TWorklistCharset set, QStringList* notes);

}  // namespace wr::imaging
