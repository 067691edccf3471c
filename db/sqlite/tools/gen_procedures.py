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


SIGNING_PROCEDURES = [
    ("sp_SignReport", event_body(
        [f"SELECT wr_raise('审核医生不能为空') WHERE trim(coalesce(:UserName, ''), {BLANKS}) = '';",
         "SELECT wr_raise('报告已审核') WHERE NOT EXISTS (SELECT 1 FROM Report WHERE ruid = :Ruid AND coalesce(ReportState, 0) < 5);"],
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

def lit(s):
    return "'" + s.replace("'", "''") + "'"

def main():
    out = ["-- SPDX-License-Identifier: MIT",
           "-- Generated by tools/gen_procedures.py: the procedures the report editor calls.",
           "-- Bodies bind :Name to the parameter @Name; see README.md.", ""]
    for name, body, params in (
        ("sp_SaveReportInfo", save_body(), [(p, t, "in", s) for p, _, t, s in SAVE_PARAMS] + EXTRA_SAVE_PARAMS),
        ("sp_GetAllItemsFromAccnu_DefaustFirst", BIND_BODY, BIND_PARAMS),
        ("sp_SetReportExamItems", PICK_BODY, PICK_PARAMS),
        *SIGNING_PROCEDURES,
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
