-- SPDX-License-Identifier: MIT
-- WriteReport on PostgreSQL: the twin of db/sqlserver/grants.sql, the rights of the
-- workstations as the role wr_workstation. Run by the database's owner after
-- procedures.sql, and again after every upgrade (it changes nothing already in place).
-- The server tests log in as a member of this role, so they run with exactly these rights.
--
-- A workstation reads the tables and writes only through the procedures, which run with
-- their owner's rights (SECURITY DEFINER, see procedures.sql), as dbo's procedures do on
-- SQL Server.

-- Roles belong to the whole cluster; a second database finds it there already.
DO $$
BEGIN
    IF NOT EXISTS (SELECT FROM pg_catalog.pg_roles WHERE rolname = 'wr_workstation') THEN
        -- Two databases set up at once may both find the role missing; the second one
        -- then finds it made.
        BEGIN
            CREATE ROLE wr_workstation NOLOGIN;
        EXCEPTION WHEN duplicate_object OR unique_violation THEN NULL;
        END;
    END IF;
    EXECUTE format('GRANT CONNECT ON DATABASE %I TO wr_workstation', current_database());
END
$$;
GRANT USAGE ON SCHEMA public TO wr_workstation;

-- Tables: the report itself, the lists behind the drop-downs and pickers, the work list.
GRANT SELECT ON Report, csdoctor, 检查途径, 探头频率, 图像质量, Study, ExamItem, Phrase,
    ReportTemplate, SpecialSymbol TO wr_workstation;
-- The kept versions of reports, for the history view; the triggers write them.
GRANT SELECT ON ReportHistory, wr_setting TO wr_workstation;

-- Procedures. PostgreSQL lets everyone execute a new procedure; SQL Server lets nobody, so
-- that default is taken away here.
REVOKE ALL ON PROCEDURE sp_SaveReportInfo, sp_GetAllItemsFromAccnu_DefaustFirst, sp_SetReportExamItems FROM PUBLIC;
GRANT EXECUTE ON PROCEDURE sp_SaveReportInfo, sp_GetAllItemsFromAccnu_DefaustFirst, sp_SetReportExamItems
    TO wr_workstation;

-- Signing and printing: the host's procedures, and the events they record.
GRANT SELECT ON ReportEvent TO wr_workstation;
REVOKE ALL ON PROCEDURE sp_SignReport, sp_WithdrawSignature, sp_IncrementPrintCount, sp_NoteSignedEdit FROM PUBLIC;
GRANT EXECUTE ON PROCEDURE sp_SignReport, sp_WithdrawSignature, sp_IncrementPrintCount, sp_NoteSignedEdit
    TO wr_workstation;

-- Users and log-in: a workstation checks passwords and records the outcome through the
-- procedures and never reads WrUser itself, so its login cannot list users or their hashes
-- with a query. Administration (creating users, resets, unlocking, roles) belongs to the
-- role wr_useradmin, which wr-admin's login needs when it is not the database's owner.
REVOKE ALL ON FUNCTION wr_CheckOwnPassword(text) FROM PUBLIC;
REVOKE ALL ON PROCEDURE sp_UserLoginInfo, sp_UserLoginResult, sp_ChangeUserPassword, sp_RolePermissions,
    sp_RehashUserPassword, sp_SetUserPassword, sp_CreateUser, sp_UnlockUser, sp_SetUserRole, sp_SetUserDisabled,
    sp_SetUserDbLogin FROM PUBLIC;
GRANT EXECUTE ON PROCEDURE sp_UserLoginInfo, sp_UserLoginResult, sp_ChangeUserPassword, sp_RolePermissions,
    sp_RehashUserPassword TO wr_workstation;
-- The password proof: the database checks it and records the outcome; WrLoginNonce and
-- WrSecret stay unreadable.
REVOKE ALL ON PROCEDURE sp_UserLoginChallenge, sp_UserLoginProof FROM PUBLIC;
REVOKE ALL ON FUNCTION wr_CheckSessionRight(text) FROM PUBLIC;
GRANT EXECUTE ON PROCEDURE sp_UserLoginChallenge, sp_UserLoginProof TO wr_workstation;
DO $$
BEGIN
    IF NOT EXISTS (SELECT FROM pg_catalog.pg_roles WHERE rolname = 'wr_useradmin') THEN
        -- Two databases set up at once may both find the role missing; the second one
        -- then finds it made.
        BEGIN
            CREATE ROLE wr_useradmin NOLOGIN;
        EXCEPTION WHEN duplicate_object OR unique_violation THEN NULL;
        END;
    END IF;
    EXECUTE format('GRANT CONNECT ON DATABASE %I TO wr_useradmin', current_database());
END
$$;
GRANT USAGE ON SCHEMA public TO wr_useradmin;
GRANT SELECT ON WrUser, WrRole, WrRolePermission, csdoctor TO wr_useradmin;
GRANT EXECUTE ON PROCEDURE sp_UserLoginInfo, sp_RolePermissions, sp_SetUserPassword, sp_CreateUser,
    sp_UnlockUser, sp_SetUserRole, sp_SetUserDisabled, sp_SetUserDbLogin TO wr_useradmin;

-- DICOM images: workstations list an exam's images and thumbnails and assign an unmatched
-- image to an exam; wr-dicomd (with a workstation's login) indexes, archives and prunes.
GRANT SELECT ON DicomInstance TO wr_workstation;
REVOKE ALL ON PROCEDURE sp_DicomIndexInstance, sp_DicomAssignInstance, sp_DicomForwardResult, sp_DicomFileRemoved
    FROM PUBLIC;
GRANT EXECUTE ON PROCEDURE sp_DicomIndexInstance, sp_DicomAssignInstance, sp_DicomForwardResult, sp_DicomFileRemoved
    TO wr_workstation;
-- The worklist wr-dicomd answers the ultrasound machines from (024-study-uid.sql).
REVOKE ALL ON PROCEDURE sp_WorklistFind, sp_SetStudyUid FROM PUBLIC;
GRANT EXECUTE ON PROCEDURE sp_WorklistFind, sp_SetStudyUid TO wr_workstation;

-- Critical values: the register is read by workstations and written only through
-- sp_RecordCriticalNotice; nobody may change or remove a row (the trigger refuses it too).
GRANT SELECT ON CriticalNotice TO wr_workstation;
REVOKE INSERT, UPDATE, DELETE, TRUNCATE ON CriticalNotice FROM PUBLIC, wr_workstation;
REVOKE ALL ON PROCEDURE sp_RecordCriticalNotice, sp_RecordCheckOverride FROM PUBLIC;
GRANT EXECUTE ON PROCEDURE sp_RecordCriticalNotice, sp_RecordCheckOverride TO wr_workstation;

-- The assistants' structured values: read for reopening and for comparing with the same
-- patient's earlier report, written only through the procedure.
GRANT SELECT ON StructuredFinding, StructuredFindingHistory TO wr_workstation;
REVOKE ALL ON PROCEDURE sp_SaveStructuredFinding FROM PUBLIC;
GRANT EXECUTE ON PROCEDURE sp_SaveStructuredFinding TO wr_workstation;

-- The key images: read for printing, reopening and the history, written only through the
-- procedures.
GRANT SELECT ON KeyImageChoice, KeyImageChoiceHistory, KeyImage TO wr_workstation;
REVOKE ALL ON PROCEDURE sp_SaveKeyImageChoice, sp_SaveKeyImage FROM PUBLIC;
GRANT EXECUTE ON PROCEDURE sp_SaveKeyImageChoice, sp_SaveKeyImage TO wr_workstation;
