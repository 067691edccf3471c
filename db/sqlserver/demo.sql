-- SPDX-License-Identifier: MIT
-- Demo data on SQL Server, ported from db/sqlite/demo.sql by db/postgresql/tools/port_demo.py.
-- Run after schema.sql and procedures.sql. Do not edit by hand.

INSERT INTO csdoctor (姓名, kscode, displayindex, code) VALUES
  (N'张医生', N'US01', 90, N'D001'),
  (N'王建国', N'US01', 80, N'D002'),
  (N'李秀英', N'US01', 70, N'D003'),
  (N'刘洋', N'US01', 60, N'D004'),
  (N'陈静', N'US01', 50, N'D005'),
  (N'赵敏', N'US02', 30, N'D101'),
  (N'孙丽华', N'US02', 20, N'D102'),
  (N'周婷', N'US02', 10, N'D103'),
  (N'吴志强', N'US''03', 20, N'D201'),
  (N'郑晓燕', N'US''03', 10, N'D202');

INSERT INTO 检查途径 (cname, uorder) VALUES
  (N'经阴道', 2),
  (N'经腹', 1),
  (N'经直肠', 3),
  (N'体表', 4),
  (N'经食管', 5),
  (N'术中', 6);

INSERT INTO 探头频率 (探头频率, uorder) VALUES
  (N'3.5MHz', 1),
  (N'5.0MHz', 2),
  (N'7.5MHz', 3),
  (N'10MHz', 4),
  (N'2-5MHz凸阵', 5),
  (N'5-12MHz线阵', 6);

INSERT INTO 图像质量 (图像质量, uorder) VALUES
  (N'良', 2),
  (N'优', 1),
  (N'中', 3),
  (N'差', 4);

INSERT INTO Phrase (kind, kscode, code, text, uorder) VALUES
  (N'method', N'', NULL, N'经腹部超声检查', 1),
  (N'method', N'', NULL, N'彩色多普勒超声检查', 2),
  (N'method', N'US02', NULL, N'经阴道超声检查', 3),
  (N'method', N'US01', NULL, N'经直肠超声检查', 4),
  (N'method', N'', NULL, N'超声造影检查', 5),
  (N'method', N'US''03', NULL, N'经胸超声心动图检查', 6),
  (N'part', N'US01', N'P01', N'肝脏', 7),
  (N'part', N'US01', N'P02', N'胆囊', 8),
  (N'part', N'US01', N'P03', N'胰腺', 9),
  (N'part', N'US01', N'P04', N'脾脏', 10),
  (N'part', N'US01', N'P05', N'双肾', 11),
  (N'part', N'US01', N'P06', N'膀胱', 12),
  (N'part', N'US01', N'P07', N'前列腺', 13),
  (N'part', N'US01', N'P08', N'甲状腺', 14),
  (N'part', N'US01', N'P09', N'乳腺', 15),
  (N'part', N'US01', N'P10', N'双侧髋关节', 16),
  (N'part', N'US02', N'P20', N'子宫', 17),
  (N'part', N'US02', N'P21', N'双侧附件', 18),
  (N'part', N'US''03', N'P30', N'心脏', 19),
  (N'lczd', N'', NULL, N'体检', 20),
  (N'lczd', N'', NULL, N'腹痛待查', 21),
  (N'lczd', N'', NULL, N'甲状腺结节', 22),
  (N'lczd', N'US02', NULL, N'停经待查', 23),
  (N'lczd', N'US02', NULL, N'月经不规则', 24),
  (N'lczd', N'', NULL, N'发育性髋关节发育不良筛查', 25),
  (N'lczd', N'US''03', NULL, N'胸闷待查', 26),
  (N'jianyi', N'', NULL, N'建议定期复查。', 27),
  (N'jianyi', N'', NULL, N'建议结合临床及其他相关检查。', 28),
  (N'jianyi', N'', NULL, N'建议3个月后复查。', 29),
  (N'jianyi', N'', NULL, N'建议进一步行超声造影或穿刺活检。', 30),
  (N'jianyi', N'US02', NULL, N'建议1周后复查，动态观察。', 31),
  (N'beizhu', N'', NULL, N'肠气干扰明显，部分显示欠清。', 32),
  (N'beizhu', N'', NULL, N'患者配合欠佳。', 33),
  (N'beizhu', N'', NULL, N'膀胱充盈欠佳。', 34),
  (N'beizhu', N'', NULL, N'已电话通知临床医生。', 35);

INSERT INTO ReportTemplate (kscode, category, name, rtf_SuoJian, rtf_JieLun, uorder) VALUES
  (N'US01', N'腹部', N'肝胆胰脾未见异常', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''b8\''ce\''d4\''e0\''a3\''ba\''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d5\''fd\''b3\''a3\''a3\''ac\''b0\''fc\''c4\''a4\''b9\''e2\''bb\''ac\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''b8\''ce\''c4\''da\''b9\''dc\''b5\''c0\''bd\''e1\''b9\''b9\''c7\''e5\''ce\''fa\''a3\''ac\''c3\''c5\''be\''b2\''c2\''f6\''d6\''f7\''b8\''c9\''c4\''da\''be\''b6\''d4\''bc1.0cm\''a1\''a3\par
\''b5\''a8\''c4\''d2\''a3\''ba\''b4\''f3\''d0\''a1\''d4\''bc6.5\''a1\''c12.8cm\''a3\''ac\''b1\''da\''b9\''e2\''bb\''ac\''a3\''ac\''c7\''bb\''c4\''da\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''bb\''d8\''c9\''f9\''a1\''a3\''b5\''a8\''d7\''dc\''b9\''dc\''c4\''da\''be\''b6\''d4\''bc0.4cm\''a1\''a3\par
\''d2\''c8\''cf\''d9\''a3\''ba\''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d5\''fd\''b3\''a3\''a3\''ac\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''d6\''f7\''d2\''c8\''b9\''dc\''ce\''b4\''bc\''fb\''c0\''a9\''d5\''c5\''a1\''a3\par
\''c6\''a2\''d4\''e0\''a3\''ba\''ba\''f1\''d4\''bc3.5cm\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a1\''a3\par
}
', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''b8\''ce\''a1\''a2\''b5\''a8\''a1\''a2\''d2\''c8\''a1\''a2\''c6\''a2\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
}
', 1),
  (N'US01', N'腹部', N'胆囊结石', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''b8\''ce\''d4\''e0\''a3\''ba\''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d5\''fd\''b3\''a3\''a3\''ac\''b0\''fc\''c4\''a4\''b9\''e2\''bb\''ac\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''c9\''d4\''d4\''f6\''c7\''bf\''a3\''ac\''ba\''f3\''b7\''bd\''bb\''d8\''c9\''f9\''ce\''de\''c3\''f7\''cf\''d4\''cb\''a5\''bc\''f5\''a1\''a3\par
\''b5\''a8\''c4\''d2\''a3\''ba\''b4\''f3\''d0\''a1\''d4\''bc7.2\''a1\''c13.1cm\''a3\''ac\''b1\''da\''c3\''ab\''b2\''da\''a3\''ac\''ba\''f1\''d4\''bc0.4cm\''a3\''ac\''c7\''bb\''c4\''da\''bf\''c9\''bc\''fb\''ca\''fd\''b8\''f6\''c7\''bf\''bb\''d8\''c9\''f9\''cd\''c5\''a3\''ac\b \''d7\''ee\''b4\''f3\''d4\''bc1.2\''a1\''c10.9cm\b0 \''a3\''ac\''ba\''f3\''b0\''e9\''c9\''f9\''d3\''b0\''a3\''ac\''bf\''c9\''cb\''e6\''cc\''e5\''ce\''bb\''b8\''c4\''b1\''e4\''b6\''f8\''d2\''c6\''b6\''af\''a1\''a3\par
\''d2\''c8\''cf\''d9\''a1\''a2\''c6\''a2\''d4\''e0\''a3\''ba\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
}
', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \b \''b5\''a8\''c4\''d2\''b6\''e0\''b7\''a2\''bd\''e1\''ca\''af\b0 \''b0\''e9\''b5\''a8\''c4\''d2\''d1\''d7\par
\''c7\''e1\''b6\''c8\''d6\''ac\''b7\''be\''b8\''ce\par
}
', 2),
  (N'US01', N'浅表器官', N'甲状腺结节', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''bc\''d7\''d7\''b4\''cf\''d9\''a3\''ba\''d7\''f3\''d2\''b6\''b4\''f3\''d0\''a1\''d4\''bc4.6\''a1\''c11.8\''a1\''c11.6cm\''a3\''ac\''d3\''d2\''d2\''b6\''b4\''f3\''d0\''a1\''d4\''bc4.8\''a1\''c11.9\''a1\''c11.7cm\''a3\''ac\''cf\''bf\''b2\''bf\''ba\''f1\''d4\''bc0.3cm\''a3\''ac\''b0\''fc\''c4\''a4\''cd\''ea\''d5\''fb\''a1\''a3\par
\''d3\''d2\''d2\''b6\''d6\''d0\''b2\''bf\''bf\''c9\''bc\''fb\''d2\''bb\''b5\''cd\''bb\''d8\''c9\''f9\''bd\''e1\''bd\''da\''a3\''ac\''b4\''f3\''d0\''a1\''d4\''bc0.8\''a1\''c10.7cm\''a3\''ac\b \''d7\''dd\''ba\''e1\''b1\''c8>1\b0 \''a3\''ac\''b1\''df\''d4\''b5\''b2\''bb\''b9\''e2\''d5\''fb\''a3\''ac\''c4\''da\''bc\''fb\''b5\''e3\''d7\''b4\''c7\''bf\''bb\''d8\''c9\''f9\''a3\''acCDFI\''a3\''ba\''bd\''e1\''bd\''da\''c4\''da\''bf\''c9\''bc\''fb\''c9\''d9\''d0\''ed\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''a1\''a3\par
\''d7\''f3\''d2\''b6\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d5\''bc\''ce\''bb\''a1\''a3\''cb\''ab\''b2\''e0\''be\''b1\''b2\''bf\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d6\''d7\''b4\''f3\''c1\''dc\''b0\''cd\''bd\''e1\''a1\''a3\par
}
', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \b \''bc\''d7\''d7\''b4\''cf\''d9\''d3\''d2\''d2\''b6\''ca\''b5\''d0\''d4\''bd\''e1\''bd\''da\''a3\''acTI-RADS 4b\''c0\''e0\b0\par
\''bd\''a8\''d2\''e9\''bd\''f8\''d2\''bb\''b2\''bd\''d0\''d0\''cf\''b8\''d5\''eb\''b4\''a9\''b4\''cc\''bb\''ee\''bc\''ec\''a1\''a3\par
}
', 3),
  (N'US01', N'泌尿系', N'前列腺增生', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''cb\''ab\''c9\''f6\''a3\''ba\''b4\''f3\''d0\''a1\''d0\''ce\''cc\''ac\''d5\''fd\''b3\''a3\''a3\''ac\''c6\''a4\''cb\''e8\''d6\''ca\''b7\''d6\''bd\''e7\''c7\''e5\''a3\''ac\''bc\''af\''ba\''cf\''cf\''b5\''cd\''b3\''ce\''b4\''bc\''fb\''b7\''d6\''c0\''eb\''a1\''a3\''cb\''ab\''b2\''e0\''ca\''e4\''c4\''f2\''b9\''dc\''ce\''b4\''bc\''fb\''c0\''a9\''d5\''c5\''a1\''a3\par
\''b0\''f2\''eb\''d7\''a3\''ba\''b3\''e4\''d3\''af\''ba\''c3\''a3\''ac\''b1\''da\''b9\''e2\''bb\''ac\''a3\''ac\''c7\''bb\''c4\''da\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''bb\''d8\''c9\''f9\''a1\''a3\par
\''c7\''b0\''c1\''d0\''cf\''d9\''a3\''ba\''b4\''f3\''d0\''a1\''d4\''bc4.6\''a1\''c13.5\''a1\''c13.2cm\''a3\''ac\''c4\''da\''cf\''d9\''d4\''f6\''b4\''f3\''a3\''ac\''bb\''d8\''c9\''f9\''b2\''bb\''be\''f9\''a3\''ac\''bf\''c9\''bc\''fb\''b5\''e3\''d7\''b4\''b8\''c6\''bb\''af\''a1\''a3\par
}
', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''c7\''b0\''c1\''d0\''cf\''d9\''d4\''f6\''c9\''fa\''b0\''e9\''b8\''c6\''bb\''af\par
}
', 4),
  (N'US01', N'髋关节', N'婴儿髋关节筛查', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d7\''f3\''b2\''e0\''f7\''c5\''b9\''d8\''bd\''da\''a3\''ba\''bb\''f9\''cf\''df\''c6\''bd\''d6\''b1\''a3\''ac\''f7\''c5\''be\''ca\''b9\''c7\''b6\''a5\''b0\''bc\''c3\''e6\''a3\''ac\''b9\''c7\''d0\''d4\''cd\''bb\''c6\''f0\''c8\''f1\''a3\''ac\''c8\''ed\''b9\''c7\''d3\''db\''b4\''bd\''b3\''a4\''a3\''ac\''b9\''c7\''bb\''af\''d6\''d0\''d0\''c4\''ce\''b4\''b3\''f6\''cf\''d6\''a3\''ac\''a6\''c1\''bd\''c7\''d4\''bc62\''a1\''e3\''a3\''ac\''a6\''c2\''bd\''c7\''d4\''bc50\''a1\''e3\''a1\''a3\par
\''d3\''d2\''b2\''e0\''f7\''c5\''b9\''d8\''bd\''da\''a3\''ba\''bb\''f9\''cf\''df\''c6\''bd\''d6\''b1\''a3\''ac\''f7\''c5\''be\''ca\''b9\''c7\''b6\''a5\''d0\''b1\''c3\''e6\''a3\''ac\''b9\''c7\''d0\''d4\''cd\''bb\''c6\''f0\''b6\''db\''a3\''ac\''c8\''ed\''b9\''c7\''d3\''db\''b4\''bd\''bf\''ed\''a3\''ac\''b9\''c7\''bb\''af\''d6\''d0\''d0\''c4\''ce\''b4\''b3\''f6\''cf\''d6\''a3\''ac\''a6\''c1\''bd\''c7\''d4\''bc55\''a1\''e3\''a3\''ac\''a6\''c2\''bd\''c7\''d4\''bc58\''a1\''e3\''a1\''a3\par
}
', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d7\''f3\''b2\''e0\''f7\''c5\''b9\''d8\''bd\''daGraf \''a2\''f1a\''d0\''cd\par
\b \''d3\''d2\''b2\''e0\''f7\''c5\''b9\''d8\''bd\''daGraf \''a2\''f2a\''d0\''cd\''a3\''ac\''bd\''a8\''d2\''e96\''d6\''dc\''ba\''f3\''b8\''b4\''b2\''e9\b0\par
}
', 5),
  (N'US02', N'妇科', N'子宫肌瘤', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d7\''d3\''b9\''ac\''a3\''ba\''c7\''b0\''ce\''bb\''a3\''ac\''b4\''f3\''d0\''a1\''d4\''bc6.2\''a1\''c15.8\''a1\''c14.9cm\''a3\''ac\''d0\''ce\''cc\''ac\''b1\''a5\''c2\''fa\''a3\''ac\''bc\''a1\''b2\''e3\''bb\''d8\''c9\''f9\''b2\''bb\''be\''f9\''a3\''ac\par
\''c7\''b0\''b1\''da\''bc\''a1\''b2\''e3\''bf\''c9\''bc\''fb\''d2\''bb\''b5\''cd\''bb\''d8\''c9\''f9\''cd\''c5\''a3\''ac\''b4\''f3\''d0\''a1\''d4\''bc3.1\''a1\''c12.7cm\''a3\''ac\''b1\''df\''bd\''e7\''c7\''e5\''a3\''acCDFI\''a3\''ba\''d6\''dc\''b1\''df\''bf\''c9\''bc\''fb\''bb\''b7\''d7\''b4\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''a1\''a3\par
\''c4\''da\''c4\''a4\''ba\''f1\''d4\''bc0.8cm\''a3\''ac\''b9\''ac\''c7\''bb\''cf\''df\''be\''d3\''d6\''d0\''a1\''a3\''cb\''ab\''b2\''e0\''b8\''bd\''bc\''fe\''c7\''f8\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''b0\''fc\''bf\''e9\''a1\''a3\par
}
', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d7\''d3\''b9\''ac\''c7\''b0\''b1\''da\''bc\''a1\''c1\''f6\''a3\''a8\''bc\''a1\''b1\''da\''bc\''e4\''a3\''a9\par
}
', 6),
  (N'US02', N'产科', N'宫内早孕', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d7\''d3\''b9\''ac\''a3\''ba\''c7\''b0\''ce\''bb\''a3\''ac\''d4\''f6\''b4\''f3\''a3\''ac\''b9\''ac\''c7\''bb\''c4\''da\''bf\''c9\''bc\''fb\''d2\''bb\''c8\''d1\''c9\''ef\''c4\''d2\''a3\''ac\''b4\''f3\''d0\''a1\''d4\''bc2.4\''a1\''c12.1\''a1\''c11.8cm\''a3\''ac\''c4\''d2\''c4\''da\''bf\''c9\''bc\''fb\''c2\''d1\''bb\''c6\''c4\''d2\''bc\''b0\''c5\''df\''d1\''bf\''a3\''ac\par
\''c5\''df\''d1\''bf\''b3\''a4\''d4\''bc0.6cm\''a3\''ac\''bf\''c9\''bc\''fb\''d4\''ad\''ca\''bc\''d0\''c4\''b9\''dc\''b2\''ab\''b6\''af\''a1\''a3\''cb\''ab\''b2\''e0\''b8\''bd\''bc\''fe\''c7\''f8\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''b0\''fc\''bf\''e9\''a3\''ac\''c5\''e8\''c7\''bb\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''bb\''fd\''d2\''ba\''a1\''a3\par
}
', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''b9\''ac\''c4\''da\''d4\''e7\''d4\''d0\''a3\''ac\''bb\''ee\''cc\''a5\''a3\''a8\''d4\''bc6\''d6\''dc+3\''cc\''ec\''a3\''a9\par
}
', 7),
  (N'US''03', N'心脏', N'正常超声心动图', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''b8\''f7\''b7\''bf\''ca\''d2\''c4\''da\''be\''b6\''d5\''fd\''b3\''a3\''b7\''b6\''ce\''a7\''a3\''ac\''ca\''d2\''bc\''e4\''b8\''f4\''bc\''b0\''d7\''f3\''ca\''d2\''ba\''f3\''b1\''da\''ba\''f1\''b6\''c8\''d5\''fd\''b3\''a3\''a3\''ac\''d4\''cb\''b6\''af\''d0\''ad\''b5\''f7\''a3\''ac\''b7\''f9\''b6\''c8\''d5\''fd\''b3\''a3\''a1\''a3\par
\''b8\''f7\''b0\''ea\''c4\''a4\''d0\''ce\''cc\''ac\''a1\''a2\''bd\''e1\''b9\''b9\''bc\''b0\''c6\''f4\''b1\''d5\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3CDFI\''a3\''ba\''b6\''fe\''bc\''e2\''b0\''ea\''bc\''b0\''c8\''fd\''bc\''e2\''b0\''ea\''bf\''c9\''bc\''fb\''c9\''d9\''c1\''bf\''b7\''b4\''c1\''f7\''d0\''c5\''ba\''c5\''a1\''a3\par
\''d7\''f3\''ca\''d2\''c9\''e4\''d1\''aa\''b7\''d6\''ca\''fd\''a3\''a8EF\''a3\''a9\''d4\''bc65%\''a1\''a3\par
}
', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d0\''c4\''d4\''e0\''bd\''e1\''b9\''b9\''bc\''b0\''b9\''a6\''c4\''dc\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\par
\''b6\''fe\''bc\''e2\''b0\''ea\''a1\''a2\''c8\''fd\''bc\''e2\''b0\''ea\''c9\''d9\''c1\''bf\''b7\''b4\''c1\''f7\par
}
', 8);

