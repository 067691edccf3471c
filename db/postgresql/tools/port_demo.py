#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Ports the embedded demo data (db/sqlite/demo.sql) to the two servers:
db/postgresql/demo.sql (flags as true/false) and db/sqlserver/demo.sql (N'' literals, so
Chinese text does not pass through the database's code page). Run after gen_demo.py."""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parents[3]
BOOLEAN_COLUMNS = {"yinyangxing"}


def tokens(sql):
    """Splits SQL into string literals, comments and other text, keeping every character."""
    i, n = 0, len(sql)
    while i < n:
        if sql[i] == "'":
            j = i + 1
            while j < n:
                if sql[j] == "'":
                    if j + 1 < n and sql[j + 1] == "'":
                        j += 2
                        continue
                    break
                j += 1
            yield "str", sql[i:j + 1]
            i = j + 1
        elif sql.startswith("--", i):
            j = sql.find("\n", i)
            j = n if j < 0 else j
            yield "comment", sql[i:j]
            i = j
        else:
            j = i
            while j < n and sql[j] != "'" and not sql.startswith("--", j):
                j += 1
            yield "code", sql[i:j]
            i = j


def port(sql, dialect):
    out = []
    columns, position, depth = [], 0, 0
    for kind, text in tokens(sql):
        if kind == "str":
            if dialect == "sqlserver":
                if re.search(r"\\\r?\n", text):
                    sys.exit("a literal has a backslash at a line end, which T-SQL would remove")
                text = "N" + text
            out.append(text)
            continue
        if kind == "comment":
            out.append(text)
            continue
        # Track the column list of each INSERT and the value position inside each tuple.
        piece = []
        for m in re.finditer(r"INSERT INTO [^(]+\(([^)]*)\) VALUES|[(),]|(?:(?!INSERT INTO)[^(),])+", text):
            t = m.group(0)
            if t.startswith("INSERT INTO"):
                columns = [c.strip().lower() for c in m.group(1).split(",")]
                depth = 0
            elif t == "(":
                depth += 1
                position = 0
            elif t == ")":
                depth -= 1
            elif t == "," and depth == 1:
                position += 1
            elif (dialect == "postgresql" and depth == 1 and position < len(columns)
                  and columns[position] in BOOLEAN_COLUMNS and t.strip() in ("0", "1")):
                t = t.replace(t.strip(), "true" if t.strip() == "1" else "false")
            piece.append(t)
        out.append("".join(piece))
    return "".join(out)


def main():
    with open(ROOT / "db/sqlite/demo.sql", encoding="utf-8", newline="") as f:  # keep CR LF inside texts
        source = f.read()
    body = "\n".join(l for l in source.split("\n")
                     if not l.startswith("-- SPDX") and not l.startswith("-- Generated"))
    for dialect, header in (
        ("postgresql", "-- Demo data on PostgreSQL, ported from db/sqlite/demo.sql by tools/port_demo.py."),
        ("sqlserver", "-- Demo data on SQL Server, ported from db/sqlite/demo.sql by db/postgresql/tools/port_demo.py.\n"
                      "-- Run after schema.sql and procedures.sql."),
    ):
        text = "-- SPDX-License-Identifier: MIT\n" + header + " Do not edit by hand.\n" + port(body, dialect)
        with open(ROOT / "db" / dialect / "demo.sql", "w", encoding="utf-8", newline="") as f:
            f.write(text)


if __name__ == "__main__":
    main()
