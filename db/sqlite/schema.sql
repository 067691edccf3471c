-- SPDX-License-Identifier: MIT
-- WriteReport embedded database: tables. Run first, then procedures.sql, then (for the demo)
-- demo.sql. Texts are UTF-8; date-times are ISO text 'yyyy-MM-dd HH:mm:ss.zzz', local time;
-- flags are 0/1.

-- One row per report page, keyed by its GUID. ruid is deliberately not unique: rows written
-- by older workstations may repeat a GUID, and loading then reads the first one. GUIDs
-- compare without regard to case, as on the production server.
CREATE TABLE Report (
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
CREATE INDEX ix_Report_ruid ON Report (ruid);
CREATE INDEX ix_Report_Accnu ON Report (Accnu);

-- Doctors per department (kscode); lists show the highest displayindex first.
CREATE TABLE csdoctor (
    姓名         TEXT,
    kscode       TEXT,
    displayindex INTEGER,
    code         TEXT          -- the doctor's code, for the host's user list
);
CREATE INDEX ix_csdoctor_kscode ON csdoctor (kscode);

-- The three dictionaries; the lowest uorder is the default for a report without a value.
CREATE TABLE 检查途径 (cname TEXT, uorder INTEGER);
CREATE TABLE 探头频率 (探头频率 TEXT, uorder INTEGER);
CREATE TABLE 图像质量 (图像质量 TEXT, uorder INTEGER);

-- The patient and examination behind an accession number, for the host's work list.
CREATE TABLE Study (
    Accnu       TEXT PRIMARY KEY,
    PatientName TEXT,
    Sex         TEXT,
    Age         TEXT,
    kscode      TEXT,
    ExamTime    DATETIME,
    Modality    TEXT DEFAULT 'US'
);

-- Examination items registered for an accession. Each item belongs to at most one report
-- page (ReportGuid, NULL while free); cancelled items (Usable = 0) are never bound.
CREATE TABLE ExamItem (
    id         INTEGER PRIMARY KEY,
    Accnu      TEXT NOT NULL,
    ItemCode   TEXT,
    ItemName   TEXT NOT NULL,
    ItemOrder  INTEGER NOT NULL DEFAULT 0,
    Usable     INTEGER NOT NULL DEFAULT 1,
    ReportGuid TEXT COLLATE NOCASE
);
CREATE INDEX ix_ExamItem_Accnu ON ExamItem (Accnu, ItemOrder);

-- Phrases offered by the host's pickers, per department (kscode; '' = every department):
--   kind 'method' exam methods, 'part' exam parts (code = part code), 'lczd' clinical
--   diagnoses, 'jianyi' suggestions, 'beizhu' remarks.
CREATE TABLE Phrase (
    id     INTEGER PRIMARY KEY,
    kind   TEXT NOT NULL CHECK (kind IN ('method', 'part', 'lczd', 'jianyi', 'beizhu')),
    kscode TEXT NOT NULL DEFAULT '',
    code   TEXT,
    text   TEXT NOT NULL,
    uorder INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX ix_Phrase_kind ON Phrase (kind, kscode, uorder);

-- Report templates: findings and impression as RTF, grouped by category for the picker.
CREATE TABLE ReportTemplate (
    id          INTEGER PRIMARY KEY,
    kscode      TEXT NOT NULL DEFAULT '',
    category    TEXT NOT NULL,
    name        TEXT NOT NULL,
    rtf_SuoJian TEXT,
    rtf_JieLun  TEXT,
    uorder      INTEGER NOT NULL DEFAULT 0
);

-- Special symbols offered by the symbol picker (°, ×, ±, ...).
CREATE TABLE SpecialSymbol (symbol TEXT NOT NULL, uorder INTEGER NOT NULL DEFAULT 0);

-- Stored procedures: SQLite has none, so the database keeps their bodies and parameter
-- catalogue. A body is a list of statements separated by ';' that bind :Name (or @Name) to
-- the parameter @Name; see README.md.
CREATE TABLE wr_procedure (
    name TEXT PRIMARY KEY COLLATE NOCASE,
    body TEXT NOT NULL
);
CREATE TABLE wr_procedure_param (
    procedure TEXT NOT NULL COLLATE NOCASE REFERENCES wr_procedure (name) ON DELETE CASCADE,
    position  INTEGER NOT NULL,
    name      TEXT NOT NULL COLLATE NOCASE,
    data_type TEXT NOT NULL CHECK (data_type IN ('string', 'memo', 'integer', 'boolean', 'datetime', 'float')),
    direction TEXT NOT NULL DEFAULT 'in' CHECK (direction IN ('in', 'out', 'inout')),
    size      INTEGER NOT NULL DEFAULT 0,
    PRIMARY KEY (procedure, position),
    UNIQUE (procedure, name)
);
