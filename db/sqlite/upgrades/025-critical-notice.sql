-- SPDX-License-Identifier: MIT
-- Critical values (危急值) told to the clinician, and the reasons a doctor gave for signing
-- past a warning of the checks. Safe to run again: the loader skips an ADD COLUMN whose
-- column exists, the rest is IF NOT EXISTS / OR IGNORE.

-- The register: one row per notice, written once by sp_RecordCriticalNotice and never
-- changed or removed (the triggers below refuse it, whoever asks). A correction is a new row
-- whose Corrects names the row it corrects. NoticeTime is the database's clock; ReportSavedAt
-- the save of the report that first held a critical value, so the register can tell how many
-- minutes passed before the clinician was told. NoticeGuid comes from the telling workstation:
-- a notice sent again (a retry after a lost answer) stays one row.
CREATE TABLE IF NOT EXISTS CriticalNotice (
    NoticeId      INTEGER PRIMARY KEY,
    NoticeGuid    TEXT COLLATE NOCASE NOT NULL UNIQUE,
    ruid          TEXT COLLATE NOCASE NOT NULL,
    CriticalValue TEXT NOT NULL,
    ReceiverName  TEXT NOT NULL,
    ReceiverDept  TEXT NOT NULL,
    ReceiverPhone TEXT NOT NULL,           -- phone number or the other way it was told
    ReadBack      INTEGER NOT NULL CHECK (ReadBack = 1),
    ToldBy        TEXT NOT NULL,
    ToldByCode    TEXT,
    NoticeTime    DATETIME NOT NULL,
    ReportSavedAt DATETIME,
    Corrects      INTEGER REFERENCES CriticalNotice (NoticeId)
);
CREATE INDEX IF NOT EXISTS ix_CriticalNotice_ruid ON CriticalNotice (ruid, NoticeId);
CREATE INDEX IF NOT EXISTS ix_CriticalNotice_time ON CriticalNotice (NoticeTime);

CREATE TRIGGER IF NOT EXISTS tr_CriticalNotice_no_update BEFORE UPDATE ON CriticalNotice
BEGIN
    SELECT RAISE(ABORT, '危急值登记只能添加，不能修改；更正请另记一条指向原记录的通知');
END;

CREATE TRIGGER IF NOT EXISTS tr_CriticalNotice_no_delete BEFORE DELETE ON CriticalNotice
BEGIN
    SELECT RAISE(ABORT, '危急值登记不能删除');
END;

-- What an event was about: the rules and reason of a warning signed past ('check-override').
ALTER TABLE ReportEvent ADD COLUMN Detail TEXT;

-- '1': a report with a critical value is signed only after a notice is in the register
-- (sp_SignReport). A site whose older workstations cannot record notices yet sets '0'.
INSERT OR IGNORE INTO wr_setting (name, value) VALUES ('CriticalNoticeBeforeSign', '1');
