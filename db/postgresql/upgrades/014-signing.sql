-- SPDX-License-Identifier: MIT
-- Signing, printing and the printed report's patient data. Safe to run again.

-- Patient data the report sheet prints beside what Study already holds.
ALTER TABLE Study ADD COLUMN IF NOT EXISTS PatientId text;  -- outpatient / inpatient number
ALTER TABLE Study ADD COLUMN IF NOT EXISTS ReqDept text;    -- requesting department
ALTER TABLE Study ADD COLUMN IF NOT EXISTS BedNo text;      -- bed number of an inpatient

-- How often a final report was saved again after being unlocked; the work list marks such
-- reports. Older clients never touch it.
ALTER TABLE Report ADD COLUMN IF NOT EXISTS SignedEdits integer DEFAULT 0;

-- What happened to a report after writing: 'sign', 'withdraw', 'edit-signed', 'print'.
-- Written by the signing and printing procedures in the same transaction as their change.
CREATE TABLE IF NOT EXISTS ReportEvent (
    id        bigserial PRIMARY KEY,
    ruid      citext NOT NULL,
    Event     text NOT NULL,
    UserName  text,
    UserCode  text,
    EventTime timestamp(3) NOT NULL
);
CREATE INDEX IF NOT EXISTS ix_ReportEvent_ruid ON ReportEvent (ruid, id);
