-- SPDX-License-Identifier: MIT
-- The setting of per-user database logins, kept for the same wr_setting rows on every
-- database. It has no effect on SQLite: a file has no logins, so whoever can open it can
-- write it; sites that need the check use a database server.
INSERT OR IGNORE INTO wr_setting (name, value) VALUES ('StrictUserCheck', '0');