INSERT INTO SpecialSymbol (symbol, uorder) VALUES
  (N'°', 1),
  (N'×', 2),
  (N'±', 3),
  (N'≤', 4),
  (N'≥', 5),
  (N'≈', 6),
  (N'←', 7),
  (N'→', 8),
  (N'↑', 9),
  (N'↓', 10),
  (N'℃', 11),
  (N'‰', 12),
  (N'α', 13),
  (N'β', 14),
  (N'μ', 15),
  (N'Ⅰ', 16),
  (N'Ⅱ', 17),
  (N'Ⅲ', 18),
  (N'Ⅳ', 19),
  (N'㎝', 20),
  (N'㎜', 21),
  (N'㎡', 22),
  (N'※', 23);

INSERT INTO Study (Accnu, PatientName, Sex, Age, kscode, ExamTime, PatientId, ReqDept, BedNo) VALUES
  (N'US20240520001', N'王桂兰', N'女', N'56岁', N'US01', N'2024-05-20 08:32:10.000', N'MZ0012873', N'体检中心', NULL),
  (N'US20240520002', N'李强', N'男', N'47岁', N'US01', N'2024-05-20 09:05:44.000', N'MZ0013102', N'急诊科', NULL),
  (N'US20240520003', N'陈晓梅', N'女', N'38岁', N'US01', N'2024-05-20 09:40:02.000', N'MZ0013355', N'甲状腺外科门诊', NULL),
  (N'US20240520004', N'刘建华', N'男', N'68岁', N'US01', N'2024-05-20 10:12:31.000', N'ZY0203417', N'泌尿外科', N'12'),
  (N'US20240520005', N'张小宝', N'男', N'2月', N'US01', N'2024-05-20 10:48:19.000', N'MZ0013590', N'儿童保健科', NULL),
  (N'US20240520006', N'黄丽', N'女', N'29岁', N'US02', N'2024-05-20 11:03:57.000', N'MZ0013611', N'产科门诊', NULL),
  (N'US20240520007', N'周芳', N'女', N'42岁', N'US02', N'2024-05-20 13:30:25.000', N'MZ0013704', N'妇科门诊', NULL),
  (N'US20240520008', N'孙倩', N'女', N'31岁', N'US02', N'2024-05-20 14:15:08.000', N'JZ0004521', N'急诊科', NULL),
  (N'US20240520009', N'马国庆', N'男', N'61岁', N'US''03', N'2024-05-20 14:50:40.000', N'ZY0203562', N'心内科', N'7'),
  (N'US20240521001', N'赵婷', N'女', N'45岁', N'US01', N'2024-05-21 08:20:15.000', N'MZ0013988', N'体检中心', NULL),
  (N'US20240521002', N'钱伟', N'男', N'52岁', N'US01', N'2024-05-21 08:45:50.000', N'MZ0014020', N'普外科门诊', NULL),
  (N'US20240521003', N'何丹', N'女', N'35岁', N'US02', N'2024-05-21 09:12:33.000', N'MZ0014107', N'妇科门诊', NULL),
  (N'US20240521004', N'林志远', N'男', N'58岁', N'US01', N'2024-05-21 10:05:12.000', N'ZY0204188', N'肿瘤内科', N'23');

