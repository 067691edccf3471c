-- SPDX-License-Identifier: MIT
-- Critical values (危急值) told to the clinician, and the reasons a doctor gave for signing
-- past a warning of the checks. Safe to run again.

-- The register: one row per notice, written once by sp_RecordCriticalNotice and never
-- changed or removed: the trigger refuses it whoever asks, the owner included, and
-- workstations hold SELECT only (grants.sql). A correction is a new row whose Corrects names
-- the row it corrects. NoticeTime is the database's clock; ReportSavedAt the save of the
-- report that first held a critical value. NoticeGuid comes from the telling workstation: a
-- notice sent again (a retry after a lost answer) stays one row.
CREATE TABLE IF NOT EXISTS CriticalNotice (
    NoticeId      bigserial PRIMARY KEY,
    NoticeGuid    citext NOT NULL UNIQUE,
    ruid          citext NOT NULL,
    CriticalValue text NOT NULL,
    ReceiverName  text NOT NULL,
    ReceiverDept  text NOT NULL,
    ReceiverPhone text NOT NULL,
    ReadBack      integer NOT NULL CHECK (ReadBack = 1),
    ToldBy        text NOT NULL,
    ToldByCode    text,
    NoticeTime    timestamp(3) NOT NULL DEFAULT localtimestamp(3),
    ReportSavedAt timestamp(3),
    Corrects      bigint REFERENCES CriticalNotice (NoticeId)
);
CREATE INDEX IF NOT EXISTS ix_CriticalNotice_ruid ON CriticalNotice (ruid, NoticeId);
CREATE INDEX IF NOT EXISTS ix_CriticalNotice_time ON CriticalNotice (NoticeTime);

CREATE OR REPLACE FUNCTION wr_critical_notice_write_once() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
    RAISE EXCEPTION '危急值登记只能添加，不能修改或删除；更正请另记一条指向原记录的通知';
END
$$;
DROP TRIGGER IF EXISTS tr_CriticalNotice_write_once ON CriticalNotice;
CREATE TRIGGER tr_CriticalNotice_write_once BEFORE UPDATE OR DELETE ON CriticalNotice
    FOR EACH ROW EXECUTE FUNCTION wr_critical_notice_write_once();
DROP TRIGGER IF EXISTS tr_CriticalNotice_no_truncate ON CriticalNotice;
CREATE TRIGGER tr_CriticalNotice_no_truncate BEFORE TRUNCATE ON CriticalNotice
    FOR EACH STATEMENT EXECUTE FUNCTION wr_critical_notice_write_once();

-- What an event was about: the rules and reason of a warning signed past ('check-override').
ALTER TABLE ReportEvent ADD COLUMN IF NOT EXISTS Detail text;

-- '1': a report with a critical value is signed only after a notice is in the register
-- (sp_SignReport). A site whose older workstations cannot record notices yet sets '0'.
INSERT INTO wr_setting (name, value) VALUES ('CriticalNoticeBeforeSign', '1') ON CONFLICT DO NOTHING;
