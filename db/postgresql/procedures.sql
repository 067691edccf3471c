-- SPDX-License-Identifier: MIT
-- WriteReport on PostgreSQL: the procedures the report editor and the host call. Run after
-- schema.sql and upgrades/, then grants.sql. CREATE OR REPLACE keeps the grants.
--
-- Each runs with its owner's rights (SECURITY DEFINER, with a fixed search_path so that a
-- caller's own objects cannot stand in for ours), as SQL Server's ownership chaining lets a
-- procedure write tables its caller may only read: workstations hold SELECT on the tables
-- and EXECUTE on these procedures, nothing more (grants.sql).
--
-- They are PROCEDUREs, called as CALL p("Name" => ?, ...). Parameter names are quoted so
-- that the catalogue spells them as SQL Server does (@Ruid, @OutItemFirstName); the client
-- adds the '@'. The output of sp_GetAllItemsFromAccnu_DefaustFirst is an INOUT parameter,
-- which CALL returns as its result row. A CALL outside a transaction block is one
-- transaction: an error anywhere in a procedure undoes everything it wrote. GUID parameters
-- are cast to citext where they meet a GUID column, so they match without regard to case.

-- The 49-parameter version made by older scripts would stand beside the current one as an
-- overload, and a call naming only the 49 would match both.
DROP PROCEDURE IF EXISTS sp_SaveReportInfo(text, text, text, text, text, text, text, text, text, text, text, text, text, text, integer, text, text, text, text, text, text, text, text, text, text, timestamp, timestamp, timestamp, integer, boolean, text, text, text, text, text, text, text, text, text, text, text, text, text, text, text, text, text, text, text);

-- Saves one report page: updates the row(s) of @Ruid or inserts one. Refuses an empty @Ruid.
-- The parameters after the original 49 are optional: @ExpectedVersion is the stamp
-- (Report.RowVersion) the caller's copy was read at (0: the report had no row; NULL: no
-- check), and a stale copy is refused with an error starting 'WR-CONFLICT'; @SavedBy names
-- who saves (default: the session's login and address); @SavedVersion returns the stamp of
-- the row as saved.
-- With per-user database logins (wr_setting StrictUserCheck = '1') a save cannot stand in
-- for a signature: the review state (ReportState 5 and above or not) and the review doctor,
-- code and date keep their stored values whatever the program sends (a new row gets none),
-- so only sp_SignReport and sp_WithdrawSignature change them; a signed report unlocked for
-- editing still saves, and stays signed. @SavedBy is then ignored: the row records the user
-- mapped to the session's login (WrUser.DbLogin), or the login itself when it maps to no
-- single enabled user.
CREATE OR REPLACE PROCEDURE sp_SaveReportInfo(
    "Ruid" text,
    "Accnu" text,
    "nbid" text,
    "jcMethod" text,
    "ItemName" text,
    "ItemCode" text,
    "JCDaLei" text,
    "jcTuJing" text,
    "ImgQuality" text,
    "SuoJian" text,
    "JieLun" text,
    "JianYi" text,
    "rtf_SuoJian" text,
    "rtf_JieLun" text,
    "ReportState" integer,
    "TanTouRate" text,
    "TiXing" text,
    "ExamDoctor" text,
    "ExamDoctorCode" text,
    "ReportDoctor" text,
    "ReportDoctorCode" text,
    "ShenHeDoctor" text,
    "ShenHeDoctorCode" text,
    "HuiZhenDoctor" text,
    "HuizhenDoctorCode" text,
    "ReportDate" timestamp,
    "shenHeDate" timestamp,
    "HuiZhenDate" timestamp,
    "PrintedCont" integer,
    "YinYangXing" boolean,
    "WeiJiValue" text,
    "BeiZhu" text,
    "lczd" text,
    "jcpart" text,
    "jcpartcode" text,
    "kgjLBaseLine" text,
    "kgjLKjgd" text,
    "kgjLGxtq" text,
    "kgjLRgyc" text,
    "kgjLGxzx" text,
    "kgjRBaseLine" text,
    "kgjRKjgd" text,
    "kgjRGxtq" text,
    "kgjRRgyc" text,
    "kgjRGxzx" text,
    "kgjL_A" text,
    "kgjR_A" text,
    "kgjL_B" text,
    "kgjR_B" text,
    "ExpectedVersion" bigint DEFAULT NULL,
    "SavedBy" text DEFAULT NULL,
    INOUT "SavedVersion" bigint DEFAULT NULL
)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_variable
DECLARE
    who text;
    strictcheck boolean;
    users integer;
    mapped text;
    doctor text;
BEGIN
    -- A report without a GUID could never be found again.
    IF btrim(coalesce("Ruid", ''), E' \t\r\n') = '' THEN
        RAISE EXCEPTION '@Ruid 不能为空';
    END IF;
    -- ruid is not unique, so two workstations saving a new report at the same moment could
    -- both insert it; a lock per GUID, held to the end of the transaction, orders them.
    PERFORM pg_advisory_xact_lock(hashtext('sp_SaveReportInfo'), hashtext(lower("Ruid")));
    -- A copy read before someone else's save must not overwrite it. The lock above is held
    -- to the end, so nothing can come between this check and the write.
    IF "ExpectedVersion" IS NOT NULL
       AND coalesce((SELECT max(RowVersion) FROM Report WHERE ruid = CAST("Ruid" AS citext)), 0) <> "ExpectedVersion" THEN
        RAISE EXCEPTION 'WR-CONFLICT: 报告已被其他工作站修改，本次保存未写入' USING ERRCODE = 'WR409';
    END IF;
    strictcheck := coalesce((SELECT value FROM wr_setting WHERE name = 'StrictUserCheck'), '0') = '1';
    -- A save never takes a final report back: that is a withdrawal (sp_WithdrawSignature).
    -- In strict mode the stored state is kept anyway, and changing a final report needs the
    -- mapped user's right.
    IF EXISTS (SELECT 1 FROM Report WHERE ruid = CAST("Ruid" AS citext) AND coalesce(ReportState, 0) >= 5) THEN
        IF strictcheck THEN
            PERFORM wr_CheckSessionRight('修改已审核报告');
        ELSIF coalesce("ReportState", 0) < 5 THEN
            RAISE EXCEPTION '报告已审核，保存不能撤销审核：请使用撤销审核';
        END IF;
    END IF;
    IF strictcheck THEN
        SELECT count(*), min(u.UserCode) INTO users, mapped
          FROM WrUser AS u WHERE u.DbLogin = session_user AND coalesce(u.Disabled, 0) = 0;
        IF users = 1 THEN
            SELECT d.姓名 INTO doctor FROM csdoctor AS d WHERE d.code = mapped ORDER BY d.displayindex DESC NULLS LAST LIMIT 1;
            who := CASE WHEN coalesce(doctor, '') = '' THEN mapped ELSE doctor || '(' || mapped || ')' END
                   || '@' || coalesce(host(inet_client_addr()), nullif(current_setting('application_name', true), ''), 'local');
        ELSE
            who := wr_session_login();
        END IF;
    ELSE
        who := coalesce(nullif("SavedBy", ''), wr_session_login());
    END IF;
    UPDATE Report
       SET
           Accnu = "Accnu",
           nbid = "nbid",
           jcMethod = "jcMethod",
           ItemName = "ItemName",
           ItemCode = "ItemCode",
           JCDaLei = "JCDaLei",
           jcTuJing = "jcTuJing",
           ImgQuality = "ImgQuality",
           SuoJian = "SuoJian",
           JieLun = "JieLun",
           JianYi = "JianYi",
           rtf_SuoJian = "rtf_SuoJian",
           rtf_JieLun = "rtf_JieLun",
           ReportState = CASE WHEN strictcheck AND (coalesce(ReportState, 0) >= 5 OR coalesce("ReportState", 0) >= 5)
                              THEN ReportState ELSE "ReportState" END,
           TanTouRate = "TanTouRate",
           TiXing = "TiXing",
           ExamDoctor = "ExamDoctor",
           ExamDoctorCode = "ExamDoctorCode",
           ReportDoctor = "ReportDoctor",
           ReportDoctorCode = "ReportDoctorCode",
           ShenHeDoctor = CASE WHEN strictcheck THEN ShenHeDoctor ELSE "ShenHeDoctor" END,
           ShenHeDoctorCode = CASE WHEN strictcheck THEN ShenHeDoctorCode ELSE "ShenHeDoctorCode" END,
           HuiZhenDoctor = "HuiZhenDoctor",
           HuizhenDoctorCode = "HuizhenDoctorCode",
           ReportDate = "ReportDate",
           shenHeDate = CASE WHEN strictcheck THEN shenHeDate ELSE "shenHeDate" END,
           HuiZhenDate = "HuiZhenDate",
           -- Only grows: the database counts prints; an editor's older count is not put back.
           PrintedCont = greatest(coalesce(PrintedCont, 0), coalesce("PrintedCont", 0)),
           YinYangXing = "YinYangXing",
           WeiJiValue = "WeiJiValue",
           BeiZhu = "BeiZhu",
           lczd = "lczd",
           jcpart = "jcpart",
           jcpartcode = "jcpartcode",
           kgjLBaseLine = "kgjLBaseLine",
           kgjLKjgd = "kgjLKjgd",
           kgjLGxtq = "kgjLGxtq",
           kgjLRgyc = "kgjLRgyc",
           kgjLGxzx = "kgjLGxzx",
           kgjRBaseLine = "kgjRBaseLine",
           kgjRKjgd = "kgjRKjgd",
           kgjRGxtq = "kgjRGxtq",
           kgjRRgyc = "kgjRRgyc",
           kgjRGxzx = "kgjRGxzx",
           kgjL_A = "kgjL_A",
           kgjR_A = "kgjR_A",
           kgjL_B = "kgjL_B",
           kgjR_B = "kgjR_B",
           SavedBy = who,
           SavedAt = localtimestamp(3)
     WHERE ruid = CAST("Ruid" AS citext);
    IF FOUND THEN
        -- As the trigger raised it; the highest when older clients left several rows.
        SELECT max(RowVersion) INTO "SavedVersion" FROM Report WHERE ruid = CAST("Ruid" AS citext);
    ELSE
        INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime, SavedBy, SavedAt)
        VALUES ("Ruid", "Accnu", "nbid", "jcMethod", "ItemName", "ItemCode", "JCDaLei", "jcTuJing", "ImgQuality", "SuoJian", "JieLun", "JianYi", "rtf_SuoJian", "rtf_JieLun",
                CASE WHEN strictcheck AND coalesce("ReportState", 0) >= 5 THEN NULL ELSE "ReportState" END,
                "TanTouRate", "TiXing", "ExamDoctor", "ExamDoctorCode", "ReportDoctor", "ReportDoctorCode",
                CASE WHEN strictcheck THEN NULL ELSE "ShenHeDoctor" END, CASE WHEN strictcheck THEN NULL ELSE "ShenHeDoctorCode" END,
                "HuiZhenDoctor", "HuizhenDoctorCode", "ReportDate",
                CASE WHEN strictcheck THEN NULL ELSE "shenHeDate" END,
                "HuiZhenDate", "PrintedCont", "YinYangXing", "WeiJiValue", "BeiZhu", "lczd", "jcpart", "jcpartcode", "kgjLBaseLine", "kgjLKjgd", "kgjLGxtq", "kgjLRgyc", "kgjLGxzx", "kgjRBaseLine", "kgjRKjgd", "kgjRGxtq", "kgjRRgyc", "kgjRGxzx", "kgjL_A", "kgjR_A", "kgjL_B", "kgjR_B", localtimestamp(3), who, localtimestamp(3))
        RETURNING RowVersion INTO "SavedVersion";
    END IF;