INSERT INTO ExamItem (Accnu, ItemCode, ItemName, ItemOrder, Usable, ReportGuid) VALUES
  (N'US20240520001', N'U001', N'肝胆胰脾', 1, 1, N'60B67F58-DC6A-5A04-8D05-A2659B224C7D'),
  (N'US20240520002', N'U001', N'肝胆胰脾', 2, 1, N'4A709279-5168-55AA-93C6-BC439127FB88'),
  (N'US20240520003', N'U010', N'甲状腺及颈部淋巴结', 3, 1, N'872ED6A1-21C1-5C5F-9840-95EB856AC250'),
  (N'US20240520004', N'U020', N'双肾输尿管', 4, 1, N'3DBE8EF9-B0E6-57E5-910E-006702EA51E9'),
  (N'US20240520004', N'U021', N'膀胱', 5, 1, N'3DBE8EF9-B0E6-57E5-910E-006702EA51E9'),
  (N'US20240520004', N'U022', N'前列腺', 6, 1, N'3DBE8EF9-B0E6-57E5-910E-006702EA51E9'),
  (N'US20240520005', N'U030', N'双侧髋关节', 7, 1, N'0D1CC32A-51CF-5EEC-8F95-BDD16A3D02AB'),
  (N'US20240520006', N'G001', N'早孕', 8, 1, N'A869C212-8FF6-5C73-9CAD-5B745C6033AA'),
  (N'US20240520007', N'G010', N'子宫附件（经阴道）', 9, 1, N'6F462B5E-3B94-5B93-938D-62248F0D715F'),
  (N'US20240520008', N'G010', N'子宫附件（经阴道）', 10, 1, N'E92040B5-2034-55F1-B39C-DE846C6D9A70'),
  (N'US20240520009', N'C001', N'超声心动图', 11, 1, N'F5CD0FE9-1523-5045-B46C-26E1702F0C24'),
  (N'US20240521001', N'U001', N'肝胆胰脾', 12, 1, NULL),
  (N'US20240521001', N'U020', N'双肾输尿管', 13, 1, NULL),
  (N'US20240521001', N'U010', N'甲状腺及颈部淋巴结', 14, 1, NULL),
  (N'US20240521001', N'U040', N'乳腺及腋窝淋巴结', 15, 1, NULL),
  (N'US20240521001', N'U050', N'颈部血管', 16, 0, NULL),
  (N'US20240521002', N'U001', N'肝胆胰脾', 17, 1, NULL),
  (N'US20240521002', N'U060', N'阑尾', 18, 1, NULL),
  (N'US20240521003', N'G010', N'子宫附件（经阴道）', 19, 1, NULL),
  (N'US20240521004', N'U001', N'肝胆胰脾', 20, 1, N'6C7765BA-4BB7-5DCE-866A-375A1228D3EC'),
  (N'US20240521004', N'U020', N'双肾输尿管', 21, 1, N'6C7765BA-4BB7-5DCE-866A-375A1228D3EC'),
  (N'US20240521004', N'U010', N'甲状腺及颈部淋巴结', 22, 1, N'6C7765BA-4BB7-5DCE-866A-375A1228D3EC'),
  (N'US20240521004', N'U070', N'浅表淋巴结', 23, 1, N'6C7765BA-4BB7-5DCE-866A-375A1228D3EC');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  (N'60B67F58-DC6A-5A04-8D05-A2659B224C7D', N'US20240520001', N'NB0520001', N'经腹部超声检查', N'肝胆胰脾', N'U001', N'腹部', N'经腹', N'优', N'肝脏：形态大小正常，包膜光滑，实质回声均匀，肝内管道结构清晰，门静脉主干内径约1.0cm。
胆囊：大小约6.5×2.8cm，壁光滑，腔内未见明显异常回声。胆总管内径约0.4cm。
胰腺：形态大小正常，回声均匀，主胰管未见扩张。
脾脏：厚约3.5cm，实质回声均匀。', N'肝、胆、胰、脾未见明显异常。', NULL, N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''b8\''ce\''d4\''e0\''a3\''ba\''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d5\''fd\''b3\''a3\''a3\''ac\''b0\''fc\''c4\''a4\''b9\''e2\''bb\''ac\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''b8\''ce\''c4\''da\''b9\''dc\''b5\''c0\''bd\''e1\''b9\''b9\''c7\''e5\''ce\''fa\''a3\''ac\''c3\''c5\''be\''b2\''c2\''f6\''d6\''f7\''b8\''c9\''c4\''da\''be\''b6\''d4\''bc1.0cm\''a1\''a3\par
\''b5\''a8\''c4\''d2\''a3\''ba\''b4\''f3\''d0\''a1\''d4\''bc6.5\''a1\''c12.8cm\''a3\''ac\''b1\''da\''b9\''e2\''bb\''ac\''a3\''ac\''c7\''bb\''c4\''da\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''bb\''d8\''c9\''f9\''a1\''a3\''b5\''a8\''d7\''dc\''b9\''dc\''c4\''da\''be\''b6\''d4\''bc0.4cm\''a1\''a3\par
\''d2\''c8\''cf\''d9\''a3\''ba\''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d5\''fd\''b3\''a3\''a3\''ac\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''d6\''f7\''d2\''c8\''b9\''dc\''ce\''b4\''bc\''fb\''c0\''a9\''d5\''c5\''a1\''a3\par
\''c6\''a2\''d4\''e0\''a3\''ba\''ba\''f1\''d4\''bc3.5cm\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a1\''a3\par
}
', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''b8\''ce\''a1\''a2\''b5\''a8\''a1\''a2\''d2\''c8\''a1\''a2\''c6\''a2\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
}
', 5, N'3.5MHz', NULL, N'王建国', N'D002', N'王建国', N'D002', N'张医生', N'D001', NULL, NULL, N'2024-05-20 08:50:12.000', N'2024-05-20 09:10:45.000', NULL, 1, 0, NULL, NULL, N'体检', N'肝脏,胆囊,胰腺,脾脏', N'P01,P02,P03,P04', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, N'2024-05-20 08:32:15.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  (N'4A709279-5168-55AA-93C6-BC439127FB88', N'US20240520002', N'NB0520002', N'经腹部超声检查', N'肝胆胰脾', N'U001', N'腹部', N'经腹', N'良', N'肝脏：形态大小正常，包膜光滑，实质回声稍增强，后方回声无明显衰减。
胆囊：大小约7.2×3.1cm，壁毛糙，厚约0.4cm，腔内可见数个强回声团，最大约1.2×0.9cm，后伴声影，可随体位改变而移动。
胰腺、脾脏：未见明显异常。', N'胆囊多发结石伴胆囊炎
轻度脂肪肝', N'建议肝胆外科就诊。', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''b8\''ce\''d4\''e0\''a3\''ba\''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d5\''fd\''b3\''a3\''a3\''ac\''b0\''fc\''c4\''a4\''b9\''e2\''bb\''ac\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''c9\''d4\''d4\''f6\''c7\''bf\''a3\''ac\''ba\''f3\''b7\''bd\''bb\''d8\''c9\''f9\''ce\''de\''c3\''f7\''cf\''d4\''cb\''a5\''bc\''f5\''a1\''a3\par
\''b5\''a8\''c4\''d2\''a3\''ba\''b4\''f3\''d0\''a1\''d4\''bc7.2\''a1\''c13.1cm\''a3\''ac\''b1\''da\''c3\''ab\''b2\''da\''a3\''ac\''ba\''f1\''d4\''bc0.4cm\''a3\''ac\''c7\''bb\''c4\''da\''bf\''c9\''bc\''fb\''ca\''fd\''b8\''f6\''c7\''bf\''bb\''d8\''c9\''f9\''cd\''c5\''a3\''ac\b \''d7\''ee\''b4\''f3\''d4\''bc1.2\''a1\''c10.9cm\b0 \''a3\''ac\''ba\''f3\''b0\''e9\''c9\''f9\''d3\''b0\''a3\''ac\''bf\''c9\''cb\''e6\''cc\''e5\''ce\''bb\''b8\''c4\''b1\''e4\''b6\''f8\''d2\''c6\''b6\''af\''a1\''a3\par
\''d2\''c8\''cf\''d9\''a1\''a2\''c6\''a2\''d4\''e0\''a3\''ba\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
}
', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \b \''b5\''a8\''c4\''d2\''b6\''e0\''b7\''a2\''bd\''e1\''ca\''af\b0 \''b0\''e9\''b5\''a8\''c4\''d2\''d1\''d7\par
\''c7\''e1\''b6\''c8\''d6\''ac\''b7\''be\''b8\''ce\par
}
', 5, N'3.5MHz', NULL, N'王建国', N'D002', N'王建国', N'D002', N'张医生', N'D001', NULL, NULL, N'2024-05-20 09:25:03.000', N'2024-05-20 09:40:27.000', NULL, 1, 1, NULL, NULL, N'腹痛待查', N'肝脏,胆囊', N'P01,P02', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, N'2024-05-20 09:05:50.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  (N'872ED6A1-21C1-5C5F-9840-95EB856AC250', N'US20240520003', N'NB0520003', N'彩色多普勒超声检查', N'甲状腺及颈部淋巴结', N'U010', N'浅表器官', N'体表', N'优', N'甲状腺：左叶大小约4.6×1.8×1.6cm，右叶大小约4.8×1.9×1.7cm，峡部厚约0.3cm，包膜完整。
右叶中部可见一低回声结节，大小约0.8×0.7cm，纵横比>1，边缘不光整，内见点状强回声，CDFI：结节内可见少许血流信号。
左叶实质回声均匀，未见明显占位。双侧颈部未见明显肿大淋巴结。', N'甲状腺右叶实性结节，TI-RADS 4b类
建议进一步行细针穿刺活检。', N'建议进一步行超声造影或穿刺活检。', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''bc\''d7\''d7\''b4\''cf\''d9\''a3\''ba\''d7\''f3\''d2\''b6\''b4\''f3\''d0\''a1\''d4\''bc4.6\''a1\''c11.8\''a1\''c11.6cm\''a3\''ac\''d3\''d2\''d2\''b6\''b4\''f3\''d0\''a1\''d4\''bc4.8\''a1\''c11.9\''a1\''c11.7cm\''a3\''ac\''cf\''bf\''b2\''bf\''ba\''f1\''d4\''bc0.3cm\''a3\''ac\''b0\''fc\''c4\''a4\''cd\''ea\''d5\''fb\''a1\''a3\par
\''d3\''d2\''d2\''b6\''d6\''d0\''b2\''bf\''bf\''c9\''bc\''fb\''d2\''bb\''b5\''cd\''bb\''d8\''c9\''f9\''bd\''e1\''bd\''da\''a3\''ac\''b4\''f3\''d0\''a1\''d4\''bc0.8\''a1\''c10.7cm\''a3\''ac\b \''d7\''dd\''ba\''e1\''b1\''c8>1\b0 \''a3\''ac\''b1\''df\''d4\''b5\''b2\''bb\''b9\''e2\''d5\''fb\''a3\''ac\''c4\''da\''bc\''fb\''b5\''e3\''d7\''b4\''c7\''bf\''bb\''d8\''c9\''f9\''a3\''acCDFI\''a3\''ba\''bd\''e1\''bd\''da\''c4\''da\''bf\''c9\''bc\''fb\''c9\''d9\''d0\''ed\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''a1\''a3\par
\''d7\''f3\''d2\''b6\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d5\''bc\''ce\''bb\''a1\''a3\''cb\''ab\''b2\''e0\''be\''b1\''b2\''bf\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d6\''d7\''b4\''f3\''c1\''dc\''b0\''cd\''bd\''e1\''a1\''a3\par
}
', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \b \''bc\''d7\''d7\''b4\''cf\''d9\''d3\''d2\''d2\''b6\''ca\''b5\''d0\''d4\''bd\''e1\''bd\''da\''a3\''acTI-RADS 4b\''c0\''e0\b0\par
\''bd\''a8\''d2\''e9\''bd\''f8\''d2\''bb\''b2\''bd\''d0\''d0\''cf\''b8\''d5\''eb\''b4\''a9\''b4\''cc\''bb\''ee\''bc\''ec\''a1\''a3\par
}
', 2, N'5-12MHz线阵', NULL, N'李秀英', N'D003', N'李秀英', N'D003', N'王建国', N'D002', NULL, NULL, N'2024-05-20 10:02:44.000', N'2024-05-20 10:05:00.000', NULL, 0, 1, NULL, NULL, N'甲状腺结节', N'甲状腺', N'P08', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, N'2024-05-20 09:40:10.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  (N'3DBE8EF9-B0E6-57E5-910E-006702EA51E9', N'US20240520004', N'NB0520004', N'经腹部超声检查', N'双肾输尿管,膀胱,前列腺', N'U020,U021,U022', N'泌尿系', N'经腹', N'良', N'双肾：大小形态正常，皮髓质分界清，集合系统未见分离。双侧输尿管未见扩张。
膀胱：充盈好，壁光滑，腔内未见明显异常回声。
前列腺：大小约4.6×3.5×3.2cm，内腺增大，回声不均，可见点状钙化。', N'前列腺增生伴钙化', NULL, N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''cb\''ab\''c9\''f6\''a3\''ba\''b4\''f3\''d0\''a1\''d0\''ce\''cc\''ac\''d5\''fd\''b3\''a3\''a3\''ac\''c6\''a4\''cb\''e8\''d6\''ca\''b7\''d6\''bd\''e7\''c7\''e5\''a3\''ac\''bc\''af\''ba\''cf\''cf\''b5\''cd\''b3\''ce\''b4\''bc\''fb\''b7\''d6\''c0\''eb\''a1\''a3\''cb\''ab\''b2\''e0\''ca\''e4\''c4\''f2\''b9\''dc\''ce\''b4\''bc\''fb\''c0\''a9\''d5\''c5\''a1\''a3\par
\''b0\''f2\''eb\''d7\''a3\''ba\''b3\''e4\''d3\''af\''ba\''c3\''a3\''ac\''b1\''da\''b9\''e2\''bb\''ac\''a3\''ac\''c7\''bb\''c4\''da\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''bb\''d8\''c9\''f9\''a1\''a3\par
\''c7\''b0\''c1\''d0\''cf\''d9\''a3\''ba\''b4\''f3\''d0\''a1\''d4\''bc4.6\''a1\''c13.5\''a1\''c13.2cm\''a3\''ac\''c4\''da\''cf\''d9\''d4\''f6\''b4\''f3\''a3\''ac\''bb\''d8\''c9\''f9\''b2\''bb\''be\''f9\''a3\''ac\''bf\''c9\''bc\''fb\''b5\''e3\''d7\''b4\''b8\''c6\''bb\''af\''a1\''a3\par
}
', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''c7\''b0\''c1\''d0\''cf\''d9\''d4\''f6\''c9\''fa\''b0\''e9\''b8\''c6\''bb\''af\par
}
', 5, N'3.5MHz', NULL, N'王建国', N'D002', N'王建国', N'D002', N'张医生', N'D001', NULL, NULL, N'2024-05-20 10:35:20.000', N'2024-05-20 11:00:00.000', NULL, 1, 1, NULL, N'膀胱充盈欠佳。', N'尿频待查', N'双肾,膀胱,前列腺', N'P05,P06,P07', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, N'2024-05-20 10:12:40.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  (N'0D1CC32A-51CF-5EEC-8F95-BDD16A3D02AB', N'US20240520005', N'NB0520005', N'经体表超声检查', N'双侧髋关节', N'U030', N'髋关节', N'体表', N'优', N'左侧髋关节：基线平直，髋臼骨顶凹面，骨性突起锐，软骨盂唇长，骨化中心未出现，α角约62°，β角约50°。
右侧髋关节：基线平直，髋臼骨顶斜面，骨性突起钝，软骨盂唇宽，骨化中心未出现，α角约55°，β角约58°。', N'左侧髋关节Graf Ⅰa型
右侧髋关节Graf Ⅱa型，建议6周后复查', N'建议6周后复查。', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d7\''f3\''b2\''e0\''f7\''c5\''b9\''d8\''bd\''da\''a3\''ba\''bb\''f9\''cf\''df\''c6\''bd\''d6\''b1\''a3\''ac\''f7\''c5\''be\''ca\''b9\''c7\''b6\''a5\''b0\''bc\''c3\''e6\''a3\''ac\''b9\''c7\''d0\''d4\''cd\''bb\''c6\''f0\''c8\''f1\''a3\''ac\''c8\''ed\''b9\''c7\''d3\''db\''b4\''bd\''b3\''a4\''a3\''ac\''b9\''c7\''bb\''af\''d6\''d0\''d0\''c4\''ce\''b4\''b3\''f6\''cf\''d6\''a3\''ac\''a6\''c1\''bd\''c7\''d4\''bc62\''a1\''e3\''a3\''ac\''a6\''c2\''bd\''c7\''d4\''bc50\''a1\''e3\''a1\''a3\par
\''d3\''d2\''b2\''e0\''f7\''c5\''b9\''d8\''bd\''da\''a3\''ba\''bb\''f9\''cf\''df\''c6\''bd\''d6\''b1\''a3\''ac\''f7\''c5\''be\''ca\''b9\''c7\''b6\''a5\''d0\''b1\''c3\''e6\''a3\''ac\''b9\''c7\''d0\''d4\''cd\''bb\''c6\''f0\''b6\''db\''a3\''ac\''c8\''ed\''b9\''c7\''d3\''db\''b4\''bd\''bf\''ed\''a3\''ac\''b9\''c7\''bb\''af\''d6\''d0\''d0\''c4\''ce\''b4\''b3\''f6\''cf\''d6\''a3\''ac\''a6\''c1\''bd\''c7\''d4\''bc55\''a1\''e3\''a3\''ac\''a6\''c2\''bd\''c7\''d4\''bc58\''a1\''e3\''a1\''a3\par
}
', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d7\''f3\''b2\''e0\''f7\''c5\''b9\''d8\''bd\''daGraf \''a2\''f1a\''d0\''cd\par
\b \''d3\''d2\''b2\''e0\''f7\''c5\''b9\''d8\''bd\''daGraf \''a2\''f2a\''d0\''cd\''a3\''ac\''bd\''a8\''d2\''e96\''d6\''dc\''ba\''f3\''b8\''b4\''b2\''e9\b0\par
}
', 2, N'5-12MHz线阵', NULL, N'刘洋', N'D004', N'刘洋', N'D004', NULL, NULL, NULL, NULL, N'2024-05-20 11:05:33.000', NULL, NULL, 0, 1, NULL, NULL, N'发育性髋关节发育不良筛查', N'双侧髋关节', N'P10', N'平直', N'凹面', N'锐', N'长', N'未出现', N'平直', N'斜面', N'钝', N'宽,强', N'未出现', N'62', N'55', N'50', N'58', N'2024-05-20 10:48:25.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  (N'A869C212-8FF6-5C73-9CAD-5B745C6033AA', N'US20240520006', N'NB0520006', N'经腹部超声检查', N'早孕', N'G001', N'产科', N'经腹', N'良', N'子宫：前位，增大，宫腔内可见一妊娠囊，大小约2.4×2.1×1.8cm，囊内可见卵黄囊及胚芽，
胚芽长约0.6cm，可见原始心管搏动。双侧附件区未见明显包块，盆腔未见明显积液。', N'宫内早孕，活胎（约6周+3天）', NULL, N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d7\''d3\''b9\''ac\''a3\''ba\''c7\''b0\''ce\''bb\''a3\''ac\''d4\''f6\''b4\''f3\''a3\''ac\''b9\''ac\''c7\''bb\''c4\''da\''bf\''c9\''bc\''fb\''d2\''bb\''c8\''d1\''c9\''ef\''c4\''d2\''a3\''ac\''b4\''f3\''d0\''a1\''d4\''bc2.4\''a1\''c12.1\''a1\''c11.8cm\''a3\''ac\''c4\''d2\''c4\''da\''bf\''c9\''bc\''fb\''c2\''d1\''bb\''c6\''c4\''d2\''bc\''b0\''c5\''df\''d1\''bf\''a3\''ac\par
\''c5\''df\''d1\''bf\''b3\''a4\''d4\''bc0.6cm\''a3\''ac\''bf\''c9\''bc\''fb\''d4\''ad\''ca\''bc\''d0\''c4\''b9\''dc\''b2\''ab\''b6\''af\''a1\''a3\''cb\''ab\''b2\''e0\''b8\''bd\''bc\''fe\''c7\''f8\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''b0\''fc\''bf\''e9\''a3\''ac\''c5\''e8\''c7\''bb\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''bb\''fd\''d2\''ba\''a1\''a3\par
}
', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''b9\''ac\''c4\''da\''d4\''e7\''d4\''d0\''a3\''ac\''bb\''ee\''cc\''a5\''a3\''a8\''d4\''bc6\''d6\''dc+3\''cc\''ec\''a3\''a9\par
}
', 5, N'3.5MHz', NULL, N'赵敏', N'D101', N'赵敏', N'D101', N'孙丽华', N'D102', NULL, NULL, N'2024-05-20 11:20:05.000', N'2024-05-20 11:30:40.000', NULL, 1, 0, NULL, NULL, N'停经待查', N'子宫', N'P20', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, N'2024-05-20 11:04:00.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  (N'6F462B5E-3B94-5B93-938D-62248F0D715F', N'US20240520007', N'NB0520007', N'经阴道超声检查', N'子宫附件（经阴道）', N'G010', N'妇科', N'经阴道', N'优', N'子宫：前位，大小约6.2×5.8×4.9cm，形态饱满，肌层回声不均，
前壁肌层可见一低回声团，大小约3.1×2.7cm，边界清，CDFI：周边可见环状血流信号。
内膜厚约0.8cm，宫腔线居中。双侧附件区未见明显包块。', N'子宫前壁肌瘤（肌壁间）', N'建议定期复查。', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d7\''d3\''b9\''ac\''a3\''ba\''c7\''b0\''ce\''bb\''a3\''ac\''b4\''f3\''d0\''a1\''d4\''bc6.2\''a1\''c15.8\''a1\''c14.9cm\''a3\''ac\''d0\''ce\''cc\''ac\''b1\''a5\''c2\''fa\''a3\''ac\''bc\''a1\''b2\''e3\''bb\''d8\''c9\''f9\''b2\''bb\''be\''f9\''a3\''ac\par
\''c7\''b0\''b1\''da\''bc\''a1\''b2\''e3\''bf\''c9\''bc\''fb\''d2\''bb\''b5\''cd\''bb\''d8\''c9\''f9\''cd\''c5\''a3\''ac\''b4\''f3\''d0\''a1\''d4\''bc3.1\''a1\''c12.7cm\''a3\''ac\''b1\''df\''bd\''e7\''c7\''e5\''a3\''acCDFI\''a3\''ba\''d6\''dc\''b1\''df\''bf\''c9\''bc\''fb\''bb\''b7\''d7\''b4\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''a1\''a3\par
\''c4\''da\''c4\''a4\''ba\''f1\''d4\''bc0.8cm\''a3\''ac\''b9\''ac\''c7\''bb\''cf\''df\''be\''d3\''d6\''d0\''a1\''a3\''cb\''ab\''b2\''e0\''b8\''bd\''bc\''fe\''c7\''f8\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''b0\''fc\''bf\''e9\''a1\''a3\par
}
', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d7\''d3\''b9\''ac\''c7\''b0\''b1\''da\''bc\''a1\''c1\''f6\''a3\''a8\''bc\''a1\''b1\''da\''bc\''e4\''a3\''a9\par
}
', 5, N'5.0MHz', NULL, N'孙丽华', N'D102', N'孙丽华', N'D102', N'赵敏', N'D101', N'周婷', N'D103', N'2024-05-20 13:50:16.000', N'2024-05-20 14:02:09.000', N'2024-05-20 13:58:00.000', 1, 1, NULL, NULL, N'月经不规则', N'子宫,双侧附件', N'P20,P21', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, N'2024-05-20 13:30:30.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  (N'E92040B5-2034-55F1-B39C-DE846C6D9A70', N'US20240520008', N'NB0520008', N'经阴道超声检查', N'子宫附件（经阴道）', N'G010', N'妇科', N'经阴道', N'中', N'子宫：前位，大小正常，宫腔内未见妊娠囊回声，内膜厚约1.2cm。
左侧附件区可见一混合回声包块，大小约4.5×3.8cm，边界欠清。盆腹腔可见游离液性暗区，最深约5.6cm。', N'左侧附件区混合性包块，考虑异位妊娠破裂可能
盆腹腔积液', NULL, N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d7\''d3\''b9\''ac\''a3\''ba\''c7\''b0\''ce\''bb\''a3\''ac\''b4\''f3\''d0\''a1\''d5\''fd\''b3\''a3\''a3\''ac\''b9\''ac\''c7\''bb\''c4\''da\''ce\''b4\''bc\''fb\''c8\''d1\''c9\''ef\''c4\''d2\''bb\''d8\''c9\''f9\''a3\''ac\''c4\''da\''c4\''a4\''ba\''f1\''d4\''bc1.2cm\''a1\''a3\par
\''d7\''f3\''b2\''e0\''b8\''bd\''bc\''fe\''c7\''f8\''bf\''c9\''bc\''fb\''d2\''bb\''bb\''ec\''ba\''cf\''bb\''d8\''c9\''f9\''b0\''fc\''bf\''e9\''a3\''ac\''b4\''f3\''d0\''a1\''d4\''bc4.5\''a1\''c13.8cm\''a3\''ac\''b1\''df\''bd\''e7\''c7\''b7\''c7\''e5\''a1\''a3\b\cf1 \''c5\''e8\''b8\''b9\''c7\''bb\''bf\''c9\''bc\''fb\''d3\''ce\''c0\''eb\''d2\''ba\''d0\''d4\''b0\''b5\''c7\''f8\''a3\''ac\''d7\''ee\''c9\''ee\''d4\''bc5.6cm\b0\cf0 \''a1\''a3\par
}
', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \b\cf1 \''d7\''f3\''b2\''e0\''b8\''bd\''bc\''fe\''c7\''f8\''bb\''ec\''ba\''cf\''d0\''d4\''b0\''fc\''bf\''e9\''a3\''ac\''bf\''bc\''c2\''c7\''d2\''ec\''ce\''bb\''c8\''d1\''c9\''ef\''c6\''c6\''c1\''d1\''bf\''c9\''c4\''dc\b0\cf0\par
\cf1 \''c5\''e8\''b8\''b9\''c7\''bb\''bb\''fd\''d2\''ba\cf0\par
}
', 2, N'5.0MHz', NULL, N'周婷', N'D103', N'周婷', N'D103', NULL, NULL, NULL, NULL, N'2024-05-20 14:30:51.000', NULL, NULL, 0, 1, N'异位妊娠破裂伴腹腔积液', N'已电话通知临床医生。', N'停经腹痛', N'子宫,双侧附件', N'P20,P21', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, N'2024-05-20 14:15:12.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  (N'F5CD0FE9-1523-5045-B46C-26E1702F0C24', N'US20240520009', N'NB0520009', N'经胸超声心动图检查', N'超声心动图', N'C001', N'心脏', N'体表', N'良', N'各房室内径正常范围，室间隔及左室后壁厚度正常，运动协调，幅度正常。
各瓣膜形态、结构及启闭未见明显异常。CDFI：二尖瓣及三尖瓣可见少量反流信号。
左室射血分数（EF）约65%。', N'心脏结构及功能未见明显异常
二尖瓣、三尖瓣少量反流', NULL, N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''b8\''f7\''b7\''bf\''ca\''d2\''c4\''da\''be\''b6\''d5\''fd\''b3\''a3\''b7\''b6\''ce\''a7\''a3\''ac\''ca\''d2\''bc\''e4\''b8\''f4\''bc\''b0\''d7\''f3\''ca\''d2\''ba\''f3\''b1\''da\''ba\''f1\''b6\''c8\''d5\''fd\''b3\''a3\''a3\''ac\''d4\''cb\''b6\''af\''d0\''ad\''b5\''f7\''a3\''ac\''b7\''f9\''b6\''c8\''d5\''fd\''b3\''a3\''a1\''a3\par
\''b8\''f7\''b0\''ea\''c4\''a4\''d0\''ce\''cc\''ac\''a1\''a2\''bd\''e1\''b9\''b9\''bc\''b0\''c6\''f4\''b1\''d5\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3CDFI\''a3\''ba\''b6\''fe\''bc\''e2\''b0\''ea\''bc\''b0\''c8\''fd\''bc\''e2\''b0\''ea\''bf\''c9\''bc\''fb\''c9\''d9\''c1\''bf\''b7\''b4\''c1\''f7\''d0\''c5\''ba\''c5\''a1\''a3\par
\''d7\''f3\''ca\''d2\''c9\''e4\''d1\''aa\''b7\''d6\''ca\''fd\''a3\''a8EF\''a3\''a9\''d4\''bc65%\''a1\''a3\par
}
', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d0\''c4\''d4\''e0\''bd\''e1\''b9\''b9\''bc\''b0\''b9\''a6\''c4\''dc\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\par
\''b6\''fe\''bc\''e2\''b0\''ea\''a1\''a2\''c8\''fd\''bc\''e2\''b0\''ea\''c9\''d9\''c1\''bf\''b7\''b4\''c1\''f7\par
}
', 5, N'2-5MHz凸阵', NULL, N'吴志强', N'D201', N'吴志强', N'D201', N'郑晓燕', N'D202', NULL, NULL, N'2024-05-20 15:10:00.000', N'2024-05-20 15:20:00.000', NULL, 1, 0, NULL, NULL, N'胸闷待查', N'心脏', N'P30', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, N'2024-05-20 14:50:45.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  (N'6C7765BA-4BB7-5DCE-866A-375A1228D3EC', N'US20240521004', N'NB0521004', N'彩色多普勒超声检查', N'肝胆胰脾,双肾输尿管,甲状腺及颈部淋巴结,浅表淋巴结', N'U001,U020,U010,U070', N'腹部', N'经腹', N'良', N'1. 肝脏：形态大小在正常范围，边界清晰，包膜（或管壁）光滑连续，实质回声均匀，未见明显占位性病变，CDFI：血流信号分布未见明显异常。
与2024年2月18日本院超声比较：肝脏测值变化在测量误差范围内，未见新发病灶，原有描述之小囊性灶大小约0.3×0.2cm，无明显变化。
2. 胆囊：形态大小在正常范围，边界清晰，包膜（或管壁）光滑连续，实质回声均匀，未见明显占位性病变，CDFI：血流信号分布未见明显异常。
与2024年2月18日本院超声比较：胆囊测值变化在测量误差范围内，未见新发病灶，原有描述之小囊性灶大小约0.3×0.2cm，无明显变化。
3. 胆总管：形态大小在正常范围，边界清晰，包膜（或管壁）光滑连续，实质回声均匀，未见明显占位性病变，CDFI：血流信号分布未见明显异常。
与2024年2月18日本院超声比较：胆总管测值变化在测量误差范围内，未见新发病灶，原有描述之小囊性灶大小约0.3×0.2cm，无明显变化。
4. 胰腺：形态大小在正常范围，边界清晰，包膜（或管壁）光滑连续，实质回声均匀，未见明显占位性病变，CDFI：血流信号分布未见明显异常。
与2024年2月18日本院超声比较：胰腺测值变化在测量误差范围内，未见新发病灶，原有描述之小囊性灶大小约0.3×0.2cm，无明显变化。
5. 脾脏：形态大小在正常范围，边界清晰，包膜（或管壁）光滑连续，实质回声均匀，未见明显占位性病变，CDFI：血流信号分布未见明显异常。
与2024年2月18日本院超声比较：脾脏测值变化在测量误差范围内，未见新发病灶，原有描述之小囊性灶大小约0.3×0.2cm，无明显变化。
注意：脾脏区域因肠气干扰部分显示欠清，必要时结合CT检查。
6. 左肾：形态大小在正常范围，边界清晰，包膜（或管壁）光滑连续，实质回声均匀，未见明显占位性病变，CDFI：血流信号分布未见明显异常。
与2024年2月18日本院超声比较：左肾测值变化在测量误差范围内，未见新发病灶，原有描述之小囊性灶大小约0.3×0.2cm，无明显变化。
7. 右肾：形态大小在正常范围，边界清晰，包膜（或管壁）光滑连续，实质回声均匀，未见明显占位性病变，CDFI：血流信号分布未见明显异常。
与2024年2月18日本院超声比较：右肾测值变化在测量误差范围内，未见新发病灶，原有描述之小囊性灶大小约0.3×0.2cm，无明显变化。
8. 左侧输尿管：形态大小在正常范围，边界清晰，包膜（或管壁）光滑连续，实质回声均匀，未见明显占位性病变，CDFI：血流信号分布未见明显异常。
与2024年2月18日本院超声比较：左侧输尿管测值变化在测量误差范围内，未见新发病灶，原有描述之小囊性灶大小约0.3×0.2cm，无明显变化。
9. 右侧输尿管：形态大小在正常范围，边界清晰，包膜（或管壁）光滑连续，实质回声均匀，未见明显占位性病变，CDFI：血流信号分布未见明显异常。
与2024年2月18日本院超声比较：右侧输尿管测值变化在测量误差范围内，未见新发病灶，原有描述之小囊性灶大小约0.3×0.2cm，无明显变化。
10. 膀胱：形态大小在正常范围，边界清晰，包膜（或管壁）光滑连续，实质回声均匀，未见明显占位性病变，CDFI：血流信号分布未见明显异常。
与2024年2月18日本院超声比较：膀胱测值变化在测量误差范围内，未见新发病灶，原有描述之小囊性灶大小约0.3×0.2cm，无明显变化。
注意：膀胱区域因肠气干扰部分显示欠清，必要时结合CT检查。
11. 前列腺：形态大小在正常范围，边界清晰，包膜（或管壁）光滑连续，实质回声均匀，未见明显占位性病变，CDFI：血流信号分布未见明显异常。
与2024年2月18日本院超声比较：前列腺测值变化在测量误差范围内，未见新发病灶，原有描述之小囊性灶大小约0.3×0.2cm，无明显变化。
12. 腹膜后：形态大小在正常范围，边界清晰，包膜（或管壁）光滑连续，实质回声均匀，未见明显占位性病变，CDFI：血流信号分布未见明显异常。
与2024年2月18日本院超声比较：腹膜后测值变化在测量误差范围内，未见新发病灶，原有描述之小囊性灶大小约0.3×0.2cm，无明显变化。
13. 腹主动脉：形态大小在正常范围，边界清晰，包膜（或管壁）光滑连续，实质回声均匀，未见明显占位性病变，CDFI：血流信号分布未见明显异常。
与2024年2月18日本院超声比较：腹主动脉测值变化在测量误差范围内，未见新发病灶，原有描述之小囊性灶大小约0.3×0.2cm，无明显变化。
14. 下腔静脉：形态大小在正常范围，边界清晰，包膜（或管壁）光滑连续，实质回声均匀，未见明显占位性病变，CDFI：血流信号分布未见明显异常。
与2024年2月18日本院超声比较：下腔静脉测值变化在测量误差范围内，未见新发病灶，原有描述之小囊性灶大小约0.3×0.2cm，无明显变化。
15. 甲状腺左叶：形态大小在正常范围，边界清晰，包膜（或管壁）光滑连续，实质回声均匀，未见明显占位性病变，CDFI：血流信号分布未见明显异常。
与2024年2月18日本院超声比较：甲状腺左叶测值变化在测量误差范围内，未见新发病灶，原有描述之小囊性灶大小约0.3×0.2cm，无明显变化。
注意：甲状腺左叶区域因肠气干扰部分显示欠清，必要时结合CT检查。
16. 甲状腺右叶：形态大小在正常范围，边界清晰，包膜（或管壁）光滑连续，实质回声均匀，未见明显占位性病变，CDFI：血流信号分布未见明显异常。
与2024年2月18日本院超声比较：甲状腺右叶测值变化在测量误差范围内，未见新发病灶，原有描述之小囊性灶大小约0.3×0.2cm，无明显变化。
17. 左侧颈部淋巴结：形态大小在正常范围，边界清晰，包膜（或管壁）光滑连续，实质回声均匀，未见明显占位性病变，CDFI：血流信号分布未见明显异常。
与2024年2月18日本院超声比较：左侧颈部淋巴结测值变化在测量误差范围内，未见新发病灶，原有描述之小囊性灶大小约0.3×0.2cm，无明显变化。
18. 右侧颈部淋巴结：形态大小在正常范围，边界清晰，包膜（或管壁）光滑连续，实质回声均匀，未见明显占位性病变，CDFI：血流信号分布未见明显异常。
与2024年2月18日本院超声比较：右侧颈部淋巴结测值变化在测量误差范围内，未见新发病灶，原有描述之小囊性灶大小约0.3×0.2cm，无明显变化。
19. 左侧腋窝淋巴结：形态大小在正常范围，边界清晰，包膜（或管壁）光滑连续，实质回声均匀，未见明显占位性病变，CDFI：血流信号分布未见明显异常。
与2024年2月18日本院超声比较：左侧腋窝淋巴结测值变化在测量误差范围内，未见新发病灶，原有描述之小囊性灶大小约0.3×0.2cm，无明显变化。
20. 右侧腋窝淋巴结：形态大小在正常范围，边界清晰，包膜（或管壁）光滑连续，实质回声均匀，未见明显占位性病变，CDFI：血流信号分布未见明显异常。
与2024年2月18日本院超声比较：右侧腋窝淋巴结测值变化在测量误差范围内，未见新发病灶，原有描述之小囊性灶大小约0.3×0.2cm，无明显变化。
注意：右侧腋窝淋巴结区域因肠气干扰部分显示欠清，必要时结合CT检查。', N'1. 肝、胆、胰、脾、双肾、膀胱、前列腺未见明显异常。
2. 与2024年2月18日比较未见新发病灶。
3. 甲状腺及颈部、锁骨上、腋窝、腹股沟淋巴结未见明显肿大。
4. 腹膜后、盆腔、胸腔未见明显积液及占位。', N'建议3个月后复查。', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \b 1. \''b8\''ce\''d4\''e0\''a3\''ba\b0 \''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d4\''da\''d5\''fd\''b3\''a3\''b7\''b6\''ce\''a7\''a3\''ac\''b1\''df\''bd\''e7\''c7\''e5\''ce\''fa\''a3\''ac\''b0\''fc\''c4\''a4\''a3\''a8\''bb\''f2\''b9\''dc\''b1\''da\''a3\''a9\''b9\''e2\''bb\''ac\''c1\''ac\''d0\''f8\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d5\''bc\''ce\''bb\''d0\''d4\''b2\''a1\''b1\''e4\''a3\''acCDFI\''a3\''ba\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''b7\''d6\''b2\''bc\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
\''d3\''eb2024\''c4\''ea2\''d4\''c218\''c8\''d5\''b1\''be\''d4\''ba\''b3\''ac\''c9\''f9\''b1\''c8\''bd\''cf\''a3\''ba\''b8\''ce\''d4\''e0\''b2\''e2\''d6\''b5\''b1\''e4\''bb\''af\''d4\''da\''b2\''e2\''c1\''bf\''ce\''f3\''b2\''ee\''b7\''b6\''ce\''a7\''c4\''da\''a3\''ac\''ce\''b4\''bc\''fb\''d0\''c2\''b7\''a2\''b2\''a1\''d4\''ee\''a3\''ac\''d4\''ad\''d3\''d0\''c3\''e8\''ca\''f6\''d6\''ae\''d0\''a1\''c4\''d2\''d0\''d4\''d4\''ee\''b4\''f3\''d0\''a1\''d4\''bc0.3\''a1\''c10.2cm\''a3\''ac\''ce\''de\''c3\''f7\''cf\''d4\''b1\''e4\''bb\''af\''a1\''a3\par
\b 2. \''b5\''a8\''c4\''d2\''a3\''ba\b0 \''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d4\''da\''d5\''fd\''b3\''a3\''b7\''b6\''ce\''a7\''a3\''ac\''b1\''df\''bd\''e7\''c7\''e5\''ce\''fa\''a3\''ac\''b0\''fc\''c4\''a4\''a3\''a8\''bb\''f2\''b9\''dc\''b1\''da\''a3\''a9\''b9\''e2\''bb\''ac\''c1\''ac\''d0\''f8\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d5\''bc\''ce\''bb\''d0\''d4\''b2\''a1\''b1\''e4\''a3\''acCDFI\''a3\''ba\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''b7\''d6\''b2\''bc\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
\''d3\''eb2024\''c4\''ea2\''d4\''c218\''c8\''d5\''b1\''be\''d4\''ba\''b3\''ac\''c9\''f9\''b1\''c8\''bd\''cf\''a3\''ba\''b5\''a8\''c4\''d2\''b2\''e2\''d6\''b5\''b1\''e4\''bb\''af\''d4\''da\''b2\''e2\''c1\''bf\''ce\''f3\''b2\''ee\''b7\''b6\''ce\''a7\''c4\''da\''a3\''ac\''ce\''b4\''bc\''fb\''d0\''c2\''b7\''a2\''b2\''a1\''d4\''ee\''a3\''ac\''d4\''ad\''d3\''d0\''c3\''e8\''ca\''f6\''d6\''ae\''d0\''a1\''c4\''d2\''d0\''d4\''d4\''ee\''b4\''f3\''d0\''a1\''d4\''bc0.3\''a1\''c10.2cm\''a3\''ac\''ce\''de\''c3\''f7\''cf\''d4\''b1\''e4\''bb\''af\''a1\''a3\par
\b 3. \''b5\''a8\''d7\''dc\''b9\''dc\''a3\''ba\b0 \''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d4\''da\''d5\''fd\''b3\''a3\''b7\''b6\''ce\''a7\''a3\''ac\''b1\''df\''bd\''e7\''c7\''e5\''ce\''fa\''a3\''ac\''b0\''fc\''c4\''a4\''a3\''a8\''bb\''f2\''b9\''dc\''b1\''da\''a3\''a9\''b9\''e2\''bb\''ac\''c1\''ac\''d0\''f8\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d5\''bc\''ce\''bb\''d0\''d4\''b2\''a1\''b1\''e4\''a3\''acCDFI\''a3\''ba\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''b7\''d6\''b2\''bc\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
\''d3\''eb2024\''c4\''ea2\''d4\''c218\''c8\''d5\''b1\''be\''d4\''ba\''b3\''ac\''c9\''f9\''b1\''c8\''bd\''cf\''a3\''ba\''b5\''a8\''d7\''dc\''b9\''dc\''b2\''e2\''d6\''b5\''b1\''e4\''bb\''af\''d4\''da\''b2\''e2\''c1\''bf\''ce\''f3\''b2\''ee\''b7\''b6\''ce\''a7\''c4\''da\''a3\''ac\''ce\''b4\''bc\''fb\''d0\''c2\''b7\''a2\''b2\''a1\''d4\''ee\''a3\''ac\''d4\''ad\''d3\''d0\''c3\''e8\''ca\''f6\''d6\''ae\''d0\''a1\''c4\''d2\''d0\''d4\''d4\''ee\''b4\''f3\''d0\''a1\''d4\''bc0.3\''a1\''c10.2cm\''a3\''ac\''ce\''de\''c3\''f7\''cf\''d4\''b1\''e4\''bb\''af\''a1\''a3\par
\b 4. \''d2\''c8\''cf\''d9\''a3\''ba\b0 \''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d4\''da\''d5\''fd\''b3\''a3\''b7\''b6\''ce\''a7\''a3\''ac\''b1\''df\''bd\''e7\''c7\''e5\''ce\''fa\''a3\''ac\''b0\''fc\''c4\''a4\''a3\''a8\''bb\''f2\''b9\''dc\''b1\''da\''a3\''a9\''b9\''e2\''bb\''ac\''c1\''ac\''d0\''f8\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d5\''bc\''ce\''bb\''d0\''d4\''b2\''a1\''b1\''e4\''a3\''acCDFI\''a3\''ba\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''b7\''d6\''b2\''bc\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
\''d3\''eb2024\''c4\''ea2\''d4\''c218\''c8\''d5\''b1\''be\''d4\''ba\''b3\''ac\''c9\''f9\''b1\''c8\''bd\''cf\''a3\''ba\''d2\''c8\''cf\''d9\''b2\''e2\''d6\''b5\''b1\''e4\''bb\''af\''d4\''da\''b2\''e2\''c1\''bf\''ce\''f3\''b2\''ee\''b7\''b6\''ce\''a7\''c4\''da\''a3\''ac\''ce\''b4\''bc\''fb\''d0\''c2\''b7\''a2\''b2\''a1\''d4\''ee\''a3\''ac\''d4\''ad\''d3\''d0\''c3\''e8\''ca\''f6\''d6\''ae\''d0\''a1\''c4\''d2\''d0\''d4\''d4\''ee\''b4\''f3\''d0\''a1\''d4\''bc0.3\''a1\''c10.2cm\''a3\''ac\''ce\''de\''c3\''f7\''cf\''d4\''b1\''e4\''bb\''af\''a1\''a3\par
\b 5. \''c6\''a2\''d4\''e0\''a3\''ba\b0 \''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d4\''da\''d5\''fd\''b3\''a3\''b7\''b6\''ce\''a7\''a3\''ac\''b1\''df\''bd\''e7\''c7\''e5\''ce\''fa\''a3\''ac\''b0\''fc\''c4\''a4\''a3\''a8\''bb\''f2\''b9\''dc\''b1\''da\''a3\''a9\''b9\''e2\''bb\''ac\''c1\''ac\''d0\''f8\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d5\''bc\''ce\''bb\''d0\''d4\''b2\''a1\''b1\''e4\''a3\''acCDFI\''a3\''ba\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''b7\''d6\''b2\''bc\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
\''d3\''eb2024\''c4\''ea2\''d4\''c218\''c8\''d5\''b1\''be\''d4\''ba\''b3\''ac\''c9\''f9\''b1\''c8\''bd\''cf\''a3\''ba\''c6\''a2\''d4\''e0\''b2\''e2\''d6\''b5\''b1\''e4\''bb\''af\''d4\''da\''b2\''e2\''c1\''bf\''ce\''f3\''b2\''ee\''b7\''b6\''ce\''a7\''c4\''da\''a3\''ac\''ce\''b4\''bc\''fb\''d0\''c2\''b7\''a2\''b2\''a1\''d4\''ee\''a3\''ac\''d4\''ad\''d3\''d0\''c3\''e8\''ca\''f6\''d6\''ae\''d0\''a1\''c4\''d2\''d0\''d4\''d4\''ee\''b4\''f3\''d0\''a1\''d4\''bc0.3\''a1\''c10.2cm\''a3\''ac\''ce\''de\''c3\''f7\''cf\''d4\''b1\''e4\''bb\''af\''a1\''a3\par
\cf1 \''d7\''a2\''d2\''e2\''a3\''ba\cf0 \''c6\''a2\''d4\''e0\''c7\''f8\''d3\''f2\''d2\''f2\''b3\''a6\''c6\''f8\''b8\''c9\''c8\''c5\''b2\''bf\''b7\''d6\''cf\''d4\''ca\''be\''c7\''b7\''c7\''e5\''a3\''ac\''b1\''d8\''d2\''aa\''ca\''b1\''bd\''e1\''ba\''cfCT\''bc\''ec\''b2\''e9\''a1\''a3\par
\b 6. \''d7\''f3\''c9\''f6\''a3\''ba\b0 \''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d4\''da\''d5\''fd\''b3\''a3\''b7\''b6\''ce\''a7\''a3\''ac\''b1\''df\''bd\''e7\''c7\''e5\''ce\''fa\''a3\''ac\''b0\''fc\''c4\''a4\''a3\''a8\''bb\''f2\''b9\''dc\''b1\''da\''a3\''a9\''b9\''e2\''bb\''ac\''c1\''ac\''d0\''f8\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d5\''bc\''ce\''bb\''d0\''d4\''b2\''a1\''b1\''e4\''a3\''acCDFI\''a3\''ba\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''b7\''d6\''b2\''bc\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
\''d3\''eb2024\''c4\''ea2\''d4\''c218\''c8\''d5\''b1\''be\''d4\''ba\''b3\''ac\''c9\''f9\''b1\''c8\''bd\''cf\''a3\''ba\''d7\''f3\''c9\''f6\''b2\''e2\''d6\''b5\''b1\''e4\''bb\''af\''d4\''da\''b2\''e2\''c1\''bf\''ce\''f3\''b2\''ee\''b7\''b6\''ce\''a7\''c4\''da\''a3\''ac\''ce\''b4\''bc\''fb\''d0\''c2\''b7\''a2\''b2\''a1\''d4\''ee\''a3\''ac\''d4\''ad\''d3\''d0\''c3\''e8\''ca\''f6\''d6\''ae\''d0\''a1\''c4\''d2\''d0\''d4\''d4\''ee\''b4\''f3\''d0\''a1\''d4\''bc0.3\''a1\''c10.2cm\''a3\''ac\''ce\''de\''c3\''f7\''cf\''d4\''b1\''e4\''bb\''af\''a1\''a3\par
\b 7. \''d3\''d2\''c9\''f6\''a3\''ba\b0 \''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d4\''da\''d5\''fd\''b3\''a3\''b7\''b6\''ce\''a7\''a3\''ac\''b1\''df\''bd\''e7\''c7\''e5\''ce\''fa\''a3\''ac\''b0\''fc\''c4\''a4\''a3\''a8\''bb\''f2\''b9\''dc\''b1\''da\''a3\''a9\''b9\''e2\''bb\''ac\''c1\''ac\''d0\''f8\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d5\''bc\''ce\''bb\''d0\''d4\''b2\''a1\''b1\''e4\''a3\''acCDFI\''a3\''ba\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''b7\''d6\''b2\''bc\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
\''d3\''eb2024\''c4\''ea2\''d4\''c218\''c8\''d5\''b1\''be\''d4\''ba\''b3\''ac\''c9\''f9\''b1\''c8\''bd\''cf\''a3\''ba\''d3\''d2\''c9\''f6\''b2\''e2\''d6\''b5\''b1\''e4\''bb\''af\''d4\''da\''b2\''e2\''c1\''bf\''ce\''f3\''b2\''ee\''b7\''b6\''ce\''a7\''c4\''da\''a3\''ac\''ce\''b4\''bc\''fb\''d0\''c2\''b7\''a2\''b2\''a1\''d4\''ee\''a3\''ac\''d4\''ad\''d3\''d0\''c3\''e8\''ca\''f6\''d6\''ae\''d0\''a1\''c4\''d2\''d0\''d4\''d4\''ee\''b4\''f3\''d0\''a1\''d4\''bc0.3\''a1\''c10.2cm\''a3\''ac\''ce\''de\''c3\''f7\''cf\''d4\''b1\''e4\''bb\''af\''a1\''a3\par
\b 8. \''d7\''f3\''b2\''e0\''ca\''e4\''c4\''f2\''b9\''dc\''a3\''ba\b0 \''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d4\''da\''d5\''fd\''b3\''a3\''b7\''b6\''ce\''a7\''a3\''ac\''b1\''df\''bd\''e7\''c7\''e5\''ce\''fa\''a3\''ac\''b0\''fc\''c4\''a4\''a3\''a8\''bb\''f2\''b9\''dc\''b1\''da\''a3\''a9\''b9\''e2\''bb\''ac\''c1\''ac\''d0\''f8\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d5\''bc\''ce\''bb\''d0\''d4\''b2\''a1\''b1\''e4\''a3\''acCDFI\''a3\''ba\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''b7\''d6\''b2\''bc\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
\''d3\''eb2024\''c4\''ea2\''d4\''c218\''c8\''d5\''b1\''be\''d4\''ba\''b3\''ac\''c9\''f9\''b1\''c8\''bd\''cf\''a3\''ba\''d7\''f3\''b2\''e0\''ca\''e4\''c4\''f2\''b9\''dc\''b2\''e2\''d6\''b5\''b1\''e4\''bb\''af\''d4\''da\''b2\''e2\''c1\''bf\''ce\''f3\''b2\''ee\''b7\''b6\''ce\''a7\''c4\''da\''a3\''ac\''ce\''b4\''bc\''fb\''d0\''c2\''b7\''a2\''b2\''a1\''d4\''ee\''a3\''ac\''d4\''ad\''d3\''d0\''c3\''e8\''ca\''f6\''d6\''ae\''d0\''a1\''c4\''d2\''d0\''d4\''d4\''ee\''b4\''f3\''d0\''a1\''d4\''bc0.3\''a1\''c10.2cm\''a3\''ac\''ce\''de\''c3\''f7\''cf\''d4\''b1\''e4\''bb\''af\''a1\''a3\par
\b 9. \''d3\''d2\''b2\''e0\''ca\''e4\''c4\''f2\''b9\''dc\''a3\''ba\b0 \''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d4\''da\''d5\''fd\''b3\''a3\''b7\''b6\''ce\''a7\''a3\''ac\''b1\''df\''bd\''e7\''c7\''e5\''ce\''fa\''a3\''ac\''b0\''fc\''c4\''a4\''a3\''a8\''bb\''f2\''b9\''dc\''b1\''da\''a3\''a9\''b9\''e2\''bb\''ac\''c1\''ac\''d0\''f8\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d5\''bc\''ce\''bb\''d0\''d4\''b2\''a1\''b1\''e4\''a3\''acCDFI\''a3\''ba\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''b7\''d6\''b2\''bc\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
\''d3\''eb2024\''c4\''ea2\''d4\''c218\''c8\''d5\''b1\''be\''d4\''ba\''b3\''ac\''c9\''f9\''b1\''c8\''bd\''cf\''a3\''ba\''d3\''d2\''b2\''e0\''ca\''e4\''c4\''f2\''b9\''dc\''b2\''e2\''d6\''b5\''b1\''e4\''bb\''af\''d4\''da\''b2\''e2\''c1\''bf\''ce\''f3\''b2\''ee\''b7\''b6\''ce\''a7\''c4\''da\''a3\''ac\''ce\''b4\''bc\''fb\''d0\''c2\''b7\''a2\''b2\''a1\''d4\''ee\''a3\''ac\''d4\''ad\''d3\''d0\''c3\''e8\''ca\''f6\''d6\''ae\''d0\''a1\''c4\''d2\''d0\''d4\''d4\''ee\''b4\''f3\''d0\''a1\''d4\''bc0.3\''a1\''c10.2cm\''a3\''ac\''ce\''de\''c3\''f7\''cf\''d4\''b1\''e4\''bb\''af\''a1\''a3\par
\b 10. \''b0\''f2\''eb\''d7\''a3\''ba\b0 \''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d4\''da\''d5\''fd\''b3\''a3\''b7\''b6\''ce\''a7\''a3\''ac\''b1\''df\''bd\''e7\''c7\''e5\''ce\''fa\''a3\''ac\''b0\''fc\''c4\''a4\''a3\''a8\''bb\''f2\''b9\''dc\''b1\''da\''a3\''a9\''b9\''e2\''bb\''ac\''c1\''ac\''d0\''f8\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d5\''bc\''ce\''bb\''d0\''d4\''b2\''a1\''b1\''e4\''a3\''acCDFI\''a3\''ba\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''b7\''d6\''b2\''bc\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
\''d3\''eb2024\''c4\''ea2\''d4\''c218\''c8\''d5\''b1\''be\''d4\''ba\''b3\''ac\''c9\''f9\''b1\''c8\''bd\''cf\''a3\''ba\''b0\''f2\''eb\''d7\''b2\''e2\''d6\''b5\''b1\''e4\''bb\''af\''d4\''da\''b2\''e2\''c1\''bf\''ce\''f3\''b2\''ee\''b7\''b6\''ce\''a7\''c4\''da\''a3\''ac\''ce\''b4\''bc\''fb\''d0\''c2\''b7\''a2\''b2\''a1\''d4\''ee\''a3\''ac\''d4\''ad\''d3\''d0\''c3\''e8\''ca\''f6\''d6\''ae\''d0\''a1\''c4\''d2\''d0\''d4\''d4\''ee\''b4\''f3\''d0\''a1\''d4\''bc0.3\''a1\''c10.2cm\''a3\''ac\''ce\''de\''c3\''f7\''cf\''d4\''b1\''e4\''bb\''af\''a1\''a3\par
\cf1 \''d7\''a2\''d2\''e2\''a3\''ba\cf0 \''b0\''f2\''eb\''d7\''c7\''f8\''d3\''f2\''d2\''f2\''b3\''a6\''c6\''f8\''b8\''c9\''c8\''c5\''b2\''bf\''b7\''d6\''cf\''d4\''ca\''be\''c7\''b7\''c7\''e5\''a3\''ac\''b1\''d8\''d2\''aa\''ca\''b1\''bd\''e1\''ba\''cfCT\''bc\''ec\''b2\''e9\''a1\''a3\par
\b 11. \''c7\''b0\''c1\''d0\''cf\''d9\''a3\''ba\b0 \''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d4\''da\''d5\''fd\''b3\''a3\''b7\''b6\''ce\''a7\''a3\''ac\''b1\''df\''bd\''e7\''c7\''e5\''ce\''fa\''a3\''ac\''b0\''fc\''c4\''a4\''a3\''a8\''bb\''f2\''b9\''dc\''b1\''da\''a3\''a9\''b9\''e2\''bb\''ac\''c1\''ac\''d0\''f8\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d5\''bc\''ce\''bb\''d0\''d4\''b2\''a1\''b1\''e4\''a3\''acCDFI\''a3\''ba\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''b7\''d6\''b2\''bc\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
\''d3\''eb2024\''c4\''ea2\''d4\''c218\''c8\''d5\''b1\''be\''d4\''ba\''b3\''ac\''c9\''f9\''b1\''c8\''bd\''cf\''a3\''ba\''c7\''b0\''c1\''d0\''cf\''d9\''b2\''e2\''d6\''b5\''b1\''e4\''bb\''af\''d4\''da\''b2\''e2\''c1\''bf\''ce\''f3\''b2\''ee\''b7\''b6\''ce\''a7\''c4\''da\''a3\''ac\''ce\''b4\''bc\''fb\''d0\''c2\''b7\''a2\''b2\''a1\''d4\''ee\''a3\''ac\''d4\''ad\''d3\''d0\''c3\''e8\''ca\''f6\''d6\''ae\''d0\''a1\''c4\''d2\''d0\''d4\''d4\''ee\''b4\''f3\''d0\''a1\''d4\''bc0.3\''a1\''c10.2cm\''a3\''ac\''ce\''de\''c3\''f7\''cf\''d4\''b1\''e4\''bb\''af\''a1\''a3\par
\b 12. \''b8\''b9\''c4\''a4\''ba\''f3\''a3\''ba\b0 \''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d4\''da\''d5\''fd\''b3\''a3\''b7\''b6\''ce\''a7\''a3\''ac\''b1\''df\''bd\''e7\''c7\''e5\''ce\''fa\''a3\''ac\''b0\''fc\''c4\''a4\''a3\''a8\''bb\''f2\''b9\''dc\''b1\''da\''a3\''a9\''b9\''e2\''bb\''ac\''c1\''ac\''d0\''f8\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d5\''bc\''ce\''bb\''d0\''d4\''b2\''a1\''b1\''e4\''a3\''acCDFI\''a3\''ba\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''b7\''d6\''b2\''bc\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
\''d3\''eb2024\''c4\''ea2\''d4\''c218\''c8\''d5\''b1\''be\''d4\''ba\''b3\''ac\''c9\''f9\''b1\''c8\''bd\''cf\''a3\''ba\''b8\''b9\''c4\''a4\''ba\''f3\''b2\''e2\''d6\''b5\''b1\''e4\''bb\''af\''d4\''da\''b2\''e2\''c1\''bf\''ce\''f3\''b2\''ee\''b7\''b6\''ce\''a7\''c4\''da\''a3\''ac\''ce\''b4\''bc\''fb\''d0\''c2\''b7\''a2\''b2\''a1\''d4\''ee\''a3\''ac\''d4\''ad\''d3\''d0\''c3\''e8\''ca\''f6\''d6\''ae\''d0\''a1\''c4\''d2\''d0\''d4\''d4\''ee\''b4\''f3\''d0\''a1\''d4\''bc0.3\''a1\''c10.2cm\''a3\''ac\''ce\''de\''c3\''f7\''cf\''d4\''b1\''e4\''bb\''af\''a1\''a3\par
\b 13. \''b8\''b9\''d6\''f7\''b6\''af\''c2\''f6\''a3\''ba\b0 \''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d4\''da\''d5\''fd\''b3\''a3\''b7\''b6\''ce\''a7\''a3\''ac\''b1\''df\''bd\''e7\''c7\''e5\''ce\''fa\''a3\''ac\''b0\''fc\''c4\''a4\''a3\''a8\''bb\''f2\''b9\''dc\''b1\''da\''a3\''a9\''b9\''e2\''bb\''ac\''c1\''ac\''d0\''f8\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d5\''bc\''ce\''bb\''d0\''d4\''b2\''a1\''b1\''e4\''a3\''acCDFI\''a3\''ba\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''b7\''d6\''b2\''bc\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
\''d3\''eb2024\''c4\''ea2\''d4\''c218\''c8\''d5\''b1\''be\''d4\''ba\''b3\''ac\''c9\''f9\''b1\''c8\''bd\''cf\''a3\''ba\''b8\''b9\''d6\''f7\''b6\''af\''c2\''f6\''b2\''e2\''d6\''b5\''b1\''e4\''bb\''af\''d4\''da\''b2\''e2\''c1\''bf\''ce\''f3\''b2\''ee\''b7\''b6\''ce\''a7\''c4\''da\''a3\''ac\''ce\''b4\''bc\''fb\''d0\''c2\''b7\''a2\''b2\''a1\''d4\''ee\''a3\''ac\''d4\''ad\''d3\''d0\''c3\''e8\''ca\''f6\''d6\''ae\''d0\''a1\''c4\''d2\''d0\''d4\''d4\''ee\''b4\''f3\''d0\''a1\''d4\''bc0.3\''a1\''c10.2cm\''a3\''ac\''ce\''de\''c3\''f7\''cf\''d4\''b1\''e4\''bb\''af\''a1\''a3\par
\b 14. \''cf\''c2\''c7\''bb\''be\''b2\''c2\''f6\''a3\''ba\b0 \''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d4\''da\''d5\''fd\''b3\''a3\''b7\''b6\''ce\''a7\''a3\''ac\''b1\''df\''bd\''e7\''c7\''e5\''ce\''fa\''a3\''ac\''b0\''fc\''c4\''a4\''a3\''a8\''bb\''f2\''b9\''dc\''b1\''da\''a3\''a9\''b9\''e2\''bb\''ac\''c1\''ac\''d0\''f8\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d5\''bc\''ce\''bb\''d0\''d4\''b2\''a1\''b1\''e4\''a3\''acCDFI\''a3\''ba\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''b7\''d6\''b2\''bc\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
\''d3\''eb2024\''c4\''ea2\''d4\''c218\''c8\''d5\''b1\''be\''d4\''ba\''b3\''ac\''c9\''f9\''b1\''c8\''bd\''cf\''a3\''ba\''cf\''c2\''c7\''bb\''be\''b2\''c2\''f6\''b2\''e2\''d6\''b5\''b1\''e4\''bb\''af\''d4\''da\''b2\''e2\''c1\''bf\''ce\''f3\''b2\''ee\''b7\''b6\''ce\''a7\''c4\''da\''a3\''ac\''ce\''b4\''bc\''fb\''d0\''c2\''b7\''a2\''b2\''a1\''d4\''ee\''a3\''ac\''d4\''ad\''d3\''d0\''c3\''e8\''ca\''f6\''d6\''ae\''d0\''a1\''c4\''d2\''d0\''d4\''d4\''ee\''b4\''f3\''d0\''a1\''d4\''bc0.3\''a1\''c10.2cm\''a3\''ac\''ce\''de\''c3\''f7\''cf\''d4\''b1\''e4\''bb\''af\''a1\''a3\par
\b 15. \''bc\''d7\''d7\''b4\''cf\''d9\''d7\''f3\''d2\''b6\''a3\''ba\b0 \''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d4\''da\''d5\''fd\''b3\''a3\''b7\''b6\''ce\''a7\''a3\''ac\''b1\''df\''bd\''e7\''c7\''e5\''ce\''fa\''a3\''ac\''b0\''fc\''c4\''a4\''a3\''a8\''bb\''f2\''b9\''dc\''b1\''da\''a3\''a9\''b9\''e2\''bb\''ac\''c1\''ac\''d0\''f8\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d5\''bc\''ce\''bb\''d0\''d4\''b2\''a1\''b1\''e4\''a3\''acCDFI\''a3\''ba\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''b7\''d6\''b2\''bc\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
\''d3\''eb2024\''c4\''ea2\''d4\''c218\''c8\''d5\''b1\''be\''d4\''ba\''b3\''ac\''c9\''f9\''b1\''c8\''bd\''cf\''a3\''ba\''bc\''d7\''d7\''b4\''cf\''d9\''d7\''f3\''d2\''b6\''b2\''e2\''d6\''b5\''b1\''e4\''bb\''af\''d4\''da\''b2\''e2\''c1\''bf\''ce\''f3\''b2\''ee\''b7\''b6\''ce\''a7\''c4\''da\''a3\''ac\''ce\''b4\''bc\''fb\''d0\''c2\''b7\''a2\''b2\''a1\''d4\''ee\''a3\''ac\''d4\''ad\''d3\''d0\''c3\''e8\''ca\''f6\''d6\''ae\''d0\''a1\''c4\''d2\''d0\''d4\''d4\''ee\''b4\''f3\''d0\''a1\''d4\''bc0.3\''a1\''c10.2cm\''a3\''ac\''ce\''de\''c3\''f7\''cf\''d4\''b1\''e4\''bb\''af\''a1\''a3\par
\cf1 \''d7\''a2\''d2\''e2\''a3\''ba\cf0 \''bc\''d7\''d7\''b4\''cf\''d9\''d7\''f3\''d2\''b6\''c7\''f8\''d3\''f2\''d2\''f2\''b3\''a6\''c6\''f8\''b8\''c9\''c8\''c5\''b2\''bf\''b7\''d6\''cf\''d4\''ca\''be\''c7\''b7\''c7\''e5\''a3\''ac\''b1\''d8\''d2\''aa\''ca\''b1\''bd\''e1\''ba\''cfCT\''bc\''ec\''b2\''e9\''a1\''a3\par
\b 16. \''bc\''d7\''d7\''b4\''cf\''d9\''d3\''d2\''d2\''b6\''a3\''ba\b0 \''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d4\''da\''d5\''fd\''b3\''a3\''b7\''b6\''ce\''a7\''a3\''ac\''b1\''df\''bd\''e7\''c7\''e5\''ce\''fa\''a3\''ac\''b0\''fc\''c4\''a4\''a3\''a8\''bb\''f2\''b9\''dc\''b1\''da\''a3\''a9\''b9\''e2\''bb\''ac\''c1\''ac\''d0\''f8\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d5\''bc\''ce\''bb\''d0\''d4\''b2\''a1\''b1\''e4\''a3\''acCDFI\''a3\''ba\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''b7\''d6\''b2\''bc\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
\''d3\''eb2024\''c4\''ea2\''d4\''c218\''c8\''d5\''b1\''be\''d4\''ba\''b3\''ac\''c9\''f9\''b1\''c8\''bd\''cf\''a3\''ba\''bc\''d7\''d7\''b4\''cf\''d9\''d3\''d2\''d2\''b6\''b2\''e2\''d6\''b5\''b1\''e4\''bb\''af\''d4\''da\''b2\''e2\''c1\''bf\''ce\''f3\''b2\''ee\''b7\''b6\''ce\''a7\''c4\''da\''a3\''ac\''ce\''b4\''bc\''fb\''d0\''c2\''b7\''a2\''b2\''a1\''d4\''ee\''a3\''ac\''d4\''ad\''d3\''d0\''c3\''e8\''ca\''f6\''d6\''ae\''d0\''a1\''c4\''d2\''d0\''d4\''d4\''ee\''b4\''f3\''d0\''a1\''d4\''bc0.3\''a1\''c10.2cm\''a3\''ac\''ce\''de\''c3\''f7\''cf\''d4\''b1\''e4\''bb\''af\''a1\''a3\par
\b 17. \''d7\''f3\''b2\''e0\''be\''b1\''b2\''bf\''c1\''dc\''b0\''cd\''bd\''e1\''a3\''ba\b0 \''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d4\''da\''d5\''fd\''b3\''a3\''b7\''b6\''ce\''a7\''a3\''ac\''b1\''df\''bd\''e7\''c7\''e5\''ce\''fa\''a3\''ac\''b0\''fc\''c4\''a4\''a3\''a8\''bb\''f2\''b9\''dc\''b1\''da\''a3\''a9\''b9\''e2\''bb\''ac\''c1\''ac\''d0\''f8\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d5\''bc\''ce\''bb\''d0\''d4\''b2\''a1\''b1\''e4\''a3\''acCDFI\''a3\''ba\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''b7\''d6\''b2\''bc\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
\''d3\''eb2024\''c4\''ea2\''d4\''c218\''c8\''d5\''b1\''be\''d4\''ba\''b3\''ac\''c9\''f9\''b1\''c8\''bd\''cf\''a3\''ba\''d7\''f3\''b2\''e0\''be\''b1\''b2\''bf\''c1\''dc\''b0\''cd\''bd\''e1\''b2\''e2\''d6\''b5\''b1\''e4\''bb\''af\''d4\''da\''b2\''e2\''c1\''bf\''ce\''f3\''b2\''ee\''b7\''b6\''ce\''a7\''c4\''da\''a3\''ac\''ce\''b4\''bc\''fb\''d0\''c2\''b7\''a2\''b2\''a1\''d4\''ee\''a3\''ac\''d4\''ad\''d3\''d0\''c3\''e8\''ca\''f6\''d6\''ae\''d0\''a1\''c4\''d2\''d0\''d4\''d4\''ee\''b4\''f3\''d0\''a1\''d4\''bc0.3\''a1\''c10.2cm\''a3\''ac\''ce\''de\''c3\''f7\''cf\''d4\''b1\''e4\''bb\''af\''a1\''a3\par
\b 18. \''d3\''d2\''b2\''e0\''be\''b1\''b2\''bf\''c1\''dc\''b0\''cd\''bd\''e1\''a3\''ba\b0 \''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d4\''da\''d5\''fd\''b3\''a3\''b7\''b6\''ce\''a7\''a3\''ac\''b1\''df\''bd\''e7\''c7\''e5\''ce\''fa\''a3\''ac\''b0\''fc\''c4\''a4\''a3\''a8\''bb\''f2\''b9\''dc\''b1\''da\''a3\''a9\''b9\''e2\''bb\''ac\''c1\''ac\''d0\''f8\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d5\''bc\''ce\''bb\''d0\''d4\''b2\''a1\''b1\''e4\''a3\''acCDFI\''a3\''ba\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''b7\''d6\''b2\''bc\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
\''d3\''eb2024\''c4\''ea2\''d4\''c218\''c8\''d5\''b1\''be\''d4\''ba\''b3\''ac\''c9\''f9\''b1\''c8\''bd\''cf\''a3\''ba\''d3\''d2\''b2\''e0\''be\''b1\''b2\''bf\''c1\''dc\''b0\''cd\''bd\''e1\''b2\''e2\''d6\''b5\''b1\''e4\''bb\''af\''d4\''da\''b2\''e2\''c1\''bf\''ce\''f3\''b2\''ee\''b7\''b6\''ce\''a7\''c4\''da\''a3\''ac\''ce\''b4\''bc\''fb\''d0\''c2\''b7\''a2\''b2\''a1\''d4\''ee\''a3\''ac\''d4\''ad\''d3\''d0\''c3\''e8\''ca\''f6\''d6\''ae\''d0\''a1\''c4\''d2\''d0\''d4\''d4\''ee\''b4\''f3\''d0\''a1\''d4\''bc0.3\''a1\''c10.2cm\''a3\''ac\''ce\''de\''c3\''f7\''cf\''d4\''b1\''e4\''bb\''af\''a1\''a3\par
\b 19. \''d7\''f3\''b2\''e0\''d2\''b8\''ce\''d1\''c1\''dc\''b0\''cd\''bd\''e1\''a3\''ba\b0 \''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d4\''da\''d5\''fd\''b3\''a3\''b7\''b6\''ce\''a7\''a3\''ac\''b1\''df\''bd\''e7\''c7\''e5\''ce\''fa\''a3\''ac\''b0\''fc\''c4\''a4\''a3\''a8\''bb\''f2\''b9\''dc\''b1\''da\''a3\''a9\''b9\''e2\''bb\''ac\''c1\''ac\''d0\''f8\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d5\''bc\''ce\''bb\''d0\''d4\''b2\''a1\''b1\''e4\''a3\''acCDFI\''a3\''ba\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''b7\''d6\''b2\''bc\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
\''d3\''eb2024\''c4\''ea2\''d4\''c218\''c8\''d5\''b1\''be\''d4\''ba\''b3\''ac\''c9\''f9\''b1\''c8\''bd\''cf\''a3\''ba\''d7\''f3\''b2\''e0\''d2\''b8\''ce\''d1\''c1\''dc\''b0\''cd\''bd\''e1\''b2\''e2\''d6\''b5\''b1\''e4\''bb\''af\''d4\''da\''b2\''e2\''c1\''bf\''ce\''f3\''b2\''ee\''b7\''b6\''ce\''a7\''c4\''da\''a3\''ac\''ce\''b4\''bc\''fb\''d0\''c2\''b7\''a2\''b2\''a1\''d4\''ee\''a3\''ac\''d4\''ad\''d3\''d0\''c3\''e8\''ca\''f6\''d6\''ae\''d0\''a1\''c4\''d2\''d0\''d4\''d4\''ee\''b4\''f3\''d0\''a1\''d4\''bc0.3\''a1\''c10.2cm\''a3\''ac\''ce\''de\''c3\''f7\''cf\''d4\''b1\''e4\''bb\''af\''a1\''a3\par
\b 20. \''d3\''d2\''b2\''e0\''d2\''b8\''ce\''d1\''c1\''dc\''b0\''cd\''bd\''e1\''a3\''ba\b0 \''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d4\''da\''d5\''fd\''b3\''a3\''b7\''b6\''ce\''a7\''a3\''ac\''b1\''df\''bd\''e7\''c7\''e5\''ce\''fa\''a3\''ac\''b0\''fc\''c4\''a4\''a3\''a8\''bb\''f2\''b9\''dc\''b1\''da\''a3\''a9\''b9\''e2\''bb\''ac\''c1\''ac\''d0\''f8\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d5\''bc\''ce\''bb\''d0\''d4\''b2\''a1\''b1\''e4\''a3\''acCDFI\''a3\''ba\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''b7\''d6\''b2\''bc\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
\''d3\''eb2024\''c4\''ea2\''d4\''c218\''c8\''d5\''b1\''be\''d4\''ba\''b3\''ac\''c9\''f9\''b1\''c8\''bd\''cf\''a3\''ba\''d3\''d2\''b2\''e0\''d2\''b8\''ce\''d1\''c1\''dc\''b0\''cd\''bd\''e1\''b2\''e2\''d6\''b5\''b1\''e4\''bb\''af\''d4\''da\''b2\''e2\''c1\''bf\''ce\''f3\''b2\''ee\''b7\''b6\''ce\''a7\''c4\''da\''a3\''ac\''ce\''b4\''bc\''fb\''d0\''c2\''b7\''a2\''b2\''a1\''d4\''ee\''a3\''ac\''d4\''ad\''d3\''d0\''c3\''e8\''ca\''f6\''d6\''ae\''d0\''a1\''c4\''d2\''d0\''d4\''d4\''ee\''b4\''f3\''d0\''a1\''d4\''bc0.3\''a1\''c10.2cm\''a3\''ac\''ce\''de\''c3\''f7\''cf\''d4\''b1\''e4\''bb\''af\''a1\''a3\par
\cf1 \''d7\''a2\''d2\''e2\''a3\''ba\cf0 \''d3\''d2\''b2\''e0\''d2\''b8\''ce\''d1\''c1\''dc\''b0\''cd\''bd\''e1\''c7\''f8\''d3\''f2\''d2\''f2\''b3\''a6\''c6\''f8\''b8\''c9\''c8\''c5\''b2\''bf\''b7\''d6\''cf\''d4\''ca\''be\''c7\''b7\''c7\''e5\''a3\''ac\''b1\''d8\''d2\''aa\''ca\''b1\''bd\''e1\''ba\''cfCT\''bc\''ec\''b2\''e9\''a1\''a3\par
}
', N'{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 1. \''b8\''ce\''a1\''a2\''b5\''a8\''a1\''a2\''d2\''c8\''a1\''a2\''c6\''a2\''a1\''a2\''cb\''ab\''c9\''f6\''a1\''a2\''b0\''f2\''eb\''d7\''a1\''a2\''c7\''b0\''c1\''d0\''cf\''d9\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
2. \b \''d3\''eb2024\''c4\''ea2\''d4\''c218\''c8\''d5\''b1\''c8\''bd\''cf\''ce\''b4\''bc\''fb\''d0\''c2\''b7\''a2\''b2\''a1\''d4\''ee\b0 \''a1\''a3\par
3. \''bc\''d7\''d7\''b4\''cf\''d9\''bc\''b0\''be\''b1\''b2\''bf\''a1\''a2\''cb\''f8\''b9\''c7\''c9\''cf\''a1\''a2\''d2\''b8\''ce\''d1\''a1\''a2\''b8\''b9\''b9\''c9\''b9\''b5\''c1\''dc\''b0\''cd\''bd\''e1\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d6\''d7\''b4\''f3\''a1\''a3\par
4. \''b8\''b9\''c4\''a4\''ba\''f3\''a1\''a2\''c5\''e8\''c7\''bb\''a1\''a2\''d0\''d8\''c7\''bb\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''bb\''fd\''d2\''ba\''bc\''b0\''d5\''bc\''ce\''bb\''a1\''a3\par
}
', 5, N'3.5MHz', NULL, N'王建国', N'D002', N'王建国', N'D002', N'张医生', N'D001', NULL, NULL, N'2024-05-21 10:48:30.000', N'2024-05-21 11:05:10.000', NULL, 1, 0, NULL, NULL, N'淋巴瘤化疗后复查', N'肝脏,胆囊,胰腺,脾脏,双肾,甲状腺', N'P01,P02,P03,P04,P05,P08', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, N'2024-05-21 10:05:20.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  (N'D1B74DCD-2A3E-5815-AAD4-BA7743F81F05', N'US20240521001', N'NB0521001', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 0, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, N'2024-05-21 08:20:20.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  (N'2D3B8C83-3E42-517D-9F3A-7BD0A8049035', N'US20240521001', N'NB0521001', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 0, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, N'2024-05-21 08:21:02.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  (N'722F67BE-2E01-51F7-9B1C-75439F0E49F8', N'US20240521002', N'NB0521002', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, N'2024-05-21 08:46:00.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  (N'E63EE575-B118-559C-8F0F-FB21FC71CD20', N'US20240521003', N'NB0521003', N'经阴道超声检查      ', N'子宫附件（经阴道）    ', N'G010  ', N'妇科  ', N'经阴道    ', N'良  ', N'子宫：前位，大小正常，肌层回声均匀。
双侧附件区未见明显包块。   ', N'子宫及双侧附件未见明显异常。   ', NULL, NULL, NULL, 1, N'5.0MHz    ', NULL, N'赵敏      ', N'D101  ', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 0, 0, NULL, NULL, N'体检      ', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, N'2024-05-21 09:12:40.000');

INSERT INTO WrUser (UserCode, RoleCode, PasswordHash, MustChangePassword) VALUES
  (N'D001', N'reviewer', N'$argon2id$v=19$m=65536,t=2,p=1$7yrNYoGThlhBXQ8VXSdsSA$uqHNiJ/5xncn+dquxDh1V6NUWAd07YKi9S9pXzybVhQ', 0),
  (N'D002', N'admin', N'$argon2id$v=19$m=65536,t=2,p=1$wLZZt5yhb5yNEnrprxxFig$bC7CKOQ9N2XRK8XqIQ06ylMciloV/eAI5MPSWjIL6MM', 0),
  (N'D003', N'doctor', N'$argon2id$v=19$m=65536,t=2,p=1$cFVUlJJ0M+4fDqphMeCG7w$iNm3plYKium7GpZEI692KFFZSK96rFXJS+WxFDbQN2Y', 0),
  (N'D004', N'doctor', N'$argon2id$v=19$m=65536,t=2,p=1$/DY35rQmpOLMGLMJoLM12Q$f31wEiDHGXSLnTsRmj3FoUjTc8Rd6IY/LN2cQvY9lnE', 0),
  (N'D005', N'doctor', N'$argon2id$v=19$m=65536,t=2,p=1$ASUdD8g17oxndUtxvScJqg$CU70zCDoL1bEG60j7ekSeH5hlFQMl8a8GlMqo6QB9qc', 0),
  (N'D101', N'doctor', N'$argon2id$v=19$m=65536,t=2,p=1$PwdEYzr+77/FpWPbe5TAAw$C/qSE8GvhLz9MeOLraH0NGcpOetqnVbZob8RRO0MtjQ', 0),
  (N'D102', N'doctor', N'$argon2id$v=19$m=65536,t=2,p=1$2vbBujXqjGFshri6xNx5+Q$DumlRxBjV5wUlnszbtumcdxtp/ia8k1jPjBfNUjBY8U', 0),
  (N'D103', N'doctor', N'$argon2id$v=19$m=65536,t=2,p=1$FNWUJElisyEFX1JrgnxN2g$mDY+otMpNJi7YyYKOQFia8Aq7ltqlC+WUOu2Z92gSmA', 0),
  (N'D201', N'doctor', N'$argon2id$v=19$m=65536,t=2,p=1$EQGlWxdET5xFtWopxnGhGg$PhQ+dh86KWCJZ2TXnOkGK5IY5Ptbaw0oFWRj+n0A1dU', 0),
  (N'D202', N'doctor', N'$argon2id$v=19$m=65536,t=2,p=1$nkRZ6BzZx0Krr6auyncz2A$K/A26TuH1Ztoug+vXJ9QmrrOar4TlsLfJUah25QBkfA', 0);
