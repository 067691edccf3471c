#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes ../demo.sql: departments and doctors, the three dictionaries, picker phrases,
templates, special symbols, studies with registered exam items, and a dozen ultrasound
reports whose rich text is RTF as Windows RichEdit writes it (code page 936, GBK text as
\\'hh escapes). Run by hand after changing the data here:

    python3 db/sqlite/tools/gen_demo.py
"""
import os
import uuid

NAMESPACE = uuid.UUID("6f1c2a52-3b7e-4c1e-9d55-1a2b3c4d5e6f")


def guid(name):
    """A stable report GUID, upper case as the workstation writes them."""
    return str(uuid.uuid5(NAMESPACE, name)).upper()


def lit(value):
    if value is None:
        return "NULL"
    if isinstance(value, bool):
        return "1" if value else "0"
    if isinstance(value, int):
        return str(value)
    return "'" + str(value).replace("'", "''") + "'"


def insert(table, columns, rows):
    body = ",\n".join("  (" + ", ".join(lit(v) for v in row) + ")" for row in rows)
    return f"INSERT INTO {table} ({', '.join(columns)}) VALUES\n{body};\n"


# ---------------------------------------------------------------------------------------
# RTF as RichEdit writes it.

def rtf_text(text):
    out = []
    for ch in text:
        code = ord(ch)
        if ch in "\\{}":
            out.append("\\" + ch)
        elif code < 128:
            out.append(ch)
        else:
            try:
                out.append("".join(f"\\'{b:02x}" for b in ch.encode("gbk")))
            except UnicodeEncodeError:
                signed = code if code < 32768 else code - 65536
                out.append(f"\\u{signed}?")
    return "".join(out)


def rtf(paragraphs, size=12):
    """paragraphs: list of paragraphs; each a string or a list of runs, a run being a string
    or (text, style) where style holds 'b' for bold and/or 'r' for red."""
    head = ("{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052"
            "{\\fonttbl{\\f0\\fnil\\fcharset134 " + rtf_text("宋体") + ";}}\r\n"
            "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
            f"\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs{size * 2} ")
    lines = []
    for para in paragraphs:
        parts = []
        for text, style in runs(para):
            on = ("\\b" if "b" in style else "") + ("\\cf1" if "r" in style else "")
            off = ("\\b0" if "b" in style else "") + ("\\cf0" if "r" in style else "")
            parts.append((on + " " if on else "") + rtf_text(text) + off + (" " if off else ""))
        lines.append("".join(parts).rstrip() + "\\par")
    return head + "\r\n".join(lines) + "\r\n}\r\n"


def runs(para):
    items = [para] if isinstance(para, str) else para
    return [(r, "") if isinstance(r, str) else r for r in items]


def plain(paragraphs):
    return "\r\n".join("".join(t for t, _ in runs(p)) for p in paragraphs)


# ---------------------------------------------------------------------------------------
# Departments and doctors. One department code holds a single quote, as some sites' codes do.

DOCTORS = [
    # (name, department, displayindex, code)
    ("张医生", "US01", 90, "D001"), ("王建国", "US01", 80, "D002"), ("李秀英", "US01", 70, "D003"),
    ("刘洋", "US01", 60, "D004"), ("陈静", "US01", 50, "D005"),
    ("赵敏", "US02", 30, "D101"), ("孙丽华", "US02", 20, "D102"), ("周婷", "US02", 10, "D103"),
    ("吴志强", "US'03", 20, "D201"), ("郑晓燕", "US'03", 10, "D202"),
]

# Every demo doctor is a user with the demo password "demo1234" and no forced change. The
# first doctor (the one listed first, whom the host logs in on the demo database) reviews,
# the second administers users, the others write. Each hash was made once with libsodium's
# crypto_pwhash_str_alg (Argon2id, interactive limits), a salt of its own.
DEMO_PASSWORD = "demo1234"
DEMO_USERS = [
    # (code, role, Argon2id hash of DEMO_PASSWORD)
    ("D001", "reviewer",
     "$argon2id$v=19$m=65536,t=2,p=1$7yrNYoGThlhBXQ8VXSdsSA$uqHNiJ/5xncn+dquxDh1V6NUWAd07YKi9S9pXzybVhQ"),
    ("D002", "admin",
     "$argon2id$v=19$m=65536,t=2,p=1$wLZZt5yhb5yNEnrprxxFig$bC7CKOQ9N2XRK8XqIQ06ylMciloV/eAI5MPSWjIL6MM"),
    ("D003", "doctor",
     "$argon2id$v=19$m=65536,t=2,p=1$cFVUlJJ0M+4fDqphMeCG7w$iNm3plYKium7GpZEI692KFFZSK96rFXJS+WxFDbQN2Y"),
    ("D004", "doctor",
     "$argon2id$v=19$m=65536,t=2,p=1$/DY35rQmpOLMGLMJoLM12Q$f31wEiDHGXSLnTsRmj3FoUjTc8Rd6IY/LN2cQvY9lnE"),
    ("D005", "doctor",
     "$argon2id$v=19$m=65536,t=2,p=1$ASUdD8g17oxndUtxvScJqg$CU70zCDoL1bEG60j7ekSeH5hlFQMl8a8GlMqo6QB9qc"),
    ("D101", "doctor",
     "$argon2id$v=19$m=65536,t=2,p=1$PwdEYzr+77/FpWPbe5TAAw$C/qSE8GvhLz9MeOLraH0NGcpOetqnVbZob8RRO0MtjQ"),
    ("D102", "doctor",
     "$argon2id$v=19$m=65536,t=2,p=1$2vbBujXqjGFshri6xNx5+Q$DumlRxBjV5wUlnszbtumcdxtp/ia8k1jPjBfNUjBY8U"),
    ("D103", "doctor",
     "$argon2id$v=19$m=65536,t=2,p=1$FNWUJElisyEFX1JrgnxN2g$mDY+otMpNJi7YyYKOQFia8Aq7ltqlC+WUOu2Z92gSmA"),
    ("D201", "doctor",
     "$argon2id$v=19$m=65536,t=2,p=1$EQGlWxdET5xFtWopxnGhGg$PhQ+dh86KWCJZ2TXnOkGK5IY5Ptbaw0oFWRj+n0A1dU"),
    ("D202", "doctor",
     "$argon2id$v=19$m=65536,t=2,p=1$nkRZ6BzZx0Krr6auyncz2A$K/A26TuH1Ztoug+vXJ9QmrrOar4TlsLfJUah25QBkfA"),
]

# Route and image-quality rows are inserted out of uorder: their lists (database order) and
# their defaults (lowest uorder) differ on purpose.
ROUTES = [("经阴道", 2), ("经腹", 1), ("经直肠", 3), ("体表", 4), ("经食管", 5), ("术中", 6)]
PROBES = [("3.5MHz", 1), ("5.0MHz", 2), ("7.5MHz", 3), ("10MHz", 4), ("2-5MHz凸阵", 5), ("5-12MHz线阵", 6)]
QUALITIES = [("良", 2), ("优", 1), ("中", 3), ("差", 4)]

PHRASES = [
    # (kind, department, code, text)
    ("method", "", None, "经腹部超声检查"), ("method", "", None, "彩色多普勒超声检查"),
    ("method", "US02", None, "经阴道超声检查"), ("method", "US01", None, "经直肠超声检查"),
    ("method", "", None, "超声造影检查"), ("method", "US'03", None, "经胸超声心动图检查"),
    ("part", "US01", "P01", "肝脏"), ("part", "US01", "P02", "胆囊"), ("part", "US01", "P03", "胰腺"),
    ("part", "US01", "P04", "脾脏"), ("part", "US01", "P05", "双肾"), ("part", "US01", "P06", "膀胱"),
    ("part", "US01", "P07", "前列腺"), ("part", "US01", "P08", "甲状腺"), ("part", "US01", "P09", "乳腺"),
    ("part", "US01", "P10", "双侧髋关节"), ("part", "US02", "P20", "子宫"), ("part", "US02", "P21", "双侧附件"),
    ("part", "US'03", "P30", "心脏"),
    ("lczd", "", None, "体检"), ("lczd", "", None, "腹痛待查"), ("lczd", "", None, "甲状腺结节"),
    ("lczd", "US02", None, "停经待查"), ("lczd", "US02", None, "月经不规则"), ("lczd", "", None, "发育性髋关节发育不良筛查"),
    ("lczd", "US'03", None, "胸闷待查"),
    ("jianyi", "", None, "建议定期复查。"), ("jianyi", "", None, "建议结合临床及其他相关检查。"),
    ("jianyi", "", None, "建议3个月后复查。"), ("jianyi", "", None, "建议进一步行超声造影或穿刺活检。"),
    ("jianyi", "US02", None, "建议1周后复查，动态观察。"),
    ("beizhu", "", None, "肠气干扰明显，部分显示欠清。"), ("beizhu", "", None, "患者配合欠佳。"),
    ("beizhu", "", None, "膀胱充盈欠佳。"), ("beizhu", "", None, "已电话通知临床医生。"),
]

SYMBOLS = ["°", "×", "±", "≤", "≥", "≈", "←", "→", "↑", "↓", "℃", "‰", "α", "β", "μ", "Ⅰ", "Ⅱ", "Ⅲ", "Ⅳ", "㎝", "㎜", "㎡", "※"]

# ---------------------------------------------------------------------------------------
# Report texts (findings, impression) shared by templates and reports.

LIVER_NORMAL = [
    "肝脏：形态大小正常，包膜光滑，实质回声均匀，肝内管道结构清晰，门静脉主干内径约1.0cm。",
    "胆囊：大小约6.5×2.8cm，壁光滑，腔内未见明显异常回声。胆总管内径约0.4cm。",
    "胰腺：形态大小正常，回声均匀，主胰管未见扩张。",
    "脾脏：厚约3.5cm，实质回声均匀。",
]
LIVER_NORMAL_IMPRESSION = ["肝、胆、胰、脾未见明显异常。"]

GALLSTONE = [
    "肝脏：形态大小正常，包膜光滑，实质回声稍增强，后方回声无明显衰减。",
    ["胆囊：大小约7.2×3.1cm，壁毛糙，厚约0.4cm，腔内可见数个强回声团，", ("最大约1.2×0.9cm", "b"),
     "，后伴声影，可随体位改变而移动。"],
    "胰腺、脾脏：未见明显异常。",
]
GALLSTONE_IMPRESSION = [[("胆囊多发结石", "b"), "伴胆囊炎"], "轻度脂肪肝"]

THYROID_NODULE = [
    "甲状腺：左叶大小约4.6×1.8×1.6cm，右叶大小约4.8×1.9×1.7cm，峡部厚约0.3cm，包膜完整。",
    ["右叶中部可见一低回声结节，大小约0.8×0.7cm，", ("纵横比>1", "b"), "，边缘不光整，内见点状强回声，CDFI：结节内可见少许血流信号。"],
    "左叶实质回声均匀，未见明显占位。双侧颈部未见明显肿大淋巴结。",
]
THYROID_IMPRESSION = [[("甲状腺右叶实性结节，TI-RADS 4b类", "b")], "建议进一步行细针穿刺活检。"]

UTERUS_MYOMA = [
    "子宫：前位，大小约6.2×5.8×4.9cm，形态饱满，肌层回声不均，",
    "前壁肌层可见一低回声团，大小约3.1×2.7cm，边界清，CDFI：周边可见环状血流信号。",
    "内膜厚约0.8cm，宫腔线居中。双侧附件区未见明显包块。",
]
UTERUS_IMPRESSION = ["子宫前壁肌瘤（肌壁间）"]

EARLY_PREGNANCY = [
    "子宫：前位，增大，宫腔内可见一妊娠囊，大小约2.4×2.1×1.8cm，囊内可见卵黄囊及胚芽，",
    "胚芽长约0.6cm，可见原始心管搏动。双侧附件区未见明显包块，盆腔未见明显积液。",
]
EARLY_PREGNANCY_IMPRESSION = ["宫内早孕，活胎（约6周+3天）"]

ECTOPIC = [
    "子宫：前位，大小正常，宫腔内未见妊娠囊回声，内膜厚约1.2cm。",
    ["左侧附件区可见一混合回声包块，大小约4.5×3.8cm，边界欠清。", ("盆腹腔可见游离液性暗区，最深约5.6cm", "br"), "。"],
]
ECTOPIC_IMPRESSION = [[("左侧附件区混合性包块，考虑异位妊娠破裂可能", "br")], [("盆腹腔积液", "r")]]

HEART_NORMAL = [
    "各房室内径正常范围，室间隔及左室后壁厚度正常，运动协调，幅度正常。",
    "各瓣膜形态、结构及启闭未见明显异常。CDFI：二尖瓣及三尖瓣可见少量反流信号。",
    "左室射血分数（EF）约65%。",
]
HEART_IMPRESSION = ["心脏结构及功能未见明显异常", "二尖瓣、三尖瓣少量反流"]

HIP = [
    "左侧髋关节：基线平直，髋臼骨顶凹面，骨性突起锐，软骨盂唇长，骨化中心未出现，α角约62°，β角约50°。",
    "右侧髋关节：基线平直，髋臼骨顶斜面，骨性突起钝，软骨盂唇宽，骨化中心未出现，α角约55°，β角约58°。",
]
HIP_IMPRESSION = ["左侧髋关节Graf Ⅰa型", [("右侧髋关节Graf Ⅱa型，建议6周后复查", "b")]]

KIDNEY_PROSTATE = [
    "双肾：大小形态正常，皮髓质分界清，集合系统未见分离。双侧输尿管未见扩张。",
    "膀胱：充盈好，壁光滑，腔内未见明显异常回声。",
    "前列腺：大小约4.6×3.5×3.2cm，内腺增大，回声不均，可见点状钙化。",
]
KIDNEY_PROSTATE_IMPRESSION = ["前列腺增生伴钙化"]

# A follow-up examination of every abdominal and superficial organ: findings long enough
# for a printed report of three pages.
LONG_ORGANS = ["肝脏", "胆囊", "胆总管", "胰腺", "脾脏", "左肾", "右肾", "左侧输尿管", "右侧输尿管", "膀胱",
               "前列腺", "腹膜后", "腹主动脉", "下腔静脉", "甲状腺左叶", "甲状腺右叶", "左侧颈部淋巴结",
               "右侧颈部淋巴结", "左侧腋窝淋巴结", "右侧腋窝淋巴结"]
LONG_FINDINGS = []
for i, organ in enumerate(LONG_ORGANS, 1):
    LONG_FINDINGS.append([(f"{i}. {organ}：", "b"), "形态大小在正常范围，边界清晰，包膜（或管壁）光滑连续，实质回声均匀，"
                          "未见明显占位性病变，CDFI：血流信号分布未见明显异常。"])
    LONG_FINDINGS.append(f"与2024年2月18日本院超声比较：{organ}测值变化在测量误差范围内，"
                         "未见新发病灶，原有描述之小囊性灶大小约0.3×0.2cm，无明显变化。")
    if i % 5 == 0:
        LONG_FINDINGS.append([("注意：", "r"), f"{organ}区域因肠气干扰部分显示欠清，必要时结合CT检查。"])
LONG_IMPRESSION = ["1. 肝、胆、胰、脾、双肾、膀胱、前列腺未见明显异常。",
                   ["2. ", ("与2024年2月18日比较未见新发病灶", "b"), "。"],
                   "3. 甲状腺及颈部、锁骨上、腋窝、腹股沟淋巴结未见明显肿大。",
                   "4. 腹膜后、盆腔、胸腔未见明显积液及占位。"]

TEMPLATES = [
    # (department, category, name, findings, impression)
    ("US01", "腹部", "肝胆胰脾未见异常", LIVER_NORMAL, LIVER_NORMAL_IMPRESSION),
    ("US01", "腹部", "胆囊结石", GALLSTONE, GALLSTONE_IMPRESSION),
    ("US01", "浅表器官", "甲状腺结节", THYROID_NODULE, THYROID_IMPRESSION),
    ("US01", "泌尿系", "前列腺增生", KIDNEY_PROSTATE, KIDNEY_PROSTATE_IMPRESSION),
    ("US01", "髋关节", "婴儿髋关节筛查", HIP, HIP_IMPRESSION),
    ("US02", "妇科", "子宫肌瘤", UTERUS_MYOMA, UTERUS_IMPRESSION),
    ("US02", "产科", "宫内早孕", EARLY_PREGNANCY, EARLY_PREGNANCY_IMPRESSION),
    ("US'03", "心脏", "正常超声心动图", HEART_NORMAL, HEART_IMPRESSION),
]

# ---------------------------------------------------------------------------------------
# Studies, registered items and reports.

STUDIES = [
    # (accession, patient, sex, age, department, exam time, patient number, requesting department, bed)
    ("US20240520001", "王桂兰", "女", "56岁", "US01", "2024-05-20 08:32:10.000", "MZ0012873", "体检中心", None),
    ("US20240520002", "李强", "男", "47岁", "US01", "2024-05-20 09:05:44.000", "MZ0013102", "急诊科", None),
    ("US20240520003", "陈晓梅", "女", "38岁", "US01", "2024-05-20 09:40:02.000", "MZ0013355", "甲状腺外科门诊", None),
    ("US20240520004", "刘建华", "男", "68岁", "US01", "2024-05-20 10:12:31.000", "ZY0203417", "泌尿外科", "12"),
    ("US20240520005", "张小宝", "男", "2月", "US01", "2024-05-20 10:48:19.000", "MZ0013590", "儿童保健科", None),
    ("US20240520006", "黄丽", "女", "29岁", "US02", "2024-05-20 11:03:57.000", "MZ0013611", "产科门诊", None),
    ("US20240520007", "周芳", "女", "42岁", "US02", "2024-05-20 13:30:25.000", "MZ0013704", "妇科门诊", None),
    ("US20240520008", "孙倩", "女", "31岁", "US02", "2024-05-20 14:15:08.000", "JZ0004521", "急诊科", None),
    ("US20240520009", "马国庆", "男", "61岁", "US'03", "2024-05-20 14:50:40.000", "ZY0203562", "心内科", "7"),
    ("US20240521001", "赵婷", "女", "45岁", "US01", "2024-05-21 08:20:15.000", "MZ0013988", "体检中心", None),
    ("US20240521002", "钱伟", "男", "52岁", "US01", "2024-05-21 08:45:50.000", "MZ0014020", "普外科门诊", None),
    ("US20240521003", "何丹", "女", "35岁", "US02", "2024-05-21 09:12:33.000", "MZ0014107", "妇科门诊", None),
    ("US20240521004", "林志远", "男", "58岁", "US01", "2024-05-21 10:05:12.000", "ZY0204188", "肿瘤内科", "23"),
]

# (accession, item code, item name, usable, bound to report key or None)
ITEMS = [
    ("US20240520001", "U001", "肝胆胰脾", 1, "r01"),
    ("US20240520002", "U001", "肝胆胰脾", 1, "r02"),
    ("US20240520003", "U010", "甲状腺及颈部淋巴结", 1, "r03"),
    ("US20240520004", "U020", "双肾输尿管", 1, "r04"), ("US20240520004", "U021", "膀胱", 1, "r04"),
    ("US20240520004", "U022", "前列腺", 1, "r04"),
    ("US20240520005", "U030", "双侧髋关节", 1, "r05"),
    ("US20240520006", "G001", "早孕", 1, "r06"),
    ("US20240520007", "G010", "子宫附件（经阴道）", 1, "r07"),
    ("US20240520008", "G010", "子宫附件（经阴道）", 1, "r08"),
    ("US20240520009", "C001", "超声心动图", 1, "r09"),
    # A fresh examination with four items and two report pages still to be written: the first
    # page opened takes all free items, a second page then finds none.
    ("US20240521001", "U001", "肝胆胰脾", 1, None), ("US20240521001", "U020", "双肾输尿管", 1, None),
    ("US20240521001", "U010", "甲状腺及颈部淋巴结", 1, None), ("US20240521001", "U040", "乳腺及腋窝淋巴结", 1, None),
    ("US20240521001", "U050", "颈部血管", 0, None),
    ("US20240521002", "U001", "肝胆胰脾", 1, None), ("US20240521002", "U060", "阑尾", 1, None),
    ("US20240521003", "G010", "子宫附件（经阴道）", 1, None),
    ("US20240521004", "U001", "肝胆胰脾", 1, "r14"), ("US20240521004", "U020", "双肾输尿管", 1, "r14"),
    ("US20240521004", "U010", "甲状腺及颈部淋巴结", 1, "r14"), ("US20240521004", "U070", "浅表淋巴结", 1, "r14"),
]


def report(key, accnu, **fields):
    row = {"ruid": guid(key), "Accnu": accnu, "nbid": "NB" + accnu[-7:]}
    row.update(fields)
    return row


def full(key, accnu, findings, impression, **fields):
    return report(key, accnu, SuoJian=plain(findings), JieLun=plain(impression),
                  rtf_SuoJian=rtf(findings), rtf_JieLun=rtf(impression), **fields)


REVIEWED = dict(ReportState=5, PrintedCont=1)
DOCTORS_US01 = dict(ExamDoctor="王建国", ExamDoctorCode="D002", ReportDoctor="王建国", ReportDoctorCode="D002",
                    ShenHeDoctor="张医生", ShenHeDoctorCode="D001")

REPORTS = [
    full("r01", "US20240520001", LIVER_NORMAL, LIVER_NORMAL_IMPRESSION, jcMethod="经腹部超声检查", ItemName="肝胆胰脾",
         ItemCode="U001", JCDaLei="腹部", jcTuJing="经腹", ImgQuality="优", TanTouRate="3.5MHz", lczd="体检",
         jcpart="肝脏,胆囊,胰腺,脾脏", jcpartcode="P01,P02,P03,P04", ReportDate="2024-05-20 08:50:12.000",
         shenHeDate="2024-05-20 09:10:45.000", YinYangXing=False, CreateTime="2024-05-20 08:32:15.000",
         **REVIEWED, **DOCTORS_US01),
    full("r02", "US20240520002", GALLSTONE, GALLSTONE_IMPRESSION, jcMethod="经腹部超声检查", ItemName="肝胆胰脾",
         ItemCode="U001", JCDaLei="腹部", jcTuJing="经腹", ImgQuality="良", TanTouRate="3.5MHz", lczd="腹痛待查",
         JianYi="建议肝胆外科就诊。", jcpart="肝脏,胆囊", jcpartcode="P01,P02", ReportDate="2024-05-20 09:25:03.000",
         shenHeDate="2024-05-20 09:40:27.000", YinYangXing=True, CreateTime="2024-05-20 09:05:50.000",
         **REVIEWED, **DOCTORS_US01),
    full("r03", "US20240520003", THYROID_NODULE, THYROID_IMPRESSION, jcMethod="彩色多普勒超声检查",
         ItemName="甲状腺及颈部淋巴结", ItemCode="U010", JCDaLei="浅表器官", jcTuJing="体表", ImgQuality="优",
         TanTouRate="5-12MHz线阵", lczd="甲状腺结节", JianYi="建议进一步行超声造影或穿刺活检。", jcpart="甲状腺",
         jcpartcode="P08", ReportDate="2024-05-20 10:02:44.000", YinYangXing=True, ReportState=2, PrintedCont=0,
         ExamDoctor="李秀英", ExamDoctorCode="D003", ReportDoctor="李秀英", ReportDoctorCode="D003",
         ShenHeDoctor="王建国", ShenHeDoctorCode="D002", shenHeDate="2024-05-20 10:05:00.000",
         CreateTime="2024-05-20 09:40:10.000"),
    full("r04", "US20240520004", KIDNEY_PROSTATE, KIDNEY_PROSTATE_IMPRESSION, jcMethod="经腹部超声检查",
         ItemName="双肾输尿管,膀胱,前列腺", ItemCode="U020,U021,U022", JCDaLei="泌尿系", jcTuJing="经腹", ImgQuality="良",
         TanTouRate="3.5MHz", lczd="尿频待查", jcpart="双肾,膀胱,前列腺", jcpartcode="P05,P06,P07",
         ReportDate="2024-05-20 10:35:20.000", shenHeDate="2024-05-20 11:00:00.000", YinYangXing=True,
         BeiZhu="膀胱充盈欠佳。", CreateTime="2024-05-20 10:12:40.000", **REVIEWED, **DOCTORS_US01),
    full("r05", "US20240520005", HIP, HIP_IMPRESSION, jcMethod="经体表超声检查", ItemName="双侧髋关节", ItemCode="U030",
         JCDaLei="髋关节", jcTuJing="体表", ImgQuality="优", TanTouRate="5-12MHz线阵", lczd="发育性髋关节发育不良筛查",
         JianYi="建议6周后复查。", jcpart="双侧髋关节", jcpartcode="P10", ReportDate="2024-05-20 11:05:33.000",
         YinYangXing=True, ReportState=2, PrintedCont=0, ExamDoctor="刘洋", ExamDoctorCode="D004",
         ReportDoctor="刘洋", ReportDoctorCode="D004", CreateTime="2024-05-20 10:48:25.000",
         kgjLBaseLine="平直", kgjLKjgd="凹面", kgjLGxtq="锐", kgjLRgyc="长", kgjLGxzx="未出现",
         kgjRBaseLine="平直", kgjRKjgd="斜面", kgjRGxtq="钝", kgjRRgyc="宽,强", kgjRGxzx="未出现",
         kgjL_A="62", kgjR_A="55", kgjL_B="50", kgjR_B="58"),
    full("r06", "US20240520006", EARLY_PREGNANCY, EARLY_PREGNANCY_IMPRESSION, jcMethod="经腹部超声检查", ItemName="早孕",
         ItemCode="G001", JCDaLei="产科", jcTuJing="经腹", ImgQuality="良", TanTouRate="3.5MHz", lczd="停经待查",
         jcpart="子宫", jcpartcode="P20", ReportDate="2024-05-20 11:20:05.000", shenHeDate="2024-05-20 11:30:40.000",
         YinYangXing=False, ExamDoctor="赵敏", ExamDoctorCode="D101", ReportDoctor="赵敏", ReportDoctorCode="D101",
         ShenHeDoctor="孙丽华", ShenHeDoctorCode="D102", CreateTime="2024-05-20 11:04:00.000", **REVIEWED),
    full("r07", "US20240520007", UTERUS_MYOMA, UTERUS_IMPRESSION, jcMethod="经阴道超声检查",
         ItemName="子宫附件（经阴道）", ItemCode="G010", JCDaLei="妇科", jcTuJing="经阴道", ImgQuality="优",
         TanTouRate="5.0MHz", lczd="月经不规则", JianYi="建议定期复查。", jcpart="子宫,双侧附件", jcpartcode="P20,P21",
         ReportDate="2024-05-20 13:50:16.000", shenHeDate="2024-05-20 14:02:09.000", YinYangXing=True,
         ExamDoctor="孙丽华", ExamDoctorCode="D102", ReportDoctor="孙丽华", ReportDoctorCode="D102",
         ShenHeDoctor="赵敏", ShenHeDoctorCode="D101", HuiZhenDoctor="周婷", HuizhenDoctorCode="D103",
         HuiZhenDate="2024-05-20 13:58:00.000", CreateTime="2024-05-20 13:30:30.000", **REVIEWED),
    # A critical finding, written but not yet reviewed.
    full("r08", "US20240520008", ECTOPIC, ECTOPIC_IMPRESSION, jcMethod="经阴道超声检查",
         ItemName="子宫附件（经阴道）", ItemCode="G010", JCDaLei="妇科", jcTuJing="经阴道", ImgQuality="中",
         TanTouRate="5.0MHz", lczd="停经腹痛", WeiJiValue="异位妊娠破裂伴腹腔积液", BeiZhu="已电话通知临床医生。",
         jcpart="子宫,双侧附件", jcpartcode="P20,P21", ReportDate="2024-05-20 14:30:51.000", YinYangXing=True,
         ReportState=2, PrintedCont=0, ExamDoctor="周婷", ExamDoctorCode="D103", ReportDoctor="周婷",
         ReportDoctorCode="D103", CreateTime="2024-05-20 14:15:12.000"),
    full("r09", "US20240520009", HEART_NORMAL, HEART_IMPRESSION, jcMethod="经胸超声心动图检查",
         ItemName="超声心动图", ItemCode="C001", JCDaLei="心脏", jcTuJing="体表", ImgQuality="良",
         TanTouRate="2-5MHz凸阵", lczd="胸闷待查", jcpart="心脏", jcpartcode="P30",
         ReportDate="2024-05-20 15:10:00.000", shenHeDate="2024-05-20 15:20:00.000", YinYangXing=False,
         ExamDoctor="吴志强", ExamDoctorCode="D201", ReportDoctor="吴志强", ReportDoctorCode="D201",
         ShenHeDoctor="郑晓燕", ShenHeDoctorCode="D202", CreateTime="2024-05-20 14:50:45.000", **REVIEWED),
    # A long follow-up report, reviewed: three printed pages.
    full("r14", "US20240521004", LONG_FINDINGS, LONG_IMPRESSION, jcMethod="彩色多普勒超声检查",
         ItemName="肝胆胰脾,双肾输尿管,甲状腺及颈部淋巴结,浅表淋巴结", ItemCode="U001,U020,U010,U070", JCDaLei="腹部",
         jcTuJing="经腹", ImgQuality="良", TanTouRate="3.5MHz", lczd="淋巴瘤化疗后复查", JianYi="建议3个月后复查。",
         jcpart="肝脏,胆囊,胰腺,脾脏,双肾,甲状腺", jcpartcode="P01,P02,P03,P04,P05,P08",
         ReportDate="2024-05-21 10:48:30.000", shenHeDate="2024-05-21 11:05:10.000", YinYangXing=False,
         CreateTime="2024-05-21 10:05:20.000", **REVIEWED, **DOCTORS_US01),
    # Freshly created pages: identifiers only, as the registration desk writes them.
    report("r10", "US20240521001", ReportState=0, PrintedCont=0, YinYangXing=False, CreateTime="2024-05-21 08:20:20.000"),
    report("r11", "US20240521001", ReportState=0, PrintedCont=0, YinYangXing=False, CreateTime="2024-05-21 08:21:02.000"),
    report("r12", "US20240521002", CreateTime="2024-05-21 08:46:00.000"),
    # Written by an older workstation into fixed-width columns: texts padded with blanks.
    report("r13", "US20240521003", jcMethod="经阴道超声检查      ", ItemName="子宫附件（经阴道）    ", ItemCode="G010  ",
           JCDaLei="妇科  ", jcTuJing="经阴道    ", ImgQuality="良  ", TanTouRate="5.0MHz    ", lczd="体检      ",
           SuoJian="子宫：前位，大小正常，肌层回声均匀。\r\n双侧附件区未见明显包块。   ",
           JieLun="子宫及双侧附件未见明显异常。   ", ReportState=1, PrintedCont=0, YinYangXing=False,
           ExamDoctor="赵敏      ", ExamDoctorCode="D101  ", CreateTime="2024-05-21 09:12:40.000"),
]

REPORT_COLUMNS = ["ruid", "Accnu", "nbid", "jcMethod", "ItemName", "ItemCode", "JCDaLei", "jcTuJing", "ImgQuality",
                  "SuoJian", "JieLun", "JianYi", "rtf_SuoJian", "rtf_JieLun", "ReportState", "TanTouRate", "TiXing",
                  "ExamDoctor", "ExamDoctorCode", "ReportDoctor", "ReportDoctorCode", "ShenHeDoctor", "ShenHeDoctorCode",
                  "HuiZhenDoctor", "HuizhenDoctorCode", "ReportDate", "shenHeDate", "HuiZhenDate", "PrintedCont",
                  "YinYangXing", "WeiJiValue", "BeiZhu", "lczd", "jcpart", "jcpartcode", "kgjLBaseLine", "kgjLKjgd",
                  "kgjLGxtq", "kgjLRgyc", "kgjLGxzx", "kgjRBaseLine", "kgjRKjgd", "kgjRGxtq", "kgjRRgyc", "kgjRGxzx",
                  "kgjL_A", "kgjR_A", "kgjL_B", "kgjR_B", "CreateTime"]


def main():
    assert len(REPORT_COLUMNS) == 50
    for r in REPORTS:
        unknown = set(r) - set(REPORT_COLUMNS)
        assert not unknown, unknown
    keys = {k: guid(k) for k in {i[4] for i in ITEMS if i[4]}}
    out = ["-- SPDX-License-Identifier: MIT",
           "-- Generated by tools/gen_demo.py: demo data for the embedded database. Do not edit by hand.", ""]
    out.append(insert("csdoctor", ["姓名", "kscode", "displayindex", "code"], DOCTORS))
    out.append(insert("检查途径", ["cname", "uorder"], ROUTES))
    out.append(insert("探头频率", ["探头频率", "uorder"], PROBES))
    out.append(insert("图像质量", ["图像质量", "uorder"], QUALITIES))
    out.append(insert("Phrase", ["kind", "kscode", "code", "text", "uorder"],
                      [(k, d, c, t, i) for i, (k, d, c, t) in enumerate(PHRASES, 1)]))
    out.append(insert("ReportTemplate", ["kscode", "category", "name", "rtf_SuoJian", "rtf_JieLun", "uorder"],
                      [(d, c, n, rtf(f), rtf(i), k) for k, (d, c, n, f, i) in enumerate(TEMPLATES, 1)]))
    out.append(insert("SpecialSymbol", ["symbol", "uorder"], [(s, i) for i, s in enumerate(SYMBOLS, 1)]))
    out.append(insert("Study", ["Accnu", "PatientName", "Sex", "Age", "kscode", "ExamTime", "PatientId", "ReqDept",
                                "BedNo"], STUDIES))
    out.append(insert("ExamItem", ["Accnu", "ItemCode", "ItemName", "ItemOrder", "Usable", "ReportGuid"],
                      [(a, c, n, i, u, keys[r] if r else None) for i, (a, c, n, u, r) in enumerate(ITEMS, 1)]))
    for r in REPORTS:
        out.append(insert("Report", REPORT_COLUMNS, [[r.get(c) for c in REPORT_COLUMNS]]))
    users = insert("WrUser", ["UserCode", "RoleCode", "PasswordHash", "MustChangePassword"],
                   [(c, role, h, 0) for c, role, h in DEMO_USERS])
    out.append(users)
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    path = os.path.join(folder, "demo.sql")
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(out))
    # A demo database made before users existed gets them when the host upgrades it; a user
    # already there (a changed demo password) stays as it is.
    with open(os.path.join(folder, "demo-users.sql"), "w", encoding="utf-8", newline="\n") as f:
        f.write("-- SPDX-License-Identifier: MIT\n"
                "-- Generated by tools/gen_demo.py: the demo users, for a demo database made before\n"
                "-- there were users. Run after upgrades/020-users.sql. Do not edit by hand.\n\n"
                + users.replace("INSERT INTO", "INSERT OR IGNORE INTO", 1))
    print(f"wrote {path}: {len(REPORTS)} reports")
    for r in REPORTS:
        print(f"  {r['ruid']}  {r['Accnu']}  {r.get('ItemName', '').strip() or '(new)'}")


if __name__ == "__main__":
    main()
