#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Builds a big report database for the work-list and save benchmarks: the demo database
plus N generated reports (default 1,000,000) with their Study rows, created at random
times over the last five years, with findings and impression texts of the sizes real
reports have (RTF as RichEdit writes it, 1 to 4 KB of findings).

    gen_reports.py sqlite FILE [--reports N] [--seed S]
        creates FILE with wr-admin create-db --demo (schema, upgrades, procedures, demo) and
        adds the reports in one transaction with one prepared statement.
    gen_reports.py postgresql [--reports N] [--seed S] | psql -v ON_ERROR_STOP=1 -d DB
        writes COPY data (CSV) for a database made from db/postgresql; psql loads it.

A million reports take about 4 GB and a few minutes: never run this from the test suite.
"""
import argparse
import csv
import datetime
import io
import os
import random
import sqlite3
import subprocess
import sys
import uuid

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "db", "sqlite", "tools"))
import gen_demo  # noqa: E402  (RTF as RichEdit writes it)

SENTENCES = [
    "肝脏大小形态正常，包膜光滑，实质回声均匀，肝内管道结构清晰。",
    "胆囊大小正常，壁光滑，囊内未见明显异常回声。",
    "胰腺显示清晰，大小形态正常，主胰管无扩张。",
    "脾脏厚度正常，实质回声均匀。",
    "双肾大小形态正常，皮髓质分界清楚，集合系统未见分离。",
    "膀胱充盈良好，壁光滑，腔内未见异常回声。",
    "甲状腺双侧叶大小正常，包膜光整，实质回声均匀，未见明显结节。",
    "子宫前位，大小正常，肌层回声均匀，内膜厚约6mm。",
    "双侧附件区未见明显包块。",
    "门静脉主干内径约11mm，血流充盈良好。",
    "CDFI：未见明显异常血流信号。",
    "左侧叶可见一低回声结节，大小约8×6mm，边界清，形态规则。",
]
IMPRESSIONS = [
    "肝胆胰脾未见明显异常。", "胆囊结石。", "甲状腺左侧叶结节，TI-RADS 3类。", "双肾未见明显异常。",
    "子宫及双侧附件未见明显异常。", "脂肪肝（轻度）。", "前列腺增生。", "早孕，宫内单活胎。",
]
ITEMS = ["肝胆胰脾", "双肾输尿管,膀胱,前列腺", "甲状腺及颈部淋巴结", "乳腺及腋窝淋巴结", "子宫附件（经阴道）",
         "早孕", "超声心动图", "颈部血管", "双侧髋关节", "阑尾"]
SURNAMES = "王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗郑梁谢宋唐许韩冯邓曹彭曾肖田董袁潘于蒋蔡余杜叶程苏魏吕丁任沈"
GIVEN = "伟芳娜秀英敏静丽强磊军洋勇艳杰娟涛明超秀兰霞平刚桂英华建国志强晓燕婷丽华"
DOCTORS = [("王建国", "D002"), ("李秀英", "D003"), ("刘洋", "D004"), ("赵敏", "D101"), ("孙丽华", "D102"),
           ("周婷", "D103"), ("吴志强", "D201"), ("郑晓燕", "D202")]
# ReportState values of the work list: 0 new, 1 being written, 2 written and waiting for
# review, 5 reviewed (the most common by far in an archive).
STATES = [5] * 90 + [2] * 6 + [1] * 2 + [0] * 2

COLUMNS = ["ruid", "Accnu", "nbid", "jcMethod", "ItemName", "ItemCode", "JCDaLei", "jcTuJing", "ImgQuality", "SuoJian",
           "JieLun", "JianYi", "rtf_SuoJian", "rtf_JieLun", "ReportState", "TanTouRate", "ExamDoctor", "ExamDoctorCode",
           "ReportDoctor", "ReportDoctorCode", "ShenHeDoctor", "ShenHeDoctorCode", "ReportDate", "shenHeDate",
           "PrintedCont", "YinYangXing", "lczd", "jcpart", "CreateTime"]
STUDY_COLUMNS = ["Accnu", "PatientName", "Sex", "Age", "kscode", "ExamTime"]


def text_pool(rng, size=400):
    """(findings rtf, findings plain, impression rtf, impression plain) variants."""
    pool = []
    for _ in range(size):
        paragraphs = [
            "".join(rng.choice(SENTENCES) for _ in range(rng.randint(2, 4)))
            for _ in range(rng.randint(2, 7))]
        styled = [[(p[:8], "b"), p[8:]] if i == 0 else p for i, p in enumerate(paragraphs)]
        impression = [rng.choice(IMPRESSIONS) for _ in range(rng.randint(1, 3))]
        pool.append((gen_demo.rtf(styled), gen_demo.plain(paragraphs), gen_demo.rtf(impression),
                     gen_demo.plain(impression)))
    return pool


def rows(n, seed):
    rng = random.Random(seed)
    pool = text_pool(rng)
    now = datetime.datetime.now().replace(microsecond=0)
    span = 5 * 365 * 24 * 3600
    for i in range(n):
        created = now - datetime.timedelta(seconds=rng.randrange(span))
        accnu = "US%s%07d" % (created.strftime("%Y%m%d"), i)
        findings_rtf, findings, impression_rtf, impression = pool[rng.randrange(len(pool))]
        doctor, code = rng.choice(DOCTORS)
        reviewer, rcode = rng.choice(DOCTORS)
        state = rng.choice(STATES)
        written = state >= 2
        ts = lambda d: d.strftime("%Y-%m-%d %H:%M:%S.000")  # noqa: E731
        report = [
            str(uuid.UUID(int=rng.getrandbits(128), version=4)).upper(), accnu, "NB%07d" % i,
            "经腹部超声检查", rng.choice(ITEMS), "U001", "腹部", "经腹", "优",
            findings if written else "", impression if written else "", "",
            findings_rtf if written else "", impression_rtf if written else "",
            state, "3.5MHz", doctor, code, doctor if written else "", code if written else "",
            reviewer if state >= 5 else "", rcode if state >= 5 else "",
            ts(created + datetime.timedelta(minutes=15)), ts(created + datetime.timedelta(minutes=30)) if state >= 5 else None,
            1 if state >= 5 else 0, rng.random() < 0.3, "体检", "肝脏,胆囊", ts(created)]
        study = [accnu, rng.choice(SURNAMES) + "".join(rng.choice(GIVEN) for _ in range(rng.randint(1, 2))),
                 rng.choice("男女"), "%d岁" % rng.randint(1, 90), "US01", ts(created)]
        yield report, study


def build_sqlite(path, n, seed, wr_admin):
    if os.path.exists(path):
        sys.exit(f"{path} exists; remove it first")
    # Made as a site makes one, by wr-admin: its upgrade scripts call SQL functions only the
    # program provides (the password proof of the accounts).
    if not os.access(wr_admin, os.X_OK):
        sys.exit(f"{wr_admin} not found: build first, or name it with --wr-admin")
    first_admin = "BENCH\n基准管理员\nUS01\nBench-Admin-Pass-2026\n"
    made = subprocess.run([wr_admin, "--db", path, "create-db", "--demo"], input=first_admin.encode("utf-8"),
                          stdout=subprocess.DEVNULL)
    if made.returncode != 0:
        sys.exit(f"wr-admin create-db failed with exit code {made.returncode}")
    # The benchmark logs in as the demo reviewer, as on a server database made from the demo.
    added = subprocess.run([wr_admin, "--db", path, "add-user", "D001", "reviewer", "--no-must-change"],
                           input=b"demo1234\n", stdout=subprocess.DEVNULL)
    if added.returncode != 0:
        sys.exit(f"wr-admin add-user failed with exit code {added.returncode}")
    con = sqlite3.connect(path, isolation_level=None)
    con.execute("PRAGMA journal_mode = WAL")
    # One transaction and two prepared statements for all rows; the journal and syncs are
    # not needed while the file is being made.
    con.execute("PRAGMA synchronous = OFF")
    con.execute("BEGIN")
    report_sql = f"INSERT INTO Report ({', '.join(COLUMNS)}) VALUES ({', '.join('?' * len(COLUMNS))})"
    study_sql = f"INSERT INTO Study ({', '.join(STUDY_COLUMNS)}) VALUES ({', '.join('?' * len(STUDY_COLUMNS))})"
    batch_r, batch_s = [], []
    for i, (r, s) in enumerate(rows(n, seed), 1):
        batch_r.append(r)
        batch_s.append(s)
        if len(batch_r) == 10000:
            con.executemany(report_sql, batch_r)
            con.executemany(study_sql, batch_s)
            batch_r, batch_s = [], []
            if i % 100000 == 0:
                print(f"{i} reports", file=sys.stderr)
    con.executemany(report_sql, batch_r)
    con.executemany(study_sql, batch_s)
    con.execute("COMMIT")
    con.execute("PRAGMA synchronous = FULL")
    con.execute("ANALYZE")
    con.close()


def write_postgresql(n, seed, out):
    def copy(table, columns, data):
        out.write(f"COPY {table} ({', '.join(c.lower() for c in columns)}) FROM STDIN WITH (FORMAT csv);\n")
        w = csv.writer(out, lineterminator="\n")
        for row in data:
            w.writerow(["" if v is None else ("t" if v is True else "f" if v is False else v) for v in row])
        out.write("\\.\n")
    # The database holds the demo already; the reports go in with one COPY per table.
    out.write("BEGIN;\n")
    generated = list(rows(n, seed)) if n <= 200000 else None
    if generated is None:
        copy("Report", COLUMNS, (r for r, _ in rows(n, seed)))
        copy("Study", STUDY_COLUMNS, (s for _, s in rows(n, seed)))
    else:
        copy("Report", COLUMNS, (r for r, _ in generated))
        copy("Study", STUDY_COLUMNS, (s for _, s in generated))
    out.write("COMMIT;\nANALYZE Report;\nANALYZE Study;\n")


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("dialect", choices=["sqlite", "postgresql"])
    p.add_argument("file", nargs="?")
    p.add_argument("--reports", type=int, default=1000000)
    p.add_argument("--seed", type=int, default=13)
    p.add_argument("--wr-admin", default=os.path.join(ROOT, "build", "bin", "wr-admin"),
                   help="wr-admin that makes the SQLite database (default: build/bin/wr-admin)")
    a = p.parse_args()
    if a.dialect == "sqlite":
        if not a.file:
            p.error("sqlite needs the database file to create")
        build_sqlite(a.file, a.reports, a.seed, a.wr_admin)
    else:
        out = io.TextIOWrapper(sys.stdout.buffer, encoding="utf-8", newline="\n")
        write_postgresql(a.reports, a.seed, out)
        out.flush()


if __name__ == "__main__":
    main()
