#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes ../procedures.sql: the rows of wr_procedure and wr_procedure_param for the
procedures the report editor and the host call. Run by hand after changing a procedure here:

    python3 db/sqlite/tools/gen_procedures.py
"""
import os

# (parameter without '@', column of Report, catalogue type, size) in the save order.
SAVE_PARAMS = [
    ("Ruid", "ruid", "string", 64), ("Accnu", "Accnu", "string", 64), ("nbid", "nbid", "string", 64),
    ("jcMethod", "jcMethod", "string", 500), ("ItemName", "ItemName", "string", 1000),
    ("ItemCode", "ItemCode", "string", 1000), ("JCDaLei", "JCDaLei", "string", 100),
    ("jcTuJing", "jcTuJing", "string", 100), ("ImgQuality", "ImgQuality", "string", 100),
    ("SuoJian", "SuoJian", "memo", 0), ("JieLun", "JieLun", "memo", 0), ("JianYi", "JianYi", "memo", 0),
    ("rtf_SuoJian", "rtf_SuoJian", "memo", 0), ("rtf_JieLun", "rtf_JieLun", "memo", 0),
    ("ReportState", "ReportState", "integer", 0), ("TanTouRate", "TanTouRate", "string", 100),
    ("TiXing", "TiXing", "string", 100), ("ExamDoctor", "ExamDoctor", "string", 50),
    ("ExamDoctorCode", "ExamDoctorCode", "string", 50), ("ReportDoctor", "ReportDoctor", "string", 50),
    ("ReportDoctorCode", "ReportDoctorCode", "string", 50), ("ShenHeDoctor", "ShenHeDoctor", "string", 50),
    ("ShenHeDoctorCode", "ShenHeDoctorCode", "string", 50), ("HuiZhenDoctor", "HuiZhenDoctor", "string", 50),
    ("HuizhenDoctorCode", "HuizhenDoctorCode", "string", 50), ("ReportDate", "ReportDate", "datetime", 0),
    ("shenHeDate", "shenHeDate", "datetime", 0), ("HuiZhenDate", "HuiZhenDate", "datetime", 0),
    ("PrintedCont", "PrintedCont", "integer", 0), ("YinYangXing", "YinYangXing", "boolean", 0),
    ("WeiJiValue", "WeiJiValue", "string", 500), ("BeiZhu", "BeiZhu", "memo", 0), ("lczd", "lczd", "memo", 0),
    ("jcpart", "jcpart", "string", 1000), ("jcpartcode", "jcpartcode", "string", 1000),
] + [(c, c, "string", 50) for c in (
    "kgjLBaseLine", "kgjLKjgd", "kgjLGxtq", "kgjLRgyc", "kgjLGxzx",
    "kgjRBaseLine", "kgjRKjgd", "kgjRGxtq", "kgjRRgyc", "kgjRGxzx",
    "kgjL_A", "kgjR_A", "kgjL_B", "kgjR_B")]

assert len(SAVE_PARAMS) == 49

BLANKS = "' ' || char(9, 10, 13)"

# Parameters after the original 49, each optional (NULL when a caller leaves it unset):
# @ExpectedVersion the stamp (see ReportStamp) the caller's copy was read at, 0 for a report
# that had no row, NULL for no check; @SavedBy who saves, for the history; @SavedVersion out,
# the stamp of the row as saved.
EXTRA_SAVE_PARAMS = [("ExpectedVersion", "integer", "in", 0), ("SavedBy", "string", "in", 200),
                     ("SavedVersion", "integer", "out", 0)]

# The text a refused stale save fails with; clients look for CONFLICT_TOKEN.
CONFLICT_TOKEN = "WR-CONFLICT"
CONFLICT_MESSAGE = CONFLICT_TOKEN + ": 报告已被其他工作站修改，本次保存未写入"
NOW = "strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime')"
# The stamp of @Ruid: 0 without a row, else its ReportStamp entry, 1 without one.
STAMP = ("(CASE WHEN NOT EXISTS (SELECT 1 FROM Report WHERE ruid = :Ruid) THEN 0 "
         "ELSE coalesce((SELECT RowVersion FROM ReportStamp WHERE ruid = :Ruid), 1) END)")

def save_body():
    cols = [c for _, c, _, _ in SAVE_PARAMS]
    params = [":" + p for p, _, _, _ in SAVE_PARAMS]
    # The print count only grows: prints are counted by the database (sp_IncrementPrintCount)
    # while an editor may hold an older count, which a save must not put back.
    sets = ",\n       ".join(
        f"{c} = max(coalesce({c}, 0), coalesce(:{p}, 0))" if c == "PrintedCont" else f"{c} = :{p}"
        for p, c, _, _ in SAVE_PARAMS[1:])
    return f"""-- Refuse a report without a GUID: it could never be found again.
SELECT wr_raise('@Ruid 不能为空') WHERE trim(coalesce(:Ruid, ''), {BLANKS}) = '';
-- A copy read before someone else's save must not overwrite it. The procedure holds the
-- write lock from its first statement, so nothing can come between this check and the write.
SELECT wr_raise('{CONFLICT_MESSAGE}')
 WHERE :ExpectedVersion IS NOT NULL
   AND {STAMP} <> :ExpectedVersion;
-- A save never takes a final report back: that is a withdrawal (sp_WithdrawSignature).
SELECT wr_raise('报告已审核，保存不能撤销审核：请使用撤销审核')
 WHERE coalesce(:ReportState, 0) < 5 AND EXISTS (SELECT 1 FROM Report WHERE ruid = :Ruid AND coalesce(ReportState, 0) >= 5);
UPDATE Report
   SET {sets},
       SavedBy = nullif(:SavedBy, ''),
       SavedAt = {NOW}
 WHERE ruid = :Ruid;
INSERT INTO Report ({", ".join(cols)}, CreateTime, SavedBy, SavedAt)
SELECT {", ".join(params)},
       {NOW}, nullif(:SavedBy, ''), {NOW}
 WHERE NOT EXISTS (SELECT 1 FROM Report WHERE ruid = :Ruid);
SELECT {STAMP} AS SavedVersion"""

BIND_BODY = f"""-- Take every usable item of the accession that no report page holds yet. The condition
-- on ReportGuid IS NULL makes a second report binding at the same moment skip the items
-- the first one took.
UPDATE ExamItem
   SET ReportGuid = :ReportGuid
 WHERE Accnu = :Accnu AND Usable = 1 AND ReportGuid IS NULL
   AND trim(coalesce(:ReportGuid, ''), {BLANKS}) <> '';