END
$$;

-- Binds to report @ReportGuid every usable item of accession @Accnu that no report page
-- holds yet, and returns the names of all items this report holds, in registration order,
-- joined with ','. The condition ReportGuid IS NULL is checked again on the locked row, so
-- of two workstations binding the same accession at the same moment the second one skips
-- the items the first one took: no item is ever bound to two reports.
CREATE OR REPLACE PROCEDURE sp_GetAllItemsFromAccnu_DefaustFirst(
    "Accnu" text,
    "ReportGuid" text,
    INOUT "OutItemFirstName" text DEFAULT NULL
)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_variable
BEGIN
    IF btrim(coalesce("ReportGuid", ''), E' \t\r\n') <> '' THEN
        UPDATE ExamItem
           SET ReportGuid = "ReportGuid"
         WHERE Accnu = "Accnu" AND Usable = 1 AND ReportGuid IS NULL;
    END IF;
    SELECT coalesce(string_agg(ItemName, ',' ORDER BY ItemOrder, id), '')
      INTO "OutItemFirstName"
      FROM ExamItem
     WHERE Accnu = "Accnu" AND ReportGuid = CAST("ReportGuid" AS citext) AND Usable = 1;
END
$$;

-- The host's exam-item picker: makes report @ReportGuid hold exactly the usable items of
-- accession @Accnu whose ids @ItemIds lists (decimal ids joined with ','), among the free
-- items and its own; an item another report page holds keeps its owner. Returns the names
-- the report then holds, joined as the procedure above joins them.
CREATE OR REPLACE PROCEDURE sp_SetReportExamItems(
    "Accnu" text,
    "ReportGuid" text,
    "ItemIds" text,
    INOUT "OutItemNames" text DEFAULT NULL
)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_variable
BEGIN
    IF btrim(coalesce("ReportGuid", ''), E' \t\r\n') = '' THEN
        RAISE EXCEPTION '@ReportGuid 不能为空';
    END IF;
    UPDATE ExamItem
       SET ReportGuid = CASE WHEN position(',' || id::text || ',' IN ',' || replace(coalesce("ItemIds", ''), ' ', '') || ',') > 0
                             THEN CAST("ReportGuid" AS citext) ELSE NULL END
     WHERE Accnu = "Accnu" AND Usable = 1 AND (ReportGuid IS NULL OR ReportGuid = CAST("ReportGuid" AS citext));
    SELECT coalesce(string_agg(ItemName, ',' ORDER BY ItemOrder, id), '')
      INTO "OutItemNames"
      FROM ExamItem
     WHERE Accnu = "Accnu" AND ReportGuid = CAST("ReportGuid" AS citext) AND Usable = 1;
END
$$;

-- Sites with per-user database logins (wr_setting StrictUserCheck = '1', see
-- upgrades/021-strict-users.sql): the user a signature names must be the one user whose
-- WrUser.DbLogin is the login of this session. session_user, not current_user: inside a
-- SECURITY DEFINER routine current_user is the owner, and SET ROLE changes it too. Returns
-- the doctor's name as csdoctor has it (so a signature cannot carry another name), or NULL
-- when the check is off.
CREATE OR REPLACE FUNCTION wr_CheckSessionUser("UserCode" text) RETURNS text
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_variable
DECLARE
    login text := session_user;
    mapped text;
    users integer;
    doctor text;
BEGIN
    IF coalesce((SELECT value FROM wr_setting WHERE name = 'StrictUserCheck'), '0') <> '1' THEN
        RETURN NULL;
    END IF;
    SELECT count(*), min(u.UserCode) INTO users, mapped
      FROM WrUser AS u WHERE u.DbLogin = login AND coalesce(u.Disabled, 0) = 0;
    IF users = 0 THEN
        RAISE EXCEPTION '数据库登录 % 没有对应的用户（WrUser.DbLogin），不能审核', login;
    ELSIF users > 1 THEN
        RAISE EXCEPTION '数据库登录 % 对应了多个用户（WrUser.DbLogin），不能审核', login;
    END IF;
    IF lower(mapped) <> lower(coalesce("UserCode", '')) THEN
        RAISE EXCEPTION '数据库登录 % 属于用户 %，不能以用户 % 的名义审核', login, mapped, coalesce("UserCode", '');
    END IF;
    SELECT d.姓名 INTO doctor FROM csdoctor AS d WHERE d.code = mapped ORDER BY d.displayindex DESC NULLS LAST LIMIT 1;
    RETURN coalesce(doctor, '');
