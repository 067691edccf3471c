-- SPDX-License-Identifier: MIT
-- Per-user database logins, for sites that must hold against a modified workstation program.
-- With StrictUserCheck = '1' the signing procedures ask the server who is connected
-- (ORIGINAL_LOGIN(): the login of the connection, also under EXECUTE AS) and refuse a
-- signature in the name of anyone but the user whose WrUser.DbLogin is that login. '0' (the
-- default) keeps the shared workstation login working as before. Safe to run again: an
-- existing setting is kept.
IF NOT EXISTS (SELECT 1 FROM dbo.wr_setting WHERE name = N'StrictUserCheck')
    INSERT INTO dbo.wr_setting (name, value) VALUES (N'StrictUserCheck', N'0');
GO
