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
    SopInstanceUid    text PRIMARY KEY,
    SopClassUid       text NOT NULL DEFAULT '',
    StudyInstanceUid  text NOT NULL DEFAULT '',
    SeriesInstanceUid text NOT NULL DEFAULT '',
    AccessionNumber   text NOT NULL DEFAULT '',
    AssignedAccnu     text,
    PatientId         text NOT NULL DEFAULT '',
    PatientName       text NOT NULL DEFAULT '',
    Modality          text NOT NULL DEFAULT '',
    InstanceNumber    integer NOT NULL DEFAULT 0,
    Frames            integer NOT NULL DEFAULT 1,
    Width             integer NOT NULL DEFAULT 0,
    Height            integer NOT NULL DEFAULT 0,
    FileSize          bigint NOT NULL DEFAULT 0,
    ReceivedAt        timestamp(3) NOT NULL,
    StoreName         text NOT NULL,
    FilePath          text NOT NULL,
    Thumbnail         text,
    ForwardState      integer NOT NULL DEFAULT 0,
    ForwardAttempts   integer NOT NULL DEFAULT 0,
    ForwardError      text,
    ArchivedAt        timestamp(3),
    RemovedAt         timestamp(3)
);
CREATE INDEX IF NOT EXISTS ix_DicomInstance_Accession ON DicomInstance (AccessionNumber);
CREATE INDEX IF NOT EXISTS ix_DicomInstance_Assigned ON DicomInstance (AssignedAccnu);
CREATE INDEX IF NOT EXISTS ix_DicomInstance_Study ON DicomInstance (StudyInstanceUid);
CREATE INDEX IF NOT EXISTS ix_DicomInstance_Forward ON DicomInstance (StoreName, ForwardState);
