-- SPDX-License-Identifier: MIT
-- Report history and the stamp that detects concurrent saves. See README.md, "Two
-- workstations, one report". Safe to run again: the loader skips an ADD COLUMN whose column
-- exists, everything else is IF NOT EXISTS / OR IGNORE.

-- Who wrote the current version of a report and when, as the save procedure was told
-- (SQLite knows no logins).
ALTER TABLE Report ADD COLUMN SavedBy TEXT;
ALTER TABLE Report ADD COLUMN SavedAt DATETIME;

-- The stamp of each report GUID: raised by the trigger below on every UPDATE of its rows,
-- whoever writes. A report with rows but no entry here has stamp 1, one without rows 0.
-- Kept beside Report rather than in it: raising a column of the row just updated would take
-- a second UPDATE, which would fire every other UPDATE trigger of Report twice.
CREATE TABLE IF NOT EXISTS ReportStamp (
    ruid       TEXT PRIMARY KEY COLLATE NOCASE,
    RowVersion INTEGER NOT NULL
);

-- Small settings of the database, by name. ReportHistoryKeep: how many earlier versions
-- of each report to keep; 0 keeps all.
CREATE TABLE IF NOT EXISTS wr_setting (
    name  TEXT PRIMARY KEY COLLATE NOCASE,
    value TEXT
);
INSERT OR IGNORE INTO wr_setting (name, value) VALUES ('ReportHistoryKeep', '0');

-- Every version of a report that an UPDATE replaced or a DELETE removed, written by the
-- triggers below, so saves of older workstations are kept too. Operation: 'U' replaced,
-- 'D' deleted, 'K' a version a workstation gave up on a conflict (kept, never current).
-- ReplacedAt is when it stopped being current; ReplacedBy the login that replaced it, where
-- the database knows one (never on SQLite).
CREATE TABLE IF NOT EXISTS ReportHistory (
    HistoryId         INTEGER PRIMARY KEY AUTOINCREMENT,
    Operation         TEXT NOT NULL,
    ReplacedAt        DATETIME,
    ReplacedBy        TEXT,
    RowVersion        INTEGER,
    SavedBy           TEXT,
    SavedAt           DATETIME,
    ruid              TEXT COLLATE NOCASE,
    Accnu             TEXT,
    nbid              TEXT,
    jcMethod          TEXT,
    ItemName          TEXT,
    ItemCode          TEXT,
    JCDaLei           TEXT,
    jcTuJing          TEXT,
    ImgQuality        TEXT,
    SuoJian           TEXT,
    JieLun            TEXT,
    JianYi            TEXT,
    rtf_SuoJian       TEXT,
    rtf_JieLun        TEXT,
    ReportState       INTEGER,
    TanTouRate        TEXT,
    TiXing            TEXT,
    ExamDoctor        TEXT,
    ExamDoctorCode    TEXT,
    ReportDoctor      TEXT,
    ReportDoctorCode  TEXT,
    ShenHeDoctor      TEXT,
    ShenHeDoctorCode  TEXT,
    HuiZhenDoctor     TEXT,
    HuizhenDoctorCode TEXT,
    ReportDate        DATETIME,
    shenHeDate        DATETIME,
    HuiZhenDate       DATETIME,
    PrintedCont       INTEGER,
    YinYangXing       BOOLEAN,
    WeiJiValue        TEXT,
    BeiZhu            TEXT,
    lczd              TEXT,
    jcpart            TEXT,
    jcpartcode        TEXT,
    kgjLBaseLine      TEXT,
    kgjLKjgd          TEXT,
    kgjLGxtq          TEXT,
    kgjLRgyc          TEXT,
    kgjLGxzx          TEXT,
    kgjRBaseLine      TEXT,
    kgjRKjgd          TEXT,
    kgjRGxtq          TEXT,
    kgjRRgyc          TEXT,
    kgjRGxzx          TEXT,
    kgjL_A            TEXT,
    kgjR_A            TEXT,
    kgjL_B            TEXT,
    kgjR_B            TEXT,
    CreateTime        DATETIME
);
CREATE INDEX IF NOT EXISTS ix_ReportHistory_ruid ON ReportHistory (ruid, HistoryId);

