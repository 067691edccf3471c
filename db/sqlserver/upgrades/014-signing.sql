-- SPDX-License-Identifier: MIT
-- Signing, printing and the printed report's patient data. Safe to run again.
SET ANSI_NULLS ON;
SET QUOTED_IDENTIFIER ON;
GO

-- Patient data the report sheet prints beside what Study already holds.
IF COL_LENGTH(N'dbo.Study', N'PatientId') IS NULL ALTER TABLE dbo.Study ADD PatientId nvarchar(50) NULL;
IF COL_LENGTH(N'dbo.Study', N'ReqDept') IS NULL ALTER TABLE dbo.Study ADD ReqDept nvarchar(100) NULL;
IF COL_LENGTH(N'dbo.Study', N'BedNo') IS NULL ALTER TABLE dbo.Study ADD BedNo nvarchar(20) NULL;
GO

-- How often a final report was saved again after being unlocked; the work list marks such
-- reports. Older clients never touch it.
IF COL_LENGTH(N'dbo.Report', N'SignedEdits') IS NULL
    ALTER TABLE dbo.Report ADD SignedEdits int NULL CONSTRAINT DF_Report_SignedEdits DEFAULT 0;
GO

-- What happened to a report after writing: 'sign', 'withdraw', 'edit-signed', 'print'.
-- Written by the signing and printing procedures in the same transaction as their change.
IF OBJECT_ID(N'dbo.ReportEvent', N'U') IS NULL
BEGIN
    CREATE TABLE dbo.ReportEvent (
        id        bigint IDENTITY(1, 1) NOT NULL CONSTRAINT PK_ReportEvent PRIMARY KEY,
        ruid      nvarchar(100) NOT NULL,
        Event     nvarchar(20) NOT NULL,
        UserName  nvarchar(50) NULL,
        UserCode  nvarchar(50) NULL,
        EventTime datetime2(3) NOT NULL
    );
    CREATE INDEX ix_ReportEvent_ruid ON dbo.ReportEvent (ruid, id);
END;
GO
