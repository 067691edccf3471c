-- SPDX-License-Identifier: MIT
-- Indexes of the host's work list, which reads one page at a time: newest first within a
-- range of creation times, optionally of one report state. Each page continues after the
-- last row of the previous one (CreateTime, ruid), so both columns are in every index; the
-- columns a page shows are included, so a page is read from the index alone.
-- Safe to run again.
SET ANSI_NULLS ON;
SET QUOTED_IDENTIFIER ON;
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_Report_CreateTime' AND object_id = OBJECT_ID(N'dbo.Report'))
    CREATE NONCLUSTERED INDEX ix_Report_CreateTime ON dbo.Report (CreateTime DESC, ruid DESC)
        INCLUDE (Accnu, ReportState);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_Report_State_CreateTime' AND object_id = OBJECT_ID(N'dbo.Report'))
    CREATE NONCLUSTERED INDEX ix_Report_State_CreateTime ON dbo.Report (ReportState, CreateTime DESC, ruid DESC)
        INCLUDE (Accnu);
GO
