-- SPDX-License-Identifier: MIT
-- The key images a doctor chose for a report, printed between the patient data and the
-- findings, written by sp_SaveKeyImageChoice and sp_SaveKeyImage in the same transaction as
-- the report's save. The image itself is kept (a JPEG rendered from the DICOM frame, base64),
-- so every workstation prints the same sheet without the DICOM file. Older workstations never
-- touch these tables. Safe to run again: everything is IF NOT EXISTS.

-- Choice: the key images in print order, "<SOP Instance UID>:<frame>" separated by blanks
-- (frame 0-based); empty when the doctor removed them. ReportVersion: the report's stamp
-- when this choice was saved with it, so the report's history and its images line up.
CREATE TABLE IF NOT EXISTS KeyImageChoice (
    ruid          TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    Choice        TEXT NOT NULL,
    ReportVersion INTEGER,
    SavedBy       TEXT,
    SavedAt       DATETIME
);

-- Every choice a later save replaced, kept as long as ReportHistoryKeep keeps the report's
-- versions (the list only; the images of the current choice are in KeyImage).
CREATE TABLE IF NOT EXISTS KeyImageChoiceHistory (
    HistoryId     INTEGER PRIMARY KEY AUTOINCREMENT,
    ruid          TEXT COLLATE NOCASE NOT NULL,
    Choice        TEXT NOT NULL,
    ReportVersion INTEGER,
    SavedBy       TEXT,
    SavedAt       DATETIME,
    ReplacedAt    DATETIME
);
CREATE INDEX IF NOT EXISTS ix_KeyImageChoiceHistory_ruid ON KeyImageChoiceHistory (ruid, HistoryId);

-- The rendered images of the current choice, Position 1 to 6 in print order.
CREATE TABLE IF NOT EXISTS KeyImage (
    ruid           TEXT COLLATE NOCASE NOT NULL,
    Position       INTEGER NOT NULL,
    SopInstanceUid TEXT NOT NULL,
    Frame          INTEGER NOT NULL DEFAULT 0,
    Width          INTEGER NOT NULL DEFAULT 0,
    Height         INTEGER NOT NULL DEFAULT 0,
    Jpeg           TEXT NOT NULL,
    PRIMARY KEY (ruid, Position)
);