-- The names of all items this report holds, in registration order, joined with ','.
SELECT coalesce((SELECT group_concat(ItemName, ',')
                   FROM (SELECT ItemName FROM ExamItem
                          WHERE Accnu = :Accnu AND ReportGuid = :ReportGuid AND Usable = 1
                          ORDER BY ItemOrder, id)), '') AS OutItemFirstName"""

BIND_PARAMS = [("Accnu", "string", "in", 64), ("ReportGuid", "string", "in", 64),
               ("OutItemFirstName", "string", "out", 1000)]

# The host's exam-item picker: the report holds exactly the chosen items (ids joined with
# ',') among the free ones and its own; an item another page holds keeps its owner.
PICK_BODY = f"""SELECT wr_raise('@ReportGuid 不能为空') WHERE trim(coalesce(:ReportGuid, ''), {BLANKS}) = '';
UPDATE ExamItem
   SET ReportGuid = CASE WHEN instr(',' || replace(coalesce(:ItemIds, ''), ' ', '') || ',', ',' || id || ',') > 0
                         THEN :ReportGuid ELSE NULL END
 WHERE Accnu = :Accnu AND Usable = 1 AND (ReportGuid IS NULL OR ReportGuid = :ReportGuid);
SELECT coalesce((SELECT group_concat(ItemName, ',')
                   FROM (SELECT ItemName FROM ExamItem
                          WHERE Accnu = :Accnu AND ReportGuid = :ReportGuid AND Usable = 1
                          ORDER BY ItemOrder, id)), '') AS OutItemNames"""

PICK_PARAMS = [("Accnu", "string", "in", 64), ("ReportGuid", "string", "in", 64),
               ("ItemIds", "memo", "in", 0), ("OutItemNames", "memo", "out", 0)]

# The host's signing and printing: each one statement on the report row plus a row of
# ReportEvent, in the procedure's one transaction. A GUID without a report is refused.
NOW = "strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime')"
USER_PARAMS = [("Ruid", "string", "in", 64), ("UserName", "string", "in", 50), ("UserCode", "string", "in", 50)]


def event_body(checks, update, event):
    return "\n".join([
        "SELECT wr_raise('没有这份报告：' || coalesce(:Ruid, '')) WHERE NOT EXISTS (SELECT 1 FROM Report WHERE ruid = :Ruid);",
        *checks,
        update + ";",
        "INSERT INTO ReportEvent (ruid, Event, UserName, UserCode, EventTime)",
        f"VALUES (:Ruid, '{event}', :UserName, :UserCode, {NOW})"])


def lit(s):
    return "'" + s.replace("'", "''") + "'"


# Critical values (upgrades/025-critical-notice.sql). A report holds one when WeiJiValue says
# more than "none"; the C++ side (hostdata/CriticalValues.cpp) uses the same list.
NO_CRITICAL_TEXTS = ["", "无", "否", "无危急值"]
def is_critical(col):
    return f"trim(coalesce({col}, ''), {BLANKS}) NOT IN ({', '.join(lit(t) for t in NO_CRITICAL_TEXTS)})"
# Signing refuses a report with a critical value that was never told, unless the site turned
# that off (wr_setting CriticalNoticeBeforeSign = '0').
CRITICAL_UNTOLD = ("SELECT wr_raise('危急值尚未通知临床（危急值登记中没有这份报告），不能审核')"
                   " WHERE coalesce((SELECT value FROM wr_setting WHERE name = 'CriticalNoticeBeforeSign'), '1') = '1'"
                   f" AND EXISTS (SELECT 1 FROM Report WHERE ruid = :Ruid AND {is_critical('WeiJiValue')})"
                   " AND NOT EXISTS (SELECT 1 FROM CriticalNotice WHERE ruid = :Ruid);")


SIGNING_PROCEDURES = [
    ("sp_SignReport", event_body(
        [f"SELECT wr_raise('审核医生不能为空') WHERE trim(coalesce(:UserName, ''), {BLANKS}) = '';",
         "SELECT wr_raise('报告已审核') WHERE NOT EXISTS (SELECT 1 FROM Report WHERE ruid = :Ruid AND coalesce(ReportState, 0) < 5);",
         CRITICAL_UNTOLD],
        "UPDATE Report\n   SET ShenHeDoctor = :UserName, ShenHeDoctorCode = :UserCode,\n"
        f"       shenHeDate = {NOW}, ReportState = 5\n WHERE ruid = :Ruid", "sign"), USER_PARAMS),
    ("sp_WithdrawSignature", event_body(
        ["SELECT wr_raise('报告未审核') WHERE NOT EXISTS (SELECT 1 FROM Report WHERE ruid = :Ruid AND ReportState >= 5);"],
        "UPDATE Report SET ReportState = 2 WHERE ruid = :Ruid AND ReportState >= 5", "withdraw"), USER_PARAMS),
    ("sp_IncrementPrintCount", event_body(
        [], "UPDATE Report SET PrintedCont = coalesce(PrintedCont, 0) + 1 WHERE ruid = :Ruid", "print"), USER_PARAMS),
    ("sp_NoteSignedEdit", event_body(
        ["SELECT wr_raise('报告未审核') WHERE NOT EXISTS (SELECT 1 FROM Report WHERE ruid = :Ruid AND ReportState >= 5);"],
        "UPDATE Report SET SignedEdits = coalesce(SignedEdits, 0) + 1 WHERE ruid = :Ruid", "edit-signed"), USER_PARAMS),
]

# Users and log-in (tables of upgrades/020-users.sql). The lock-out is counted and timed by
# the database's clock, so a workstation with a wrong clock cannot shorten it.
MAX_FAILURES = 5
LOCK_MINUTES = 5
LOCKED = f"(LockedUntil IS NOT NULL AND LockedUntil > {NOW})"
LOCK_SECONDS = ("max(0, coalesce(CAST(round((julianday(u.LockedUntil) - julianday('now', 'localtime')) * 86400) "
                "AS INTEGER), 0))")
DOCTOR = "(SELECT {col} FROM csdoctor WHERE code = u.UserCode ORDER BY displayindex DESC LIMIT 1)"
USER_ROW = "FROM (SELECT 1) AS one LEFT JOIN WrUser AS u ON u.UserCode = :UserCode"
NO_USER = "SELECT wr_raise('没有这个用户：' || coalesce(:UserCode, '')) WHERE NOT EXISTS (SELECT 1 FROM WrUser WHERE UserCode = :UserCode);"
NO_ROLE = "SELECT wr_raise('没有这个角色：' || coalesce(:RoleCode, '')) WHERE NOT EXISTS (SELECT 1 FROM WrRole WHERE RoleCode = :RoleCode);"
def bad_hash(param):
    return f"SELECT wr_raise('密码散列无效') WHERE wr_password_key(:{param}, 'salt') IS NULL;"

# The columns of the password proof set from an Argon2id string (see PasswordProof.h); the
# string itself is never stored.
def keys_from(param):
    return ", ".join(f"{col} = wr_password_key(:{param}, '{part}')" for col, part in (
        ("ProofSalt", "salt"), ("ProofOps", "ops"), ("ProofMemKiB", "mem"), ("StoredKey", "stored"),
        ("ServerKey", "server"))) + ", PasswordHash = ''"

# Refusal of the procedures an older workstation program calls to check or change a password
# itself: they needed the stored hash, which no longer leaves the database.
OUTDATED = "SELECT wr_raise('此工作站程序版本过旧，不能登录或修改密码：请安装新版本');"
# Argon2id cost of an unknown user's challenge: the workstation's current parameters
# (libsodium's interactive limits), so it takes as long as a known user's.
DECOY_OPS = 2
DECOY_MEM_KIB = 65536
NONCE_MINUTES = 2
LOCKED_U = f"(u.LockedUntil IS NOT NULL AND u.LockedUntil > {NOW})"
SIG = "(SELECT Signature FROM WrLoginNonce WHERE Nonce = :ServerNonce)"

USER_PROCEDURES = [
    # Older workstation programs read the stored hash here and reported the outcome
    # themselves; both are refused (same parameters, so the call reaches the refusal).
    # An empty code is an older program's probe whether the tables exist (wr-admin's too,
    # whose administration still works): answered as before, with no user.
    ("sp_UserLoginInfo", OUTDATED[:-1] + " WHERE coalesce(:UserCode, '') <> '';\nSELECT 0 AS Found",
     [("UserCode", "string", "in", 50), ("Found", "integer", "out", 0), ("UserName", "string", "out", 50),
      ("DeptCode", "string", "out", 50), ("RoleCode", "string", "out", 50), ("RoleId", "integer", "out", 0),
      ("PasswordHash", "string", "out", 255), ("MustChange", "integer", "out", 0), ("Disabled", "integer", "out", 0),
      ("FailedCount", "integer", "out", 0), ("LockSeconds", "integer", "out", 0), ("DbLogin", "string", "out", 128)]),
    ("sp_UserLoginResult", OUTDATED + "\nSELECT 0 AS FailedCount",
     [("UserCode", "string", "in", 50), ("Success", "integer", "in", 0),
      ("FailedCount", "integer", "out", 0), ("LockSeconds", "integer", "out", 0)]),
    # The challenge: the salt and Argon2id parameters of the user's keys and a fresh nonce.
    # An unknown user, or one without a password, gets a salt made from the decoy key and the
    # code (the same at every call) and current parameters: the answer does not tell.
    ("sp_UserLoginChallenge", f"""UPDATE WrUser SET {keys_from('PasswordHash').replace(':PasswordHash', 'PasswordHash')}
 WHERE UserCode = :UserCode AND StoredKey = '' AND wr_password_key(PasswordHash, 'salt') IS NOT NULL;
