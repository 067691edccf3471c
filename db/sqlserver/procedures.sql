-- SPDX-License-Identifier: MIT
-- WriteReport on Microsoft SQL Server (2008 R2 or later): the procedures the report
-- editor and the host call. Run after schema.sql and upgrades/, then grants.sql.
--
-- Running it again changes the bodies in place: a missing procedure is first created as a
-- stub, and every body is set with ALTER PROCEDURE, which keeps the permissions granted on
-- it (a dropped and re-created procedure would lose them, and every workstation's save
-- would fail). CREATE OR ALTER would do the same but needs SQL Server 2016 SP1.
--
-- The editor reads each procedure's parameters from sys.parameters and calls it with named
-- arguments (EXEC dbo.sp_x @Name = ?, ...), so the parameter names below are fixed. Text
-- parameters are nvarchar(max): a text longer than its column then fails the save with
-- SQL Server's truncation error instead of being cut short without a word.
SET ANSI_NULLS ON;
SET QUOTED_IDENTIFIER ON;
GO

IF OBJECT_ID(N'dbo.sp_SaveReportInfo', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_SaveReportInfo AS RETURN 0;');
GO
-- Saves one report page in one transaction: updates the row(s) of @Ruid or inserts one.
-- Refuses an empty @Ruid. XACT_ABORT rolls everything back on any error.
-- The parameters after the original 49 are optional: @ExpectedVersion is the stamp
-- (CAST(Report.RowVersion AS bigint)) the caller's copy was read at (0: the report had no
-- row; NULL: no check), and a stale copy is refused with an error starting 'WR-CONFLICT';
-- @SavedBy names who saves (default: the login and workstation); @SavedVersion returns the
-- stamp of the row as saved.
-- With per-user database logins (wr_setting StrictUserCheck = N'1') a save cannot stand in
-- for a signature: the review state (ReportState 5 and above or not) and the review doctor,
-- code and date keep their stored values whatever the program sends (a new row gets none),
-- so only sp_SignReport and sp_WithdrawSignature change them; a signed report unlocked for
-- editing still saves, and stays signed. @SavedBy is then ignored: the row records the user
-- mapped to ORIGINAL_LOGIN() (WrUser.DbLogin), or the login itself when it maps to no
-- single enabled user.
ALTER PROCEDURE dbo.sp_SaveReportInfo
    @Ruid              nvarchar(max),
    @Accnu             nvarchar(max),
    @nbid              nvarchar(max),
    @jcMethod          nvarchar(max),
    @ItemName          nvarchar(max),
    @ItemCode          nvarchar(max),
    @JCDaLei           nvarchar(max),
    @jcTuJing          nvarchar(max),
    @ImgQuality        nvarchar(max),
    @SuoJian           nvarchar(max),
    @JieLun            nvarchar(max),
    @JianYi            nvarchar(max),
    @rtf_SuoJian       nvarchar(max),
    @rtf_JieLun        nvarchar(max),
    @ReportState       int,
    @TanTouRate        nvarchar(max),
    @TiXing            nvarchar(max),
    @ExamDoctor        nvarchar(max),
    @ExamDoctorCode    nvarchar(max),
    @ReportDoctor      nvarchar(max),
    @ReportDoctorCode  nvarchar(max),
    @ShenHeDoctor      nvarchar(max),
    @ShenHeDoctorCode  nvarchar(max),
    @HuiZhenDoctor     nvarchar(max),
    @HuizhenDoctorCode nvarchar(max),
    @ReportDate        datetime2(3),
    @shenHeDate        datetime2(3),
    @HuiZhenDate       datetime2(3),
    @PrintedCont       int,
    @YinYangXing       bit,
    @WeiJiValue        nvarchar(max),
    @BeiZhu            nvarchar(max),
    @lczd              nvarchar(max),
    @jcpart            nvarchar(max),
    @jcpartcode        nvarchar(max),
    @kgjLBaseLine      nvarchar(max),
    @kgjLKjgd          nvarchar(max),
    @kgjLGxtq          nvarchar(max),
    @kgjLRgyc          nvarchar(max),
    @kgjLGxzx          nvarchar(max),
    @kgjRBaseLine      nvarchar(max),
    @kgjRKjgd          nvarchar(max),
    @kgjRGxtq          nvarchar(max),
    @kgjRRgyc          nvarchar(max),
    @kgjRGxzx          nvarchar(max),
    @kgjL_A            nvarchar(max),
    @kgjR_A            nvarchar(max),
    @kgjL_B            nvarchar(max),
    @kgjR_B            nvarchar(max),
    @ExpectedVersion   bigint = NULL,
    @SavedBy           nvarchar(200) = NULL,
    @SavedVersion      bigint = NULL OUTPUT
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;
    -- A report without a GUID could never be found again.
    IF REPLACE(REPLACE(REPLACE(REPLACE(ISNULL(@Ruid, N''), N' ', N''), NCHAR(9), N''), NCHAR(10), N''), NCHAR(13), N'') = N''
    BEGIN
        RAISERROR (N'@Ruid 不能为空', 16, 1);
        RETURN 1;
    END;

    DECLARE @who nvarchar(200), @current bigint, @strict bit, @users int, @mapped nvarchar(50), @doctor nvarchar(50);
    SET @strict = CASE WHEN ISNULL((SELECT value FROM dbo.wr_setting WHERE name = N'StrictUserCheck'), N'0') = N'1' THEN 1 ELSE 0 END;
    IF @strict = 1
    BEGIN
        SELECT @users = COUNT(*), @mapped = MIN(UserCode)
          FROM dbo.WrUser WHERE DbLogin = ORIGINAL_LOGIN() AND ISNULL(Disabled, 0) = 0;
        IF @users = 1
        BEGIN
            SELECT TOP (1) @doctor = d.姓名 FROM dbo.csdoctor AS d WHERE d.code = @mapped ORDER BY d.displayindex DESC;
            SET @who = LEFT(CASE WHEN ISNULL(@doctor, N'') = N'' THEN @mapped ELSE @doctor + N'(' + @mapped + N')' END
                            + N'@' + ISNULL(HOST_NAME(), N''), 200);
        END
        ELSE
            SET @who = LEFT(ISNULL(ORIGINAL_LOGIN(), N'') + N'@' + ISNULL(HOST_NAME(), N''), 200);
    END
    ELSE
        SET @who = ISNULL(NULLIF(@SavedBy, N''), LEFT(ISNULL(SUSER_SNAME(), N'') + N'@' + ISNULL(HOST_NAME(), N''), 200));

    BEGIN TRANSACTION;
    -- UPDLOCK + HOLDLOCK keep the key range of @Ruid locked to the end of the transaction,
    -- so two workstations saving a new report at the same moment insert it only once, and
    -- nothing comes between the stamp check and the write.
    SELECT @current = ISNULL(MAX(CAST(RowVersion AS bigint)), 0)
      FROM dbo.Report WITH (UPDLOCK, HOLDLOCK)
     WHERE ruid = @Ruid;
    IF @ExpectedVersion IS NOT NULL AND @current <> @ExpectedVersion
    BEGIN
        ROLLBACK TRANSACTION;
        RAISERROR (N'WR-CONFLICT: 报告已被其他工作站修改，本次保存未写入', 16, 1);
        RETURN 2;
    END;
    -- A save never takes a final report back: that is a withdrawal (sp_WithdrawSignature).
    -- In strict mode the stored state is kept anyway, and changing a final report needs the
    -- mapped user's right.
    IF EXISTS (SELECT 1 FROM dbo.Report WHERE ruid = @Ruid AND ISNULL(ReportState, 0) >= 5)
    BEGIN
        DECLARE @allowed int;
        IF @strict = 1
        BEGIN
            EXEC @allowed = dbo.wr_CheckSessionRight @Operation = N'修改已审核报告';
            IF @allowed <> 0
            BEGIN
                IF @@TRANCOUNT > 0 ROLLBACK TRANSACTION;
                RETURN 1;
            END;
        END
        ELSE IF ISNULL(@ReportState, 0) < 5
        BEGIN
            ROLLBACK TRANSACTION;
            RAISERROR (N'报告已审核，保存不能撤销审核：请使用撤销审核', 16, 1);
            RETURN 1;
        END;
    END;
    UPDATE dbo.Report WITH (UPDLOCK, HOLDLOCK)
       SET
           Accnu = @Accnu,
           nbid = @nbid,
           jcMethod = @jcMethod,
           ItemName = @ItemName,
           ItemCode = @ItemCode,
           JCDaLei = @JCDaLei,
           jcTuJing = @jcTuJing,
           ImgQuality = @ImgQuality,
           SuoJian = @SuoJian,
           JieLun = @JieLun,
           JianYi = @JianYi,
           rtf_SuoJian = @rtf_SuoJian,
           rtf_JieLun = @rtf_JieLun,
           ReportState = CASE WHEN @strict = 1 AND (ISNULL(ReportState, 0) >= 5 OR ISNULL(@ReportState, 0) >= 5)
                              THEN ReportState ELSE @ReportState END,
           TanTouRate = @TanTouRate,
           TiXing = @TiXing,
           ExamDoctor = @ExamDoctor,
           ExamDoctorCode = @ExamDoctorCode,
           ReportDoctor = @ReportDoctor,
           ReportDoctorCode = @ReportDoctorCode,
           ShenHeDoctor = CASE WHEN @strict = 1 THEN ShenHeDoctor ELSE @ShenHeDoctor END,
           ShenHeDoctorCode = CASE WHEN @strict = 1 THEN ShenHeDoctorCode ELSE @ShenHeDoctorCode END,
           HuiZhenDoctor = @HuiZhenDoctor,
           HuizhenDoctorCode = @HuizhenDoctorCode,
           ReportDate = @ReportDate,
           shenHeDate = CASE WHEN @strict = 1 THEN shenHeDate ELSE @shenHeDate END,
           HuiZhenDate = @HuiZhenDate,
           -- Only grows: the database counts prints; an editor's older count is not put back.
           PrintedCont = CASE WHEN ISNULL(PrintedCont, 0) > ISNULL(@PrintedCont, 0) THEN PrintedCont ELSE @PrintedCont END,
           YinYangXing = @YinYangXing,
           WeiJiValue = @WeiJiValue,
           BeiZhu = @BeiZhu,
           lczd = @lczd,
           jcpart = @jcpart,
           jcpartcode = @jcpartcode,
           kgjLBaseLine = @kgjLBaseLine,
           kgjLKjgd = @kgjLKjgd,
           kgjLGxtq = @kgjLGxtq,
           kgjLRgyc = @kgjLRgyc,
           kgjLGxzx = @kgjLGxzx,
           kgjRBaseLine = @kgjRBaseLine,
           kgjRKjgd = @kgjRKjgd,
           kgjRGxtq = @kgjRGxtq,
           kgjRRgyc = @kgjRRgyc,
           kgjRGxzx = @kgjRGxzx,
           kgjL_A = @kgjL_A,
           kgjR_A = @kgjR_A,
           kgjL_B = @kgjL_B,
           kgjR_B = @kgjR_B,
           SavedBy = @who,
           SavedAt = SYSDATETIME()
     WHERE ruid = @Ruid;
    IF @@ROWCOUNT = 0
        INSERT INTO dbo.Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime, SavedBy, SavedAt)
        VALUES (@Ruid, @Accnu, @nbid, @jcMethod, @ItemName, @ItemCode, @JCDaLei, @jcTuJing, @ImgQuality, @SuoJian, @JieLun, @JianYi, @rtf_SuoJian, @rtf_JieLun,
                CASE WHEN @strict = 1 AND ISNULL(@ReportState, 0) >= 5 THEN NULL ELSE @ReportState END,
                @TanTouRate, @TiXing, @ExamDoctor, @ExamDoctorCode, @ReportDoctor, @ReportDoctorCode,
                CASE WHEN @strict = 1 THEN NULL ELSE @ShenHeDoctor END, CASE WHEN @strict = 1 THEN NULL ELSE @ShenHeDoctorCode END,
                @HuiZhenDoctor, @HuizhenDoctorCode, @ReportDate,
                CASE WHEN @strict = 1 THEN NULL ELSE @shenHeDate END,
                @HuiZhenDate, @PrintedCont, @YinYangXing, @WeiJiValue, @BeiZhu, @lczd, @jcpart, @jcpartcode, @kgjLBaseLine, @kgjLKjgd, @kgjLGxtq, @kgjLRgyc, @kgjLGxzx, @kgjRBaseLine, @kgjRKjgd, @kgjRGxtq, @kgjRRgyc, @kgjRGxzx, @kgjL_A, @kgjR_A, @kgjL_B, @kgjR_B, SYSDATETIME(), @who, SYSDATETIME());
    SELECT @SavedVersion = ISNULL(MAX(CAST(RowVersion AS bigint)), 0) FROM dbo.Report WHERE ruid = @Ruid;
    COMMIT TRANSACTION;
    RETURN 0;
