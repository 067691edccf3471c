-- SPDX-License-Identifier: MIT
-- The structured values of the thyroid and breast assistants, one JSON document per report
-- and organ, written by sp_SaveStructuredFinding in the same transaction as the report's
-- save. Older workstations never touch these tables. Safe to run again.

-- ReportVersion: the report's RowVersion when this document was first saved with it. An
-- empty Document: the assistant's values were removed.
CREATE TABLE IF NOT EXISTS StructuredFinding (
    ruid          citext NOT NULL,
    Organ         text NOT NULL,
    Document      text NOT NULL,
    ReportVersion bigint,
    SavedBy       text,
    SavedAt       timestamp(3),
    PRIMARY KEY (ruid, Organ)
);

-- Every document a later save replaced, kept as long as ReportHistoryKeep keeps the
-- report's versions.
CREATE TABLE IF NOT EXISTS StructuredFindingHistory (
    HistoryId     bigserial PRIMARY KEY,
    ruid          citext NOT NULL,
    Organ         text NOT NULL,
    Document      text NOT NULL,
    ReportVersion bigint,
    SavedBy       text,
    SavedAt       timestamp(3),
    ReplacedAt    timestamp(3)
);
CREATE INDEX IF NOT EXISTS ix_StructuredFindingHistory_ruid ON StructuredFindingHistory (ruid, Organ, HistoryId);
