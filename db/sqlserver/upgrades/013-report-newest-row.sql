-- SPDX-License-Identifier: MIT
-- Opening a report reads the newest row of its GUID (older workstations left some GUIDs on
-- several rows): with this index the rows come in CreateTime order straight from it, with
-- no sort of whole rows, RTF columns and all. Safe to run again.
SET ANSI_NULLS ON;
SET QUOTED_IDENTIFIER ON;
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_Report_ruid_CreateTime' AND object_id = OBJECT_ID(N'dbo.Report'))
    CREATE NONCLUSTERED INDEX ix_Report_ruid_CreateTime ON dbo.Report (ruid, CreateTime DESC);
GO