DELETE FROM WrLoginNonce WHERE Expires < {NOW} OR Used <> 0;
INSERT INTO WrLoginNonce (Nonce, UserCode, Expires)
VALUES (lower(hex(randomblob(16))), coalesce(:UserCode, ''), strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime', '+{NONCE_MINUTES} minutes'));
SELECT CASE WHEN coalesce(u.StoredKey, '') <> '' THEN u.ProofSalt
            ELSE substr(wr_hmac_sha1((SELECT Value FROM WrSecret WHERE Name = 'LoginDecoyKey'), 'salt:' || coalesce(:UserCode, '')), 1, 32) END AS Salt,
       CASE WHEN coalesce(u.StoredKey, '') <> '' THEN u.ProofOps ELSE {DECOY_OPS} END AS Ops,
       CASE WHEN coalesce(u.StoredKey, '') <> '' THEN u.ProofMemKiB ELSE {DECOY_MEM_KIB} END AS MemKiB,
       (SELECT Nonce FROM WrLoginNonce WHERE rowid = last_insert_rowid()) AS ServerNonce
  {USER_ROW}""",
     [("UserCode", "string", "in", 50), ("Salt", "string", "out", 64), ("Ops", "integer", "out", 0),
      ("MemKiB", "integer", "out", 0), ("ServerNonce", "string", "out", 64)]),
    # The proof, checked here: ClientProof against StoredKey over "c=ClientNonce,s=ServerNonce"
    # with the challenge's nonce, once. The database records the outcome itself: a success
    # clears the count and notes the log-in; a failure (unknown user, disabled account and
    # wrong password alike) counts, and the {MAX_FAILURES}th in a row locks the user out for
    # {LOCK_MINUTES} minutes; while a lock-out runs nothing changes, a success included.
    # Outcome: 0 right, 1 refused, 2 locked out. With a right proof, @NewKind 1 (same
    # password, stronger parameters) or 2 (the user's own change) replaces the keys.
    # @CountFailure = 0 leaves a wrong password uncounted (the demo database's automatic
    # log-in); only this embedded database offers it, whose file's owner can change anything.
    ("sp_UserLoginProof", "\n".join([
        "SELECT wr_raise('登录质询无效或已过期，请重新登录')",
        " WHERE NOT EXISTS (SELECT 1 FROM WrLoginNonce WHERE Nonce = :ServerNonce AND UserCode = coalesce(:UserCode, '')",
        f"                     AND Used = 0 AND Expires >= {NOW})",
        "    OR length(coalesce(:ClientNonce, '')) <> 32 OR :ClientNonce GLOB '*[^0-9a-f]*';",
        "UPDATE WrLoginNonce SET Used = 1,",
        "       Signature = (SELECT wr_password_check(u.StoredKey, u.ServerKey, 'c=' || :ClientNonce || ',s=' || :ServerNonce, :ClientProof)",
        "                      FROM WrUser AS u WHERE u.UserCode = :UserCode AND u.Disabled = 0 AND u.StoredKey <> '')",
        " WHERE Nonce = :ServerNonce;",
        f"UPDATE WrUser SET FailedCount = 0, LockedUntil = NULL, LastLogin = {NOW}",
        f" WHERE UserCode = :UserCode AND NOT coalesce({LOCKED}, 0) AND {SIG} IS NOT NULL;",
        "UPDATE WrUser SET FailedCount = FailedCount + 1",
        f" WHERE UserCode = :UserCode AND NOT coalesce({LOCKED}, 0) AND {SIG} IS NULL AND coalesce(:CountFailure, 1) <> 0;",
        f"UPDATE WrUser SET LockedUntil = strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime', '+{LOCK_MINUTES} minutes'), FailedCount = 0",
        f" WHERE UserCode = :UserCode AND FailedCount >= {MAX_FAILURES};",
        "SELECT wr_raise('新密码的密钥无效')",
        f" WHERE coalesce(:NewKind, 0) IN (1, 2) AND {SIG} IS NOT NULL",
        "   AND NOT (length(coalesce(:NewSalt, '')) = 32 AND length(coalesce(:NewStoredKey, '')) = 40",
        "            AND length(coalesce(:NewServerKey, '')) = 40 AND coalesce(:NewOps, 0) >= 1 AND coalesce(:NewMemKiB, 0) >= 8);",
        "UPDATE WrUser SET ProofSalt = lower(:NewSalt), ProofOps = :NewOps, ProofMemKiB = :NewMemKiB,",
        "       StoredKey = lower(:NewStoredKey), ServerKey = lower(:NewServerKey), PasswordHash = '',",
        "       MustChangePassword = CASE WHEN :NewKind = 2 THEN 0 ELSE MustChangePassword END,",
        f"       PasswordChanged = CASE WHEN :NewKind = 2 THEN {NOW} ELSE PasswordChanged END",
        f" WHERE UserCode = :UserCode AND coalesce(:NewKind, 0) IN (1, 2) AND {SIG} IS NOT NULL AND NOT coalesce({LOCKED}, 0);",
        f"SELECT CASE WHEN coalesce({LOCKED_U}, 0) THEN 2 WHEN {SIG} IS NOT NULL THEN 0 ELSE 1 END AS Outcome,",
        f"       max(1, {MAX_FAILURES} - coalesce(u.FailedCount, 1)) AS FailuresLeft,",
        f"       {LOCK_SECONDS} AS LockSeconds,",
        f"       CASE WHEN {SIG} IS NOT NULL AND NOT coalesce({LOCKED_U}, 0) THEN {SIG} ELSE '' END AS ServerSignature,",
        f"       CASE WHEN {SIG} IS NOT NULL THEN coalesce({DOCTOR.format(col='姓名')}, '') ELSE '' END AS UserName,",
        f"       CASE WHEN {SIG} IS NOT NULL THEN coalesce({DOCTOR.format(col='kscode')}, '') ELSE '' END AS DeptCode,",
        f"       CASE WHEN {SIG} IS NOT NULL THEN u.RoleCode ELSE '' END AS RoleCode,",
        f"       CASE WHEN {SIG} IS NOT NULL THEN coalesce((SELECT RoleId FROM WrRole WHERE RoleCode = u.RoleCode), 0) ELSE 0 END AS RoleId,",
        f"       CASE WHEN {SIG} IS NOT NULL THEN u.MustChangePassword ELSE 0 END AS MustChange,",
        f"       CASE WHEN {SIG} IS NOT NULL THEN coalesce(u.DbLogin, '') ELSE '' END AS DbLogin",
        f"  {USER_ROW}"]),
     [("UserCode", "string", "in", 50), ("ServerNonce", "string", "in", 64), ("ClientNonce", "string", "in", 64),
      ("ClientProof", "string", "in", 64), ("NewKind", "integer", "in", 0), ("NewSalt", "string", "in", 64),
      ("NewOps", "integer", "in", 0), ("NewMemKiB", "integer", "in", 0), ("NewStoredKey", "string", "in", 64),
      ("NewServerKey", "string", "in", 64), ("CountFailure", "integer", "in", 0),
      ("Outcome", "integer", "out", 0), ("FailuresLeft", "integer", "out", 0), ("LockSeconds", "integer", "out", 0),
      ("ServerSignature", "string", "out", 64), ("UserName", "string", "out", 50), ("DeptCode", "string", "out", 50),
      ("RoleCode", "string", "out", 50), ("RoleId", "integer", "out", 0), ("MustChange", "integer", "out", 0),
      ("DbLogin", "string", "out", 128)]),
    # The older programs' own change and rehash took the stored hash as proof of the old
    # password: refused. sp_UserLoginProof changes keys with a proof.
    ("sp_ChangeUserPassword", OUTDATED,
     [("UserCode", "string", "in", 50), ("OldHash", "string", "in", 255), ("NewHash", "string", "in", 255)]),
    ("sp_RehashUserPassword", OUTDATED,
     [("UserCode", "string", "in", 50), ("OldHash", "string", "in", 255), ("NewHash", "string", "in", 255)]),
    # An administrator's reset: also ends a lock-out.
    ("sp_SetUserPassword", "\n".join([
        NO_USER, bad_hash("PasswordHash"),
        f"UPDATE WrUser SET {keys_from('PasswordHash')}, MustChangePassword = CASE WHEN :MustChange = 1 THEN 1 ELSE 0 END,",
        f"       PasswordChanged = {NOW}, FailedCount = 0, LockedUntil = NULL WHERE UserCode = :UserCode"]),
     [("UserCode", "string", "in", 50), ("PasswordHash", "string", "in", 255), ("MustChange", "integer", "in", 0)]),
    ("sp_CreateUser", "\n".join([
        f"SELECT wr_raise('用户代码不能为空') WHERE trim(coalesce(:UserCode, ''), {BLANKS}) = '';",
        "SELECT wr_raise('没有这位医生：' || :UserCode) WHERE NOT EXISTS (SELECT 1 FROM csdoctor WHERE code = :UserCode);",
        NO_ROLE,
        "SELECT wr_raise('用户已存在：' || :UserCode) WHERE EXISTS (SELECT 1 FROM WrUser WHERE UserCode = :UserCode);",
        bad_hash("PasswordHash"),
        "INSERT INTO WrUser (UserCode, RoleCode, MustChangePassword, PasswordChanged, DbLogin)",
        f"VALUES (:UserCode, :RoleCode, CASE WHEN :MustChange = 1 THEN 1 ELSE 0 END, {NOW}, nullif(:DbLogin, ''));",
        f"UPDATE WrUser SET {keys_from('PasswordHash')} WHERE UserCode = :UserCode"]),
     [("UserCode", "string", "in", 50), ("RoleCode", "string", "in", 50), ("PasswordHash", "string", "in", 255),
      ("MustChange", "integer", "in", 0), ("DbLogin", "string", "in", 128)]),
    ("sp_UnlockUser", "\n".join([
        NO_USER, "UPDATE WrUser SET FailedCount = 0, LockedUntil = NULL WHERE UserCode = :UserCode"]),
     [("UserCode", "string", "in", 50)]),
    ("sp_SetUserRole", "\n".join([
        NO_USER, NO_ROLE, "UPDATE WrUser SET RoleCode = :RoleCode WHERE UserCode = :UserCode"]),
     [("UserCode", "string", "in", 50), ("RoleCode", "string", "in", 50)]),
    # The user's own database login where a site gives each user one ('' maps none); a login
    # maps to one user at most, or the signing procedures could not tell who signs.
    ("sp_SetUserDbLogin", "\n".join([
        NO_USER,
        "SELECT wr_raise('数据库登录 ' || :DbLogin || ' 已属于用户 ' || (SELECT min(UserCode) FROM WrUser WHERE DbLogin = :DbLogin AND UserCode <> :UserCode))",
        " WHERE EXISTS (SELECT 1 FROM WrUser WHERE DbLogin = :DbLogin AND UserCode <> :UserCode);",
        "UPDATE WrUser SET DbLogin = nullif(trim(coalesce(:DbLogin, '')), '') WHERE UserCode = :UserCode"]),
     [("UserCode", "string", "in", 50), ("DbLogin", "string", "in", 128)]),
    ("sp_SetUserDisabled", "\n".join([
        NO_USER, "UPDATE WrUser SET Disabled = CASE WHEN :Disabled = 1 THEN 1 ELSE 0 END WHERE UserCode = :UserCode"]),
     [("UserCode", "string", "in", 50), ("Disabled", "integer", "in", 0)]),
    # The operations of a role, one per line.
    ("sp_RolePermissions", """SELECT coalesce((SELECT group_concat(Operation, char(10))
                   FROM (SELECT Operation FROM WrRolePermission WHERE RoleCode = :RoleCode ORDER BY Operation)), '') AS Operations""",
     [("RoleCode", "string", "in", 50), ("Operations", "memo", "out", 0)]),
]

# The DICOM image index (upgrades/023-dicom-images.sql). wr-dicomd indexes what it stored and
# records the archive's answers; a workstation assigns an unmatched instance to an exam.
DICOM_INDEX_PARAMS = [("SopInstanceUid", "string", "in", 64), ("SopClassUid", "string", "in", 64),
                      ("StudyInstanceUid", "string", "in", 64), ("SeriesInstanceUid", "string", "in", 64),
                      ("AccessionNumber", "string", "in", 100), ("PatientId", "string", "in", 64),
                      ("PatientName", "string", "in", 200), ("Modality", "string", "in", 16),
                      ("InstanceNumber", "integer", "in", 0), ("Frames", "integer", "in", 0),
                      ("Width", "integer", "in", 0), ("Height", "integer", "in", 0),
                      ("FileSize", "integer", "in", 0), ("StoreName", "string", "in", 200),
                      ("FilePath", "string", "in", 800), ("Thumbnail", "memo", "in", 0),
                      ("ForwardPending", "integer", "in", 0)]
NO_INSTANCE = "SELECT wr_raise('没有这个图像：' || coalesce(:SopInstanceUid, '')) WHERE NOT EXISTS (SELECT 1 FROM DicomInstance WHERE SopInstanceUid = :SopInstanceUid);"
DICOM_PROCEDURES = [
    # The same instance stored again keeps its row, its assignment and its archive state;
    # only where its file lies is refreshed (it may have been removed after archiving).
    ("sp_DicomIndexInstance", "\n".join([
        f"SELECT wr_raise('@SopInstanceUid 不能为空') WHERE trim(coalesce(:SopInstanceUid, ''), {BLANKS}) = '';",
        "UPDATE DicomInstance SET StoreName = :StoreName, FilePath = :FilePath, FileSize = coalesce(:FileSize, 0), RemovedAt = NULL,",
        "       Thumbnail = coalesce(Thumbnail, nullif(:Thumbnail, ''))",
        " WHERE SopInstanceUid = :SopInstanceUid;",
        "INSERT INTO DicomInstance (SopInstanceUid, SopClassUid, StudyInstanceUid, SeriesInstanceUid, AccessionNumber,",
        "       PatientId, PatientName, Modality, InstanceNumber, Frames, Width, Height, FileSize, ReceivedAt, StoreName,",
        "       FilePath, Thumbnail, ForwardState)",
        "SELECT :SopInstanceUid, coalesce(:SopClassUid, ''), coalesce(:StudyInstanceUid, ''), coalesce(:SeriesInstanceUid, ''),",
        "       trim(coalesce(:AccessionNumber, '')), coalesce(:PatientId, ''), coalesce(:PatientName, ''), coalesce(:Modality, ''),",
        "       coalesce(:InstanceNumber, 0), coalesce(:Frames, 1), coalesce(:Width, 0), coalesce(:Height, 0), coalesce(:FileSize, 0),",
        f"       {NOW}, :StoreName, :FilePath, nullif(:Thumbnail, ''), CASE WHEN :ForwardPending = 1 THEN 1 ELSE 0 END",
        " WHERE NOT EXISTS (SELECT 1 FROM DicomInstance WHERE SopInstanceUid = :SopInstanceUid)"]),
     DICOM_INDEX_PARAMS),
    # The doctor's choice: the instance belongs to @Accnu's exam ('' gives it back to its own
    # accession).
    ("sp_DicomAssignInstance", "\n".join([
        NO_INSTANCE,
        "SELECT wr_raise('没有这个检查：' || :Accnu) WHERE coalesce(:Accnu, '') <> '' AND NOT EXISTS (SELECT 1 FROM Study WHERE Accnu = :Accnu);",
        "UPDATE DicomInstance SET AssignedAccnu = nullif(:Accnu, '') WHERE SopInstanceUid = :SopInstanceUid"]),
     [("SopInstanceUid", "string", "in", 64), ("Accnu", "string", "in", 100)]),
    # The archive's answer: acknowledged, or one more failed attempt and why.
    ("sp_DicomForwardResult", "\n".join([
        NO_INSTANCE,
        f"UPDATE DicomInstance SET ForwardState = 2, ArchivedAt = {NOW}, ForwardError = NULL, ForwardAttempts = ForwardAttempts + 1",
        " WHERE SopInstanceUid = :SopInstanceUid AND :Archived = 1;",
        "UPDATE DicomInstance SET ForwardAttempts = ForwardAttempts + 1, ForwardError = :ForwardError",
        " WHERE SopInstanceUid = :SopInstanceUid AND coalesce(:Archived, 0) <> 1 AND ForwardState <> 2"]),
     [("SopInstanceUid", "string", "in", 64), ("Archived", "integer", "in", 0), ("ForwardError", "string", "in", 1000)]),
    # The local file was deleted; refused for an instance the archive has not acknowledged.
    ("sp_DicomFileRemoved", "\n".join([
        NO_INSTANCE,
        "SELECT wr_raise('图像尚未归档，不能删除本地文件：' || :SopInstanceUid) WHERE NOT EXISTS (SELECT 1 FROM DicomInstance WHERE SopInstanceUid = :SopInstanceUid AND ForwardState = 2);",
        f"UPDATE DicomInstance SET RemovedAt = {NOW} WHERE SopInstanceUid = :SopInstanceUid"]),
     [("SopInstanceUid", "string", "in", 64)]),
]

# The Modality Worklist (upgrades/024-study-uid.sql). wr-dicomd asks for the exams a machine
# may do: empty filters match everything, the name, accession and patient ID filters are LIKE
# patterns with '\' as escape, AccnuExact an accession asked without wildcards; the exam time
# is in [DateFrom, DateTo). The answer is one text,
# rows separated by char(30), fields by char(31), in WORKLIST_FIELDS order; the service checks
# every key again, so the filters here only need to keep the rows to the ones that may match.
WORKLIST_FIELDS = ["s.Accnu", "s.PatientName", "s.Sex", "s.Age", "s.PatientId", "s.ReqDept", "s.BedNo",
                   "s.ExamTime", "coalesce(nullif(s.Modality, ''), 'US')", "s.StudyUid", "s.StationAet",
                   "(SELECT group_concat(ItemName, ',') FROM (SELECT e.ItemName FROM ExamItem AS e"
                   " WHERE e.Accnu = s.Accnu AND e.Usable = 1 ORDER BY e.ItemOrder, e.id))"]
def worklist_field(expr):
    return f"replace(replace(coalesce({expr}, ''), char(30), ''), char(31), '')"
# One branch per way in: an exact accession (@AccnuExact) by the key, anything else by the
# exam time's index; the branch that does not apply reads no row.
WORKLIST_BRANCH = f"""SELECT s.ExamTime AS t, s.Accnu AS a,
                              {" || char(31) || ".join(worklist_field(f) for f in WORKLIST_FIELDS)} AS r
                         FROM Study AS s
                        WHERE {{key}}
                          AND s.ExamTime >= :DateFrom AND s.ExamTime < :DateTo
                          AND (:Modality = '' OR coalesce(nullif(s.Modality, ''), 'US') = :Modality)
                          AND (:Accnu = '' OR s.Accnu LIKE :Accnu ESCAPE '\\')
                          AND (:PatientId = '' OR s.PatientId LIKE :PatientId ESCAPE '\\')
                          AND (:PatientName = '' OR s.PatientName LIKE :PatientName ESCAPE '\\')
                          AND (:StationAet = '' OR coalesce(s.StationAet, '') IN ('', :StationAet))"""
WORKLIST_PROCEDURES = [
    ("sp_WorklistFind", f"""SELECT coalesce((SELECT group_concat(r, char(30)) FROM (
  SELECT t, a, r FROM ({WORKLIST_BRANCH.format(key=":AccnuExact <> '' AND s.Accnu = :AccnuExact")}
                       UNION ALL
                       {WORKLIST_BRANCH.format(key=":AccnuExact = ''")})
   ORDER BY t, a
   LIMIT :MaxRows)), '') AS Matches""",
     [("DateFrom", "string", "in", 23), ("DateTo", "string", "in", 23), ("Modality", "string", "in", 16),
      ("Accnu", "string", "in", 100), ("PatientId", "string", "in", 100), ("PatientName", "string", "in", 200),
      ("StationAet", "string", "in", 16), ("AccnuExact", "string", "in", 100), ("MaxRows", "integer", "in", 0),
      ("Matches", "memo", "out", 0)]),
    # The exam's Study Instance UID, set only while it has none; Stored is the one it keeps.
    ("sp_SetStudyUid", "\n".join([
        "UPDATE Study SET StudyUid = :StudyUid WHERE Accnu = :Accnu AND coalesce(StudyUid, '') = '' AND coalesce(:StudyUid, '') <> '';",
        "SELECT coalesce((SELECT StudyUid FROM Study WHERE Accnu = :Accnu), '') AS Stored"]),
     [("Accnu", "string", "in", 100), ("StudyUid", "string", "in", 64), ("Stored", "string", "out", 64)]),
]

# The assistants' structured values (026-structured-findings.sql): a document equal to the
# stored one changes nothing; another replaces it, the replaced one kept in the history.
ASSIST_PARAMS = [("Ruid", "string", "in", 64), ("Organ", "string", "in", 50), ("Document", "memo", "in", 0),
                 ("SavedBy", "string", "in", 200)]
ASSIST_CHANGED = ("NOT EXISTS (SELECT 1 FROM StructuredFinding WHERE ruid = :Ruid AND Organ = :Organ "
                  "AND Document = coalesce(:Document, ''))")
ASSIST_KEEP = "coalesce((SELECT CAST(value AS INTEGER) FROM wr_setting WHERE name = 'ReportHistoryKeep'), 0)"
ASSIST_PROCEDURES = [
    ("sp_SaveStructuredFinding", f"""SELECT wr_raise('@Ruid 不能为空') WHERE trim(coalesce(:Ruid, ''), {BLANKS}) = '';
SELECT wr_raise('@Organ 不能为空') WHERE trim(coalesce(:Organ, ''), {BLANKS}) = '';
SELECT wr_raise('没有这份报告：' || :Ruid) WHERE NOT EXISTS (SELECT 1 FROM Report WHERE ruid = :Ruid);
INSERT INTO StructuredFindingHistory (ruid, Organ, Document, ReportVersion, SavedBy, SavedAt, ReplacedAt)
SELECT ruid, Organ, Document, ReportVersion, SavedBy, SavedAt, {NOW}
  FROM StructuredFinding
 WHERE ruid = :Ruid AND Organ = :Organ AND {ASSIST_CHANGED};
INSERT INTO StructuredFinding (ruid, Organ, Document, ReportVersion, SavedBy, SavedAt)
SELECT :Ruid, :Organ, coalesce(:Document, ''), {STAMP}, nullif(:SavedBy, ''), {NOW}
 WHERE {ASSIST_CHANGED}
    ON CONFLICT (ruid, Organ) DO UPDATE
   SET Document = excluded.Document, ReportVersion = excluded.ReportVersion,
       SavedBy = excluded.SavedBy, SavedAt = excluded.SavedAt;
DELETE FROM StructuredFindingHistory
 WHERE ruid = :Ruid AND Organ = :Organ AND {ASSIST_KEEP} > 0
   AND HistoryId NOT IN (SELECT HistoryId FROM StructuredFindingHistory WHERE ruid = :Ruid AND Organ = :Organ
                          ORDER BY HistoryId DESC LIMIT {ASSIST_KEEP})""", ASSIST_PARAMS),
]

# The key images of a report (027-key-images.sql), written by the host's save in the same
# transaction as sp_SaveReportInfo, after it: the choice first (a choice equal to the stored
# one changes nothing; another replaces it, the replaced one kept in the history, and drops
# the stored images), then each image of a changed choice by its position.
KEY_CHANGED = ("NOT EXISTS (SELECT 1 FROM KeyImageChoice WHERE ruid = :Ruid AND Choice = coalesce(:Choice, '')) "
               "AND (coalesce(:Choice, '') <> '' OR EXISTS (SELECT 1 FROM KeyImageChoice WHERE ruid = :Ruid))")
NO_REPORT = "SELECT wr_raise('没有这份报告：' || coalesce(:Ruid, '')) WHERE NOT EXISTS (SELECT 1 FROM Report WHERE ruid = :Ruid);"
KEY_IMAGE_PROCEDURES = [
    ("sp_SaveKeyImageChoice", f"""SELECT wr_raise('@Ruid 不能为空') WHERE trim(coalesce(:Ruid, ''), {BLANKS}) = '';
{NO_REPORT}
DELETE FROM KeyImage WHERE ruid = :Ruid AND {KEY_CHANGED};
INSERT INTO KeyImageChoiceHistory (ruid, Choice, ReportVersion, SavedBy, SavedAt, ReplacedAt)
SELECT ruid, Choice, ReportVersion, SavedBy, SavedAt, {NOW}
  FROM KeyImageChoice
 WHERE ruid = :Ruid AND Choice <> coalesce(:Choice, '');
INSERT INTO KeyImageChoice (ruid, Choice, ReportVersion, SavedBy, SavedAt)
SELECT :Ruid, coalesce(:Choice, ''), {STAMP}, nullif(:SavedBy, ''), {NOW}
 WHERE {KEY_CHANGED}
    ON CONFLICT (ruid) DO UPDATE
   SET Choice = excluded.Choice, ReportVersion = excluded.ReportVersion,
       SavedBy = excluded.SavedBy, SavedAt = excluded.SavedAt;
DELETE FROM KeyImageChoiceHistory
 WHERE ruid = :Ruid AND {ASSIST_KEEP} > 0
   AND HistoryId NOT IN (SELECT HistoryId FROM KeyImageChoiceHistory WHERE ruid = :Ruid
                          ORDER BY HistoryId DESC LIMIT {ASSIST_KEEP})""",
     [("Ruid", "string", "in", 64), ("Choice", "memo", "in", 0), ("SavedBy", "string", "in", 200)]),
    ("sp_SaveKeyImage", "\n".join([
        NO_REPORT,
        "SELECT wr_raise('关键图像的位置应为 1 到 6：' || coalesce(:Position, '')) WHERE coalesce(:Position, 0) NOT BETWEEN 1 AND 6;",
        f"SELECT wr_raise('关键图像没有图像或来源') WHERE coalesce(:Jpeg, '') = '' OR trim(coalesce(:SopInstanceUid, ''), {BLANKS}) = '';",
        "DELETE FROM KeyImage WHERE ruid = :Ruid AND Position = :Position;",
        "INSERT INTO KeyImage (ruid, Position, SopInstanceUid, Frame, Width, Height, Jpeg)",
        "VALUES (:Ruid, :Position, trim(:SopInstanceUid), coalesce(:Frame, 0), coalesce(:Width, 0), coalesce(:Height, 0), :Jpeg)"]),
     [("Ruid", "string", "in", 64), ("Position", "integer", "in", 0), ("SopInstanceUid", "string", "in", 64),
      ("Frame", "integer", "in", 0), ("Width", "integer", "in", 0), ("Height", "integer", "in", 0),
      ("Jpeg", "memo", "in", 0)]),
]

# The register of critical values told: a notice is written once and never changed. A retry
# with the same @NoticeGuid returns the row already written. ReportSavedAt: the first saved
# version of the report that held a critical value (a correction keeps the corrected row's).
def blank(param):
    return f"trim(coalesce(:{param}, ''), {BLANKS}) = ''"
CRITICAL_SAVED_AT = f"""CASE WHEN :Corrects IS NOT NULL THEN (SELECT ReportSavedAt FROM CriticalNotice WHERE NoticeId = :Corrects)
       ELSE (SELECT min(t) FROM (SELECT SavedAt AS t FROM ReportHistory WHERE ruid = :Ruid AND {is_critical('WeiJiValue')}
                                 UNION ALL
                                 SELECT coalesce(SavedAt, CreateTime) FROM Report WHERE ruid = :Ruid AND {is_critical('WeiJiValue')})) END"""
CRITICAL_PROCEDURES = [
    ("sp_RecordCriticalNotice", "\n".join([
        "SELECT wr_raise('没有这份报告：' || coalesce(:Ruid, '')) WHERE NOT EXISTS (SELECT 1 FROM Report WHERE ruid = :Ruid);",
        f"SELECT wr_raise('通知编号不能为空') WHERE {blank('NoticeGuid')};",
        "SELECT wr_raise('接收人未复读确认，不能记录危急值通知') WHERE coalesce(:ReadBack, 0) <> 1;",
        f"SELECT wr_raise('接收人姓名不能为空') WHERE {blank('ReceiverName')};",
        f"SELECT wr_raise('接收人科室不能为空') WHERE {blank('ReceiverDept')};",
        f"SELECT wr_raise('联系电话或通知方式不能为空') WHERE {blank('ReceiverPhone')};",
        f"SELECT wr_raise('通知人不能为空') WHERE {blank('UserName')};",
        f"SELECT wr_raise('报告没有危急值') WHERE {blank('CriticalValue')}",
        f"   AND NOT EXISTS (SELECT 1 FROM Report WHERE ruid = :Ruid AND {is_critical('WeiJiValue')});",
        "SELECT wr_raise('要更正的通知不存在或不属于这份报告') WHERE :Corrects IS NOT NULL",
        "   AND NOT EXISTS (SELECT 1 FROM CriticalNotice WHERE NoticeId = :Corrects AND ruid = :Ruid);",
        "SELECT wr_raise('通知编号已用于另一份报告') WHERE EXISTS (SELECT 1 FROM CriticalNotice WHERE NoticeGuid = :NoticeGuid AND ruid <> :Ruid);",
        "INSERT INTO CriticalNotice (NoticeGuid, ruid, CriticalValue, ReceiverName, ReceiverDept, ReceiverPhone, ReadBack,",
        "       ToldBy, ToldByCode, NoticeTime, ReportSavedAt, Corrects)",
        f"SELECT :NoticeGuid, :Ruid, CASE WHEN {blank('CriticalValue')} THEN (SELECT trim(WeiJiValue) FROM Report WHERE ruid = :Ruid LIMIT 1)",
        "       ELSE trim(:CriticalValue) END, trim(:ReceiverName), trim(:ReceiverDept), trim(:ReceiverPhone), 1,",
        f"       trim(:UserName), :UserCode, {NOW},",
        f"       {CRITICAL_SAVED_AT}, :Corrects",
        " WHERE NOT EXISTS (SELECT 1 FROM CriticalNotice WHERE NoticeGuid = :NoticeGuid);",
        "SELECT NoticeId, NoticeTime FROM CriticalNotice WHERE NoticeGuid = :NoticeGuid"]),
     [("NoticeGuid", "string", "in", 64), ("Ruid", "string", "in", 64), ("CriticalValue", "string", "in", 500),
      ("ReceiverName", "string", "in", 50), ("ReceiverDept", "string", "in", 100), ("ReceiverPhone", "string", "in", 100),
      ("ReadBack", "integer", "in", 0), ("UserName", "string", "in", 50), ("UserCode", "string", "in", 50),
      ("Corrects", "integer", "in", 0), ("NoticeId", "integer", "out", 0), ("NoticeTime", "datetime", "out", 0)]),
    # A warning of the checks before signing that the doctor signed past, with the reason.
    ("sp_RecordCheckOverride", "\n".join([
        "SELECT wr_raise('没有这份报告：' || coalesce(:Ruid, '')) WHERE NOT EXISTS (SELECT 1 FROM Report WHERE ruid = :Ruid);",
        f"SELECT wr_raise('忽略提示必须写明理由') WHERE {blank('Reason')};",
        f"SELECT wr_raise('没有要忽略的提示') WHERE {blank('Rules')};",
        "INSERT INTO ReportEvent (ruid, Event, UserName, UserCode, EventTime, Detail)",
        f"VALUES (:Ruid, 'check-override', :UserName, :UserCode, {NOW}, trim(:Rules) || ': ' || trim(:Reason))"]),
     [("Ruid", "string", "in", 64), ("UserName", "string", "in", 50), ("UserCode", "string", "in", 50),
      ("Rules", "string", "in", 200), ("Reason", "string", "in", 500)]),
]

def main():
    out = ["-- SPDX-License-Identifier: MIT",
           "-- Generated by tools/gen_procedures.py: the procedures the report editor calls.",
           "-- Bodies bind :Name to the parameter @Name; see README.md.", ""]
    for name, body, params in (
        ("sp_SaveReportInfo", save_body(), [(p, t, "in", s) for p, _, t, s in SAVE_PARAMS] + EXTRA_SAVE_PARAMS),
        ("sp_GetAllItemsFromAccnu_DefaustFirst", BIND_BODY, BIND_PARAMS),
        ("sp_SetReportExamItems", PICK_BODY, PICK_PARAMS),
        *SIGNING_PROCEDURES,
        *USER_PROCEDURES,
        *DICOM_PROCEDURES,
        *WORKLIST_PROCEDURES,
        *ASSIST_PROCEDURES,
        *CRITICAL_PROCEDURES,
        *KEY_IMAGE_PROCEDURES,
    ):
        # Replacing the rows keeps the script safe to run again on a database in use.
        out.append(f"DELETE FROM wr_procedure_param WHERE procedure = {lit(name)};")
        out.append(f"DELETE FROM wr_procedure WHERE name = {lit(name)};")
        out.append(f"INSERT INTO wr_procedure (name, body) VALUES ({lit(name)},\n{lit(body)});")
        rows = ",\n".join(f"  ({lit(name)}, {i}, {lit('@' + p)}, {lit(t)}, {lit(d)}, {s})"
                          for i, (p, t, d, s) in enumerate(params, 1))
        out.append("INSERT INTO wr_procedure_param (procedure, position, name, data_type, direction, size) VALUES\n"
                   + rows + ";")
        out.append("")
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "procedures.sql")
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(out))

if __name__ == "__main__":
    main()
