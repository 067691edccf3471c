-- SPDX-License-Identifier: MIT
-- WriteReport on Microsoft SQL Server (2008 R2 or later): tables. Run first, then the
-- upgrades/ in name order, procedures.sql, grants.sql and (for a demonstration) demo.sql, in
-- the report database. The scripts are UTF-8: sqlcmd must be told so (-f 65001), and -b
-- stops at the first failed batch:
--   sqlcmd -S server -d WriteReport -f 65001 -b -i schema.sql
-- Create the database with a Chinese collation so that sorting and comparing Chinese text
-- follows Chinese rules, e.g.
--   CREATE DATABASE WriteReport COLLATE Chinese_PRC_CI_AS;
-- Every text column is nvarchar (UTF-16), so any text is stored whole whatever the
-- collation's code page. Date-times are datetime2(3): to the millisecond (datetime would
-- round to 1/300 s). The flag is bit.
SET ANSI_NULLS ON;
SET QUOTED_IDENTIFIER ON;
GO

-- One row per report page, keyed by its GUID. ruid is deliberately not unique: rows written
-- by older workstations may repeat a GUID, and loading then reads the first one.
-- sp_SaveReportInfo serialises saves of one GUID with a key-range lock on ix_Report_ruid.
CREATE TABLE dbo.Report (
    ruid              nvarchar(100) NULL,
    Accnu             nvarchar(100) NULL,
    nbid              nvarchar(100) NULL,
    jcMethod          nvarchar(500) NULL,
    ItemName          nvarchar(2000) NULL,
    ItemCode          nvarchar(2000) NULL,
    JCDaLei           nvarchar(100) NULL,
    jcTuJing          nvarchar(100) NULL,
    ImgQuality        nvarchar(100) NULL,
    SuoJian           nvarchar(max) NULL,
    JieLun            nvarchar(max) NULL,
    JianYi            nvarchar(max) NULL,
    rtf_SuoJian       nvarchar(max) NULL,
    rtf_JieLun        nvarchar(max) NULL,
    ReportState       int NULL,
    TanTouRate        nvarchar(100) NULL,
    TiXing            nvarchar(100) NULL,
    ExamDoctor        nvarchar(50) NULL,
    ExamDoctorCode    nvarchar(50) NULL,
    ReportDoctor      nvarchar(50) NULL,
    ReportDoctorCode  nvarchar(50) NULL,
    ShenHeDoctor      nvarchar(50) NULL,
    ShenHeDoctorCode  nvarchar(50) NULL,
    HuiZhenDoctor     nvarchar(50) NULL,
    HuizhenDoctorCode nvarchar(50) NULL,
    ReportDate        datetime2(3) NULL,
    shenHeDate        datetime2(3) NULL,
    HuiZhenDate       datetime2(3) NULL,
    PrintedCont       int NULL,
    YinYangXing       bit NULL,
    WeiJiValue        nvarchar(500) NULL,
    BeiZhu            nvarchar(max) NULL,
    lczd              nvarchar(max) NULL,
    jcpart            nvarchar(2000) NULL,
    jcpartcode        nvarchar(2000) NULL,
    kgjLBaseLine      nvarchar(50) NULL,
    kgjLKjgd          nvarchar(50) NULL,
    kgjLGxtq          nvarchar(50) NULL,
    kgjLRgyc          nvarchar(50) NULL,
    kgjLGxzx          nvarchar(50) NULL,
    kgjRBaseLine      nvarchar(50) NULL,
    kgjRKjgd          nvarchar(50) NULL,
    kgjRGxtq          nvarchar(50) NULL,
    kgjRRgyc          nvarchar(50) NULL,
    kgjRGxzx          nvarchar(50) NULL,
    kgjL_A            nvarchar(50) NULL,
    kgjR_A            nvarchar(50) NULL,
    kgjL_B            nvarchar(50) NULL,
    kgjR_B            nvarchar(50) NULL,
    CreateTime        datetime2(3) NULL CONSTRAINT DF_Report_CreateTime DEFAULT SYSDATETIME()
);
CREATE NONCLUSTERED INDEX ix_Report_ruid ON dbo.Report (ruid);
CREATE NONCLUSTERED INDEX ix_Report_Accnu ON dbo.Report (Accnu);
GO

