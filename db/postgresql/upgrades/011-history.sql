-- SPDX-License-Identifier: MIT
-- Report history and the row stamp that detects concurrent saves. See db/README.md, "Two
-- workstations, one report". Safe to run again.

-- The stamp of a report row: 1 when inserted, raised by one by the trigger below on every
-- UPDATE, whoever writes. Writers never set it themselves.
ALTER TABLE Report ADD COLUMN IF NOT EXISTS RowVersion bigint NOT NULL DEFAULT 1;
-- Who wrote this version and when: set by the save procedure; for other writers the trigger
-- fills in the login and the time the server knows.
ALTER TABLE Report ADD COLUMN IF NOT EXISTS SavedBy text;
ALTER TABLE Report ADD COLUMN IF NOT EXISTS SavedAt timestamp(3);

-- Small settings of the database, by name. ReportHistoryKeep: how many earlier versions
-- of each report to keep; 0 keeps all.
CREATE TABLE IF NOT EXISTS wr_setting (
    name  citext PRIMARY KEY,
    value text
);
INSERT INTO wr_setting (name, value) VALUES ('ReportHistoryKeep', '0') ON CONFLICT DO NOTHING;

-- Every version of a report that an UPDATE replaced or a DELETE removed. Operation: 'U'
-- replaced, 'D' deleted, 'K' a version a workstation gave up on a conflict. ReplacedBy is the
-- login and client address of the session that replaced it.
CREATE TABLE IF NOT EXISTS ReportHistory (
    HistoryId         bigserial PRIMARY KEY,
    Operation         text NOT NULL,
    ReplacedAt        timestamp(3),
    ReplacedBy        text,
    RowVersion        bigint,
    SavedBy           text,
    SavedAt           timestamp(3),
    ruid              citext,
    Accnu             text,
    nbid              text,
    jcMethod          text,
    ItemName          text,
    ItemCode          text,
    JCDaLei           text,
    jcTuJing          text,
    ImgQuality        text,
    SuoJian           text,
    JieLun            text,
    JianYi            text,
    rtf_SuoJian       text,
    rtf_JieLun        text,
    ReportState       integer,
    TanTouRate        text,
    TiXing            text,
    ExamDoctor        text,
    ExamDoctorCode    text,
    ReportDoctor      text,
    ReportDoctorCode  text,
    ShenHeDoctor      text,
    ShenHeDoctorCode  text,
    HuiZhenDoctor     text,
    HuizhenDoctorCode text,
    ReportDate        timestamp(3),
    shenHeDate        timestamp(3),
    HuiZhenDate       timestamp(3),
    PrintedCont       integer,
    YinYangXing       boolean,
    WeiJiValue        text,
    BeiZhu            text,
    lczd              text,
    jcpart            text,
    jcpartcode        text,
    kgjLBaseLine      text,
    kgjLKjgd          text,
    kgjLGxtq          text,
    kgjLRgyc          text,
    kgjLGxzx          text,
    kgjRBaseLine      text,
    kgjRKjgd          text,
    kgjRGxtq          text,
    kgjRRgyc          text,
    kgjRGxzx          text,
    kgjL_A            text,
    kgjR_A            text,
    kgjL_B            text,
    kgjR_B            text,
    CreateTime        timestamp(3)
);
CREATE INDEX IF NOT EXISTS ix_ReportHistory_ruid ON ReportHistory (ruid, HistoryId);

-- The session as the server knows it: login, and the client's address or program name.
CREATE OR REPLACE FUNCTION wr_session_login() RETURNS text LANGUAGE sql STABLE AS $$
    SELECT session_user || '@' || coalesce(host(inet_client_addr()), nullif(current_setting('application_name', true), ''), 'local')
$$;

CREATE OR REPLACE FUNCTION wr_report_history() RETURNS trigger LANGUAGE plpgsql AS $$
DECLARE
    keep integer;
BEGIN
    INSERT INTO ReportHistory (Operation, ReplacedAt, ReplacedBy, RowVersion, SavedBy, SavedAt, ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime)
    VALUES (CASE TG_OP WHEN 'DELETE' THEN 'D' ELSE 'U' END, localtimestamp(3), wr_session_login(),
            OLD.RowVersion, OLD.SavedBy, OLD.SavedAt, OLD.ruid, OLD.Accnu, OLD.nbid, OLD.jcMethod, OLD.ItemName, OLD.ItemCode, OLD.JCDaLei, OLD.jcTuJing, OLD.ImgQuality, OLD.SuoJian, OLD.JieLun, OLD.JianYi, OLD.rtf_SuoJian, OLD.rtf_JieLun, OLD.ReportState, OLD.TanTouRate, OLD.TiXing, OLD.ExamDoctor, OLD.ExamDoctorCode, OLD.ReportDoctor, OLD.ReportDoctorCode, OLD.ShenHeDoctor, OLD.ShenHeDoctorCode, OLD.HuiZhenDoctor, OLD.HuizhenDoctorCode, OLD.ReportDate, OLD.shenHeDate, OLD.HuiZhenDate, OLD.PrintedCont, OLD.YinYangXing, OLD.WeiJiValue, OLD.BeiZhu, OLD.lczd, OLD.jcpart, OLD.jcpartcode, OLD.kgjLBaseLine, OLD.kgjLKjgd, OLD.kgjLGxtq, OLD.kgjLRgyc, OLD.kgjLGxzx, OLD.kgjRBaseLine, OLD.kgjRKjgd, OLD.kgjRGxtq, OLD.kgjRRgyc, OLD.kgjRGxzx, OLD.kgjL_A, OLD.kgjR_A, OLD.kgjL_B, OLD.kgjR_B, OLD.CreateTime);
    SELECT CAST(value AS integer) INTO keep FROM wr_setting WHERE name = 'ReportHistoryKeep';
    IF coalesce(keep, 0) > 0 THEN
        DELETE FROM ReportHistory
         WHERE ruid = OLD.ruid
           AND HistoryId NOT IN (SELECT HistoryId FROM ReportHistory WHERE ruid = OLD.ruid
                                  ORDER BY HistoryId DESC LIMIT keep);
    END IF;
    IF TG_OP = 'DELETE' THEN
        RETURN OLD;
    END IF;
    NEW.RowVersion := OLD.RowVersion + 1;
    -- A writer other than the save procedure: record what the server knows of it.
    IF NEW.SavedAt IS NOT DISTINCT FROM OLD.SavedAt THEN
        NEW.SavedAt := localtimestamp(3);
        NEW.SavedBy := wr_session_login();
    END IF;
    RETURN NEW;
END
$$;

DROP TRIGGER IF EXISTS tr_Report_history ON Report;
CREATE TRIGGER tr_Report_history BEFORE UPDATE OR DELETE ON Report
    FOR EACH ROW EXECUTE FUNCTION wr_report_history();
