-- SPDX-License-Identifier: MIT
-- Critical values (危急值) told to the clinician, and the reasons a doctor gave for signing
-- past a warning of the checks. Safe to run again.
SET ANSI_NULLS ON;
SET QUOTED_IDENTIFIER ON;
GO

-- The register: one row per notice, written once by sp_RecordCriticalNotice and never
-- changed or removed: the trigger refuses it whoever asks, dbo included, and workstations
-- hold SELECT only (grants.sql denies UPDATE and DELETE as well). A correction is a new row
-- whose Corrects names the row it corrects. NoticeTime is the database's clock; ReportSavedAt
-- the save of the report that first held a critical value. NoticeGuid comes from the telling
-- workstation: a notice sent again (a retry after a lost answer) stays one row.
IF OBJECT_ID(N'dbo.CriticalNotice', N'U') IS NULL
BEGIN
    CREATE TABLE dbo.CriticalNotice (
        NoticeId      bigint IDENTITY(1, 1) NOT NULL CONSTRAINT PK_CriticalNotice PRIMARY KEY,
        NoticeGuid    nvarchar(64) NOT NULL CONSTRAINT UQ_CriticalNotice_NoticeGuid UNIQUE,
        ruid          nvarchar(100) NOT NULL,
        CriticalValue nvarchar(500) NOT NULL,
        ReceiverName  nvarchar(50) NOT NULL,
        ReceiverDept  nvarchar(100) NOT NULL,
        ReceiverPhone nvarchar(100) NOT NULL,
        ReadBack      int NOT NULL CONSTRAINT CK_CriticalNotice_ReadBack CHECK (ReadBack = 1),
        ToldBy        nvarchar(50) NOT NULL,
        ToldByCode    nvarchar(50) NULL,
        NoticeTime    datetime2(3) NOT NULL CONSTRAINT DF_CriticalNotice_NoticeTime DEFAULT SYSDATETIME(),
        ReportSavedAt datetime2(3) NULL,
        Corrects      bigint NULL CONSTRAINT FK_CriticalNotice_Corrects REFERENCES dbo.CriticalNotice (NoticeId)
    );
    CREATE INDEX ix_CriticalNotice_ruid ON dbo.CriticalNotice (ruid, NoticeId);
    CREATE INDEX ix_CriticalNotice_time ON dbo.CriticalNotice (NoticeTime);
END;
GO

IF OBJECT_ID(N'dbo.tr_CriticalNotice_write_once', N'TR') IS NOT NULL DROP TRIGGER dbo.tr_CriticalNotice_write_once;
GO
CREATE TRIGGER dbo.tr_CriticalNotice_write_once ON dbo.CriticalNotice INSTEAD OF UPDATE, DELETE
AS
BEGIN
    SET NOCOUNT ON;
    RAISERROR (N'危急值登记只能添加，不能修改或删除；更正请另记一条指向原记录的通知', 16, 1);
    IF @@TRANCOUNT > 0 ROLLBACK TRANSACTION;
END;
GO

-- What an event was about: the rules and reason of a warning signed past ('check-override').
IF COL_LENGTH(N'dbo.ReportEvent', N'Detail') IS NULL ALTER TABLE dbo.ReportEvent ADD Detail nvarchar(1000) NULL;
GO

-- '1': a report with a critical value is signed only after a notice is in the register
-- (sp_SignReport). A site whose older workstations cannot record notices yet sets '0'.
IF NOT EXISTS (SELECT 1 FROM dbo.wr_setting WHERE name = N'CriticalNoticeBeforeSign')
    INSERT INTO dbo.wr_setting (name, value) VALUES (N'CriticalNoticeBeforeSign', N'1');
GO
