-- SPDX-License-Identifier: MIT
-- The index of the DICOM images the receivers stored: one row per instance (SOP Instance
-- UID), written by wr-dicomd through the procedures, read by every workstation. Safe to run
-- again.
--
-- An exam's images are the rows whose AssignedAccnu names it, or, while nobody assigned
-- them elsewhere, whose AccessionNumber does; a row whose accession matches no Study and
-- that nobody assigned is listed as unmatched. Thumbnail: a small JPEG, base64.
-- ForwardState: 0 no archive configured, 1 waiting for the archive, 2 archived (ArchivedAt).
-- RemovedAt: the local file was deleted after archiving; the row stays.
CREATE TABLE IF NOT EXISTS DicomInstance (
    SopInstanceUid    TEXT PRIMARY KEY,
    SopClassUid       TEXT NOT NULL DEFAULT '',
    StudyInstanceUid  TEXT NOT NULL DEFAULT '',
    SeriesInstanceUid TEXT NOT NULL DEFAULT '',
    AccessionNumber   TEXT NOT NULL DEFAULT '',
    AssignedAccnu     TEXT,
    PatientId         TEXT NOT NULL DEFAULT '',
    PatientName       TEXT NOT NULL DEFAULT '',
    Modality          TEXT NOT NULL DEFAULT '',
    InstanceNumber    INTEGER NOT NULL DEFAULT 0,
    Frames            INTEGER NOT NULL DEFAULT 1,
    Width             INTEGER NOT NULL DEFAULT 0,
    Height            INTEGER NOT NULL DEFAULT 0,
    FileSize          INTEGER NOT NULL DEFAULT 0,
    ReceivedAt        DATETIME NOT NULL,
    StoreName         TEXT NOT NULL,
    FilePath          TEXT NOT NULL,
    Thumbnail         TEXT,
    ForwardState      INTEGER NOT NULL DEFAULT 0,
    ForwardAttempts   INTEGER NOT NULL DEFAULT 0,
    ForwardError      TEXT,
    ArchivedAt        DATETIME,
    RemovedAt         DATETIME
);
CREATE INDEX IF NOT EXISTS ix_DicomInstance_Accession ON DicomInstance (AccessionNumber);
CREATE INDEX IF NOT EXISTS ix_DicomInstance_Assigned ON DicomInstance (AssignedAccnu);
CREATE INDEX IF NOT EXISTS ix_DicomInstance_Study ON DicomInstance (StudyInstanceUid);
CREATE INDEX IF NOT EXISTS ix_DicomInstance_Forward ON DicomInstance (StoreName, ForwardState);
