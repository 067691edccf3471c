-- SPDX-License-Identifier: MIT
-- The structured values of the thyroid and breast assistants (nodules, their answers and
-- sizes), one JSON document per report and organ, written by sp_SaveStructuredFinding in the
-- same transaction as the report's save. Older workstations never touch these tables. Safe
-- to run again: everything is IF NOT EXISTS.

-- ReportVersion: the report's stamp (ReportStamp) when this document was first saved with
-- it, so the history of the report and of its findings line up. An empty Document: the
-- assistant's values were removed.
CREATE TABLE IF NOT EXISTS StructuredFinding (
    ruid          TEXT COLLATE NOCASE NOT NULL,
    Organ         TEXT NOT NULL,
    Document      TEXT NOT NULL,
    ReportVersion INTEGER,
    SavedBy       TEXT,
    SavedAt       DATETIME,
    PRIMARY KEY (ruid, Organ)
);

-- Every document a later save replaced, kept as long as ReportHistoryKeep keeps the
-- report's versions.
CREATE TABLE IF NOT EXISTS StructuredFindingHistory (
    HistoryId     INTEGER PRIMARY KEY AUTOINCREMENT,
    ruid          TEXT COLLATE NOCASE NOT NULL,
    Organ         TEXT NOT NULL,
    Document      TEXT NOT NULL,
    ReportVersion INTEGER,
    SavedBy       TEXT,
    SavedAt       DATETIME,
    ReplacedAt    DATETIME
);
CREATE INDEX IF NOT EXISTS ix_StructuredFindingHistory_ruid ON StructuredFindingHistory (ruid, Organ, HistoryId);
