-- SPDX-License-Identifier: MIT
-- WriteReport on Microsoft SQL Server: the rights of the workstations, as the database role
-- wr_workstation. Run after procedures.sql, and again after every upgrade (it changes
-- nothing that is already in place):
--   sqlcmd -S dbserver -d WriteReport -f 65001 -b -i db/sqlserver/grants.sql
-- Then make the workstations' login a member (on 2008 R2 ALTER ROLE ... ADD MEMBER does not
-- exist yet):
--   CREATE USER [HOSPITAL\US-Workstations] FOR LOGIN [HOSPITAL\US-Workstations];
--   EXEC sp_addrolemember N'wr_workstation', N'HOSPITAL\US-Workstations';
--
-- A workstation reads the tables and writes only through the procedures: the editor saves
-- with sp_SaveReportInfo and binds exam items with sp_GetAllItemsFromAccnu_DefaustFirst,
-- the host's exam-item picker writes with sp_SetReportExamItems. A procedure owned by dbo
-- writes dbo's tables on the caller's behalf (ownership chaining), so no table needs more
-- than SELECT. EXECUTE also lets the editor read a procedure's parameters from
-- sys.parameters, which it does before each call.
SET ANSI_NULLS ON;
SET QUOTED_IDENTIFIER ON;
GO

IF DATABASE_PRINCIPAL_ID(N'wr_workstation') IS NULL
    CREATE ROLE wr_workstation AUTHORIZATION dbo;
GO

-- Tables: the report itself, the lists behind the drop-downs and pickers, the work list.
GRANT SELECT ON dbo.Report TO wr_workstation;
GRANT SELECT ON dbo.csdoctor TO wr_workstation;
GRANT SELECT ON dbo.检查途径 TO wr_workstation;
GRANT SELECT ON dbo.探头频率 TO wr_workstation;
GRANT SELECT ON dbo.图像质量 TO wr_workstation;
GRANT SELECT ON dbo.Study TO wr_workstation;
GRANT SELECT ON dbo.ExamItem TO wr_workstation;
GRANT SELECT ON dbo.Phrase TO wr_workstation;
GRANT SELECT ON dbo.ReportTemplate TO wr_workstation;
GRANT SELECT ON dbo.SpecialSymbol TO wr_workstation;
-- The kept versions of reports, for the history view; the trigger writes them.
GRANT SELECT ON dbo.ReportHistory TO wr_workstation;
GRANT SELECT ON dbo.wr_setting TO wr_workstation;
GO

-- Procedures.
GRANT EXECUTE ON dbo.sp_SaveReportInfo TO wr_workstation;
GRANT EXECUTE ON dbo.sp_GetAllItemsFromAccnu_DefaustFirst TO wr_workstation;
GRANT EXECUTE ON dbo.sp_SetReportExamItems TO wr_workstation;
GO

-- Signing and printing: the host's procedures, and the events they record.
GRANT SELECT ON dbo.ReportEvent TO wr_workstation;
GRANT EXECUTE ON dbo.sp_SignReport TO wr_workstation;
GRANT EXECUTE ON dbo.sp_WithdrawSignature TO wr_workstation;
GRANT EXECUTE ON dbo.sp_IncrementPrintCount TO wr_workstation;
GRANT EXECUTE ON dbo.sp_NoteSignedEdit TO wr_workstation;
GO

-- Users and log-in: a workstation checks passwords and records the outcome through the
-- procedures and never reads WrUser itself, so its login cannot list users or their hashes
-- with a query. Administration (creating users, resets, unlocking, roles) belongs to the
-- role wr_useradmin, which wr-admin's login needs when it is not dbo.
GRANT EXECUTE ON dbo.sp_UserLoginInfo TO wr_workstation;
GRANT EXECUTE ON dbo.sp_UserLoginResult TO wr_workstation;
GRANT EXECUTE ON dbo.sp_ChangeUserPassword TO wr_workstation;
GRANT EXECUTE ON dbo.sp_RolePermissions TO wr_workstation;
GRANT EXECUTE ON dbo.sp_RehashUserPassword TO wr_workstation;
-- The password proof: the database checks it and records the outcome; WrLoginNonce and
-- WrSecret stay unreadable.
GRANT EXECUTE ON dbo.sp_UserLoginChallenge TO wr_workstation;
GRANT EXECUTE ON dbo.sp_UserLoginProof TO wr_workstation;
GO
IF DATABASE_PRINCIPAL_ID(N'wr_useradmin') IS NULL
    CREATE ROLE wr_useradmin AUTHORIZATION dbo;
