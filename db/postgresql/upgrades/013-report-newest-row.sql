-- SPDX-License-Identifier: MIT
-- Opening a report reads the newest row of its GUID (older workstations left some GUIDs on
-- several rows): with this index the rows come in CreateTime order straight from it, with
-- no sort of whole rows, RTF columns and all. Safe to run again.
CREATE INDEX IF NOT EXISTS ix_Report_ruid_CreateTime ON Report (ruid, CreateTime);