CREATE TRIGGER IF NOT EXISTS tr_Report_history_update AFTER UPDATE ON Report
BEGIN
    INSERT INTO ReportHistory (Operation, ReplacedAt, RowVersion, SavedBy, SavedAt, ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime)
    VALUES ('U', strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime'), coalesce((SELECT RowVersion FROM ReportStamp WHERE ruid = OLD.ruid), 1), OLD.SavedBy, OLD.SavedAt, OLD.ruid, OLD.Accnu, OLD.nbid, OLD.jcMethod, OLD.ItemName, OLD.ItemCode, OLD.JCDaLei, OLD.jcTuJing, OLD.ImgQuality, OLD.SuoJian, OLD.JieLun, OLD.JianYi, OLD.rtf_SuoJian, OLD.rtf_JieLun, OLD.ReportState, OLD.TanTouRate, OLD.TiXing, OLD.ExamDoctor, OLD.ExamDoctorCode, OLD.ReportDoctor, OLD.ReportDoctorCode, OLD.ShenHeDoctor, OLD.ShenHeDoctorCode, OLD.HuiZhenDoctor, OLD.HuizhenDoctorCode, OLD.ReportDate, OLD.shenHeDate, OLD.HuiZhenDate, OLD.PrintedCont, OLD.YinYangXing, OLD.WeiJiValue, OLD.BeiZhu, OLD.lczd, OLD.jcpart, OLD.jcpartcode, OLD.kgjLBaseLine, OLD.kgjLKjgd, OLD.kgjLGxtq, OLD.kgjLRgyc, OLD.kgjLGxzx, OLD.kgjRBaseLine, OLD.kgjRKjgd, OLD.kgjRGxtq, OLD.kgjRRgyc, OLD.kgjRGxzx, OLD.kgjL_A, OLD.kgjR_A, OLD.kgjL_B, OLD.kgjR_B, OLD.CreateTime);
    INSERT INTO ReportStamp (ruid, RowVersion) VALUES (NEW.ruid, 2)
        ON CONFLICT (ruid) DO UPDATE SET RowVersion = RowVersion + 1;
    DELETE FROM ReportHistory
     WHERE ruid = OLD.ruid
       AND coalesce((SELECT CAST(value AS INTEGER) FROM wr_setting WHERE name = 'ReportHistoryKeep'), 0) > 0
       AND HistoryId NOT IN (SELECT HistoryId FROM ReportHistory WHERE ruid = OLD.ruid ORDER BY HistoryId DESC
                              LIMIT (SELECT CAST(value AS INTEGER) FROM wr_setting WHERE name = 'ReportHistoryKeep'));
END;

CREATE TRIGGER IF NOT EXISTS tr_Report_history_delete AFTER DELETE ON Report
BEGIN
    INSERT INTO ReportHistory (Operation, ReplacedAt, RowVersion, SavedBy, SavedAt, ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime)
    VALUES ('D', strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime'), coalesce((SELECT RowVersion FROM ReportStamp WHERE ruid = OLD.ruid), 1), OLD.SavedBy, OLD.SavedAt, OLD.ruid, OLD.Accnu, OLD.nbid, OLD.jcMethod, OLD.ItemName, OLD.ItemCode, OLD.JCDaLei, OLD.jcTuJing, OLD.ImgQuality, OLD.SuoJian, OLD.JieLun, OLD.JianYi, OLD.rtf_SuoJian, OLD.rtf_JieLun, OLD.ReportState, OLD.TanTouRate, OLD.TiXing, OLD.ExamDoctor, OLD.ExamDoctorCode, OLD.ReportDoctor, OLD.ReportDoctorCode, OLD.ShenHeDoctor, OLD.ShenHeDoctorCode, OLD.HuiZhenDoctor, OLD.HuizhenDoctorCode, OLD.ReportDate, OLD.shenHeDate, OLD.HuiZhenDate, OLD.PrintedCont, OLD.YinYangXing, OLD.WeiJiValue, OLD.BeiZhu, OLD.lczd, OLD.jcpart, OLD.jcpartcode, OLD.kgjLBaseLine, OLD.kgjLKjgd, OLD.kgjLGxtq, OLD.kgjLRgyc, OLD.kgjLGxzx, OLD.kgjRBaseLine, OLD.kgjRKjgd, OLD.kgjRGxtq, OLD.kgjRRgyc, OLD.kgjRGxzx, OLD.kgjL_A, OLD.kgjR_A, OLD.kgjL_B, OLD.kgjR_B, OLD.CreateTime);
END;
