-- SPDX-License-Identifier: MIT
-- Per-user database logins, for sites that must hold against a modified workstation program.
-- With StrictUserCheck = '1' the signing procedures ask the database who is connected
-- (session_user: the login of the connection, which neither SECURITY DEFINER nor SET ROLE
-- changes) and refuse a signature in the name of anyone but the user whose WrUser.DbLogin is
-- that login. '0' (the default) keeps the shared workstation login working as before.
-- Safe to run again: an existing setting is kept.
INSERT INTO wr_setting (name, value) VALUES ('StrictUserCheck', '0') ON CONFLICT DO NOTHING;
