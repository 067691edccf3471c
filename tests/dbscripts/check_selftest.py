#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Runs scripts/check-sqlserver-scripts on small scripts, each holding one fault or none,
and checks that it reports exactly the faults they hold."""
import os
import subprocess
import sys
import tempfile

CASES = [
    # (name, script, text the report must contain, or None for a script without faults)
    ("drop and create without grants",
     "IF OBJECT_ID(N'dbo.sp_x', N'P') IS NOT NULL DROP PROCEDURE dbo.sp_x;\nGO\nCREATE PROCEDURE dbo.sp_x AS RETURN 0;\nGO\n",
     "sp_x is dropped and created again"),
    ("drop and create with its grant",
     "DROP PROCEDURE [dbo].[sp_x];\nGO\nCREATE PROC dbo.sp_x AS RETURN 0;\nGO\nGRANT EXECUTE ON dbo.sp_x TO wr_workstation;\n",
     None),
    ("stub and ALTER", "IF OBJECT_ID(N'dbo.sp_x') IS NULL EXEC (N'CREATE PROCEDURE dbo.sp_x AS RETURN 0;');\nGO\n"
     "ALTER PROCEDURE dbo.sp_x AS RETURN 1;\nGO\n", None),
    ("Chinese literal without N", "INSERT INTO dbo.检查途径 (cname) VALUES ('经腹');\n", "without N: '经腹'"),
    ("Chinese literal with N, in comments and names", "-- '经腹'\n/* '经 /* 腹' */ */\nSELECT [a'中] FROM t WHERE c = N'经腹';\n",
     None),
    ("quote doubled inside a literal", "SELECT N'it''s', 'it''s 中';\n", "without N: 'it''s 中'"),
    ("STRING_AGG", "SELECT STRING_AGG(ItemName, N',') FROM dbo.ExamItem;\n", "STRING_AGG (2017)"),
    ("CREATE OR ALTER", "CREATE OR ALTER PROCEDURE dbo.sp_x AS RETURN 0;\n", "CREATE OR ALTER"),
    ("DROP IF EXISTS", "DROP TABLE IF EXISTS dbo.t;\n", "DROP ... IF EXISTS"),
    ("THROW", "BEGIN TRY SELECT 1; END TRY BEGIN CATCH THROW; END CATCH;\n", "THROW (2012)"),
    ("IIF", "SELECT IIF(1 = 1, N'a', N'b');\n", "IIF (2012)"),
    ("OFFSET FETCH", "SELECT id FROM t ORDER BY id OFFSET 10 ROWS FETCH NEXT 5 ROWS ONLY;\n", "OFFSET"),
    ("TRIM but not LTRIM", "SELECT LTRIM(RTRIM(a)), TRIM(b) FROM t;\n", "TRIM (2017)"),
    ("ALTER ROLE ADD MEMBER", "ALTER ROLE wr_workstation ADD MEMBER [x];\n", "sp_addrolemember"),
    ("newer statement inside EXEC", "EXEC (N'CREATE OR ALTER PROCEDURE dbo.sp_x AS RETURN 0;');\n", "CREATE OR ALTER"),
    ("2008 R2 statements only", "SET @x = ISNULL(STUFF(@y, 1, 1, N''), N''); SELECT SYSDATETIME(), CHARINDEX(N',', @ids);\n"
     "DECLARE c CURSOR LOCAL FAST_FORWARD FOR SELECT 1;\nEXEC sp_addrolemember N'wr_workstation', N'x';\n", None),
]


def main():
    checker = sys.argv[1]
    failures = []
    with tempfile.TemporaryDirectory() as d:
        for i, (name, script, expected) in enumerate(CASES):
            path = os.path.join(d, "case%d.sql" % i)
            with open(path, "w", encoding="utf-8") as f:
                f.write(script)
            r = subprocess.run([sys.executable, checker, path], capture_output=True, text=True, encoding="utf-8")
            faults = [l for l in r.stdout.splitlines() if "case%d.sql:" % i in l]
            if expected is None:
                if r.returncode != 0 or faults:
                    failures.append("%s: reported %s" % (name, faults or r.stderr))
            elif r.returncode != 1 or len(faults) != 1 or expected not in faults[0]:
                failures.append("%s: expected one fault with %r, got %s" % (name, expected, faults or r.stderr))
    for f in failures:
        print("FAIL: " + f)
    print("%d of %d cases passed" % (len(CASES) - len(failures), len(CASES)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
