-- SPDX-License-Identifier: MIT
-- Who may use the host: users (one per doctor of csdoctor, by the doctor's code), their roles
-- and what each role may do. Safe to run again: tables are created only when missing and a
-- default role gets its default operations only when the role itself is new, so rights a
-- site took away from a role are not given back by a later upgrade. Workstations reach these
-- tables only through the procedures (grants.sql).
SET ANSI_NULLS ON;
SET QUOTED_IDENTIFIER ON;
GO

IF OBJECT_ID(N'dbo.WrRole', N'U') IS NULL
    CREATE TABLE dbo.WrRole (
        RoleId   int NOT NULL CONSTRAINT PK_WrRole PRIMARY KEY,
        RoleCode nvarchar(50) NOT NULL CONSTRAINT UQ_WrRole_RoleCode UNIQUE,
        RoleName nvarchar(100) NOT NULL
    );
GO

-- Operation: the host operation's Chinese name (N'审核报告', ...), as [Permissions] names it.
IF OBJECT_ID(N'dbo.WrRolePermission', N'U') IS NULL
    CREATE TABLE dbo.WrRolePermission (
        RoleCode  nvarchar(50) NOT NULL,
        Operation nvarchar(100) NOT NULL,
        CONSTRAINT PK_WrRolePermission PRIMARY KEY (RoleCode, Operation)
    );
GO

-- PasswordHash is a libsodium Argon2id string (parameters and salt included); '' means no
-- password, so no log-in. The times are the server's local time, set by the procedures.
-- DbLogin: the user's own login (SUSER_SNAME()) where a site gives each user one, else NULL.
IF OBJECT_ID(N'dbo.WrUser', N'U') IS NULL
    CREATE TABLE dbo.WrUser (
        UserCode           nvarchar(50) NOT NULL CONSTRAINT PK_WrUser PRIMARY KEY,
        RoleCode           nvarchar(50) NOT NULL CONSTRAINT FK_WrUser_WrRole REFERENCES dbo.WrRole (RoleCode),
        PasswordHash       nvarchar(255) NOT NULL CONSTRAINT DF_WrUser_PasswordHash DEFAULT N'',
        MustChangePassword int NOT NULL CONSTRAINT DF_WrUser_MustChange DEFAULT 1,
        Disabled           int NOT NULL CONSTRAINT DF_WrUser_Disabled DEFAULT 0,
        FailedCount        int NOT NULL CONSTRAINT DF_WrUser_FailedCount DEFAULT 0,
        LockedUntil        datetime2(3) NULL,
        LastLogin          datetime2(3) NULL,
        PasswordChanged    datetime2(3) NULL,
        DbLogin            nvarchar(128) NULL
    );
GO

INSERT INTO dbo.WrRolePermission (RoleCode, Operation)
SELECT op.RoleCode, op.Operation
  FROM (VALUES (N'doctor', N'打印报告'), (N'doctor', N'导出PDF'),
               (N'reviewer', N'审核报告'), (N'reviewer', N'撤销审核'), (N'reviewer', N'修改已审核报告'),
               (N'reviewer', N'打印报告'), (N'reviewer', N'导出PDF'),
               (N'admin', N'审核报告'), (N'admin', N'撤销审核'), (N'admin', N'修改已审核报告'),
               (N'admin', N'打印报告'), (N'admin', N'导出PDF'), (N'admin', N'管理用户')) AS op (RoleCode, Operation)
 WHERE NOT EXISTS (SELECT 1 FROM dbo.WrRole AS r WHERE r.RoleCode = op.RoleCode)
   AND NOT EXISTS (SELECT 1 FROM dbo.WrRolePermission AS p WHERE p.RoleCode = op.RoleCode AND p.Operation = op.Operation);

INSERT INTO dbo.WrRole (RoleId, RoleCode, RoleName)
SELECT r.RoleId, r.RoleCode, r.RoleName
  FROM (VALUES (1, N'doctor', N'书写医生'), (2, N'reviewer', N'审核医生'), (3, N'admin', N'管理员')) AS r (RoleId, RoleCode, RoleName)
 WHERE NOT EXISTS (SELECT 1 FROM dbo.WrRole AS x WHERE x.RoleId = r.RoleId OR x.RoleCode = r.RoleCode);
GO
