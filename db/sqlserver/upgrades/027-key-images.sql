-- SPDX-License-Identifier: MIT
-- The key images a doctor chose for a report, printed between the patient data and the
-- findings, written by sp_SaveKeyImageChoice and sp_SaveKeyImage in the same transaction as
-- the report's save. The image itself is kept (a JPEG rendered from the DICOM frame, base64),
-- so every workstation prints the same sheet without the DICOM file. Older workstations never
-- touch these tables. Safe to run again.
--
-- Choice: the key images in print order, "<SOP Instance UID>:<frame>" separated by blanks
-- (frame 0-based); empty when the doctor removed them. ReportVersion: the report's
-- RowVersion when this choice was saved with it. KeyImageChoiceHistory keeps every choice a
-- later save replaced (the list only). KeyImage: the rendered images of the current choice,
-- Position 1 to 6 in print order; base64 is ASCII, so varchar(max) holds it at half the size.
SET ANSI_NULLS ON;
SET QUOTED_IDENTIFIER ON;
GO

IF OBJECT_ID(N'dbo.KeyImageChoice', N'U') IS NULL
    CREATE TABLE dbo.KeyImageChoice (
        ruid          nvarchar(100) NOT NULL CONSTRAINT PK_KeyImageChoice PRIMARY KEY,
        Choice        nvarchar(max) NOT NULL,
        ReportVersion bigint NULL,
        SavedBy       nvarchar(200) NULL,
        SavedAt       datetime2(3) NULL
    );
GO

IF OBJECT_ID(N'dbo.KeyImageChoiceHistory', N'U') IS NULL
BEGIN
    CREATE TABLE dbo.KeyImageChoiceHistory (
        HistoryId     bigint IDENTITY(1, 1) NOT NULL CONSTRAINT PK_KeyImageChoiceHistory PRIMARY KEY,
        ruid          nvarchar(100) NOT NULL,
        Choice        nvarchar(max) NOT NULL,
        ReportVersion bigint NULL,
        SavedBy       nvarchar(200) NULL,
        SavedAt       datetime2(3) NULL,
        ReplacedAt    datetime2(3) NULL
    );
    CREATE INDEX ix_KeyImageChoiceHistory_ruid ON dbo.KeyImageChoiceHistory (ruid, HistoryId);
END;
GO

IF OBJECT_ID(N'dbo.KeyImage', N'U') IS NULL
    CREATE TABLE dbo.KeyImage (
        ruid           nvarchar(100) NOT NULL,
        Position       int NOT NULL,
        SopInstanceUid nvarchar(64) NOT NULL,
        Frame          int NOT NULL CONSTRAINT DF_KeyImage_Frame DEFAULT 0,
        Width          int NOT NULL CONSTRAINT DF_KeyImage_Width DEFAULT 0,
        Height         int NOT NULL CONSTRAINT DF_KeyImage_Height DEFAULT 0,
        Jpeg           varchar(max) NOT NULL,
        CONSTRAINT PK_KeyImage PRIMARY KEY (ruid, Position)
    );
GO
