-- SPDX-License-Identifier: MIT
-- Report history and the row stamp that detects concurrent saves (SQL Server 2008 R2 or
-- later). See db/README.md, "Two workstations, one report". Safe to run again: every change
-- is guarded.
SET ANSI_NULLS ON;
SET QUOTED_IDENTIFIER ON;
GO

-- The stamp of a report row: SQL Server's rowversion, changed by the server itself on every
-- INSERT and UPDATE, whoever writes. Read it as CAST(RowVersion AS bigint).
IF COL_LENGTH(N'dbo.Report', N'RowVersion') IS NULL
    ALTER TABLE dbo.Report ADD RowVersion rowversion NOT NULL;
-- Who wrote this version and when, as the save procedure was told or found out.
IF COL_LENGTH(N'dbo.Report', N'SavedBy') IS NULL
    ALTER TABLE dbo.Report ADD SavedBy nvarchar(200) NULL;
IF COL_LENGTH(N'dbo.Report', N'SavedAt') IS NULL
    ALTER TABLE dbo.Report ADD SavedAt datetime2(3) NULL;
GO

-- Small settings of the database, by name. ReportHistoryKeep: how many earlier versions
-- of each report to keep; 0 keeps all.
IF OBJECT_ID(N'dbo.wr_setting', N'U') IS NULL
    CREATE TABLE dbo.wr_setting (
        name  nvarchar(100) NOT NULL CONSTRAINT PK_wr_setting PRIMARY KEY,
        value nvarchar(400) NULL
    );
IF NOT EXISTS (SELECT 1 FROM dbo.wr_setting WHERE name = N'ReportHistoryKeep')
    INSERT INTO dbo.wr_setting (name, value) VALUES (N'ReportHistoryKeep', N'0');
GO

-- Every version of a report that an UPDATE replaced or a DELETE removed. Operation: N'U'
-- replaced, N'D' deleted, N'K' a version a workstation gave up on a conflict. ReplacedBy is
-- the login and workstation of the session that replaced it.
IF OBJECT_ID(N'dbo.ReportHistory', N'U') IS NULL
    CREATE TABLE dbo.ReportHistory (
        HistoryId         bigint IDENTITY(1, 1) NOT NULL CONSTRAINT PK_ReportHistory PRIMARY KEY,
        Operation         nchar(1) NOT NULL,
        ReplacedAt        datetime2(3) NULL,
        ReplacedBy        nvarchar(300) NULL,
        RowVersion        bigint NULL,
        SavedBy           nvarchar(200) NULL,
        SavedAt           datetime2(3) NULL,
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
        CreateTime        datetime2(3) NULL
    );
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_ReportHistory_ruid' AND object_id = OBJECT_ID(N'dbo.ReportHistory'))
    CREATE INDEX ix_ReportHistory_ruid ON dbo.ReportHistory (ruid, HistoryId);
GO

IF OBJECT_ID(N'dbo.tr_Report_history', N'TR') IS NOT NULL DROP TRIGGER dbo.tr_Report_history;
GO
CREATE TRIGGER dbo.tr_Report_history ON dbo.Report AFTER UPDATE, DELETE
AS
BEGIN
    SET NOCOUNT ON;
    IF NOT EXISTS (SELECT 1 FROM deleted) RETURN;
    DECLARE @keep int;
    INSERT INTO dbo.ReportHistory (Operation, ReplacedAt, ReplacedBy, RowVersion, SavedBy, SavedAt, ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime)
    SELECT CASE WHEN EXISTS (SELECT 1 FROM inserted) THEN N'U' ELSE N'D' END, SYSDATETIME(),
           ISNULL(SUSER_SNAME(), N'') + N'@' + ISNULL(HOST_NAME(), N''),
           CAST(d.RowVersion AS bigint), d.SavedBy, d.SavedAt, d.ruid, d.Accnu, d.nbid, d.jcMethod, d.ItemName, d.ItemCode, d.JCDaLei, d.jcTuJing, d.ImgQuality, d.SuoJian, d.JieLun, d.JianYi, d.rtf_SuoJian, d.rtf_JieLun, d.ReportState, d.TanTouRate, d.TiXing, d.ExamDoctor, d.ExamDoctorCode, d.ReportDoctor, d.ReportDoctorCode, d.ShenHeDoctor, d.ShenHeDoctorCode, d.HuiZhenDoctor, d.HuizhenDoctorCode, d.ReportDate, d.shenHeDate, d.HuiZhenDate, d.PrintedCont, d.YinYangXing, d.WeiJiValue, d.BeiZhu, d.lczd, d.jcpart, d.jcpartcode, d.kgjLBaseLine, d.kgjLKjgd, d.kgjLGxtq, d.kgjLRgyc, d.kgjLGxzx, d.kgjRBaseLine, d.kgjRKjgd, d.kgjRGxtq, d.kgjRRgyc, d.kgjRGxzx, d.kgjL_A, d.kgjR_A, d.kgjL_B, d.kgjR_B, d.CreateTime
      FROM deleted AS d;
    SELECT @keep = CAST(value AS int) FROM dbo.wr_setting WHERE name = N'ReportHistoryKeep';
    IF ISNULL(@keep, 0) > 0
        DELETE h
          FROM dbo.ReportHistory AS h
         WHERE h.ruid IN (SELECT ruid FROM deleted)
           AND (SELECT COUNT(*) FROM dbo.ReportHistory AS n WHERE n.ruid = h.ruid AND n.HistoryId > h.HistoryId) >= @keep;
END;
GO