GO
GRANT SELECT ON dbo.WrUser TO wr_useradmin;
GRANT SELECT ON dbo.WrRole TO wr_useradmin;
GRANT SELECT ON dbo.WrRolePermission TO wr_useradmin;
GRANT SELECT ON dbo.csdoctor TO wr_useradmin;
GRANT EXECUTE ON dbo.sp_UserLoginInfo TO wr_useradmin;
GRANT EXECUTE ON dbo.sp_RolePermissions TO wr_useradmin;
GRANT EXECUTE ON dbo.sp_SetUserPassword TO wr_useradmin;
GRANT EXECUTE ON dbo.sp_CreateUser TO wr_useradmin;
GRANT EXECUTE ON dbo.sp_UnlockUser TO wr_useradmin;
GRANT EXECUTE ON dbo.sp_SetUserRole TO wr_useradmin;
GRANT EXECUTE ON dbo.sp_SetUserDisabled TO wr_useradmin;
GRANT EXECUTE ON dbo.sp_SetUserDbLogin TO wr_useradmin;
GO

-- DICOM images: workstations list an exam's images and thumbnails and assign an unmatched
-- image to an exam; wr-dicomd (with a workstation's login) indexes, archives and prunes.
GRANT SELECT ON dbo.DicomInstance TO wr_workstation;
GRANT EXECUTE ON dbo.sp_DicomIndexInstance TO wr_workstation;
GRANT EXECUTE ON dbo.sp_DicomAssignInstance TO wr_workstation;
GRANT EXECUTE ON dbo.sp_DicomForwardResult TO wr_workstation;
GRANT EXECUTE ON dbo.sp_DicomFileRemoved TO wr_workstation;
-- The worklist wr-dicomd answers the ultrasound machines from (024-study-uid.sql).
GRANT EXECUTE ON dbo.sp_WorklistFind TO wr_workstation;
GRANT EXECUTE ON dbo.sp_SetStudyUid TO wr_workstation;
GO

-- Critical values: the register is read by workstations and written only through
-- sp_RecordCriticalNotice; nobody may change or remove a row (the trigger refuses it too).
GRANT SELECT ON dbo.CriticalNotice TO wr_workstation;
DENY INSERT, UPDATE, DELETE ON dbo.CriticalNotice TO wr_workstation;
GRANT EXECUTE ON dbo.sp_RecordCriticalNotice TO wr_workstation;
GRANT EXECUTE ON dbo.sp_RecordCheckOverride TO wr_workstation;
GO

-- The assistants' structured values: read for reopening and for comparing with the same
-- patient's earlier report, written only through the procedure.
GRANT SELECT ON dbo.StructuredFinding TO wr_workstation;
GRANT SELECT ON dbo.StructuredFindingHistory TO wr_workstation;
GRANT EXECUTE ON dbo.sp_SaveStructuredFinding TO wr_workstation;
GO

-- The key images: read for printing, reopening and the history, written only through the
-- procedures.
GRANT SELECT ON dbo.KeyImageChoice TO wr_workstation;
GRANT SELECT ON dbo.KeyImageChoiceHistory TO wr_workstation;
GRANT SELECT ON dbo.KeyImage TO wr_workstation;
GRANT EXECUTE ON dbo.sp_SaveKeyImageChoice TO wr_workstation;
GRANT EXECUTE ON dbo.sp_SaveKeyImage TO wr_workstation;
GO
