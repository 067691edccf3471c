-- SPDX-License-Identifier: MIT
-- The index of the DICOM images the receivers stored: one row per instance (SOP Instance
-- UID), written by wr-dicomd through the procedures, read by every workstation. Safe to run
-- again.
--
-- An exam's images are the rows whose AssignedAccnu names it, or, while nobody assigned
-- them elsewhere, whose AccessionNumber does; a row whose accession matches no Study and
-- that nobody assigned is listed as unmatched. Thumbnail: a small JPEG, base64.
-- ForwardState: 0 no archive configured, 1 waiting for the archive, 2 archived (ArchivedAt).
-- RemovedAt: the local file was deleted after archiving; the row stays.
SET ANSI_NULLS ON;
SET QUOTED_IDENTIFIER ON;
GO

IF OBJECT_ID(N'dbo.DicomInstance', N'U') IS NULL
    CREATE TABLE dbo.DicomInstance (
        SopInstanceUid    nvarchar(64) NOT NULL CONSTRAINT PK_DicomInstance PRIMARY KEY,
        SopClassUid       nvarchar(64) NOT NULL CONSTRAINT DF_DicomInstance_SopClass DEFAULT N'',
        StudyInstanceUid  nvarchar(64) NOT NULL CONSTRAINT DF_DicomInstance_Study DEFAULT N'',
        SeriesInstanceUid nvarchar(64) NOT NULL CONSTRAINT DF_DicomInstance_Series DEFAULT N'',
        AccessionNumber   nvarchar(100) NOT NULL CONSTRAINT DF_DicomInstance_Accession DEFAULT N'',
        AssignedAccnu     nvarchar(100) NULL,
        PatientId         nvarchar(64) NOT NULL CONSTRAINT DF_DicomInstance_PatientId DEFAULT N'',
        PatientName       nvarchar(200) NOT NULL CONSTRAINT DF_DicomInstance_PatientName DEFAULT N'',
        Modality          nvarchar(16) NOT NULL CONSTRAINT DF_DicomInstance_Modality DEFAULT N'',
        InstanceNumber    int NOT NULL CONSTRAINT DF_DicomInstance_InstanceNumber DEFAULT 0,
        Frames            int NOT NULL CONSTRAINT DF_DicomInstance_Frames DEFAULT 1,
        Width             int NOT NULL CONSTRAINT DF_DicomInstance_Width DEFAULT 0,
        Height            int NOT NULL CONSTRAINT DF_DicomInstance_Height DEFAULT 0,
        FileSize          bigint NOT NULL CONSTRAINT DF_DicomInstance_FileSize DEFAULT 0,
        ReceivedAt        datetime2(3) NOT NULL,
        StoreName         nvarchar(200) NOT NULL,
        FilePath          nvarchar(800) NOT NULL,
        Thumbnail         nvarchar(max) NULL,
        ForwardState      int NOT NULL CONSTRAINT DF_DicomInstance_ForwardState DEFAULT 0,
        ForwardAttempts   int NOT NULL CONSTRAINT DF_DicomInstance_ForwardAttempts DEFAULT 0,
        ForwardError      nvarchar(1000) NULL,
        ArchivedAt        datetime2(3) NULL,
        RemovedAt         datetime2(3) NULL
    );
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_DicomInstance_Accession' AND object_id = OBJECT_ID(N'dbo.DicomInstance'))
    CREATE INDEX ix_DicomInstance_Accession ON dbo.DicomInstance (AccessionNumber);
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_DicomInstance_Assigned' AND object_id = OBJECT_ID(N'dbo.DicomInstance'))
    CREATE INDEX ix_DicomInstance_Assigned ON dbo.DicomInstance (AssignedAccnu);
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_DicomInstance_Study' AND object_id = OBJECT_ID(N'dbo.DicomInstance'))
    CREATE INDEX ix_DicomInstance_Study ON dbo.DicomInstance (StudyInstanceUid);
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_DicomInstance_Forward' AND object_id = OBJECT_ID(N'dbo.DicomInstance'))
    CREATE INDEX ix_DicomInstance_Forward ON dbo.DicomInstance (StoreName, ForwardState);
GO
