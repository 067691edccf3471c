-- SPDX-License-Identifier: MIT
-- Who may use the host: users (one per doctor of csdoctor, by the doctor's code), their roles
-- and what each role may do. Safe to run again: tables are created only when missing and a
-- default role gets its default operations only when the role itself is new, so rights a
-- site took away from a role are not given back by a later upgrade.

CREATE TABLE IF NOT EXISTS WrRole (
    RoleId   INTEGER PRIMARY KEY,
    RoleCode TEXT NOT NULL UNIQUE,
    RoleName TEXT NOT NULL
);

-- Operation: the host operation's Chinese name ("审核报告", ...), as [Permissions] names it.
CREATE TABLE IF NOT EXISTS WrRolePermission (
    RoleCode  TEXT NOT NULL,
    Operation TEXT NOT NULL,
    PRIMARY KEY (RoleCode, Operation)
);

-- PasswordHash is a libsodium Argon2id string (parameters and salt included); '' means no
-- password, so no log-in. LockedUntil, LastLogin and PasswordChanged are local time, set by
-- the procedures from the database's clock. DbLogin: the user's own database login where a
-- site gives each user one, else NULL.
CREATE TABLE IF NOT EXISTS WrUser (
    UserCode           TEXT PRIMARY KEY,
    RoleCode           TEXT NOT NULL,
    PasswordHash       TEXT NOT NULL DEFAULT '',
    MustChangePassword INTEGER NOT NULL DEFAULT 1,
    Disabled           INTEGER NOT NULL DEFAULT 0,
    FailedCount        INTEGER NOT NULL DEFAULT 0,
    LockedUntil        DATETIME,
    LastLogin          DATETIME,
    PasswordChanged    DATETIME,
    DbLogin            TEXT
);

INSERT OR IGNORE INTO WrRolePermission (RoleCode, Operation)
SELECT 'doctor', op FROM (SELECT '打印报告' AS op UNION ALL SELECT '导出PDF')
 WHERE NOT EXISTS (SELECT 1 FROM WrRole WHERE RoleCode = 'doctor');
INSERT OR IGNORE INTO WrRolePermission (RoleCode, Operation)
SELECT 'reviewer', op FROM (SELECT '审核报告' AS op UNION ALL SELECT '撤销审核' UNION ALL SELECT '修改已审核报告'
                            UNION ALL SELECT '打印报告' UNION ALL SELECT '导出PDF')
 WHERE NOT EXISTS (SELECT 1 FROM WrRole WHERE RoleCode = 'reviewer');
INSERT OR IGNORE INTO WrRolePermission (RoleCode, Operation)
SELECT 'admin', op FROM (SELECT '审核报告' AS op UNION ALL SELECT '撤销审核' UNION ALL SELECT '修改已审核报告'
                         UNION ALL SELECT '打印报告' UNION ALL SELECT '导出PDF' UNION ALL SELECT '管理用户')
 WHERE NOT EXISTS (SELECT 1 FROM WrRole WHERE RoleCode = 'admin');

INSERT OR IGNORE INTO WrRole (RoleId, RoleCode, RoleName) VALUES
  (1, 'doctor', '书写医生'),
  (2, 'reviewer', '审核医生'),
  (3, 'admin', '管理员');