END
$$;

-- Whether a WeiJiValue text holds a critical value: anything but blank or "none" (the same
-- list as db/sqlite/tools/gen_procedures.py and hostdata/CriticalValues.cpp).
CREATE OR REPLACE FUNCTION wr_IsCriticalValue(v text) RETURNS boolean LANGUAGE sql IMMUTABLE AS $$
    SELECT btrim(coalesce(v, ''), E' \t\r\n') NOT IN ('', '无', '否', '无危急值')
$$;

-- Strict mode: the user mapped to the session's login must hold the operation in his role
-- (WrRolePermission), so a doctor cannot sign, withdraw or change a final report with his own
-- login unless his role may. Off, it passes.
CREATE OR REPLACE FUNCTION wr_CheckSessionRight("Operation" text) RETURNS void
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_variable
BEGIN
    IF coalesce((SELECT value FROM wr_setting WHERE name = 'StrictUserCheck'), '0') <> '1' THEN
        RETURN;
    END IF;
    IF NOT EXISTS (SELECT 1 FROM WrUser AS u JOIN WrRolePermission AS p ON p.RoleCode = u.RoleCode
                    WHERE u.DbLogin = session_user AND coalesce(u.Disabled, 0) = 0 AND p.Operation = "Operation") THEN
        RAISE EXCEPTION '数据库登录 % 的用户没有“%”的权限', session_user, "Operation";
    END IF;
END
$$;

-- The host's signing and printing. Each changes the report row(s) of @Ruid in one statement
-- and records the event in ReportEvent; a GUID without a report is refused.
-- Signing: the user becomes review doctor, now the review date, ReportState 5. The UPDATE's
-- condition on ReportState makes two reviewers signing at once end with one signature.
CREATE OR REPLACE PROCEDURE sp_SignReport("Ruid" text, "UserName" text, "UserCode" text)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_variable
DECLARE
    doctor text;
BEGIN
    IF NOT EXISTS (SELECT 1 FROM Report WHERE ruid = CAST("Ruid" AS citext)) THEN
        RAISE EXCEPTION '没有这份报告：%', coalesce("Ruid", '');
    END IF;
    doctor := wr_CheckSessionUser("UserCode");
    PERFORM wr_CheckSessionRight('审核报告');
    IF doctor <> '' THEN
        "UserName" := doctor;
    END IF;
    IF btrim(coalesce("UserName", ''), E' \t\r\n') = '' THEN
        RAISE EXCEPTION '审核医生不能为空';
    END IF;
    -- A critical value must be told before the report is released (wr_setting
    -- CriticalNoticeBeforeSign = '0' turns this off).
    IF coalesce((SELECT st.value FROM wr_setting AS st WHERE st.name = 'CriticalNoticeBeforeSign'), '1') = '1'
       AND EXISTS (SELECT 1 FROM Report AS r WHERE r.ruid = CAST("Ruid" AS citext) AND wr_IsCriticalValue(r.WeiJiValue))
       AND NOT EXISTS (SELECT 1 FROM CriticalNotice AS n WHERE n.ruid = CAST("Ruid" AS citext)) THEN
        RAISE EXCEPTION '危急值尚未通知临床（危急值登记中没有这份报告），不能审核';
    END IF;
    UPDATE Report
       SET ShenHeDoctor = "UserName", ShenHeDoctorCode = "UserCode",
           shenHeDate = localtimestamp(3), ReportState = 5
     WHERE ruid = CAST("Ruid" AS citext) AND coalesce(ReportState, 0) < 5;
    IF NOT FOUND THEN
        RAISE EXCEPTION '报告已审核';
    END IF;
    INSERT INTO ReportEvent (ruid, Event, UserName, UserCode, EventTime)
    VALUES ("Ruid", 'sign', "UserName", "UserCode", localtimestamp(3));
END
$$;

-- Withdrawing a signature: a final report goes back to 2 (written, waiting for review).
CREATE OR REPLACE PROCEDURE sp_WithdrawSignature("Ruid" text, "UserName" text, "UserCode" text)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_variable
DECLARE
    doctor text;
BEGIN
    IF NOT EXISTS (SELECT 1 FROM Report WHERE ruid = CAST("Ruid" AS citext)) THEN
        RAISE EXCEPTION '没有这份报告：%', coalesce("Ruid", '');
    END IF;
    doctor := wr_CheckSessionUser("UserCode");
    PERFORM wr_CheckSessionRight('撤销审核');
    IF doctor <> '' THEN
        "UserName" := doctor;
    END IF;
    UPDATE Report SET ReportState = 2 WHERE ruid = CAST("Ruid" AS citext) AND ReportState >= 5;
    IF NOT FOUND THEN
        RAISE EXCEPTION '报告未审核';
    END IF;
    INSERT INTO ReportEvent (ruid, Event, UserName, UserCode, EventTime)
    VALUES ("Ruid", 'withdraw', "UserName", "UserCode", localtimestamp(3));
END
$$;

-- A print: the count grows inside the database, so prints at the same moment all count.
CREATE OR REPLACE PROCEDURE sp_IncrementPrintCount("Ruid" text, "UserName" text, "UserCode" text)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_variable
BEGIN
    UPDATE Report SET PrintedCont = coalesce(PrintedCont, 0) + 1 WHERE ruid = CAST("Ruid" AS citext);
    IF NOT FOUND THEN
        RAISE EXCEPTION '没有这份报告：%', coalesce("Ruid", '');
    END IF;
    INSERT INTO ReportEvent (ruid, Event, UserName, UserCode, EventTime)
    VALUES ("Ruid", 'print', "UserName", "UserCode", localtimestamp(3));
END
$$;

-- A final report saved again after it was unlocked: counted, so the work list can mark it.
CREATE OR REPLACE PROCEDURE sp_NoteSignedEdit("Ruid" text, "UserName" text, "UserCode" text)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_variable
BEGIN
    PERFORM wr_CheckSessionRight('修改已审核报告');
    IF NOT EXISTS (SELECT 1 FROM Report WHERE ruid = CAST("Ruid" AS citext)) THEN
        RAISE EXCEPTION '没有这份报告：%', coalesce("Ruid", '');
    END IF;
    UPDATE Report SET SignedEdits = coalesce(SignedEdits, 0) + 1 WHERE ruid = CAST("Ruid" AS citext) AND ReportState >= 5;
    IF NOT FOUND THEN
        RAISE EXCEPTION '报告未审核';
    END IF;
    INSERT INTO ReportEvent (ruid, Event, UserName, UserCode, EventTime)
    VALUES ("Ruid", 'edit-signed', "UserName", "UserCode", localtimestamp(3));
END
$$;

-- Users and log-in (tables of upgrades/020-users.sql). The lock-out is counted and timed by
-- the server's clock, so a workstation with a wrong clock cannot shorten it.

-- Older workstation programs read the stored hash with sp_UserLoginInfo, reported the
-- outcome themselves with sp_UserLoginResult and took a hash as proof of the old password in
-- sp_ChangeUserPassword and sp_RehashUserPassword. All four refuse, with the same parameters,
-- so such a program says why it cannot log in.
CREATE OR REPLACE FUNCTION wr_RefuseOutdatedProgram() RETURNS void
LANGUAGE plpgsql SET search_path = public, pg_temp AS $$
BEGIN
    RAISE EXCEPTION '此工作站程序版本过旧，不能登录或修改密码：请安装新版本';
END
$$;

