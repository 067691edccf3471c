-- SPDX-License-Identifier: MIT
-- Opening a report reads the newest row of its GUID (older workstations left some GUIDs on
-- several rows): with this index the rows come in CreateTime order straight from it.
-- Without it SQLite copies every whole row, RTF columns and all, into a sort first, which
-- for a report of a megabyte costs more than the rest of reading it. Safe to run again.
CREATE INDEX IF NOT EXISTS ix_Report_ruid_CreateTime ON Report (ruid, CreateTime);
