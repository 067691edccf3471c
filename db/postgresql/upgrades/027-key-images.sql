-- SPDX-License-Identifier: MIT
-- The key images a doctor chose for a report, printed between the patient data and the
-- findings, written by sp_SaveKeyImageChoice and sp_SaveKeyImage in the same transaction as
-- the report's save. The image itself is kept (a JPEG rendered from the DICOM frame, base64),
-- so every workstation prints the same sheet without the DICOM file. Older workstations never
-- touch these tables. Safe to run again.

-- Choice: the key images in print order, "<SOP Instance UID>:<frame>" separated by blanks
-- (frame 0-based); empty when the doctor removed them. ReportVersion: the report's
-- RowVersion when this choice was saved with it.
CREATE TABLE IF NOT EXISTS KeyImageChoice (
    ruid          citext NOT NULL PRIMARY KEY,
    Choice        text NOT NULL,
    ReportVersion bigint,
    SavedBy       text,
    SavedAt       timestamp(3)
);

-- Every choice a later save replaced (the list only), kept as long as ReportHistoryKeep
-- keeps the report's versions.
CREATE TABLE IF NOT EXISTS KeyImageChoiceHistory (
    HistoryId     bigserial PRIMARY KEY,
    ruid          citext NOT NULL,
    Choice        text NOT NULL,
    ReportVersion bigint,
    SavedBy       text,
    SavedAt       timestamp(3),
    ReplacedAt    timestamp(3)
);
CREATE INDEX IF NOT EXISTS ix_KeyImageChoiceHistory_ruid ON KeyImageChoiceHistory (ruid, HistoryId);

-- The rendered images of the current choice, Position 1 to 6 in print order.
CREATE TABLE IF NOT EXISTS KeyImage (
    ruid           citext NOT NULL,
    Position       integer NOT NULL,
    SopInstanceUid text NOT NULL,
    Frame          integer NOT NULL DEFAULT 0,
    Width          integer NOT NULL DEFAULT 0,
    Height         integer NOT NULL DEFAULT 0,
    Jpeg           text NOT NULL,
    PRIMARY KEY (ruid, Position)
);
