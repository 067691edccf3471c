-- SPDX-License-Identifier: MIT
-- What the ultrasound machines' worklist needs beside the work list's own columns. Safe to
-- run again.
SET ANSI_NULLS ON;
SET QUOTED_IDENTIFIER ON;
GO

-- The exam's Study Instance UID, given once by the worklist service (wr-dicomd) the first
-- time a machine is told about the exam and never changed after, so the images that come
-- back carry it.
IF COL_LENGTH(N'dbo.Study', N'StudyUid') IS NULL ALTER TABLE dbo.Study ADD StudyUid varchar(64) NULL;
-- The AE title of the machine the exam is scheduled on; NULL: any machine of the room.
IF COL_LENGTH(N'dbo.Study', N'StationAet') IS NULL ALTER TABLE dbo.Study ADD StationAet varchar(16) NULL;
GO

-- A machine asks for one day's exams: the day's rows come from this index, however long the
-- table has grown.
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_Study_ExamTime' AND object_id = OBJECT_ID(N'dbo.Study'))
    CREATE NONCLUSTERED INDEX ix_Study_ExamTime ON dbo.Study (ExamTime);
GO