-- Doctors per department (kscode); lists show the highest displayindex first.
CREATE TABLE dbo.csdoctor (
    姓名         nvarchar(50) NULL,
    kscode       nvarchar(50) NULL,
    displayindex int NULL,
    code         nvarchar(50) NULL   -- the doctor's code, for the host's user list
);
CREATE NONCLUSTERED INDEX ix_csdoctor_kscode ON dbo.csdoctor (kscode);
GO

-- The three dictionaries; the lowest uorder is the default for a report without a value.
CREATE TABLE dbo.检查途径 (cname nvarchar(100) NULL, uorder int NULL);
CREATE TABLE dbo.探头频率 (探头频率 nvarchar(100) NULL, uorder int NULL);
CREATE TABLE dbo.图像质量 (图像质量 nvarchar(100) NULL, uorder int NULL);
GO

-- The patient and examination behind an accession number, for the host's work list.
CREATE TABLE dbo.Study (
    Accnu       nvarchar(100) NOT NULL CONSTRAINT PK_Study PRIMARY KEY,
    PatientName nvarchar(100) NULL,
    Sex         nvarchar(10) NULL,
    Age         nvarchar(20) NULL,
    kscode      nvarchar(50) NULL,
    ExamTime    datetime2(3) NULL,
    Modality    nvarchar(20) NULL CONSTRAINT DF_Study_Modality DEFAULT N'US'
);
GO

-- Examination items registered for an accession. Each item belongs to at most one report
-- page (ReportGuid, NULL while free); cancelled items (Usable = 0) are never bound.
CREATE TABLE dbo.ExamItem (
    id         int IDENTITY(1, 1) NOT NULL CONSTRAINT PK_ExamItem PRIMARY KEY,
    Accnu      nvarchar(100) NOT NULL,
    ItemCode   nvarchar(100) NULL,
    ItemName   nvarchar(200) NOT NULL,
    ItemOrder  int NOT NULL CONSTRAINT DF_ExamItem_ItemOrder DEFAULT 0,
    Usable     int NOT NULL CONSTRAINT DF_ExamItem_Usable DEFAULT 1,
    ReportGuid nvarchar(100) NULL
);
CREATE NONCLUSTERED INDEX ix_ExamItem_Accnu ON dbo.ExamItem (Accnu, ItemOrder);
GO

-- Phrases offered by the host's pickers, per department (kscode; '' = every department):
--   kind 'method' exam methods, 'part' exam parts (code = part code), 'lczd' clinical
--   diagnoses, 'jianyi' suggestions, 'beizhu' remarks.
CREATE TABLE dbo.Phrase (
    id     int IDENTITY(1, 1) NOT NULL CONSTRAINT PK_Phrase PRIMARY KEY,
    kind   nvarchar(10) NOT NULL CONSTRAINT CK_Phrase_kind CHECK (kind IN (N'method', N'part', N'lczd', N'jianyi', N'beizhu')),
    kscode nvarchar(50) NOT NULL CONSTRAINT DF_Phrase_kscode DEFAULT N'',
    code   nvarchar(50) NULL,
    text   nvarchar(max) NOT NULL,
    uorder int NOT NULL CONSTRAINT DF_Phrase_uorder DEFAULT 0
);
CREATE NONCLUSTERED INDEX ix_Phrase_kind ON dbo.Phrase (kind, kscode, uorder);
GO

-- Report templates: findings and impression as RTF, grouped by category for the picker.
CREATE TABLE dbo.ReportTemplate (
    id          int IDENTITY(1, 1) NOT NULL CONSTRAINT PK_ReportTemplate PRIMARY KEY,
    kscode      nvarchar(50) NOT NULL CONSTRAINT DF_ReportTemplate_kscode DEFAULT N'',
    category    nvarchar(100) NOT NULL,
    name        nvarchar(200) NOT NULL,
    rtf_SuoJian nvarchar(max) NULL,
    rtf_JieLun  nvarchar(max) NULL,
    uorder      int NOT NULL CONSTRAINT DF_ReportTemplate_uorder DEFAULT 0
);
GO

-- Special symbols offered by the symbol picker.
CREATE TABLE dbo.SpecialSymbol (
    symbol nvarchar(20) NOT NULL,
    uorder int NOT NULL CONSTRAINT DF_SpecialSymbol_uorder DEFAULT 0
);
GO
