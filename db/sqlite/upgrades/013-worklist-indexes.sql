-- SPDX-License-Identifier: MIT
-- Indexes of the host's work list, which reads one page at a time: newest first within a
-- range of creation times, optionally of one report state. Each page continues after the
-- last row of the previous one (CreateTime, ruid), so both columns are in every index.
-- Safe to run again.
CREATE INDEX IF NOT EXISTS ix_Report_CreateTime ON Report (CreateTime, ruid);
CREATE INDEX IF NOT EXISTS ix_Report_State_CreateTime ON Report (ReportState, CreateTime, ruid);
