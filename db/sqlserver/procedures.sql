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

    DECLARE @who nvarchar(200), @current bigint;
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
           ReportState = @ReportState,
           TanTouRate = @TanTouRate,
           TiXing = @TiXing,
           ExamDoctor = @ExamDoctor,
           ExamDoctorCode = @ExamDoctorCode,
           ReportDoctor = @ReportDoctor,
           ReportDoctorCode = @ReportDoctorCode,
           ShenHeDoctor = @ShenHeDoctor,
           ShenHeDoctorCode = @ShenHeDoctorCode,
           HuiZhenDoctor = @HuiZhenDoctor,
           HuizhenDoctorCode = @HuizhenDoctorCode,
           ReportDate = @ReportDate,
           shenHeDate = @shenHeDate,
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
        VALUES (@Ruid, @Accnu, @nbid, @jcMethod, @ItemName, @ItemCode, @JCDaLei, @jcTuJing, @ImgQuality, @SuoJian, @JieLun, @JianYi, @rtf_SuoJian, @rtf_JieLun, @ReportState, @TanTouRate, @TiXing, @ExamDoctor, @ExamDoctorCode, @ReportDoctor, @ReportDoctorCode, @ShenHeDoctor, @ShenHeDoctorCode, @HuiZhenDoctor, @HuizhenDoctorCode, @ReportDate, @shenHeDate, @HuiZhenDate, @PrintedCont, @YinYangXing, @WeiJiValue, @BeiZhu, @lczd, @jcpart, @jcpartcode, @kgjLBaseLine, @kgjLKjgd, @kgjLGxtq, @kgjLRgyc, @kgjLGxzx, @kgjRBaseLine, @kgjRKjgd, @kgjRGxtq, @kgjRRgyc, @kgjRGxzx, @kgjL_A, @kgjR_A, @kgjL_B, @kgjR_B, SYSDATETIME(), @who, SYSDATETIME());
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

-- The host's signing and printing. Each changes the report row(s) of @Ruid in one statement
-- and records the event in ReportEvent, in one transaction; a GUID without a report is
-- refused. RETURN 0 on success; errors are raised (severity 16).
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