CREATE OR REPLACE PROCEDURE sp_UserLoginInfo(
    "UserCode" text,
    INOUT "Found" integer DEFAULT NULL,
    INOUT "UserName" text DEFAULT NULL,
    INOUT "DeptCode" text DEFAULT NULL,
    INOUT "RoleCode" text DEFAULT NULL,
    INOUT "RoleId" integer DEFAULT NULL,
    INOUT "PasswordHash" text DEFAULT NULL,
    INOUT "MustChange" integer DEFAULT NULL,
    INOUT "Disabled" integer DEFAULT NULL,
    INOUT "FailedCount" integer DEFAULT NULL,
    INOUT "LockSeconds" integer DEFAULT NULL,
    INOUT "DbLogin" text DEFAULT NULL
)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
BEGIN
    -- An empty code is an older program's probe whether the tables exist (wr-admin's too,
    -- whose administration still works): answered as before, with no user.
    IF coalesce("UserCode", '') <> '' THEN
        PERFORM wr_RefuseOutdatedProgram();
    END IF;
    "Found" := 0;
END
$$;

CREATE OR REPLACE PROCEDURE sp_UserLoginResult(
    "UserCode" text,
    "Success" integer,
    INOUT "FailedCount" integer DEFAULT NULL,
    INOUT "LockSeconds" integer DEFAULT NULL
)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
BEGIN
    PERFORM wr_RefuseOutdatedProgram();
END
$$;

CREATE OR REPLACE PROCEDURE sp_ChangeUserPassword("UserCode" text, "OldHash" text, "NewHash" text)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
BEGIN
    PERFORM wr_RefuseOutdatedProgram();
END
$$;

CREATE OR REPLACE PROCEDURE sp_RehashUserPassword("UserCode" text, "OldHash" text, "NewHash" text)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
BEGIN
    PERFORM wr_RefuseOutdatedProgram();
END
$$;

-- The challenge of a log-in (see src/platform/PasswordProof.h): the salt and Argon2id
-- parameters of the user's keys and a fresh nonce, valid once for 2 minutes. A row still
-- holding an Argon2id string gets its keys first. An unknown user, or one without a
-- password, gets a salt made from the decoy key and the code (the same at every call) and the
-- workstations' current parameters: the answer does not tell.
CREATE OR REPLACE PROCEDURE sp_UserLoginChallenge(
    "UserCode" text,
    INOUT "Salt" text DEFAULT NULL,
    INOUT "Ops" integer DEFAULT NULL,
    INOUT "MemKiB" integer DEFAULT NULL,
    INOUT "ServerNonce" text DEFAULT NULL
)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_column
DECLARE
    u WrUser%ROWTYPE;
    k record;
BEGIN
    SELECT * INTO k FROM wr_Argon2idKeys((SELECT PasswordHash FROM WrUser WHERE UserCode = "UserCode"));
    IF k.salt IS NOT NULL THEN
        UPDATE WrUser SET ProofSalt = k.salt, ProofOps = k.ops, ProofMemKiB = k.memkib, StoredKey = k.storedkey,
                          ServerKey = k.serverkey, PasswordHash = ''
         WHERE UserCode = "UserCode";
    END IF;
    DELETE FROM WrLoginNonce WHERE Expires < localtimestamp(3);
    "ServerNonce" := encode(gen_random_bytes(16), 'hex');
    INSERT INTO WrLoginNonce (Nonce, UserCode, Expires)
    VALUES ("ServerNonce", coalesce("UserCode", ''), localtimestamp(3) + interval '2 minutes');
    SELECT * INTO u FROM WrUser WHERE UserCode = "UserCode";
    IF FOUND AND u.StoredKey <> '' THEN
        "Salt" := u.ProofSalt;
        "Ops" := u.ProofOps;
        "MemKiB" := u.ProofMemKiB;
    ELSE
        "Salt" := left(encode(hmac(convert_to('salt:' || coalesce("UserCode", ''), 'UTF8'),
                                   convert_to((SELECT Value FROM WrSecret WHERE Name = 'LoginDecoyKey'), 'UTF8'), 'sha1'), 'hex'), 32);
        "Ops" := 2;
        "MemKiB" := 65536;
    END IF;
END
$$;

