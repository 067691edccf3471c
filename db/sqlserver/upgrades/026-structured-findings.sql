-- SPDX-License-Identifier: MIT
-- The structured values of the thyroid and breast assistants, one JSON document per report
-- and organ, written by sp_SaveStructuredFinding in the same transaction as the report's
-- save. Older workstations never touch these tables. Safe to run again.
SET ANSI_NULLS ON;
SET QUOTED_IDENTIFIER ON;
GO

-- ReportVersion: the report's rowversion (as bigint) when this document was first saved with
-- it. An empty Document: the assistant's values were removed.
IF OBJECT_ID(N'dbo.StructuredFinding', N'U') IS NULL
    CREATE TABLE dbo.StructuredFinding (
        ruid          nvarchar(100) NOT NULL,
        Organ         nvarchar(50) NOT NULL,
        Document      nvarchar(max) NOT NULL,
        ReportVersion bigint NULL,
        SavedBy       nvarchar(200) NULL,
        SavedAt       datetime2(3) NULL,
        CONSTRAINT PK_StructuredFinding PRIMARY KEY (ruid, Organ)
    );
GO

-- Every document a later save replaced, kept as long as ReportHistoryKeep keeps the
-- report's versions.
IF OBJECT_ID(N'dbo.StructuredFindingHistory', N'U') IS NULL
BEGIN
    CREATE TABLE dbo.StructuredFindingHistory (
        HistoryId     bigint IDENTITY(1, 1) NOT NULL CONSTRAINT PK_StructuredFindingHistory PRIMARY KEY,
        ruid          nvarchar(100) NOT NULL,
        Organ         nvarchar(50) NOT NULL,
        Document      nvarchar(max) NOT NULL,
        ReportVersion bigint NULL,
        SavedBy       nvarchar(200) NULL,
        SavedAt       datetime2(3) NULL,
        ReplacedAt    datetime2(3) NULL
    );
    CREATE INDEX ix_StructuredFindingHistory_ruid ON dbo.StructuredFindingHistory (ruid, Organ, HistoryId);
END;
GO
