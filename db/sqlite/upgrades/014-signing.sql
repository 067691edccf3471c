-- SPDX-License-Identifier: MIT
-- Signing, printing and the printed report's patient data. Safe to run again: the loader
-- skips an ADD COLUMN whose column exists, the rest is IF NOT EXISTS.

-- Patient data the report sheet prints beside what Study already holds.
ALTER TABLE Study ADD COLUMN PatientId TEXT;   -- outpatient / inpatient number (门诊/住院号)
ALTER TABLE Study ADD COLUMN ReqDept TEXT;     -- requesting department (申请科室)
ALTER TABLE Study ADD COLUMN BedNo TEXT;       -- bed number of an inpatient (床号)

-- How often a final report was saved again after being unlocked; the work list marks such
-- reports. Older clients never touch it.
ALTER TABLE Report ADD COLUMN SignedEdits INTEGER DEFAULT 0;

-- What happened to a report after writing: 'sign', 'withdraw', 'edit-signed', 'print'.
-- Written by the signing and printing procedures in the same transaction as their change.
CREATE TABLE IF NOT EXISTS ReportEvent (
    id        INTEGER PRIMARY KEY,
    ruid      TEXT COLLATE NOCASE NOT NULL,
    Event     TEXT NOT NULL,
    UserName  TEXT,
    UserCode  TEXT,
    EventTime DATETIME NOT NULL
);
CREATE INDEX IF NOT EXISTS ix_ReportEvent_ruid ON ReportEvent (ruid, id);
