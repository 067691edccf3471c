// SPDX-License-Identifier: MIT
// The assistants' structured values as saved with a report: one JSON document per report and
// organ in StructuredFinding (db/*/upgrades/026-structured-findings.sql), written by
// sp_SaveStructuredFinding, the replaced documents kept in StructuredFindingHistory. Read
// back to reopen a report in the assistant, to show a kept version, and to compare sizes
// with the same patient's earlier report. Widget-free; throws EDatabaseError; one connection
// per thread.
//
// The document: {"organ": "thyroid", "systems": ["acr-tirads", "c-tirads"],
//                "earlier": "<ruid compared with>", "nodules": [{"side": "left", ...}, ...]}
// with every answer in the normal form of AssistEvaluate.h.
#pragma once
#include "AssistText.h"
#include "platform/Database.h"
#include <optional>

struct TAssistDocument {
    QString organ;
    QStringList systems;
    QString earlierRuid;
    QList<TAssistNodule> nodules;

    bool operator==(const TAssistDocument&) const = default;
};

QString AssistDocumentToJson(const TAssistDocument& doc);
// False with *error set for text that is not such a document.
bool AssistDocumentFromJson(const QString& json, TAssistDocument* doc, QString* error);

// Whether the database has the tables (a database not yet upgraded has not; the assistant
// then works but cannot save its values).
bool StructuredFindingsAvailable(TDbConnection& conn);

// The editor session's save step: call it on the connection and inside the transaction of the
// report's save, after sp_SaveReportInfo, so both are written or neither. A document without
// nodules removes the values (kept in the history). EDatabaseError for a report that does not
// exist or an empty organ.
void SaveStructuredFinding(TDbConnection& conn, const QString& ruid, const TAssistDocument& doc, const QString& savedBy);

// The current document of a report for an organ; nullopt when there is none (or it was
// removed). A stored text that is not a document throws EDatabaseError naming the report.
std::optional<TAssistDocument> ReadStructuredFinding(TDbConnection& conn, const QString& ruid, const QString& organ);

// The document as it was when the report had the stamp `reportVersion` (a version of
// ListReportVersions): the newest one saved at or before it.
std::optional<TAssistDocument> ReadStructuredFindingAt(TDbConnection& conn, const QString& ruid, const QString& organ,
                                                       qint64 reportVersion);

// The newest earlier report of the same patient (Study.PatientId, which must be filled;
// earlier by exam time, else creation time) that has values for the organ.
struct TAssistEarlier {
    QString ruid;
    TAssistDocument document;
};
std::optional<TAssistEarlier> FindEarlierStructuredFinding(TDbConnection& conn, const QString& ruid, const QString& organ);

// Writes each nodule's "@earlier" (the paired earlier nodule's size in mm, see
// PairAssistNodules) and doc.earlierRuid; a nodule without a partner loses "@earlier".
void AttachEarlierSizes(const TAssistSystems& systems, TAssistDocument& doc, const TAssistEarlier& earlier);
