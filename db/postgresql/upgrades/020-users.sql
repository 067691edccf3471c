-- SPDX-License-Identifier: MIT
-- Who may use the host: users (one per doctor of csdoctor, by the doctor's code), their roles
-- and what each role may do. Safe to run again: tables are created only when missing and a
-- default role gets its default operations only when the role itself is new, so rights a
-- site took away from a role are not given back by a later upgrade. Workstations reach these
-- tables only through the procedures (grants.sql).

CREATE TABLE IF NOT EXISTS WrRole (
    RoleId   integer PRIMARY KEY,
    RoleCode text NOT NULL UNIQUE,
    RoleName text NOT NULL
);

-- Operation: the host operation's Chinese name ("审核报告", ...), as [Permissions] names it.
CREATE TABLE IF NOT EXISTS WrRolePermission (
    RoleCode  text NOT NULL,
    Operation text NOT NULL,
    PRIMARY KEY (RoleCode, Operation)
);

-- PasswordHash is a libsodium Argon2id string (parameters and salt included); '' means no
-- password, so no log-in. The times are the server's local time, set by the procedures.
-- DbLogin: the user's own database login where a site gives each user one, else NULL.
CREATE TABLE IF NOT EXISTS WrUser (
    UserCode           text PRIMARY KEY,
    RoleCode           text NOT NULL REFERENCES WrRole (RoleCode),
    PasswordHash       text NOT NULL DEFAULT '',
    MustChangePassword integer NOT NULL DEFAULT 1,
    Disabled           integer NOT NULL DEFAULT 0,
    FailedCount        integer NOT NULL DEFAULT 0,
    LockedUntil        timestamp(3),
    LastLogin          timestamp(3),
    PasswordChanged    timestamp(3),
    DbLogin            text
);

INSERT INTO WrRolePermission (RoleCode, Operation)
SELECT r.code, op.name
  FROM (VALUES ('doctor'), ('reviewer'), ('admin')) AS r(code)
  JOIN (VALUES ('doctor', '打印报告'), ('doctor', '导出PDF'),
               ('reviewer', '审核报告'), ('reviewer', '撤销审核'), ('reviewer', '修改已审核报告'),
               ('reviewer', '打印报告'), ('reviewer', '导出PDF'),
               ('admin', '审核报告'), ('admin', '撤销审核'), ('admin', '修改已审核报告'),
               ('admin', '打印报告'), ('admin', '导出PDF'), ('admin', '管理用户')) AS op(role, name)
    ON op.role = r.code
 WHERE NOT EXISTS (SELECT 1 FROM WrRole WHERE RoleCode = r.code)
ON CONFLICT DO NOTHING;

INSERT INTO WrRole (RoleId, RoleCode, RoleName) VALUES
  (1, 'doctor', '书写医生'),
  (2, 'reviewer', '审核医生'),
  (3, 'admin', '管理员')
ON CONFLICT DO NOTHING;