-- The proof of a log-in, checked here against the challenge's nonce, which it uses up. The
-- outcome is recorded here and nowhere else: a success clears the count and notes the
-- log-in; a failure (unknown user, disabled account and wrong password alike) counts, and
-- the 5th in a row locks the user out for 5 minutes (the count starts again after it); while
-- a lock-out runs nothing changes, a success included. The row lock makes workstations
-- failing at the same moment count every failure. @Outcome: 0 right (then @ServerSignature
-- proves this database holds the user's ServerKey, and the user's details follow), 1
-- refused, 2 locked out. With a right proof, @NewKind 1 (the same password with current
-- parameters) or 2 (the user's own change) replaces the keys.
CREATE OR REPLACE PROCEDURE sp_UserLoginProof(
    "UserCode" text,
    "ServerNonce" text,
    "ClientNonce" text,
    "ClientProof" text,
    "NewKind" integer DEFAULT 0,
    "NewSalt" text DEFAULT NULL,
    "NewOps" integer DEFAULT NULL,
    "NewMemKiB" integer DEFAULT NULL,
    "NewStoredKey" text DEFAULT NULL,
    "NewServerKey" text DEFAULT NULL,
    INOUT "Outcome" integer DEFAULT NULL,
    INOUT "FailuresLeft" integer DEFAULT NULL,
    INOUT "LockSeconds" integer DEFAULT NULL,
    INOUT "ServerSignature" text DEFAULT NULL,
    INOUT "UserName" text DEFAULT NULL,
    INOUT "DeptCode" text DEFAULT NULL,
    INOUT "RoleCode" text DEFAULT NULL,
    INOUT "RoleId" integer DEFAULT NULL,
    INOUT "MustChange" integer DEFAULT NULL,
    INOUT "DbLogin" text DEFAULT NULL
)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_column
DECLARE
    u WrUser%ROWTYPE;
    sig text;
    locked boolean;
BEGIN
    DELETE FROM WrLoginNonce
     WHERE Nonce = "ServerNonce" AND UserCode = coalesce("UserCode", '') AND Expires >= localtimestamp(3);
    IF NOT FOUND OR coalesce("ClientNonce", '') !~ '^[0-9a-f]{32}$' THEN
        RAISE EXCEPTION '登录质询无效或已过期，请重新登录';
    END IF;
    "Outcome" := 1;
    "FailuresLeft" := 4;
    "LockSeconds" := 0;
    "ServerSignature" := '';
    "UserName" := '';
    "DeptCode" := '';
    "RoleCode" := '';
    "RoleId" := 0;
    "MustChange" := 0;
    "DbLogin" := '';
    SELECT * INTO u FROM WrUser WHERE UserCode = "UserCode" FOR UPDATE;
    IF NOT FOUND THEN
        RETURN;
    END IF;
    IF coalesce(u.Disabled, 0) = 0 THEN
        sig := wr_PasswordCheck(u.StoredKey, u.ServerKey, 'c=' || "ClientNonce" || ',s=' || "ServerNonce", "ClientProof");
    END IF;
    locked := u.LockedUntil IS NOT NULL AND u.LockedUntil > localtimestamp(3);
    IF NOT locked THEN
        IF sig IS NOT NULL THEN
            UPDATE WrUser SET FailedCount = 0, LockedUntil = NULL, LastLogin = localtimestamp(3) WHERE UserCode = "UserCode";
        ELSIF u.FailedCount + 1 >= 5 THEN
            UPDATE WrUser SET FailedCount = 0, LockedUntil = localtimestamp(3) + interval '5 minutes' WHERE UserCode = "UserCode";
        ELSE
            UPDATE WrUser SET FailedCount = FailedCount + 1 WHERE UserCode = "UserCode";
        END IF;
        IF sig IS NOT NULL AND coalesce("NewKind", 0) IN (1, 2) THEN
            IF NOT (coalesce("NewSalt", '') ~* '^[0-9a-f]{32}$' AND coalesce("NewStoredKey", '') ~* '^[0-9a-f]{40}$'
                    AND coalesce("NewServerKey", '') ~* '^[0-9a-f]{40}$' AND coalesce("NewOps", 0) >= 1
                    AND coalesce("NewMemKiB", 0) >= 8) THEN
                RAISE EXCEPTION '新密码的密钥无效';
            END IF;
            PERFORM wr_CheckOwnPassword("UserCode");
            UPDATE WrUser
               SET ProofSalt = lower("NewSalt"), ProofOps = "NewOps", ProofMemKiB = "NewMemKiB",
                   StoredKey = lower("NewStoredKey"), ServerKey = lower("NewServerKey"), PasswordHash = '',
                   MustChangePassword = CASE WHEN "NewKind" = 2 THEN 0 ELSE MustChangePassword END,
                   PasswordChanged = CASE WHEN "NewKind" = 2 THEN localtimestamp(3) ELSE PasswordChanged END
             WHERE UserCode = "UserCode";
        END IF;
    END IF;
    SELECT * INTO u FROM WrUser WHERE UserCode = "UserCode";
    "LockSeconds" := greatest(0, coalesce(ceil(extract(epoch FROM (u.LockedUntil - localtimestamp(3))))::integer, 0));
    IF "LockSeconds" > 0 THEN
        "Outcome" := 2;
    ELSIF sig IS NOT NULL THEN
        "Outcome" := 0;
        "ServerSignature" := sig;
        SELECT d.姓名, d.kscode INTO "UserName", "DeptCode"
          FROM csdoctor AS d WHERE d.code = "UserCode" ORDER BY d.displayindex DESC NULLS LAST LIMIT 1;
        "UserName" := coalesce("UserName", '');
        "DeptCode" := coalesce("DeptCode", '');
        "RoleCode" := u.RoleCode;
        "RoleId" := coalesce((SELECT r.RoleId FROM WrRole AS r WHERE r.RoleCode = u.RoleCode), 0);
        "MustChange" := coalesce(u.MustChangePassword, 0);
        "DbLogin" := coalesce(u.DbLogin, '');
    ELSE
        "FailuresLeft" := greatest(1, 5 - u.FailedCount);
    END IF;
END
$$;

-- With per-user database logins (wr_setting StrictUserCheck = '1') a user's own password is
-- changed only over that user's login (WrUser.DbLogin = session_user): a workstation program
-- changed to call the procedures itself cannot set another user's password. Off, it passes.
CREATE OR REPLACE FUNCTION wr_CheckOwnPassword("UserCode" text) RETURNS void
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_column
BEGIN
    IF coalesce((SELECT value FROM wr_setting WHERE name = 'StrictUserCheck'), '0') = '1'
       AND NOT EXISTS (SELECT 1 FROM WrUser WHERE UserCode = "UserCode" AND DbLogin = session_user) THEN
        RAISE EXCEPTION '数据库登录 % 不属于用户 %，不能修改其密码', session_user, coalesce("UserCode", '');
    END IF;
END
$$;

-- An administrator's reset: also ends a lock-out.
CREATE OR REPLACE PROCEDURE sp_SetUserPassword("UserCode" text, "PasswordHash" text, "MustChange" integer)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_column
DECLARE
    k record;
BEGIN
    SELECT * INTO k FROM wr_Argon2idKeys("PasswordHash");
    IF k.salt IS NULL THEN
        RAISE EXCEPTION '密码散列无效';
    END IF;
    UPDATE WrUser
       SET ProofSalt = k.salt, ProofOps = k.ops, ProofMemKiB = k.memkib, StoredKey = k.storedkey, ServerKey = k.serverkey,
           PasswordHash = '', MustChangePassword = CASE WHEN "MustChange" = 1 THEN 1 ELSE 0 END,
           PasswordChanged = localtimestamp(3), FailedCount = 0, LockedUntil = NULL
     WHERE UserCode = "UserCode";
    IF NOT FOUND THEN
        RAISE EXCEPTION '没有这个用户：%', coalesce("UserCode", '');
    END IF;
END
$$;

CREATE OR REPLACE PROCEDURE sp_CreateUser("UserCode" text, "RoleCode" text, "PasswordHash" text,
                                          "MustChange" integer, "DbLogin" text DEFAULT NULL)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_column
DECLARE
    k record;
BEGIN
    IF btrim(coalesce("UserCode", ''), E' \t\r\n') = '' THEN
        RAISE EXCEPTION '用户代码不能为空';
    END IF;
    IF NOT EXISTS (SELECT 1 FROM csdoctor WHERE code = "UserCode") THEN
        RAISE EXCEPTION '没有这位医生：%', "UserCode";
    END IF;
    IF NOT EXISTS (SELECT 1 FROM WrRole WHERE RoleCode = "RoleCode") THEN
        RAISE EXCEPTION '没有这个角色：%', coalesce("RoleCode", '');
    END IF;
    IF EXISTS (SELECT 1 FROM WrUser WHERE UserCode = "UserCode") THEN
        RAISE EXCEPTION '用户已存在：%', "UserCode";
    END IF;
    SELECT * INTO k FROM wr_Argon2idKeys("PasswordHash");
    IF k.salt IS NULL THEN
        RAISE EXCEPTION '密码散列无效';
    END IF;
    -- Only keys are kept (see sp_UserLoginChallenge); the string itself is not stored.
    INSERT INTO WrUser (UserCode, RoleCode, MustChangePassword, PasswordChanged, DbLogin,
                        ProofSalt, ProofOps, ProofMemKiB, StoredKey, ServerKey)
    VALUES ("UserCode", "RoleCode", CASE WHEN "MustChange" = 1 THEN 1 ELSE 0 END,
            localtimestamp(3), nullif("DbLogin", ''), k.salt, k.ops, k.memkib, k.storedkey, k.serverkey);
END
$$;

CREATE OR REPLACE PROCEDURE sp_UnlockUser("UserCode" text)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_column
BEGIN
    UPDATE WrUser SET FailedCount = 0, LockedUntil = NULL WHERE UserCode = "UserCode";
    IF NOT FOUND THEN
        RAISE EXCEPTION '没有这个用户：%', coalesce("UserCode", '');
    END IF;
END
$$;

CREATE OR REPLACE PROCEDURE sp_SetUserRole("UserCode" text, "RoleCode" text)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_column
BEGIN
    IF NOT EXISTS (SELECT 1 FROM WrRole WHERE RoleCode = "RoleCode") THEN
        RAISE EXCEPTION '没有这个角色：%', coalesce("RoleCode", '');
    END IF;
    UPDATE WrUser SET RoleCode = "RoleCode" WHERE UserCode = "UserCode";
    IF NOT FOUND THEN
        RAISE EXCEPTION '没有这个用户：%', coalesce("UserCode", '');
    END IF;
END
$$;

-- The user's own database login where a site gives each user one ('' maps none); a login
-- maps to one user at most, or the signing procedures could not tell who signs.
CREATE OR REPLACE PROCEDURE sp_SetUserDbLogin("UserCode" text, "DbLogin" text)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_column
DECLARE
    other text;
BEGIN
    SELECT min(UserCode) INTO other FROM WrUser WHERE DbLogin = "DbLogin" AND UserCode <> "UserCode";
    IF other IS NOT NULL THEN
        RAISE EXCEPTION '数据库登录 % 已属于用户 %', "DbLogin", other;
    END IF;
    UPDATE WrUser SET DbLogin = nullif(btrim(coalesce("DbLogin", '')), '') WHERE UserCode = "UserCode";
    IF NOT FOUND THEN
        RAISE EXCEPTION '没有这个用户：%', coalesce("UserCode", '');
    END IF;
END
$$;

CREATE OR REPLACE PROCEDURE sp_SetUserDisabled("UserCode" text, "Disabled" integer)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_column
BEGIN
    UPDATE WrUser SET Disabled = CASE WHEN "Disabled" = 1 THEN 1 ELSE 0 END WHERE UserCode = "UserCode";
    IF NOT FOUND THEN
        RAISE EXCEPTION '没有这个用户：%', coalesce("UserCode", '');
    END IF;
END
$$;

-- The operations of a role, one per line.
CREATE OR REPLACE PROCEDURE sp_RolePermissions("RoleCode" text, INOUT "Operations" text DEFAULT NULL)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_column
BEGIN
    SELECT coalesce(string_agg(Operation, E'\n' ORDER BY Operation), '') INTO "Operations"
      FROM WrRolePermission WHERE RoleCode = "RoleCode";
END
$$;

-- ---- The DICOM image index (upgrades/023-dicom-images.sql) ----------------------------
-- wr-dicomd indexes what it stored and records the archive's answers; a workstation assigns
-- an unmatched instance to an exam. The same instance stored again keeps its row, its
-- assignment and its archive state; only where its file lies is refreshed.
CREATE OR REPLACE PROCEDURE sp_DicomIndexInstance("SopInstanceUid" text, "SopClassUid" text, "StudyInstanceUid" text,
    "SeriesInstanceUid" text, "AccessionNumber" text, "PatientId" text, "PatientName" text, "Modality" text,
    "InstanceNumber" integer, "Frames" integer, "Width" integer, "Height" integer, "FileSize" bigint,
    "StoreName" text, "FilePath" text, "Thumbnail" text, "ForwardPending" integer)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_column
BEGIN
    IF btrim(coalesce("SopInstanceUid", ''), E' \t\r\n') = '' THEN
        RAISE EXCEPTION '@SopInstanceUid 不能为空';
    END IF;
    INSERT INTO DicomInstance (SopInstanceUid, SopClassUid, StudyInstanceUid, SeriesInstanceUid, AccessionNumber,
           PatientId, PatientName, Modality, InstanceNumber, Frames, Width, Height, FileSize, ReceivedAt, StoreName,
           FilePath, Thumbnail, ForwardState)
    VALUES ("SopInstanceUid", coalesce("SopClassUid", ''), coalesce("StudyInstanceUid", ''),
           coalesce("SeriesInstanceUid", ''), btrim(coalesce("AccessionNumber", '')), coalesce("PatientId", ''),
           coalesce("PatientName", ''), coalesce("Modality", ''), coalesce("InstanceNumber", 0), coalesce("Frames", 1),
           coalesce("Width", 0), coalesce("Height", 0), coalesce("FileSize", 0), localtimestamp(3), "StoreName",
           "FilePath", nullif("Thumbnail", ''), CASE WHEN "ForwardPending" = 1 THEN 1 ELSE 0 END)
    ON CONFLICT (SopInstanceUid) DO UPDATE
       SET StoreName = EXCLUDED.StoreName, FilePath = EXCLUDED.FilePath, FileSize = EXCLUDED.FileSize,
           RemovedAt = NULL, Thumbnail = coalesce(DicomInstance.Thumbnail, EXCLUDED.Thumbnail);
END
$$;

-- The doctor's choice: the instance belongs to "Accnu"'s exam ('' gives it back to its own
-- accession).
CREATE OR REPLACE PROCEDURE sp_DicomAssignInstance("SopInstanceUid" text, "Accnu" text)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_column
BEGIN
    IF coalesce("Accnu", '') <> '' AND NOT EXISTS (SELECT 1 FROM Study WHERE Accnu = "Accnu") THEN
        RAISE EXCEPTION '没有这个检查：%', "Accnu";
    END IF;
    UPDATE DicomInstance SET AssignedAccnu = nullif("Accnu", '') WHERE SopInstanceUid = "SopInstanceUid";
    IF NOT FOUND THEN
        RAISE EXCEPTION '没有这个图像：%', coalesce("SopInstanceUid", '');
    END IF;
END
$$;

-- The archive's answer: acknowledged, or one more failed attempt and why.
CREATE OR REPLACE PROCEDURE sp_DicomForwardResult("SopInstanceUid" text, "Archived" integer, "ForwardError" text)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_column
BEGIN
    IF NOT EXISTS (SELECT 1 FROM DicomInstance WHERE SopInstanceUid = "SopInstanceUid") THEN
        RAISE EXCEPTION '没有这个图像：%', coalesce("SopInstanceUid", '');
    END IF;
    IF "Archived" = 1 THEN
        UPDATE DicomInstance SET ForwardState = 2, ArchivedAt = localtimestamp(3), ForwardError = NULL,
               ForwardAttempts = ForwardAttempts + 1
         WHERE SopInstanceUid = "SopInstanceUid";
    ELSE
        UPDATE DicomInstance SET ForwardAttempts = ForwardAttempts + 1, ForwardError = "ForwardError"
         WHERE SopInstanceUid = "SopInstanceUid" AND ForwardState <> 2;
    END IF;
END
$$;

-- The local file was deleted; refused for an instance the archive has not acknowledged.
CREATE OR REPLACE PROCEDURE sp_DicomFileRemoved("SopInstanceUid" text)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_column
BEGIN
    UPDATE DicomInstance SET RemovedAt = localtimestamp(3) WHERE SopInstanceUid = "SopInstanceUid" AND ForwardState = 2;
    IF NOT FOUND THEN
        RAISE EXCEPTION '图像尚未归档，不能删除本地文件：%', coalesce("SopInstanceUid", '');
    END IF;
END
$$;

-- ---- The Modality Worklist (upgrades/024-study-uid.sql) ---------------------------------
-- wr-dicomd asks for the exams a machine may do: empty filters match everything, the name,
-- accession and patient ID filters are LIKE patterns with '\' as escape, the exam time is in
-- [DateFrom, DateTo). One text comes back: rows separated by chr(30), fields by chr(31)
-- (accession, name, sex, age, patient ID, requesting department, bed, exam time, modality,
-- Study Instance UID, station AE title, the exam items joined with ','). The service checks
-- every key again; the filters here only keep the rows to the ones that may match.
CREATE OR REPLACE FUNCTION wr_worklist_field(v text) RETURNS text
LANGUAGE sql IMMUTABLE AS $$ SELECT replace(replace(coalesce(v, ''), chr(30), ''), chr(31), '') $$;

-- One exam as the procedure's row text.
CREATE OR REPLACE FUNCTION wr_worklist_row(s Study) RETURNS text
LANGUAGE sql STABLE SET search_path = public, pg_temp AS $$
    SELECT wr_worklist_field(s.Accnu) || chr(31) || wr_worklist_field(s.PatientName) || chr(31) ||
           wr_worklist_field(s.Sex) || chr(31) || wr_worklist_field(s.Age) || chr(31) ||
           wr_worklist_field(s.PatientId) || chr(31) || wr_worklist_field(s.ReqDept) || chr(31) ||
           wr_worklist_field(s.BedNo) || chr(31) ||
           wr_worklist_field(to_char(s.ExamTime, 'YYYY-MM-DD HH24:MI:SS.MS')) || chr(31) ||
           wr_worklist_field(coalesce(nullif(s.Modality, ''), 'US')) || chr(31) ||
           wr_worklist_field(s.StudyUid) || chr(31) || wr_worklist_field(s.StationAet) || chr(31) ||
           wr_worklist_field((SELECT string_agg(e.ItemName, ',' ORDER BY e.ItemOrder, e.id)
                                FROM ExamItem AS e WHERE e.Accnu = s.Accnu AND e.Usable = 1))
$$;

-- "AccnuExact": an accession asked without wildcards, read by its key; otherwise the exam
-- time's index finds the day.
CREATE OR REPLACE PROCEDURE sp_WorklistFind(
    "DateFrom" text, "DateTo" text, "Modality" text, "Accnu" text, "PatientId" text,
    "PatientName" text, "StationAet" text, "AccnuExact" text, "MaxRows" integer,
    INOUT "Matches" text DEFAULT NULL)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
BEGIN
    IF coalesce("AccnuExact", '') <> '' THEN
        SELECT coalesce(string_agg(wr_worklist_row(s), chr(30)), '') INTO "Matches"
          FROM Study AS s
         WHERE s.Accnu = "AccnuExact"
           AND s.ExamTime >= "DateFrom"::timestamp AND s.ExamTime < "DateTo"::timestamp
           AND ("Modality" = '' OR coalesce(nullif(s.Modality, ''), 'US') = "Modality")
           AND ("PatientId" = '' OR s.PatientId LIKE "PatientId" ESCAPE '\')
           AND ("PatientName" = '' OR s.PatientName LIKE "PatientName" ESCAPE '\')
           AND ("StationAet" = '' OR coalesce(s.StationAet, '') IN ('', "StationAet"));
        RETURN;
    END IF;
    SELECT coalesce(string_agg(wr_worklist_row(q.st), chr(30) ORDER BY (q.st).ExamTime, (q.st).Accnu), '') INTO "Matches"
      FROM (SELECT s AS st FROM Study AS s
             WHERE s.ExamTime >= "DateFrom"::timestamp AND s.ExamTime < "DateTo"::timestamp
               AND ("Modality" = '' OR coalesce(nullif(s.Modality, ''), 'US') = "Modality")
               AND ("Accnu" = '' OR s.Accnu LIKE "Accnu" ESCAPE '\')
               AND ("PatientId" = '' OR s.PatientId LIKE "PatientId" ESCAPE '\')
               AND ("PatientName" = '' OR s.PatientName LIKE "PatientName" ESCAPE '\')
               AND ("StationAet" = '' OR coalesce(s.StationAet, '') IN ('', "StationAet"))
             ORDER BY s.ExamTime, s.Accnu
             LIMIT greatest("MaxRows", 0)) AS q;
END
$$;

-- The exam's Study Instance UID, set only while it has none; "Stored" is the one it keeps.
CREATE OR REPLACE PROCEDURE sp_SetStudyUid("Accnu" text, "StudyUid" text, INOUT "Stored" text DEFAULT NULL)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
BEGIN
    IF coalesce("StudyUid", '') <> '' THEN
        UPDATE Study AS s SET StudyUid = "StudyUid" WHERE s.Accnu = "Accnu" AND coalesce(s.StudyUid, '') = '';
    END IF;
    "Stored" := coalesce((SELECT s.StudyUid FROM Study AS s WHERE s.Accnu = "Accnu"), '');
END
$$;

-- The register of critical values told (upgrades/025-critical-notice.sql). A notice is written
-- once: a retry with the same @NoticeGuid returns the row already written, a correction is a
-- new row naming the one it corrects in @Corrects. NoticeTime is this server's clock;
-- ReportSavedAt the first saved version of the report that held a critical value (a
-- correction keeps the corrected row's). The receiver must have read the value back.
CREATE OR REPLACE PROCEDURE sp_RecordCriticalNotice(
    "NoticeGuid" text, "Ruid" text, "CriticalValue" text, "ReceiverName" text, "ReceiverDept" text,
    "ReceiverPhone" text, "ReadBack" integer, "UserName" text, "UserCode" text, "Corrects" bigint DEFAULT NULL,
    INOUT "NoticeId" bigint DEFAULT NULL, INOUT "NoticeTime" timestamp(3) DEFAULT NULL)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_variable
DECLARE
    told text;
    saved timestamp(3);
    doctor text;
    owner citext;
    blanks CONSTANT text := E' \t\r\n';
BEGIN
    IF NOT EXISTS (SELECT 1 FROM Report AS r WHERE r.ruid = CAST("Ruid" AS citext)) THEN
        RAISE EXCEPTION '没有这份报告：%', coalesce("Ruid", '');
    END IF;
    IF btrim(coalesce("NoticeGuid", ''), blanks) = '' THEN RAISE EXCEPTION '通知编号不能为空'; END IF;
    IF coalesce("ReadBack", 0) <> 1 THEN RAISE EXCEPTION '接收人未复读确认，不能记录危急值通知'; END IF;
    IF btrim(coalesce("ReceiverName", ''), blanks) = '' THEN RAISE EXCEPTION '接收人姓名不能为空'; END IF;
    IF btrim(coalesce("ReceiverDept", ''), blanks) = '' THEN RAISE EXCEPTION '接收人科室不能为空'; END IF;
    IF btrim(coalesce("ReceiverPhone", ''), blanks) = '' THEN RAISE EXCEPTION '联系电话或通知方式不能为空'; END IF;
    doctor := wr_CheckSessionUser("UserCode");
    IF doctor <> '' THEN
        "UserName" := doctor;
    END IF;
    IF btrim(coalesce("UserName", ''), blanks) = '' THEN RAISE EXCEPTION '通知人不能为空'; END IF;
    told := btrim(coalesce("CriticalValue", ''), blanks);
    IF told = '' THEN
        SELECT btrim(r.WeiJiValue, blanks) INTO told FROM Report AS r
         WHERE r.ruid = CAST("Ruid" AS citext) AND wr_IsCriticalValue(r.WeiJiValue) LIMIT 1;
        IF told IS NULL THEN RAISE EXCEPTION '报告没有危急值'; END IF;
    END IF;
    IF "Corrects" IS NOT NULL THEN
        SELECT n.ReportSavedAt, n.ruid INTO saved, owner FROM CriticalNotice AS n WHERE n.NoticeId = "Corrects";
        IF owner IS NULL OR owner <> CAST("Ruid" AS citext) THEN
            RAISE EXCEPTION '要更正的通知不存在或不属于这份报告';
        END IF;
    ELSE
        SELECT min(v.t) INTO saved FROM (
            SELECT h.SavedAt AS t FROM ReportHistory AS h
             WHERE h.ruid = CAST("Ruid" AS citext) AND wr_IsCriticalValue(h.WeiJiValue)
            UNION ALL
            SELECT coalesce(r.SavedAt, r.CreateTime) FROM Report AS r
             WHERE r.ruid = CAST("Ruid" AS citext) AND wr_IsCriticalValue(r.WeiJiValue)) AS v;
    END IF;
    INSERT INTO CriticalNotice (NoticeGuid, ruid, CriticalValue, ReceiverName, ReceiverDept, ReceiverPhone, ReadBack,
                                ToldBy, ToldByCode, NoticeTime, ReportSavedAt, Corrects)
    VALUES ("NoticeGuid", "Ruid", told, btrim("ReceiverName", blanks), btrim("ReceiverDept", blanks),
            btrim("ReceiverPhone", blanks), 1, btrim("UserName", blanks), "UserCode", localtimestamp(3), saved, "Corrects")
    ON CONFLICT (NoticeGuid) DO NOTHING;
    SELECT n.NoticeId, n.NoticeTime, n.ruid INTO "NoticeId", "NoticeTime", owner
      FROM CriticalNotice AS n WHERE n.NoticeGuid = CAST("NoticeGuid" AS citext);
    IF owner <> CAST("Ruid" AS citext) THEN
        RAISE EXCEPTION '通知编号已用于另一份报告';
    END IF;
END
$$;

-- A warning of the checks before signing that the doctor signed past, with the reason.
CREATE OR REPLACE PROCEDURE sp_RecordCheckOverride("Ruid" text, "UserName" text, "UserCode" text, "Rules" text, "Reason" text)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_variable
DECLARE
    doctor text;
BEGIN
    IF NOT EXISTS (SELECT 1 FROM Report AS r WHERE r.ruid = CAST("Ruid" AS citext)) THEN
        RAISE EXCEPTION '没有这份报告：%', coalesce("Ruid", '');
    END IF;
    IF btrim(coalesce("Reason", ''), E' \t\r\n') = '' THEN RAISE EXCEPTION '忽略提示必须写明理由'; END IF;
    IF btrim(coalesce("Rules", ''), E' \t\r\n') = '' THEN RAISE EXCEPTION '没有要忽略的提示'; END IF;
    doctor := wr_CheckSessionUser("UserCode");
    IF doctor <> '' THEN
        "UserName" := doctor;
    END IF;
    INSERT INTO ReportEvent (ruid, Event, UserName, UserCode, EventTime, Detail)
    VALUES ("Ruid", 'check-override', "UserName", "UserCode", localtimestamp(3), btrim("Rules") || ': ' || btrim("Reason"));
END
$$;

-- The assistants' structured values of a report (026-structured-findings.sql), called by the
-- editor's save in the same transaction as sp_SaveReportInfo, after it. A document equal to
-- the stored one changes nothing; another replaces it and the replaced one is kept in
-- StructuredFindingHistory. The report must exist.
CREATE OR REPLACE PROCEDURE sp_SaveStructuredFinding("Ruid" text, "Organ" text, "Document" text, "SavedBy" text DEFAULT NULL)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_variable
DECLARE
    stamp bigint;
    keep integer;
    doc text := coalesce("Document", '');
BEGIN
    IF btrim(coalesce("Ruid", ''), E' \t\r\n') = '' THEN
        RAISE EXCEPTION '@Ruid 不能为空';
    END IF;
    IF btrim(coalesce("Organ", ''), E' \t\r\n') = '' THEN
        RAISE EXCEPTION '@Organ 不能为空';
    END IF;
    SELECT max(r.RowVersion) INTO stamp FROM Report AS r WHERE r.ruid = CAST("Ruid" AS citext);
    IF stamp IS NULL THEN
        RAISE EXCEPTION '没有这份报告：%', "Ruid";
    END IF;
    IF EXISTS (SELECT 1 FROM StructuredFinding AS f
                WHERE f.ruid = CAST("Ruid" AS citext) AND f.Organ = "Organ" AND f.Document = doc) THEN
        RETURN;
    END IF;
    INSERT INTO StructuredFindingHistory (ruid, Organ, Document, ReportVersion, SavedBy, SavedAt, ReplacedAt)
    SELECT f.ruid, f.Organ, f.Document, f.ReportVersion, f.SavedBy, f.SavedAt, localtimestamp(3)
      FROM StructuredFinding AS f
     WHERE f.ruid = CAST("Ruid" AS citext) AND f.Organ = "Organ";
    INSERT INTO StructuredFinding AS f (ruid, Organ, Document, ReportVersion, SavedBy, SavedAt)
    VALUES ("Ruid", "Organ", doc, stamp, coalesce(nullif("SavedBy", ''), wr_session_login()), localtimestamp(3))
    ON CONFLICT (ruid, Organ) DO UPDATE
       SET Document = EXCLUDED.Document, ReportVersion = EXCLUDED.ReportVersion,
           SavedBy = EXCLUDED.SavedBy, SavedAt = EXCLUDED.SavedAt;
    SELECT CAST(s.value AS integer) INTO keep FROM wr_setting AS s WHERE s.name = 'ReportHistoryKeep';
    IF coalesce(keep, 0) > 0 THEN
        DELETE FROM StructuredFindingHistory AS h
         WHERE h.ruid = CAST("Ruid" AS citext) AND h.Organ = "Organ"
           AND h.HistoryId NOT IN (SELECT n.HistoryId FROM StructuredFindingHistory AS n
                                    WHERE n.ruid = CAST("Ruid" AS citext) AND n.Organ = "Organ"
                                    ORDER BY n.HistoryId DESC LIMIT keep);
    END IF;
END
$$;

-- The key images of a report (027-key-images.sql), called by the host's save in the same
-- transaction as sp_SaveReportInfo, after it. A choice equal to the stored one changes
-- nothing; another replaces it (the replaced one kept in KeyImageChoiceHistory) and drops the
-- stored images, which sp_SaveKeyImage then writes by position. The report must exist.
CREATE OR REPLACE PROCEDURE sp_SaveKeyImageChoice("Ruid" text, "Choice" text, "SavedBy" text DEFAULT NULL)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_variable
DECLARE
    stamp bigint;
    keep integer;
    choice text := coalesce("Choice", '');
BEGIN
    IF btrim(coalesce("Ruid", ''), E' \t\r\n') = '' THEN
        RAISE EXCEPTION '@Ruid 不能为空';
    END IF;
    SELECT max(r.RowVersion) INTO stamp FROM Report AS r WHERE r.ruid = CAST("Ruid" AS citext);
    IF stamp IS NULL THEN
        RAISE EXCEPTION '没有这份报告：%', "Ruid";
    END IF;
    IF EXISTS (SELECT 1 FROM KeyImageChoice AS c WHERE c.ruid = CAST("Ruid" AS citext) AND c.Choice = choice)
       OR (choice = '' AND NOT EXISTS (SELECT 1 FROM KeyImageChoice AS c WHERE c.ruid = CAST("Ruid" AS citext))) THEN
        RETURN;
    END IF;
    DELETE FROM KeyImage AS k WHERE k.ruid = CAST("Ruid" AS citext);
    INSERT INTO KeyImageChoiceHistory (ruid, Choice, ReportVersion, SavedBy, SavedAt, ReplacedAt)
    SELECT c.ruid, c.Choice, c.ReportVersion, c.SavedBy, c.SavedAt, localtimestamp(3)
      FROM KeyImageChoice AS c
     WHERE c.ruid = CAST("Ruid" AS citext);
    INSERT INTO KeyImageChoice AS c (ruid, Choice, ReportVersion, SavedBy, SavedAt)
    VALUES ("Ruid", choice, stamp, coalesce(nullif("SavedBy", ''), wr_session_login()), localtimestamp(3))
    ON CONFLICT (ruid) DO UPDATE
       SET Choice = EXCLUDED.Choice, ReportVersion = EXCLUDED.ReportVersion,
           SavedBy = EXCLUDED.SavedBy, SavedAt = EXCLUDED.SavedAt;
    SELECT CAST(s.value AS integer) INTO keep FROM wr_setting AS s WHERE s.name = 'ReportHistoryKeep';
    IF coalesce(keep, 0) > 0 THEN
        DELETE FROM KeyImageChoiceHistory AS h
         WHERE h.ruid = CAST("Ruid" AS citext)
           AND h.HistoryId NOT IN (SELECT n.HistoryId FROM KeyImageChoiceHistory AS n
                                    WHERE n.ruid = CAST("Ruid" AS citext)
                                    ORDER BY n.HistoryId DESC LIMIT keep);
    END IF;
END
$$;

-- One rendered key image of the current choice, at its position (1 to 6).
CREATE OR REPLACE PROCEDURE sp_SaveKeyImage("Ruid" text, "Position" integer, "SopInstanceUid" text, "Frame" integer,
                                            "Width" integer, "Height" integer, "Jpeg" text)
LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
#variable_conflict use_variable
BEGIN
    IF NOT EXISTS (SELECT 1 FROM Report AS r WHERE r.ruid = CAST("Ruid" AS citext)) THEN
        RAISE EXCEPTION '没有这份报告：%', coalesce("Ruid", '');
    END IF;
    IF coalesce("Position", 0) NOT BETWEEN 1 AND 6 THEN
        RAISE EXCEPTION '关键图像的位置应为 1 到 6：%', coalesce(CAST("Position" AS text), '');
    END IF;
    IF coalesce("Jpeg", '') = '' OR btrim(coalesce("SopInstanceUid", ''), E' \t\r\n') = '' THEN
        RAISE EXCEPTION '关键图像没有图像或来源';
    END IF;
    DELETE FROM KeyImage AS k WHERE k.ruid = CAST("Ruid" AS citext) AND k.Position = "Position";
    INSERT INTO KeyImage (ruid, Position, SopInstanceUid, Frame, Width, Height, Jpeg)
    VALUES ("Ruid", "Position", btrim("SopInstanceUid"), coalesce("Frame", 0), coalesce("Width", 0),
            coalesce("Height", 0), "Jpeg");
END
$$;