END;
GO

IF OBJECT_ID(N'dbo.sp_GetAllItemsFromAccnu_DefaustFirst', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_GetAllItemsFromAccnu_DefaustFirst AS RETURN 0;');
GO
-- Binds to report @ReportGuid every usable item of accession @Accnu that no report page
-- holds yet, and returns in @OutItemFirstName the names of all items this report holds, in
-- registration order, joined with ','. The UPDATE reads each candidate row under an update
-- lock and checks ReportGuid IS NULL on the locked row, so of two workstations binding the
-- same accession at the same moment the second skips what the first took: no item is ever
-- bound to two reports.
ALTER PROCEDURE dbo.sp_GetAllItemsFromAccnu_DefaustFirst
    @Accnu            nvarchar(max),
    @ReportGuid       nvarchar(max),
    @OutItemFirstName nvarchar(max) OUTPUT
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;
    BEGIN TRANSACTION;
    IF REPLACE(REPLACE(REPLACE(REPLACE(ISNULL(@ReportGuid, N''), N' ', N''), NCHAR(9), N''), NCHAR(10), N''), NCHAR(13), N'') <> N''
        UPDATE dbo.ExamItem WITH (UPDLOCK, ROWLOCK)
           SET ReportGuid = @ReportGuid
         WHERE Accnu = @Accnu AND Usable = 1 AND ReportGuid IS NULL;

    -- Joined in a loop: FOR XML PATH would fail (error 6841) on a name holding a control
    -- character such as U+000B, which text pasted from a word processor carries, and
    -- STRING_AGG needs SQL Server 2017.
    DECLARE @names nvarchar(max), @name nvarchar(max);
    DECLARE item_names CURSOR LOCAL FAST_FORWARD FOR
        SELECT ItemName
          FROM dbo.ExamItem
         WHERE Accnu = @Accnu AND ReportGuid = @ReportGuid AND Usable = 1
         ORDER BY ItemOrder, id;
    OPEN item_names;
    FETCH NEXT FROM item_names INTO @name;
    WHILE @@FETCH_STATUS = 0
    BEGIN
        SET @names = CASE WHEN @names IS NULL THEN @name ELSE @names + N',' + @name END;
        FETCH NEXT FROM item_names INTO @name;
    END;
    CLOSE item_names;
    DEALLOCATE item_names;
    SET @OutItemFirstName = ISNULL(@names, N'');
    COMMIT TRANSACTION;
    RETURN 0;
END;
GO

IF OBJECT_ID(N'dbo.sp_SetReportExamItems', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_SetReportExamItems AS RETURN 0;');
GO
-- The host's exam-item picker: makes report @ReportGuid hold exactly the usable items of
-- accession @Accnu whose ids @ItemIds lists (decimal ids joined with ','), among the free
-- items and its own; an item another report page holds keeps its owner. Returns in
-- @OutItemNames the names the report then holds, joined as the procedure above joins them.
-- Workstations hold no UPDATE permission on ExamItem; this procedure is their only way to
-- change it.
ALTER PROCEDURE dbo.sp_SetReportExamItems
    @Accnu        nvarchar(max),
    @ReportGuid   nvarchar(max),
    @ItemIds      nvarchar(max),
    @OutItemNames nvarchar(max) OUTPUT
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;
    IF REPLACE(REPLACE(REPLACE(REPLACE(ISNULL(@ReportGuid, N''), N' ', N''), NCHAR(9), N''), NCHAR(10), N''), NCHAR(13), N'') = N''
    BEGIN
        RAISERROR (N'@ReportGuid 不能为空', 16, 1);
        RETURN 1;
    END;
    DECLARE @ids nvarchar(max);
    SET @ids = N',' + REPLACE(ISNULL(@ItemIds, N''), N' ', N'') + N',';

    BEGIN TRANSACTION;
    -- One statement, so the report never holds half of a choice.
    UPDATE dbo.ExamItem WITH (UPDLOCK, ROWLOCK)
       SET ReportGuid = CASE WHEN CHARINDEX(N',' + CAST(id AS nvarchar(12)) + N',', @ids) > 0 THEN @ReportGuid ELSE NULL END
     WHERE Accnu = @Accnu AND Usable = 1 AND (ReportGuid IS NULL OR ReportGuid = @ReportGuid);

    DECLARE @names nvarchar(max), @name nvarchar(max);
    DECLARE item_names CURSOR LOCAL FAST_FORWARD FOR
        SELECT ItemName
          FROM dbo.ExamItem
         WHERE Accnu = @Accnu AND ReportGuid = @ReportGuid AND Usable = 1
         ORDER BY ItemOrder, id;
    OPEN item_names;
    FETCH NEXT FROM item_names INTO @name;
    WHILE @@FETCH_STATUS = 0
    BEGIN
        SET @names = CASE WHEN @names IS NULL THEN @name ELSE @names + N',' + @name END;
        FETCH NEXT FROM item_names INTO @name;
    END;
    CLOSE item_names;
    DEALLOCATE item_names;
    SET @OutItemNames = ISNULL(@names, N'');
    COMMIT TRANSACTION;
    RETURN 0;
END;
GO

-- Sites with per-user database logins (wr_setting StrictUserCheck = N'1', see
-- upgrades/021-strict-users.sql): the user a signature names must be the one user whose
-- WrUser.DbLogin is the login of this connection. ORIGINAL_LOGIN(), not USER_NAME(): the
-- login stays the caller's also under EXECUTE AS. @UserName comes back as csdoctor has the
-- doctor's name (so a signature cannot carry another name), unchanged when the check is off.
-- Not granted to anyone: the signing procedures reach it through ownership chaining.
-- RETURN 0 when the signature may go ahead, else 1 after raising the reason.
IF OBJECT_ID(N'dbo.wr_CheckSessionUser', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.wr_CheckSessionUser AS RETURN 0;');
GO
ALTER PROCEDURE dbo.wr_CheckSessionUser
    @UserCode nvarchar(50),
    @UserName nvarchar(50) OUTPUT
AS
BEGIN
    SET NOCOUNT ON;
    IF ISNULL((SELECT value FROM dbo.wr_setting WHERE name = N'StrictUserCheck'), N'0') <> N'1'
        RETURN 0;
    DECLARE @login nvarchar(128), @mapped nvarchar(50), @users int, @doctor nvarchar(50);
    SET @login = ORIGINAL_LOGIN();
    SELECT @users = COUNT(*), @mapped = MIN(UserCode)
      FROM dbo.WrUser WHERE DbLogin = @login AND ISNULL(Disabled, 0) = 0;
    IF @users = 0
    BEGIN
        RAISERROR (N'数据库登录 %s 没有对应的用户（WrUser.DbLogin），不能审核', 16, 1, @login);
        RETURN 1;
    END;
    IF @users > 1
    BEGIN
        RAISERROR (N'数据库登录 %s 对应了多个用户（WrUser.DbLogin），不能审核', 16, 1, @login);
        RETURN 1;
    END;
    IF @mapped <> ISNULL(@UserCode, N'')
    BEGIN
        SET @UserCode = ISNULL(@UserCode, N'');
        RAISERROR (N'数据库登录 %s 属于用户 %s，不能以用户 %s 的名义审核', 16, 1, @login, @mapped, @UserCode);
        RETURN 1;
    END;
    SELECT TOP (1) @doctor = d.姓名 FROM dbo.csdoctor AS d WHERE d.code = @mapped ORDER BY d.displayindex DESC;
    IF ISNULL(@doctor, N'') <> N'' SET @UserName = @doctor;
    RETURN 0;
END;
GO

-- Strict mode: the user mapped to the connection's login must hold @Operation in his role
-- (WrRolePermission), so a doctor cannot sign, withdraw or change a final report with his own
-- login unless his role may. Not granted to anyone (ownership chaining). RETURN 0 when the
-- operation may go ahead, else 1 after raising the reason; off, it passes.
IF OBJECT_ID(N'dbo.wr_CheckSessionRight', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.wr_CheckSessionRight AS RETURN 0;');
GO
ALTER PROCEDURE dbo.wr_CheckSessionRight
    @Operation nvarchar(100)
AS
BEGIN
    SET NOCOUNT ON;
    IF ISNULL((SELECT value FROM dbo.wr_setting WHERE name = N'StrictUserCheck'), N'0') <> N'1'
        RETURN 0;
    DECLARE @login nvarchar(128);
    SET @login = ORIGINAL_LOGIN();
    IF NOT EXISTS (SELECT 1 FROM dbo.WrUser AS u JOIN dbo.WrRolePermission AS p ON p.RoleCode = u.RoleCode
                    WHERE u.DbLogin = @login AND ISNULL(u.Disabled, 0) = 0 AND p.Operation = @Operation)
    BEGIN
        RAISERROR (N'数据库登录 %s 的用户没有“%s”的权限', 16, 1, @login, @Operation);
        RETURN 1;
    END;
    RETURN 0;
END;
GO

-- The host's signing and printing. Each changes the report row(s) of @Ruid in one statement
-- and records the event in ReportEvent, in one transaction; a GUID without a report is
-- refused. RETURN 0 on success; errors are raised (severity 16).
-- Whether a WeiJiValue text holds a critical value (1): anything but blank or "none" (the
-- same list as db/sqlite/tools/gen_procedures.py and hostdata/CriticalValues.cpp).
IF OBJECT_ID(N'dbo.wr_IsCriticalValue', N'FN') IS NULL
    EXEC (N'CREATE FUNCTION dbo.wr_IsCriticalValue (@v nvarchar(max)) RETURNS int AS BEGIN RETURN 0; END;');
GO
ALTER FUNCTION dbo.wr_IsCriticalValue (@v nvarchar(max)) RETURNS int
AS
BEGIN
    DECLARE @t nvarchar(max) = LTRIM(RTRIM(REPLACE(REPLACE(REPLACE(ISNULL(@v, N''), NCHAR(9), N' '), NCHAR(10), N' '), NCHAR(13), N' ')));
    RETURN CASE WHEN @t IN (N'', N'无', N'否', N'无危急值') THEN 0 ELSE 1 END;
END;
GO

IF OBJECT_ID(N'dbo.sp_SignReport', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_SignReport AS RETURN 0;');
GO
-- Signing: the user becomes review doctor, now the review date, ReportState 5. The UPDATE's
-- condition on ReportState makes two reviewers signing at once end with one signature.
ALTER PROCEDURE dbo.sp_SignReport
    @Ruid     nvarchar(100),
    @UserName nvarchar(50),
    @UserCode nvarchar(50)
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;
    IF NOT EXISTS (SELECT 1 FROM dbo.Report WHERE ruid = @Ruid)
    BEGIN
        RAISERROR (N'没有这份报告：%s', 16, 1, @Ruid);
        RETURN 1;
    END;
    IF LTRIM(RTRIM(ISNULL(@UserName, N''))) = N''
    BEGIN
        RAISERROR (N'审核医生不能为空', 16, 1);
        RETURN 1;
    END;
    DECLARE @checked int;
    EXEC @checked = dbo.wr_CheckSessionUser @UserCode = @UserCode, @UserName = @UserName OUTPUT;
    IF @checked <> 0 RETURN 1;
    EXEC @checked = dbo.wr_CheckSessionRight @Operation = N'审核报告';
    IF @checked <> 0 RETURN 1;
    -- A critical value must be told before the report is released (wr_setting
    -- CriticalNoticeBeforeSign = N'0' turns this off).
    IF ISNULL((SELECT value FROM dbo.wr_setting WHERE name = N'CriticalNoticeBeforeSign'), N'1') = N'1'
       AND EXISTS (SELECT 1 FROM dbo.Report WHERE ruid = @Ruid AND dbo.wr_IsCriticalValue(WeiJiValue) = 1)
       AND NOT EXISTS (SELECT 1 FROM dbo.CriticalNotice WHERE ruid = @Ruid)
    BEGIN
        RAISERROR (N'危急值尚未通知临床（危急值登记中没有这份报告），不能审核', 16, 1);
        RETURN 1;
    END;
    BEGIN TRANSACTION;
    UPDATE dbo.Report
       SET ShenHeDoctor = @UserName, ShenHeDoctorCode = @UserCode,
           shenHeDate = SYSDATETIME(), ReportState = 5
     WHERE ruid = @Ruid AND ISNULL(ReportState, 0) < 5;
    IF @@ROWCOUNT = 0
    BEGIN
        ROLLBACK TRANSACTION;
        RAISERROR (N'报告已审核', 16, 1);
        RETURN 1;
    END;
    INSERT INTO dbo.ReportEvent (ruid, Event, UserName, UserCode, EventTime)
    VALUES (@Ruid, N'sign', @UserName, @UserCode, SYSDATETIME());
    COMMIT TRANSACTION;
    RETURN 0;
END;
GO

IF OBJECT_ID(N'dbo.sp_WithdrawSignature', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_WithdrawSignature AS RETURN 0;');
GO
-- Withdrawing a signature: a final report goes back to 2 (written, waiting for review).
ALTER PROCEDURE dbo.sp_WithdrawSignature
    @Ruid     nvarchar(100),
    @UserName nvarchar(50),
    @UserCode nvarchar(50)
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;
    IF NOT EXISTS (SELECT 1 FROM dbo.Report WHERE ruid = @Ruid)
    BEGIN
        RAISERROR (N'没有这份报告：%s', 16, 1, @Ruid);
        RETURN 1;
    END;
    DECLARE @checked int;
    EXEC @checked = dbo.wr_CheckSessionUser @UserCode = @UserCode, @UserName = @UserName OUTPUT;
    IF @checked <> 0 RETURN 1;
    EXEC @checked = dbo.wr_CheckSessionRight @Operation = N'撤销审核';
    IF @checked <> 0 RETURN 1;
    BEGIN TRANSACTION;
    UPDATE dbo.Report SET ReportState = 2 WHERE ruid = @Ruid AND ReportState >= 5;
    IF @@ROWCOUNT = 0
    BEGIN
        ROLLBACK TRANSACTION;
        RAISERROR (N'报告未审核', 16, 1);
        RETURN 1;
    END;
    INSERT INTO dbo.ReportEvent (ruid, Event, UserName, UserCode, EventTime)
    VALUES (@Ruid, N'withdraw', @UserName, @UserCode, SYSDATETIME());
    COMMIT TRANSACTION;
    RETURN 0;
END;
GO

IF OBJECT_ID(N'dbo.sp_IncrementPrintCount', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_IncrementPrintCount AS RETURN 0;');
GO
-- A print: the count grows inside the database, so prints at the same moment all count.
ALTER PROCEDURE dbo.sp_IncrementPrintCount
    @Ruid     nvarchar(100),
    @UserName nvarchar(50),
    @UserCode nvarchar(50)
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;
    BEGIN TRANSACTION;
    UPDATE dbo.Report SET PrintedCont = ISNULL(PrintedCont, 0) + 1 WHERE ruid = @Ruid;
    IF @@ROWCOUNT = 0
    BEGIN
        ROLLBACK TRANSACTION;
        RAISERROR (N'没有这份报告：%s', 16, 1, @Ruid);
        RETURN 1;
    END;
    INSERT INTO dbo.ReportEvent (ruid, Event, UserName, UserCode, EventTime)
    VALUES (@Ruid, N'print', @UserName, @UserCode, SYSDATETIME());
    COMMIT TRANSACTION;
    RETURN 0;
END;
GO

IF OBJECT_ID(N'dbo.sp_NoteSignedEdit', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_NoteSignedEdit AS RETURN 0;');
GO
-- A final report saved again after it was unlocked: counted, so the work list can mark it.
ALTER PROCEDURE dbo.sp_NoteSignedEdit
    @Ruid     nvarchar(100),
    @UserName nvarchar(50),
    @UserCode nvarchar(50)
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;
    IF NOT EXISTS (SELECT 1 FROM dbo.Report WHERE ruid = @Ruid)
    BEGIN
        RAISERROR (N'没有这份报告：%s', 16, 1, @Ruid);
        RETURN 1;
    END;
    DECLARE @checked int;
    EXEC @checked = dbo.wr_CheckSessionRight @Operation = N'修改已审核报告';
    IF @checked <> 0 RETURN 1;
    BEGIN TRANSACTION;
    UPDATE dbo.Report SET SignedEdits = ISNULL(SignedEdits, 0) + 1 WHERE ruid = @Ruid AND ReportState >= 5;
    IF @@ROWCOUNT = 0
    BEGIN
        ROLLBACK TRANSACTION;
        RAISERROR (N'报告未审核', 16, 1);
        RETURN 1;
    END;
    INSERT INTO dbo.ReportEvent (ruid, Event, UserName, UserCode, EventTime)
    VALUES (@Ruid, N'edit-signed', @UserName, @UserCode, SYSDATETIME());
    COMMIT TRANSACTION;
    RETURN 0;
END;
GO

-- Users and log-in (tables of upgrades/020-users.sql). The lock-out is counted and timed by
-- the server's clock, so a workstation with a wrong clock cannot shorten it.
-- Older workstation programs read the stored hash with sp_UserLoginInfo, reported the
-- outcome themselves with sp_UserLoginResult and took a hash as proof of the old password in
-- sp_ChangeUserPassword and sp_RehashUserPassword. All four refuse, with the same parameters,
-- so such a program says why it cannot log in.
IF OBJECT_ID(N'dbo.sp_UserLoginInfo', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_UserLoginInfo AS RETURN 0;');
GO
ALTER PROCEDURE dbo.sp_UserLoginInfo
    @UserCode     nvarchar(50),
    @Found        int OUTPUT,
    @UserName     nvarchar(50) OUTPUT,
    @DeptCode     nvarchar(50) OUTPUT,
    @RoleCode     nvarchar(50) OUTPUT,
    @RoleId       int OUTPUT,
    @PasswordHash nvarchar(255) OUTPUT,
    @MustChange   int OUTPUT,
    @Disabled     int OUTPUT,
    @FailedCount  int OUTPUT,
    @LockSeconds  int OUTPUT,
    @DbLogin      nvarchar(128) OUTPUT
AS
BEGIN
    SET NOCOUNT ON;
    -- An empty code is an older program's probe whether the tables exist (wr-admin's too,
    -- whose administration still works): answered as before, with no user.
    IF ISNULL(@UserCode, N'') <> N''
    BEGIN
        RAISERROR (N'此工作站程序版本过旧，不能登录或修改密码：请安装新版本', 16, 1);
        RETURN 1;
    END;
    SELECT @Found = 0, @UserName = N'', @DeptCode = N'', @RoleCode = N'', @RoleId = 0, @PasswordHash = N'',
           @MustChange = 0, @Disabled = 0, @FailedCount = 0, @LockSeconds = 0, @DbLogin = N'';
    RETURN 0;
END;
GO

IF OBJECT_ID(N'dbo.sp_UserLoginResult', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_UserLoginResult AS RETURN 0;');
GO
ALTER PROCEDURE dbo.sp_UserLoginResult
    @UserCode    nvarchar(50),
    @Success     int,
    @FailedCount int OUTPUT,
    @LockSeconds int OUTPUT
AS
BEGIN
    SET NOCOUNT ON;
    RAISERROR (N'此工作站程序版本过旧，不能登录或修改密码：请安装新版本', 16, 1);
    RETURN 1;
END;
GO

IF OBJECT_ID(N'dbo.sp_ChangeUserPassword', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_ChangeUserPassword AS RETURN 0;');
GO
ALTER PROCEDURE dbo.sp_ChangeUserPassword
    @UserCode nvarchar(50),
    @OldHash  nvarchar(255),
    @NewHash  nvarchar(255)
AS
BEGIN
    SET NOCOUNT ON;
    RAISERROR (N'此工作站程序版本过旧，不能登录或修改密码：请安装新版本', 16, 1);
    RETURN 1;
END;
GO

IF OBJECT_ID(N'dbo.sp_RehashUserPassword', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_RehashUserPassword AS RETURN 0;');
GO
ALTER PROCEDURE dbo.sp_RehashUserPassword
    @UserCode nvarchar(50),
    @OldHash  nvarchar(255),
    @NewHash  nvarchar(255)
AS
BEGIN
    SET NOCOUNT ON;
    RAISERROR (N'此工作站程序版本过旧，不能登录或修改密码：请安装新版本', 16, 1);
    RETURN 1;
END;
GO

IF OBJECT_ID(N'dbo.sp_UserLoginChallenge', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_UserLoginChallenge AS RETURN 0;');
GO
-- The challenge of a log-in (see src/platform/PasswordProof.h): the salt and Argon2id
-- parameters of the user's keys and a fresh nonce, valid once for 2 minutes. A row still
-- holding an Argon2id string gets its keys first. An unknown user, or one without a
-- password, gets a salt made from the decoy key and the code (the same at every call) and the
-- workstations' current parameters: the answer does not tell.
ALTER PROCEDURE dbo.sp_UserLoginChallenge
    @UserCode    nvarchar(50),
    @Salt        varchar(64) OUTPUT,
    @Ops         int OUTPUT,
    @MemKiB      int OUTPUT,
    @ServerNonce varchar(64) OUTPUT
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;
    DECLARE @now datetime2(3) = SYSDATETIME(), @stored varchar(40), @code nvarchar(50) = ISNULL(@UserCode, N'');
    BEGIN TRANSACTION;
    UPDATE u
       SET ProofSalt = k.Salt, ProofOps = k.Ops, ProofMemKiB = k.MemKiB, StoredKey = k.StoredKey,
           ServerKey = k.ServerKey, PasswordHash = N''
      FROM dbo.WrUser AS u
     CROSS APPLY dbo.wr_Argon2idKeys(u.PasswordHash) AS k
     WHERE u.UserCode = @code;
    DELETE FROM dbo.WrLoginNonce WHERE Expires < @now;
    SET @ServerNonce = LOWER(CONVERT(varchar(32), CRYPT_GEN_RANDOM(16), 2));
    INSERT INTO dbo.WrLoginNonce (Nonce, UserCode, Expires) VALUES (@ServerNonce, @code, DATEADD(minute, 2, @now));
    SELECT @Salt = ProofSalt, @Ops = ProofOps, @MemKiB = ProofMemKiB, @stored = StoredKey
      FROM dbo.WrUser WHERE UserCode = @code;
    IF ISNULL(@stored, '') = ''
    BEGIN
        -- The code's UTF-16 bytes: the decoy only has to stay the same for the same code.
        SELECT @Salt = LEFT(LOWER(CONVERT(varchar(40), dbo.wr_HmacSha1(CAST(Value AS varbinary(128)),
                                                                        CAST(N'salt:' + @code AS varbinary(200))), 2)), 32)
          FROM dbo.WrSecret WHERE Name = 'LoginDecoyKey';
        SELECT @Ops = 2, @MemKiB = 65536;
    END;
    COMMIT TRANSACTION;
    RETURN 0;
END;
GO

IF OBJECT_ID(N'dbo.sp_UserLoginProof', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_UserLoginProof AS RETURN 0;');
GO
-- The proof of a log-in, checked here against the challenge's nonce, which it uses up. The
-- outcome is recorded here and nowhere else: a success clears the count and notes the
-- log-in; a failure (unknown user, disabled account and wrong password alike) counts, and
-- the 5th in a row locks the user out for 5 minutes (the count starts again after it); while
-- a lock-out runs nothing changes, a success included. The update lock makes workstations
-- failing at the same moment count every failure. @Outcome: 0 right (then @ServerSignature
-- proves this database holds the user's ServerKey, and the user's details follow), 1
-- refused, 2 locked out. With a right proof, @NewKind 1 (the same password with current
-- parameters) or 2 (the user's own change) replaces the keys.
ALTER PROCEDURE dbo.sp_UserLoginProof
    @UserCode        nvarchar(50),
    @ServerNonce     varchar(64),
    @ClientNonce     varchar(64),
    @ClientProof     varchar(64),
    @NewKind         int = 0,
    @NewSalt         varchar(64) = NULL,
    @NewOps          int = NULL,
    @NewMemKiB       int = NULL,
    @NewStoredKey    varchar(64) = NULL,
    @NewServerKey    varchar(64) = NULL,
    @Outcome         int OUTPUT,
    @FailuresLeft    int OUTPUT,
    @LockSeconds     int OUTPUT,
    @ServerSignature varchar(64) OUTPUT,
    @UserName        nvarchar(50) OUTPUT,
    @DeptCode        nvarchar(50) OUTPUT,
    @RoleCode        nvarchar(50) OUTPUT,
    @RoleId          int OUTPUT,
    @MustChange      int OUTPUT,
    @DbLogin         nvarchar(128) OUTPUT
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;
    DECLARE @now datetime2(3) = SYSDATETIME(), @code nvarchar(50) = ISNULL(@UserCode, N''), @sig varchar(40),
            @found int = 0, @disabled int, @failed int, @lockedUntil datetime2(3), @stored varchar(40),
            @server varchar(40), @locked int = 0;
    SELECT @Outcome = 1, @FailuresLeft = 4, @LockSeconds = 0, @ServerSignature = '', @UserName = N'', @DeptCode = N'',
           @RoleCode = N'', @RoleId = 0, @MustChange = 0, @DbLogin = N'';
    IF ISNULL(@ClientNonce, '') = '' OR DATALENGTH(@ClientNonce) <> 32 OR @ClientNonce LIKE '%[^0-9a-f]%'
    BEGIN
        RAISERROR (N'登录质询无效或已过期，请重新登录', 16, 1);
        RETURN 1;
    END;
    BEGIN TRANSACTION;
    DELETE FROM dbo.WrLoginNonce WHERE Nonce = @ServerNonce AND UserCode = @code AND Expires >= @now;
    IF @@ROWCOUNT = 0
    BEGIN
        ROLLBACK TRANSACTION;
        RAISERROR (N'登录质询无效或已过期，请重新登录', 16, 1);
        RETURN 1;
    END;
    SELECT @found = 1, @disabled = ISNULL(Disabled, 0), @failed = FailedCount, @lockedUntil = LockedUntil,
           @stored = StoredKey, @server = ServerKey
      FROM dbo.WrUser WITH (UPDLOCK, ROWLOCK)
     WHERE UserCode = @code;
    IF @found = 0
    BEGIN
        COMMIT TRANSACTION;
        RETURN 0;
    END;
    IF @disabled = 0
        SET @sig = dbo.wr_PasswordCheck(@stored, @server, 'c=' + @ClientNonce + ',s=' + @ServerNonce, @ClientProof);
    IF @lockedUntil > @now SET @locked = 1;
    IF @locked = 0
    BEGIN
        IF @sig IS NOT NULL
            UPDATE dbo.WrUser SET FailedCount = 0, LockedUntil = NULL, LastLogin = @now WHERE UserCode = @code;
        ELSE IF @failed + 1 >= 5
            UPDATE dbo.WrUser SET FailedCount = 0, LockedUntil = DATEADD(minute, 5, @now) WHERE UserCode = @code;
        ELSE
            UPDATE dbo.WrUser SET FailedCount = FailedCount + 1 WHERE UserCode = @code;
        IF @sig IS NOT NULL AND ISNULL(@NewKind, 0) IN (1, 2)
        BEGIN
            IF DATALENGTH(ISNULL(@NewSalt, '')) <> 32 OR @NewSalt LIKE '%[^0-9a-fA-F]%'
               OR DATALENGTH(ISNULL(@NewStoredKey, '')) <> 40 OR @NewStoredKey LIKE '%[^0-9a-fA-F]%'
               OR DATALENGTH(ISNULL(@NewServerKey, '')) <> 40 OR @NewServerKey LIKE '%[^0-9a-fA-F]%'
               OR ISNULL(@NewOps, 0) < 1 OR ISNULL(@NewMemKiB, 0) < 8
            BEGIN
                ROLLBACK TRANSACTION;
                RAISERROR (N'新密码的密钥无效', 16, 1);
                RETURN 1;
            END;
            IF ISNULL((SELECT value FROM dbo.wr_setting WHERE name = N'StrictUserCheck'), N'0') = N'1'
               AND NOT EXISTS (SELECT 1 FROM dbo.WrUser WHERE UserCode = @code AND DbLogin = ORIGINAL_LOGIN())
            BEGIN
                DECLARE @login nvarchar(128) = ORIGINAL_LOGIN();
                ROLLBACK TRANSACTION;
                RAISERROR (N'数据库登录 %s 不属于用户 %s，不能修改其密码', 16, 1, @login, @code);
                RETURN 1;
            END;
            UPDATE dbo.WrUser
               SET ProofSalt = LOWER(@NewSalt), ProofOps = @NewOps, ProofMemKiB = @NewMemKiB,
                   StoredKey = LOWER(@NewStoredKey), ServerKey = LOWER(@NewServerKey), PasswordHash = N'',
                   MustChangePassword = CASE WHEN @NewKind = 2 THEN 0 ELSE MustChangePassword END,
                   PasswordChanged = CASE WHEN @NewKind = 2 THEN @now ELSE PasswordChanged END
             WHERE UserCode = @code;
        END;
    END;
    SELECT @failed = FailedCount, @lockedUntil = LockedUntil, @RoleCode = RoleCode, @MustChange = MustChangePassword,
           @DbLogin = ISNULL(DbLogin, N'')
      FROM dbo.WrUser WHERE UserCode = @code;
    IF @lockedUntil > @now
    BEGIN
        SELECT @Outcome = 2, @LockSeconds = DATEDIFF(second, @now, @lockedUntil) + 1, @RoleCode = N'', @MustChange = 0,
               @DbLogin = N'';
    END
    ELSE IF @sig IS NOT NULL
    BEGIN
        SELECT @Outcome = 0, @ServerSignature = @sig;
        SELECT TOP (1) @UserName = ISNULL(d.姓名, N''), @DeptCode = ISNULL(d.kscode, N'')
          FROM dbo.csdoctor AS d WHERE d.code = @code ORDER BY d.displayindex DESC;
        SELECT @RoleId = r.RoleId FROM dbo.WrRole AS r WHERE r.RoleCode = @RoleCode;
    END
    ELSE
        SELECT @FailuresLeft = CASE WHEN 5 - @failed < 1 THEN 1 ELSE 5 - @failed END, @RoleCode = N'', @MustChange = 0,
               @DbLogin = N'';
    COMMIT TRANSACTION;
    RETURN 0;
END;
GO

IF OBJECT_ID(N'dbo.sp_SetUserPassword', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_SetUserPassword AS RETURN 0;');
GO
-- An administrator's reset: also ends a lock-out.
ALTER PROCEDURE dbo.sp_SetUserPassword
    @UserCode     nvarchar(50),
    @PasswordHash nvarchar(255),
    @MustChange   int
AS
BEGIN
    SET NOCOUNT ON;
    IF NOT EXISTS (SELECT 1 FROM dbo.wr_Argon2idKeys(@PasswordHash))
    BEGIN
        RAISERROR (N'密码散列无效', 16, 1);
        RETURN 1;
    END;
    -- Only keys are kept (see sp_UserLoginChallenge); the string itself is not stored.
    UPDATE u
       SET ProofSalt = k.Salt, ProofOps = k.Ops, ProofMemKiB = k.MemKiB, StoredKey = k.StoredKey, ServerKey = k.ServerKey,
           PasswordHash = N'', MustChangePassword = CASE WHEN @MustChange = 1 THEN 1 ELSE 0 END,
           PasswordChanged = SYSDATETIME(), FailedCount = 0, LockedUntil = NULL
      FROM dbo.WrUser AS u
     CROSS APPLY dbo.wr_Argon2idKeys(@PasswordHash) AS k
     WHERE u.UserCode = @UserCode;
    IF @@ROWCOUNT = 0
    BEGIN
        RAISERROR (N'没有这个用户：%s', 16, 1, @UserCode);
        RETURN 1;
    END;
    RETURN 0;
END;
GO

IF OBJECT_ID(N'dbo.sp_CreateUser', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_CreateUser AS RETURN 0;');
GO
ALTER PROCEDURE dbo.sp_CreateUser
    @UserCode     nvarchar(50),
    @RoleCode     nvarchar(50),
    @PasswordHash nvarchar(255),
    @MustChange   int,
    @DbLogin      nvarchar(128) = NULL
AS
BEGIN
    SET NOCOUNT ON;
    IF LTRIM(RTRIM(ISNULL(@UserCode, N''))) = N''
    BEGIN
        RAISERROR (N'用户代码不能为空', 16, 1);
        RETURN 1;
    END;
    IF NOT EXISTS (SELECT 1 FROM dbo.csdoctor WHERE code = @UserCode)
    BEGIN
        RAISERROR (N'没有这位医生：%s', 16, 1, @UserCode);
        RETURN 1;
    END;
    IF NOT EXISTS (SELECT 1 FROM dbo.WrRole WHERE RoleCode = @RoleCode)
    BEGIN
        RAISERROR (N'没有这个角色：%s', 16, 1, @RoleCode);
        RETURN 1;
    END;
    IF EXISTS (SELECT 1 FROM dbo.WrUser WHERE UserCode = @UserCode)
    BEGIN
        RAISERROR (N'用户已存在：%s', 16, 1, @UserCode);
        RETURN 1;
    END;
    IF NOT EXISTS (SELECT 1 FROM dbo.wr_Argon2idKeys(@PasswordHash))
    BEGIN
        RAISERROR (N'密码散列无效', 16, 1);
        RETURN 1;
    END;
    -- Only keys are kept (see sp_UserLoginChallenge); the string itself is not stored.
    INSERT INTO dbo.WrUser (UserCode, RoleCode, MustChangePassword, PasswordChanged, DbLogin,
                            ProofSalt, ProofOps, ProofMemKiB, StoredKey, ServerKey)
    SELECT @UserCode, @RoleCode, CASE WHEN @MustChange = 1 THEN 1 ELSE 0 END, SYSDATETIME(), NULLIF(@DbLogin, N''),
           k.Salt, k.Ops, k.MemKiB, k.StoredKey, k.ServerKey
      FROM dbo.wr_Argon2idKeys(@PasswordHash) AS k;
    RETURN 0;
END;
GO

IF OBJECT_ID(N'dbo.sp_UnlockUser', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_UnlockUser AS RETURN 0;');
GO
ALTER PROCEDURE dbo.sp_UnlockUser
    @UserCode nvarchar(50)
AS
BEGIN
    SET NOCOUNT ON;
    UPDATE dbo.WrUser SET FailedCount = 0, LockedUntil = NULL WHERE UserCode = @UserCode;
    IF @@ROWCOUNT = 0
    BEGIN
        RAISERROR (N'没有这个用户：%s', 16, 1, @UserCode);
        RETURN 1;
    END;
    RETURN 0;
END;
GO

IF OBJECT_ID(N'dbo.sp_SetUserRole', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_SetUserRole AS RETURN 0;');
GO
ALTER PROCEDURE dbo.sp_SetUserRole
    @UserCode nvarchar(50),
    @RoleCode nvarchar(50)
AS
BEGIN
    SET NOCOUNT ON;
    IF NOT EXISTS (SELECT 1 FROM dbo.WrRole WHERE RoleCode = @RoleCode)
    BEGIN
        RAISERROR (N'没有这个角色：%s', 16, 1, @RoleCode);
        RETURN 1;
    END;
    UPDATE dbo.WrUser SET RoleCode = @RoleCode WHERE UserCode = @UserCode;
    IF @@ROWCOUNT = 0
    BEGIN
        RAISERROR (N'没有这个用户：%s', 16, 1, @UserCode);
        RETURN 1;
    END;
    RETURN 0;
END;
GO

IF OBJECT_ID(N'dbo.sp_SetUserDbLogin', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_SetUserDbLogin AS RETURN 0;');
GO
-- The user's own database login where a site gives each user one ('' maps none); a login
-- maps to one user at most, or the signing procedures could not tell who signs.
ALTER PROCEDURE dbo.sp_SetUserDbLogin
    @UserCode nvarchar(50),
    @DbLogin  nvarchar(128)
AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @other nvarchar(50);
    SELECT @other = MIN(UserCode) FROM dbo.WrUser WHERE DbLogin = @DbLogin AND UserCode <> @UserCode;
    IF @other IS NOT NULL
    BEGIN
        RAISERROR (N'数据库登录 %s 已属于用户 %s', 16, 1, @DbLogin, @other);
        RETURN 1;
    END;
    UPDATE dbo.WrUser SET DbLogin = NULLIF(LTRIM(RTRIM(ISNULL(@DbLogin, N''))), N'') WHERE UserCode = @UserCode;
    IF @@ROWCOUNT = 0
    BEGIN
        RAISERROR (N'没有这个用户：%s', 16, 1, @UserCode);
        RETURN 1;
    END;
    RETURN 0;
END;
GO

IF OBJECT_ID(N'dbo.sp_SetUserDisabled', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_SetUserDisabled AS RETURN 0;');
GO
ALTER PROCEDURE dbo.sp_SetUserDisabled
    @UserCode nvarchar(50),
    @Disabled int
AS
BEGIN
    SET NOCOUNT ON;
    UPDATE dbo.WrUser SET Disabled = CASE WHEN @Disabled = 1 THEN 1 ELSE 0 END WHERE UserCode = @UserCode;
    IF @@ROWCOUNT = 0
    BEGIN
        RAISERROR (N'没有这个用户：%s', 16, 1, @UserCode);
        RETURN 1;
    END;
    RETURN 0;
END;
GO

IF OBJECT_ID(N'dbo.sp_RolePermissions', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_RolePermissions AS RETURN 0;');
GO
-- The operations of a role, one per line (joined in a loop: STRING_AGG needs SQL Server 2017).
ALTER PROCEDURE dbo.sp_RolePermissions
    @RoleCode   nvarchar(50),
    @Operations nvarchar(max) OUTPUT
AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @op nvarchar(100);
    SET @Operations = N'';
    DECLARE role_ops CURSOR LOCAL FAST_FORWARD FOR
        SELECT Operation FROM dbo.WrRolePermission WHERE RoleCode = @RoleCode ORDER BY Operation;
    OPEN role_ops;
    FETCH NEXT FROM role_ops INTO @op;
    WHILE @@FETCH_STATUS = 0
    BEGIN
        SET @Operations = CASE WHEN @Operations = N'' THEN @op ELSE @Operations + NCHAR(10) + @op END;
        FETCH NEXT FROM role_ops INTO @op;
    END;
    CLOSE role_ops;
    DEALLOCATE role_ops;
    RETURN 0;
END;
GO

-- ---- The DICOM image index (upgrades/023-dicom-images.sql) ----------------------------
IF OBJECT_ID(N'dbo.sp_DicomIndexInstance', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_DicomIndexInstance AS RETURN 0;');
GO
-- wr-dicomd indexes what it stored. The same instance stored again keeps its row, its
-- assignment and its archive state; only where its file lies is refreshed.
ALTER PROCEDURE dbo.sp_DicomIndexInstance
    @SopInstanceUid    nvarchar(64),
    @SopClassUid       nvarchar(64),
    @StudyInstanceUid  nvarchar(64),
    @SeriesInstanceUid nvarchar(64),
    @AccessionNumber   nvarchar(100),
    @PatientId         nvarchar(64),
    @PatientName       nvarchar(200),
    @Modality          nvarchar(16),
    @InstanceNumber    int,
    @Frames            int,
    @Width             int,
    @Height            int,
    @FileSize          bigint,
    @StoreName         nvarchar(200),
    @FilePath          nvarchar(800),
    @Thumbnail         nvarchar(max),
    @ForwardPending    int
AS
BEGIN
    SET NOCOUNT ON;
    IF LTRIM(RTRIM(ISNULL(@SopInstanceUid, N''))) = N''
    BEGIN
        RAISERROR (N'@SopInstanceUid 不能为空', 16, 1);
        RETURN 1;
    END;
    BEGIN TRANSACTION;
    UPDATE dbo.DicomInstance WITH (UPDLOCK, HOLDLOCK)
       SET StoreName = @StoreName, FilePath = @FilePath, FileSize = ISNULL(@FileSize, 0), RemovedAt = NULL,
           Thumbnail = ISNULL(Thumbnail, NULLIF(@Thumbnail, N''))
     WHERE SopInstanceUid = @SopInstanceUid;
    IF @@ROWCOUNT = 0
        INSERT INTO dbo.DicomInstance (SopInstanceUid, SopClassUid, StudyInstanceUid, SeriesInstanceUid, AccessionNumber,
               PatientId, PatientName, Modality, InstanceNumber, Frames, Width, Height, FileSize, ReceivedAt, StoreName,
               FilePath, Thumbnail, ForwardState)
        VALUES (@SopInstanceUid, ISNULL(@SopClassUid, N''), ISNULL(@StudyInstanceUid, N''), ISNULL(@SeriesInstanceUid, N''),
               LTRIM(RTRIM(ISNULL(@AccessionNumber, N''))), ISNULL(@PatientId, N''), ISNULL(@PatientName, N''),
               ISNULL(@Modality, N''), ISNULL(@InstanceNumber, 0), ISNULL(@Frames, 1), ISNULL(@Width, 0),
               ISNULL(@Height, 0), ISNULL(@FileSize, 0), SYSDATETIME(), @StoreName, @FilePath, NULLIF(@Thumbnail, N''),
               CASE WHEN @ForwardPending = 1 THEN 1 ELSE 0 END);
    COMMIT TRANSACTION;
    RETURN 0;
END;
GO

IF OBJECT_ID(N'dbo.sp_DicomAssignInstance', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_DicomAssignInstance AS RETURN 0;');
GO
-- The doctor's choice: the instance belongs to @Accnu's exam (N'' gives it back to its own
-- accession).
ALTER PROCEDURE dbo.sp_DicomAssignInstance
    @SopInstanceUid nvarchar(64),
    @Accnu          nvarchar(100)
AS
BEGIN
    SET NOCOUNT ON;
    IF ISNULL(@Accnu, N'') <> N'' AND NOT EXISTS (SELECT 1 FROM dbo.Study WHERE Accnu = @Accnu)
    BEGIN
        RAISERROR (N'没有这个检查：%s', 16, 1, @Accnu);
        RETURN 1;
    END;
    UPDATE dbo.DicomInstance SET AssignedAccnu = NULLIF(@Accnu, N'') WHERE SopInstanceUid = @SopInstanceUid;
    IF @@ROWCOUNT = 0
    BEGIN
        RAISERROR (N'没有这个图像：%s', 16, 1, @SopInstanceUid);
        RETURN 1;
    END;
    RETURN 0;
END;
GO

IF OBJECT_ID(N'dbo.sp_DicomForwardResult', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_DicomForwardResult AS RETURN 0;');
GO
-- The archive's answer: acknowledged, or one more failed attempt and why.
ALTER PROCEDURE dbo.sp_DicomForwardResult
    @SopInstanceUid nvarchar(64),
    @Archived       int,
    @ForwardError   nvarchar(1000)
AS
BEGIN
    SET NOCOUNT ON;
    IF NOT EXISTS (SELECT 1 FROM dbo.DicomInstance WHERE SopInstanceUid = @SopInstanceUid)
    BEGIN
        RAISERROR (N'没有这个图像：%s', 16, 1, @SopInstanceUid);
        RETURN 1;
    END;
    IF @Archived = 1
        UPDATE dbo.DicomInstance SET ForwardState = 2, ArchivedAt = SYSDATETIME(), ForwardError = NULL,
               ForwardAttempts = ForwardAttempts + 1
         WHERE SopInstanceUid = @SopInstanceUid;
    ELSE
        UPDATE dbo.DicomInstance SET ForwardAttempts = ForwardAttempts + 1, ForwardError = @ForwardError
         WHERE SopInstanceUid = @SopInstanceUid AND ForwardState <> 2;
    RETURN 0;
END;
GO

IF OBJECT_ID(N'dbo.sp_DicomFileRemoved', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_DicomFileRemoved AS RETURN 0;');
GO
-- The local file was deleted; refused for an instance the archive has not acknowledged.
ALTER PROCEDURE dbo.sp_DicomFileRemoved
    @SopInstanceUid nvarchar(64)
AS
BEGIN
    SET NOCOUNT ON;
    UPDATE dbo.DicomInstance SET RemovedAt = SYSDATETIME() WHERE SopInstanceUid = @SopInstanceUid AND ForwardState = 2;
    IF @@ROWCOUNT = 0
    BEGIN
        RAISERROR (N'图像尚未归档，不能删除本地文件：%s', 16, 1, @SopInstanceUid);
        RETURN 1;
    END;
    RETURN 0;
END;
GO

-- ---- The Modality Worklist (upgrades/024-study-uid.sql) ---------------------------------
IF OBJECT_ID(N'dbo.sp_WorklistFind', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_WorklistFind AS RETURN 0;');
GO
-- wr-dicomd asks for the exams a machine may do: empty filters match everything, the name,
-- accession and patient ID filters are LIKE patterns with '\' as escape, the exam time is in
-- [DateFrom, DateTo) ('yyyy-mm-dd hh:mi:ss.mmm'). One text comes back: rows separated by
-- NCHAR(30), fields by NCHAR(31) (accession, name, sex, age, patient ID, requesting
-- department, bed, exam time, modality, Study Instance UID, station AE title, the exam items
-- joined with ','). @AccnuExact: an accession asked without wildcards (RECOMPILE lets the
-- plan use the key then, the exam time's index otherwise). Joined in loops: STRING_AGG needs
-- SQL Server 2017. The service checks every key again; the filters here only keep the rows
-- to the ones that may match.
ALTER PROCEDURE dbo.sp_WorklistFind
    @DateFrom    varchar(23),
    @DateTo      varchar(23),
    @Modality    nvarchar(16),
    @Accnu       nvarchar(100),
    @PatientId   nvarchar(100),
    @PatientName nvarchar(200),
    @StationAet  nvarchar(16),
    @AccnuExact  nvarchar(100),
    @MaxRows     int,
    @Matches     nvarchar(max) OUTPUT
AS
BEGIN
    SET NOCOUNT ON;
    DECLARE @from datetime2(3), @to datetime2(3), @sep nchar(1), @rs nchar(1);
    SET @from = CONVERT(datetime2(3), @DateFrom, 121);
    SET @to = CONVERT(datetime2(3), @DateTo, 121);
    SET @sep = NCHAR(31);
    SET @rs = NCHAR(30);
    SET @Matches = N'';
    DECLARE @accnu nvarchar(100), @name nvarchar(100), @sex nvarchar(10), @age nvarchar(20),
            @pid nvarchar(50), @dept nvarchar(100), @bed nvarchar(20), @time varchar(23),
            @modality nvarchar(20), @uid varchar(64), @aet varchar(16), @items nvarchar(max), @item nvarchar(400);
    DECLARE wl CURSOR LOCAL FAST_FORWARD FOR
        SELECT TOP (CASE WHEN @MaxRows > 0 THEN @MaxRows ELSE 0 END)
               s.Accnu, s.PatientName, s.Sex, s.Age, s.PatientId, s.ReqDept, s.BedNo,
               CONVERT(varchar(23), s.ExamTime, 121), COALESCE(NULLIF(s.Modality, N''), N'US'),
               s.StudyUid, s.StationAet
          FROM dbo.Study AS s
         WHERE s.ExamTime >= @from AND s.ExamTime < @to
           AND (@Modality = N'' OR COALESCE(NULLIF(s.Modality, N''), N'US') = @Modality)
           AND (@Accnu = N'' OR s.Accnu LIKE @Accnu ESCAPE N'\')
           AND (@PatientId = N'' OR s.PatientId LIKE @PatientId ESCAPE N'\')
           AND (@PatientName = N'' OR s.PatientName LIKE @PatientName ESCAPE N'\')
           AND (@StationAet = N'' OR COALESCE(s.StationAet, '') IN ('', @StationAet))
           AND (@AccnuExact = N'' OR s.Accnu = @AccnuExact)
         ORDER BY s.ExamTime, s.Accnu
        OPTION (RECOMPILE);
    OPEN wl;
    FETCH NEXT FROM wl INTO @accnu, @name, @sex, @age, @pid, @dept, @bed, @time, @modality, @uid, @aet;
    WHILE @@FETCH_STATUS = 0
    BEGIN
        SET @items = N'';
        DECLARE wl_items CURSOR LOCAL FAST_FORWARD FOR
            SELECT e.ItemName FROM dbo.ExamItem AS e WHERE e.Accnu = @accnu AND e.Usable = 1
             ORDER BY e.ItemOrder, e.id;
        OPEN wl_items;
        FETCH NEXT FROM wl_items INTO @item;
        WHILE @@FETCH_STATUS = 0
        BEGIN
            SET @items = CASE WHEN @items = N'' THEN COALESCE(@item, N'') ELSE @items + N',' + COALESCE(@item, N'') END;
            FETCH NEXT FROM wl_items INTO @item;
        END;
        CLOSE wl_items;
        DEALLOCATE wl_items;
        SET @Matches = @Matches + CASE WHEN @Matches = N'' THEN N'' ELSE @rs END
            + REPLACE(REPLACE(COALESCE(@accnu, N''), @rs, N''), @sep, N'') + @sep
            + REPLACE(REPLACE(COALESCE(@name, N''), @rs, N''), @sep, N'') + @sep
            + REPLACE(REPLACE(COALESCE(@sex, N''), @rs, N''), @sep, N'') + @sep
            + REPLACE(REPLACE(COALESCE(@age, N''), @rs, N''), @sep, N'') + @sep
            + REPLACE(REPLACE(COALESCE(@pid, N''), @rs, N''), @sep, N'') + @sep
            + REPLACE(REPLACE(COALESCE(@dept, N''), @rs, N''), @sep, N'') + @sep
            + REPLACE(REPLACE(COALESCE(@bed, N''), @rs, N''), @sep, N'') + @sep
            + COALESCE(@time, '') + @sep
            + REPLACE(REPLACE(COALESCE(@modality, N''), @rs, N''), @sep, N'') + @sep
            + COALESCE(@uid, '') + @sep + COALESCE(@aet, '') + @sep
            + REPLACE(REPLACE(@items, @rs, N''), @sep, N'');
        FETCH NEXT FROM wl INTO @accnu, @name, @sex, @age, @pid, @dept, @bed, @time, @modality, @uid, @aet;
    END;
    CLOSE wl;
    DEALLOCATE wl;
    RETURN 0;
END;
GO

IF OBJECT_ID(N'dbo.sp_SetStudyUid', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_SetStudyUid AS RETURN 0;');
GO
-- The exam's Study Instance UID, set only while it has none; @Stored is the one it keeps.
ALTER PROCEDURE dbo.sp_SetStudyUid
    @Accnu    nvarchar(100),
    @StudyUid varchar(64),
    @Stored   varchar(64) OUTPUT
AS
BEGIN
    SET NOCOUNT ON;
    IF COALESCE(@StudyUid, '') <> ''
        UPDATE dbo.Study SET StudyUid = @StudyUid WHERE Accnu = @Accnu AND COALESCE(StudyUid, '') = '';
    SET @Stored = COALESCE((SELECT StudyUid FROM dbo.Study WHERE Accnu = @Accnu), '');
    RETURN 0;
END;
GO

IF OBJECT_ID(N'dbo.sp_RecordCriticalNotice', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_RecordCriticalNotice AS RETURN 0;');
GO
-- The register of critical values told (upgrades/025-critical-notice.sql). A notice is written
-- once: a retry with the same @NoticeGuid returns the row already written, a correction is a
-- new row naming the one it corrects in @Corrects. NoticeTime is this server's clock;
-- ReportSavedAt the first saved version of the report that held a critical value (a
-- correction keeps the corrected row's). The receiver must have read the value back.
ALTER PROCEDURE dbo.sp_RecordCriticalNotice
    @NoticeGuid    nvarchar(64),
    @Ruid          nvarchar(100),
    @CriticalValue nvarchar(500),
    @ReceiverName  nvarchar(50),
    @ReceiverDept  nvarchar(100),
    @ReceiverPhone nvarchar(100),
    @ReadBack      int,
    @UserName      nvarchar(50),
    @UserCode      nvarchar(50),
    @Corrects      bigint = NULL,
    @NoticeId      bigint = NULL OUTPUT,
    @NoticeTime    datetime2(3) = NULL OUTPUT
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;
    IF NOT EXISTS (SELECT 1 FROM dbo.Report WHERE ruid = @Ruid)
    BEGIN
        RAISERROR (N'没有这份报告：%s', 16, 1, @Ruid);
        RETURN 1;
    END;
    IF LTRIM(RTRIM(ISNULL(@NoticeGuid, N''))) = N'' BEGIN RAISERROR (N'通知编号不能为空', 16, 1); RETURN 1; END;
    IF ISNULL(@ReadBack, 0) <> 1 BEGIN RAISERROR (N'接收人未复读确认，不能记录危急值通知', 16, 1); RETURN 1; END;
    IF LTRIM(RTRIM(ISNULL(@ReceiverName, N''))) = N'' BEGIN RAISERROR (N'接收人姓名不能为空', 16, 1); RETURN 1; END;
    IF LTRIM(RTRIM(ISNULL(@ReceiverDept, N''))) = N'' BEGIN RAISERROR (N'接收人科室不能为空', 16, 1); RETURN 1; END;
    IF LTRIM(RTRIM(ISNULL(@ReceiverPhone, N''))) = N'' BEGIN RAISERROR (N'联系电话或通知方式不能为空', 16, 1); RETURN 1; END;
    DECLARE @checked int;
    EXEC @checked = dbo.wr_CheckSessionUser @UserCode = @UserCode, @UserName = @UserName OUTPUT;
    IF @checked <> 0 RETURN 1;
    IF LTRIM(RTRIM(ISNULL(@UserName, N''))) = N'' BEGIN RAISERROR (N'通知人不能为空', 16, 1); RETURN 1; END;
    DECLARE @told nvarchar(500) = LTRIM(RTRIM(ISNULL(@CriticalValue, N'')));
    IF @told = N''
        SELECT TOP (1) @told = LTRIM(RTRIM(WeiJiValue)) FROM dbo.Report WHERE ruid = @Ruid AND dbo.wr_IsCriticalValue(WeiJiValue) = 1;
    IF ISNULL(@told, N'') = N'' BEGIN RAISERROR (N'报告没有危急值', 16, 1); RETURN 1; END;
    DECLARE @saved datetime2(3), @owner nvarchar(100);
    IF @Corrects IS NOT NULL
    BEGIN
        SELECT @saved = ReportSavedAt, @owner = ruid FROM dbo.CriticalNotice WHERE NoticeId = @Corrects;
        IF @owner IS NULL OR @owner <> @Ruid
        BEGIN
            RAISERROR (N'要更正的通知不存在或不属于这份报告', 16, 1);
            RETURN 1;
        END;
    END
    ELSE
        SELECT @saved = MIN(t) FROM (
            SELECT SavedAt AS t FROM dbo.ReportHistory WHERE ruid = @Ruid AND dbo.wr_IsCriticalValue(WeiJiValue) = 1
            UNION ALL
            SELECT ISNULL(SavedAt, CreateTime) FROM dbo.Report WHERE ruid = @Ruid AND dbo.wr_IsCriticalValue(WeiJiValue) = 1) AS v;
    BEGIN TRANSACTION;
    -- UPDLOCK + HOLDLOCK keep the key of @NoticeGuid locked, so the same notice sent twice at
    -- once is written once.
    IF NOT EXISTS (SELECT 1 FROM dbo.CriticalNotice WITH (UPDLOCK, HOLDLOCK) WHERE NoticeGuid = @NoticeGuid)
        INSERT INTO dbo.CriticalNotice (NoticeGuid, ruid, CriticalValue, ReceiverName, ReceiverDept, ReceiverPhone, ReadBack,
                                        ToldBy, ToldByCode, NoticeTime, ReportSavedAt, Corrects)
        VALUES (@NoticeGuid, @Ruid, @told, LTRIM(RTRIM(@ReceiverName)), LTRIM(RTRIM(@ReceiverDept)), LTRIM(RTRIM(@ReceiverPhone)),
                1, LTRIM(RTRIM(@UserName)), @UserCode, SYSDATETIME(), @saved, @Corrects);
    SELECT @NoticeId = NoticeId, @NoticeTime = NoticeTime, @owner = ruid FROM dbo.CriticalNotice WHERE NoticeGuid = @NoticeGuid;
    COMMIT TRANSACTION;
    IF @owner <> @Ruid
    BEGIN
        RAISERROR (N'通知编号已用于另一份报告', 16, 1);
        RETURN 1;
    END;
    RETURN 0;
END;
GO

IF OBJECT_ID(N'dbo.sp_RecordCheckOverride', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_RecordCheckOverride AS RETURN 0;');
GO
-- A warning of the checks before signing that the doctor signed past, with the reason.
ALTER PROCEDURE dbo.sp_RecordCheckOverride
    @Ruid     nvarchar(100),
    @UserName nvarchar(50),
    @UserCode nvarchar(50),
    @Rules    nvarchar(200),
    @Reason   nvarchar(500)
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;
    IF NOT EXISTS (SELECT 1 FROM dbo.Report WHERE ruid = @Ruid)
    BEGIN
        RAISERROR (N'没有这份报告：%s', 16, 1, @Ruid);
        RETURN 1;
    END;
    IF LTRIM(RTRIM(ISNULL(@Reason, N''))) = N'' BEGIN RAISERROR (N'忽略提示必须写明理由', 16, 1); RETURN 1; END;
    IF LTRIM(RTRIM(ISNULL(@Rules, N''))) = N'' BEGIN RAISERROR (N'没有要忽略的提示', 16, 1); RETURN 1; END;
    DECLARE @checked int;
    EXEC @checked = dbo.wr_CheckSessionUser @UserCode = @UserCode, @UserName = @UserName OUTPUT;
    IF @checked <> 0 RETURN 1;
    INSERT INTO dbo.ReportEvent (ruid, Event, UserName, UserCode, EventTime, Detail)
    VALUES (@Ruid, N'check-override', @UserName, @UserCode, SYSDATETIME(), LTRIM(RTRIM(@Rules)) + N': ' + LTRIM(RTRIM(@Reason)));
    RETURN 0;
END;
GO

IF OBJECT_ID(N'dbo.sp_SaveStructuredFinding', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_SaveStructuredFinding AS RETURN 0;');
GO
-- The assistants' structured values of a report (026-structured-findings.sql), called by the
-- editor's save in the same transaction as sp_SaveReportInfo, after it. A document equal to
-- the stored one changes nothing; another replaces it and the replaced one is kept in
-- StructuredFindingHistory. The report must exist.
ALTER PROCEDURE dbo.sp_SaveStructuredFinding
    @Ruid     nvarchar(100),
    @Organ    nvarchar(50),
    @Document nvarchar(max),
    @SavedBy  nvarchar(200) = NULL
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;
    DECLARE @stamp bigint, @keep int, @doc nvarchar(max);
    SET @doc = ISNULL(@Document, N'');
    IF LTRIM(RTRIM(ISNULL(@Ruid, N''))) = N''
    BEGIN
        RAISERROR (N'@Ruid 不能为空', 16, 1);
        RETURN 1;
    END;
    IF LTRIM(RTRIM(ISNULL(@Organ, N''))) = N''
    BEGIN
        RAISERROR (N'@Organ 不能为空', 16, 1);
        RETURN 1;
    END;
    BEGIN TRANSACTION;
    SELECT TOP 1 @stamp = CAST(r.RowVersion AS bigint) FROM dbo.Report AS r WHERE r.ruid = @Ruid ORDER BY r.RowVersion DESC;
    IF @stamp IS NULL
    BEGIN
        ROLLBACK TRANSACTION;
        RAISERROR (N'没有这份报告：%s', 16, 1, @Ruid);
        RETURN 1;
    END;
    IF EXISTS (SELECT 1 FROM dbo.StructuredFinding WITH (UPDLOCK, HOLDLOCK)
                WHERE ruid = @Ruid AND Organ = @Organ AND Document = @doc)
    BEGIN
        COMMIT TRANSACTION;
        RETURN 0;
    END;
    INSERT INTO dbo.StructuredFindingHistory (ruid, Organ, Document, ReportVersion, SavedBy, SavedAt, ReplacedAt)
    SELECT ruid, Organ, Document, ReportVersion, SavedBy, SavedAt, SYSDATETIME()
      FROM dbo.StructuredFinding WITH (UPDLOCK, HOLDLOCK)
     WHERE ruid = @Ruid AND Organ = @Organ;
    UPDATE dbo.StructuredFinding
       SET Document = @doc, ReportVersion = @stamp,
           SavedBy = ISNULL(NULLIF(@SavedBy, N''), ISNULL(SUSER_SNAME(), N'') + N'@' + ISNULL(HOST_NAME(), N'')),
           SavedAt = SYSDATETIME()
     WHERE ruid = @Ruid AND Organ = @Organ;
    IF @@ROWCOUNT = 0
        INSERT INTO dbo.StructuredFinding (ruid, Organ, Document, ReportVersion, SavedBy, SavedAt)
        VALUES (@Ruid, @Organ, @doc, @stamp,
                ISNULL(NULLIF(@SavedBy, N''), ISNULL(SUSER_SNAME(), N'') + N'@' + ISNULL(HOST_NAME(), N'')), SYSDATETIME());
    SELECT @keep = CAST(value AS int) FROM dbo.wr_setting WHERE name = N'ReportHistoryKeep';
    IF ISNULL(@keep, 0) > 0
        DELETE h
          FROM dbo.StructuredFindingHistory AS h
         WHERE h.ruid = @Ruid AND h.Organ = @Organ
           AND (SELECT COUNT(*) FROM dbo.StructuredFindingHistory AS n
                 WHERE n.ruid = h.ruid AND n.Organ = h.Organ AND n.HistoryId > h.HistoryId) >= @keep;
    COMMIT TRANSACTION;
    RETURN 0;
END;
GO

IF OBJECT_ID(N'dbo.sp_SaveKeyImageChoice', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_SaveKeyImageChoice AS RETURN 0;');
GO
-- The key images of a report (027-key-images.sql), called by the host's save in the same
-- transaction as sp_SaveReportInfo, after it. A choice equal to the stored one changes
-- nothing; another replaces it (the replaced one kept in KeyImageChoiceHistory) and drops the
-- stored images, which sp_SaveKeyImage then writes by position. The report must exist.
ALTER PROCEDURE dbo.sp_SaveKeyImageChoice
    @Ruid    nvarchar(100),
    @Choice  nvarchar(max),
    @SavedBy nvarchar(200) = NULL
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;
    DECLARE @stamp bigint, @keep int, @choice nvarchar(max);
    SET @choice = ISNULL(@Choice, N'');
    IF LTRIM(RTRIM(ISNULL(@Ruid, N''))) = N''
    BEGIN
        RAISERROR (N'@Ruid 不能为空', 16, 1);
        RETURN 1;
    END;
    BEGIN TRANSACTION;
    SELECT TOP 1 @stamp = CAST(r.RowVersion AS bigint) FROM dbo.Report AS r WHERE r.ruid = @Ruid ORDER BY r.RowVersion DESC;
    IF @stamp IS NULL
    BEGIN
        ROLLBACK TRANSACTION;
        RAISERROR (N'没有这份报告：%s', 16, 1, @Ruid);
        RETURN 1;
    END;
    IF EXISTS (SELECT 1 FROM dbo.KeyImageChoice WITH (UPDLOCK, HOLDLOCK) WHERE ruid = @Ruid AND Choice = @choice)
       OR (@choice = N'' AND NOT EXISTS (SELECT 1 FROM dbo.KeyImageChoice WITH (UPDLOCK, HOLDLOCK) WHERE ruid = @Ruid))
    BEGIN
        COMMIT TRANSACTION;
        RETURN 0;
    END;
    DELETE FROM dbo.KeyImage WHERE ruid = @Ruid;
    INSERT INTO dbo.KeyImageChoiceHistory (ruid, Choice, ReportVersion, SavedBy, SavedAt, ReplacedAt)
    SELECT ruid, Choice, ReportVersion, SavedBy, SavedAt, SYSDATETIME()
      FROM dbo.KeyImageChoice WITH (UPDLOCK, HOLDLOCK)
     WHERE ruid = @Ruid;
    UPDATE dbo.KeyImageChoice
       SET Choice = @choice, ReportVersion = @stamp,
           SavedBy = ISNULL(NULLIF(@SavedBy, N''), ISNULL(SUSER_SNAME(), N'') + N'@' + ISNULL(HOST_NAME(), N'')),
           SavedAt = SYSDATETIME()
     WHERE ruid = @Ruid;
    IF @@ROWCOUNT = 0
        INSERT INTO dbo.KeyImageChoice (ruid, Choice, ReportVersion, SavedBy, SavedAt)
        VALUES (@Ruid, @choice, @stamp,
                ISNULL(NULLIF(@SavedBy, N''), ISNULL(SUSER_SNAME(), N'') + N'@' + ISNULL(HOST_NAME(), N'')), SYSDATETIME());
    SELECT @keep = CAST(value AS int) FROM dbo.wr_setting WHERE name = N'ReportHistoryKeep';
    IF ISNULL(@keep, 0) > 0
        DELETE h
          FROM dbo.KeyImageChoiceHistory AS h
         WHERE h.ruid = @Ruid
           AND (SELECT COUNT(*) FROM dbo.KeyImageChoiceHistory AS n
                 WHERE n.ruid = h.ruid AND n.HistoryId > h.HistoryId) >= @keep;
    COMMIT TRANSACTION;
    RETURN 0;
END;
GO

IF OBJECT_ID(N'dbo.sp_SaveKeyImage', N'P') IS NULL
    EXEC (N'CREATE PROCEDURE dbo.sp_SaveKeyImage AS RETURN 0;');
GO
-- One rendered key image of the current choice, at its position (1 to 6).
ALTER PROCEDURE dbo.sp_SaveKeyImage
    @Ruid           nvarchar(100),
    @Position       int,
    @SopInstanceUid nvarchar(64),
    @Frame          int = 0,
    @Width          int = 0,
    @Height         int = 0,
    @Jpeg           varchar(max)
AS
BEGIN
    SET NOCOUNT ON;
    SET XACT_ABORT ON;
    IF NOT EXISTS (SELECT 1 FROM dbo.Report WHERE ruid = @Ruid)
    BEGIN
        RAISERROR (N'没有这份报告：%s', 16, 1, @Ruid);
        RETURN 1;
    END;
    IF ISNULL(@Position, 0) NOT BETWEEN 1 AND 6
    BEGIN
        RAISERROR (N'关键图像的位置应为 1 到 6：%d', 16, 1, @Position);
        RETURN 1;
    END;
    IF ISNULL(@Jpeg, '') = '' OR LTRIM(RTRIM(ISNULL(@SopInstanceUid, N''))) = N''
    BEGIN
        RAISERROR (N'关键图像没有图像或来源', 16, 1);
        RETURN 1;
    END;
    BEGIN TRANSACTION;
    DELETE FROM dbo.KeyImage WHERE ruid = @Ruid AND Position = @Position;
    INSERT INTO dbo.KeyImage (ruid, Position, SopInstanceUid, Frame, Width, Height, Jpeg)
    VALUES (@Ruid, @Position, LTRIM(RTRIM(@SopInstanceUid)), ISNULL(@Frame, 0), ISNULL(@Width, 0), ISNULL(@Height, 0), @Jpeg);
    COMMIT TRANSACTION;
    RETURN 0;
END;
GO
