-- SPDX-License-Identifier: MIT
-- Demo data on PostgreSQL, ported from db/sqlite/demo.sql by tools/port_demo.py. Do not edit by hand.

INSERT INTO csdoctor (姓名, kscode, displayindex, code) VALUES
  ('张医生', 'US01', 90, 'D001'),
  ('王建国', 'US01', 80, 'D002'),
  ('李秀英', 'US01', 70, 'D003'),
  ('刘洋', 'US01', 60, 'D004'),
  ('陈静', 'US01', 50, 'D005'),
  ('赵敏', 'US02', 30, 'D101'),
  ('孙丽华', 'US02', 20, 'D102'),
  ('周婷', 'US02', 10, 'D103'),
  ('吴志强', 'US''03', 20, 'D201'),
  ('郑晓燕', 'US''03', 10, 'D202');

INSERT INTO 检查途径 (cname, uorder) VALUES
  ('经阴道', 2),
  ('经腹', 1),
  ('经直肠', 3),
  ('体表', 4),
  ('经食管', 5),
  ('术中', 6);

INSERT INTO 探头频率 (探头频率, uorder) VALUES
  ('3.5MHz', 1),
  ('5.0MHz', 2),
  ('7.5MHz', 3),
  ('10MHz', 4),
  ('2-5MHz凸阵', 5),
  ('5-12MHz线阵', 6);

INSERT INTO 图像质量 (图像质量, uorder) VALUES
  ('良', 2),
  ('优', 1),
  ('中', 3),
  ('差', 4);

INSERT INTO Phrase (kind, kscode, code, text, uorder) VALUES
  ('method', '', NULL, '经腹部超声检查', 1),
  ('method', '', NULL, '彩色多普勒超声检查', 2),
  ('method', 'US02', NULL, '经阴道超声检查', 3),
  ('method', 'US01', NULL, '经直肠超声检查', 4),
  ('method', '', NULL, '超声造影检查', 5),
  ('method', 'US''03', NULL, '经胸超声心动图检查', 6),
  ('part', 'US01', 'P01', '肝脏', 7),
  ('part', 'US01', 'P02', '胆囊', 8),
  ('part', 'US01', 'P03', '胰腺', 9),
  ('part', 'US01', 'P04', '脾脏', 10),
  ('part', 'US01', 'P05', '双肾', 11),
  ('part', 'US01', 'P06', '膀胱', 12),
  ('part', 'US01', 'P07', '前列腺', 13),
  ('part', 'US01', 'P08', '甲状腺', 14),
  ('part', 'US01', 'P09', '乳腺', 15),
  ('part', 'US01', 'P10', '双侧髋关节', 16),
  ('part', 'US02', 'P20', '子宫', 17),
  ('part', 'US02', 'P21', '双侧附件', 18),
  ('part', 'US''03', 'P30', '心脏', 19),
  ('lczd', '', NULL, '体检', 20),
  ('lczd', '', NULL, '腹痛待查', 21),
  ('lczd', '', NULL, '甲状腺结节', 22),
  ('lczd', 'US02', NULL, '停经待查', 23),
  ('lczd', 'US02', NULL, '月经不规则', 24),
  ('lczd', '', NULL, '发育性髋关节发育不良筛查', 25),
  ('lczd', 'US''03', NULL, '胸闷待查', 26),
  ('jianyi', '', NULL, '建议定期复查。', 27),
  ('jianyi', '', NULL, '建议结合临床及其他相关检查。', 28),
  ('jianyi', '', NULL, '建议3个月后复查。', 29),
  ('jianyi', '', NULL, '建议进一步行超声造影或穿刺活检。', 30),
  ('jianyi', 'US02', NULL, '建议1周后复查，动态观察。', 31),
  ('beizhu', '', NULL, '肠气干扰明显，部分显示欠清。', 32),
  ('beizhu', '', NULL, '患者配合欠佳。', 33),
  ('beizhu', '', NULL, '膀胱充盈欠佳。', 34),
  ('beizhu', '', NULL, '已电话通知临床医生。', 35);

INSERT INTO ReportTemplate (kscode, category, name, rtf_SuoJian, rtf_JieLun, uorder) VALUES
  ('US01', '腹部', '肝胆胰脾未见异常', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''b8\''ce\''d4\''e0\''a3\''ba\''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d5\''fd\''b3\''a3\''a3\''ac\''b0\''fc\''c4\''a4\''b9\''e2\''bb\''ac\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''b8\''ce\''c4\''da\''b9\''dc\''b5\''c0\''bd\''e1\''b9\''b9\''c7\''e5\''ce\''fa\''a3\''ac\''c3\''c5\''be\''b2\''c2\''f6\''d6\''f7\''b8\''c9\''c4\''da\''be\''b6\''d4\''bc1.0cm\''a1\''a3\par
\''b5\''a8\''c4\''d2\''a3\''ba\''b4\''f3\''d0\''a1\''d4\''bc6.5\''a1\''c12.8cm\''a3\''ac\''b1\''da\''b9\''e2\''bb\''ac\''a3\''ac\''c7\''bb\''c4\''da\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''bb\''d8\''c9\''f9\''a1\''a3\''b5\''a8\''d7\''dc\''b9\''dc\''c4\''da\''be\''b6\''d4\''bc0.4cm\''a1\''a3\par
\''d2\''c8\''cf\''d9\''a3\''ba\''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d5\''fd\''b3\''a3\''a3\''ac\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''d6\''f7\''d2\''c8\''b9\''dc\''ce\''b4\''bc\''fb\''c0\''a9\''d5\''c5\''a1\''a3\par
\''c6\''a2\''d4\''e0\''a3\''ba\''ba\''f1\''d4\''bc3.5cm\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a1\''a3\par
}
', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''b8\''ce\''a1\''a2\''b5\''a8\''a1\''a2\''d2\''c8\''a1\''a2\''c6\''a2\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
}
', 1),
  ('US01', '腹部', '胆囊结石', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''b8\''ce\''d4\''e0\''a3\''ba\''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d5\''fd\''b3\''a3\''a3\''ac\''b0\''fc\''c4\''a4\''b9\''e2\''bb\''ac\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''c9\''d4\''d4\''f6\''c7\''bf\''a3\''ac\''ba\''f3\''b7\''bd\''bb\''d8\''c9\''f9\''ce\''de\''c3\''f7\''cf\''d4\''cb\''a5\''bc\''f5\''a1\''a3\par
\''b5\''a8\''c4\''d2\''a3\''ba\''b4\''f3\''d0\''a1\''d4\''bc7.2\''a1\''c13.1cm\''a3\''ac\''b1\''da\''c3\''ab\''b2\''da\''a3\''ac\''ba\''f1\''d4\''bc0.4cm\''a3\''ac\''c7\''bb\''c4\''da\''bf\''c9\''bc\''fb\''ca\''fd\''b8\''f6\''c7\''bf\''bb\''d8\''c9\''f9\''cd\''c5\''a3\''ac\b \''d7\''ee\''b4\''f3\''d4\''bc1.2\''a1\''c10.9cm\b0 \''a3\''ac\''ba\''f3\''b0\''e9\''c9\''f9\''d3\''b0\''a3\''ac\''bf\''c9\''cb\''e6\''cc\''e5\''ce\''bb\''b8\''c4\''b1\''e4\''b6\''f8\''d2\''c6\''b6\''af\''a1\''a3\par
\''d2\''c8\''cf\''d9\''a1\''a2\''c6\''a2\''d4\''e0\''a3\''ba\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
}
', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \b \''b5\''a8\''c4\''d2\''b6\''e0\''b7\''a2\''bd\''e1\''ca\''af\b0 \''b0\''e9\''b5\''a8\''c4\''d2\''d1\''d7\par
\''c7\''e1\''b6\''c8\''d6\''ac\''b7\''be\''b8\''ce\par
}
', 2),
  ('US01', '浅表器官', '甲状腺结节', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''bc\''d7\''d7\''b4\''cf\''d9\''a3\''ba\''d7\''f3\''d2\''b6\''b4\''f3\''d0\''a1\''d4\''bc4.6\''a1\''c11.8\''a1\''c11.6cm\''a3\''ac\''d3\''d2\''d2\''b6\''b4\''f3\''d0\''a1\''d4\''bc4.8\''a1\''c11.9\''a1\''c11.7cm\''a3\''ac\''cf\''bf\''b2\''bf\''ba\''f1\''d4\''bc0.3cm\''a3\''ac\''b0\''fc\''c4\''a4\''cd\''ea\''d5\''fb\''a1\''a3\par
\''d3\''d2\''d2\''b6\''d6\''d0\''b2\''bf\''bf\''c9\''bc\''fb\''d2\''bb\''b5\''cd\''bb\''d8\''c9\''f9\''bd\''e1\''bd\''da\''a3\''ac\''b4\''f3\''d0\''a1\''d4\''bc0.8\''a1\''c10.7cm\''a3\''ac\b \''d7\''dd\''ba\''e1\''b1\''c8>1\b0 \''a3\''ac\''b1\''df\''d4\''b5\''b2\''bb\''b9\''e2\''d5\''fb\''a3\''ac\''c4\''da\''bc\''fb\''b5\''e3\''d7\''b4\''c7\''bf\''bb\''d8\''c9\''f9\''a3\''acCDFI\''a3\''ba\''bd\''e1\''bd\''da\''c4\''da\''bf\''c9\''bc\''fb\''c9\''d9\''d0\''ed\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''a1\''a3\par
\''d7\''f3\''d2\''b6\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d5\''bc\''ce\''bb\''a1\''a3\''cb\''ab\''b2\''e0\''be\''b1\''b2\''bf\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d6\''d7\''b4\''f3\''c1\''dc\''b0\''cd\''bd\''e1\''a1\''a3\par
}
', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \b \''bc\''d7\''d7\''b4\''cf\''d9\''d3\''d2\''d2\''b6\''ca\''b5\''d0\''d4\''bd\''e1\''bd\''da\''a3\''acTI-RADS 4b\''c0\''e0\b0\par
\''bd\''a8\''d2\''e9\''bd\''f8\''d2\''bb\''b2\''bd\''d0\''d0\''cf\''b8\''d5\''eb\''b4\''a9\''b4\''cc\''bb\''ee\''bc\''ec\''a1\''a3\par
}
', 3),
  ('US01', '泌尿系', '前列腺增生', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''cb\''ab\''c9\''f6\''a3\''ba\''b4\''f3\''d0\''a1\''d0\''ce\''cc\''ac\''d5\''fd\''b3\''a3\''a3\''ac\''c6\''a4\''cb\''e8\''d6\''ca\''b7\''d6\''bd\''e7\''c7\''e5\''a3\''ac\''bc\''af\''ba\''cf\''cf\''b5\''cd\''b3\''ce\''b4\''bc\''fb\''b7\''d6\''c0\''eb\''a1\''a3\''cb\''ab\''b2\''e0\''ca\''e4\''c4\''f2\''b9\''dc\''ce\''b4\''bc\''fb\''c0\''a9\''d5\''c5\''a1\''a3\par
\''b0\''f2\''eb\''d7\''a3\''ba\''b3\''e4\''d3\''af\''ba\''c3\''a3\''ac\''b1\''da\''b9\''e2\''bb\''ac\''a3\''ac\''c7\''bb\''c4\''da\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''bb\''d8\''c9\''f9\''a1\''a3\par
\''c7\''b0\''c1\''d0\''cf\''d9\''a3\''ba\''b4\''f3\''d0\''a1\''d4\''bc4.6\''a1\''c13.5\''a1\''c13.2cm\''a3\''ac\''c4\''da\''cf\''d9\''d4\''f6\''b4\''f3\''a3\''ac\''bb\''d8\''c9\''f9\''b2\''bb\''be\''f9\''a3\''ac\''bf\''c9\''bc\''fb\''b5\''e3\''d7\''b4\''b8\''c6\''bb\''af\''a1\''a3\par
}
', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''c7\''b0\''c1\''d0\''cf\''d9\''d4\''f6\''c9\''fa\''b0\''e9\''b8\''c6\''bb\''af\par
}
', 4),
  ('US01', '髋关节', '婴儿髋关节筛查', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d7\''f3\''b2\''e0\''f7\''c5\''b9\''d8\''bd\''da\''a3\''ba\''bb\''f9\''cf\''df\''c6\''bd\''d6\''b1\''a3\''ac\''f7\''c5\''be\''ca\''b9\''c7\''b6\''a5\''b0\''bc\''c3\''e6\''a3\''ac\''b9\''c7\''d0\''d4\''cd\''bb\''c6\''f0\''c8\''f1\''a3\''ac\''c8\''ed\''b9\''c7\''d3\''db\''b4\''bd\''b3\''a4\''a3\''ac\''b9\''c7\''bb\''af\''d6\''d0\''d0\''c4\''ce\''b4\''b3\''f6\''cf\''d6\''a3\''ac\''a6\''c1\''bd\''c7\''d4\''bc62\''a1\''e3\''a3\''ac\''a6\''c2\''bd\''c7\''d4\''bc50\''a1\''e3\''a1\''a3\par
\''d3\''d2\''b2\''e0\''f7\''c5\''b9\''d8\''bd\''da\''a3\''ba\''bb\''f9\''cf\''df\''c6\''bd\''d6\''b1\''a3\''ac\''f7\''c5\''be\''ca\''b9\''c7\''b6\''a5\''d0\''b1\''c3\''e6\''a3\''ac\''b9\''c7\''d0\''d4\''cd\''bb\''c6\''f0\''b6\''db\''a3\''ac\''c8\''ed\''b9\''c7\''d3\''db\''b4\''bd\''bf\''ed\''a3\''ac\''b9\''c7\''bb\''af\''d6\''d0\''d0\''c4\''ce\''b4\''b3\''f6\''cf\''d6\''a3\''ac\''a6\''c1\''bd\''c7\''d4\''bc55\''a1\''e3\''a3\''ac\''a6\''c2\''bd\''c7\''d4\''bc58\''a1\''e3\''a1\''a3\par
}
', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d7\''f3\''b2\''e0\''f7\''c5\''b9\''d8\''bd\''daGraf \''a2\''f1a\''d0\''cd\par
\b \''d3\''d2\''b2\''e0\''f7\''c5\''b9\''d8\''bd\''daGraf \''a2\''f2a\''d0\''cd\''a3\''ac\''bd\''a8\''d2\''e96\''d6\''dc\''ba\''f3\''b8\''b4\''b2\''e9\b0\par
}
', 5),
  ('US02', '妇科', '子宫肌瘤', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d7\''d3\''b9\''ac\''a3\''ba\''c7\''b0\''ce\''bb\''a3\''ac\''b4\''f3\''d0\''a1\''d4\''bc6.2\''a1\''c15.8\''a1\''c14.9cm\''a3\''ac\''d0\''ce\''cc\''ac\''b1\''a5\''c2\''fa\''a3\''ac\''bc\''a1\''b2\''e3\''bb\''d8\''c9\''f9\''b2\''bb\''be\''f9\''a3\''ac\par
\''c7\''b0\''b1\''da\''bc\''a1\''b2\''e3\''bf\''c9\''bc\''fb\''d2\''bb\''b5\''cd\''bb\''d8\''c9\''f9\''cd\''c5\''a3\''ac\''b4\''f3\''d0\''a1\''d4\''bc3.1\''a1\''c12.7cm\''a3\''ac\''b1\''df\''bd\''e7\''c7\''e5\''a3\''acCDFI\''a3\''ba\''d6\''dc\''b1\''df\''bf\''c9\''bc\''fb\''bb\''b7\''d7\''b4\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''a1\''a3\par
\''c4\''da\''c4\''a4\''ba\''f1\''d4\''bc0.8cm\''a3\''ac\''b9\''ac\''c7\''bb\''cf\''df\''be\''d3\''d6\''d0\''a1\''a3\''cb\''ab\''b2\''e0\''b8\''bd\''bc\''fe\''c7\''f8\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''b0\''fc\''bf\''e9\''a1\''a3\par
}
', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d7\''d3\''b9\''ac\''c7\''b0\''b1\''da\''bc\''a1\''c1\''f6\''a3\''a8\''bc\''a1\''b1\''da\''bc\''e4\''a3\''a9\par
}
', 6),
  ('US02', '产科', '宫内早孕', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d7\''d3\''b9\''ac\''a3\''ba\''c7\''b0\''ce\''bb\''a3\''ac\''d4\''f6\''b4\''f3\''a3\''ac\''b9\''ac\''c7\''bb\''c4\''da\''bf\''c9\''bc\''fb\''d2\''bb\''c8\''d1\''c9\''ef\''c4\''d2\''a3\''ac\''b4\''f3\''d0\''a1\''d4\''bc2.4\''a1\''c12.1\''a1\''c11.8cm\''a3\''ac\''c4\''d2\''c4\''da\''bf\''c9\''bc\''fb\''c2\''d1\''bb\''c6\''c4\''d2\''bc\''b0\''c5\''df\''d1\''bf\''a3\''ac\par
\''c5\''df\''d1\''bf\''b3\''a4\''d4\''bc0.6cm\''a3\''ac\''bf\''c9\''bc\''fb\''d4\''ad\''ca\''bc\''d0\''c4\''b9\''dc\''b2\''ab\''b6\''af\''a1\''a3\''cb\''ab\''b2\''e0\''b8\''bd\''bc\''fe\''c7\''f8\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''b0\''fc\''bf\''e9\''a3\''ac\''c5\''e8\''c7\''bb\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''bb\''fd\''d2\''ba\''a1\''a3\par
}
', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''b9\''ac\''c4\''da\''d4\''e7\''d4\''d0\''a3\''ac\''bb\''ee\''cc\''a5\''a3\''a8\''d4\''bc6\''d6\''dc+3\''cc\''ec\''a3\''a9\par
}
', 7),
  ('US''03', '心脏', '正常超声心动图', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''b8\''f7\''b7\''bf\''ca\''d2\''c4\''da\''be\''b6\''d5\''fd\''b3\''a3\''b7\''b6\''ce\''a7\''a3\''ac\''ca\''d2\''bc\''e4\''b8\''f4\''bc\''b0\''d7\''f3\''ca\''d2\''ba\''f3\''b1\''da\''ba\''f1\''b6\''c8\''d5\''fd\''b3\''a3\''a3\''ac\''d4\''cb\''b6\''af\''d0\''ad\''b5\''f7\''a3\''ac\''b7\''f9\''b6\''c8\''d5\''fd\''b3\''a3\''a1\''a3\par
\''b8\''f7\''b0\''ea\''c4\''a4\''d0\''ce\''cc\''ac\''a1\''a2\''bd\''e1\''b9\''b9\''bc\''b0\''c6\''f4\''b1\''d5\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3CDFI\''a3\''ba\''b6\''fe\''bc\''e2\''b0\''ea\''bc\''b0\''c8\''fd\''bc\''e2\''b0\''ea\''bf\''c9\''bc\''fb\''c9\''d9\''c1\''bf\''b7\''b4\''c1\''f7\''d0\''c5\''ba\''c5\''a1\''a3\par
\''d7\''f3\''ca\''d2\''c9\''e4\''d1\''aa\''b7\''d6\''ca\''fd\''a3\''a8EF\''a3\''a9\''d4\''bc65%\''a1\''a3\par
}
', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d0\''c4\''d4\''e0\''bd\''e1\''b9\''b9\''bc\''b0\''b9\''a6\''c4\''dc\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\par
\''b6\''fe\''bc\''e2\''b0\''ea\''a1\''a2\''c8\''fd\''bc\''e2\''b0\''ea\''c9\''d9\''c1\''bf\''b7\''b4\''c1\''f7\par
}
', 8);

INSERT INTO SpecialSymbol (symbol, uorder) VALUES
  ('°', 1),
  ('×', 2),
  ('±', 3),
  ('≤', 4),
  ('≥', 5),
  ('≈', 6),
  ('←', 7),
  ('→', 8),
  ('↑', 9),
  ('↓', 10),
  ('℃', 11),
  ('‰', 12),
  ('α', 13),
  ('β', 14),
  ('μ', 15),
  ('Ⅰ', 16),
  ('Ⅱ', 17),
  ('Ⅲ', 18),
  ('Ⅳ', 19),
  ('㎝', 20),
  ('㎜', 21),
  ('㎡', 22),
  ('※', 23);

INSERT INTO Study (Accnu, PatientName, Sex, Age, kscode, ExamTime, PatientId, ReqDept, BedNo) VALUES
  ('US20240520001', '王桂兰', '女', '56岁', 'US01', '2024-05-20 08:32:10.000', 'MZ0012873', '体检中心', NULL),
  ('US20240520002', '李强', '男', '47岁', 'US01', '2024-05-20 09:05:44.000', 'MZ0013102', '急诊科', NULL),
  ('US20240520003', '陈晓梅', '女', '38岁', 'US01', '2024-05-20 09:40:02.000', 'MZ0013355', '甲状腺外科门诊', NULL),
  ('US20240520004', '刘建华', '男', '68岁', 'US01', '2024-05-20 10:12:31.000', 'ZY0203417', '泌尿外科', '12'),
  ('US20240520005', '张小宝', '男', '2月', 'US01', '2024-05-20 10:48:19.000', 'MZ0013590', '儿童保健科', NULL),
  ('US20240520006', '黄丽', '女', '29岁', 'US02', '2024-05-20 11:03:57.000', 'MZ0013611', '产科门诊', NULL),
  ('US20240520007', '周芳', '女', '42岁', 'US02', '2024-05-20 13:30:25.000', 'MZ0013704', '妇科门诊', NULL),
  ('US20240520008', '孙倩', '女', '31岁', 'US02', '2024-05-20 14:15:08.000', 'JZ0004521', '急诊科', NULL),
  ('US20240520009', '马国庆', '男', '61岁', 'US''03', '2024-05-20 14:50:40.000', 'ZY0203562', '心内科', '7'),
  ('US20240521001', '赵婷', '女', '45岁', 'US01', '2024-05-21 08:20:15.000', 'MZ0013988', '体检中心', NULL),
  ('US20240521002', '钱伟', '男', '52岁', 'US01', '2024-05-21 08:45:50.000', 'MZ0014020', '普外科门诊', NULL),
  ('US20240521003', '何丹', '女', '35岁', 'US02', '2024-05-21 09:12:33.000', 'MZ0014107', '妇科门诊', NULL),
  ('US20240521004', '林志远', '男', '58岁', 'US01', '2024-05-21 10:05:12.000', 'ZY0204188', '肿瘤内科', '23');

INSERT INTO ExamItem (Accnu, ItemCode, ItemName, ItemOrder, Usable, ReportGuid) VALUES
  ('US20240520001', 'U001', '肝胆胰脾', 1, 1, '60B67F58-DC6A-5A04-8D05-A2659B224C7D'),
  ('US20240520002', 'U001', '肝胆胰脾', 2, 1, '4A709279-5168-55AA-93C6-BC439127FB88'),
  ('US20240520003', 'U010', '甲状腺及颈部淋巴结', 3, 1, '872ED6A1-21C1-5C5F-9840-95EB856AC250'),
  ('US20240520004', 'U020', '双肾输尿管', 4, 1, '3DBE8EF9-B0E6-57E5-910E-006702EA51E9'),
  ('US20240520004', 'U021', '膀胱', 5, 1, '3DBE8EF9-B0E6-57E5-910E-006702EA51E9'),
  ('US20240520004', 'U022', '前列腺', 6, 1, '3DBE8EF9-B0E6-57E5-910E-006702EA51E9'),
  ('US20240520005', 'U030', '双侧髋关节', 7, 1, '0D1CC32A-51CF-5EEC-8F95-BDD16A3D02AB'),
  ('US20240520006', 'G001', '早孕', 8, 1, 'A869C212-8FF6-5C73-9CAD-5B745C6033AA'),
  ('US20240520007', 'G010', '子宫附件（经阴道）', 9, 1, '6F462B5E-3B94-5B93-938D-62248F0D715F'),
  ('US20240520008', 'G010', '子宫附件（经阴道）', 10, 1, 'E92040B5-2034-55F1-B39C-DE846C6D9A70'),
  ('US20240520009', 'C001', '超声心动图', 11, 1, 'F5CD0FE9-1523-5045-B46C-26E1702F0C24'),
  ('US20240521001', 'U001', '肝胆胰脾', 12, 1, NULL),
  ('US20240521001', 'U020', '双肾输尿管', 13, 1, NULL),
  ('US20240521001', 'U010', '甲状腺及颈部淋巴结', 14, 1, NULL),
  ('US20240521001', 'U040', '乳腺及腋窝淋巴结', 15, 1, NULL),
  ('US20240521001', 'U050', '颈部血管', 16, 0, NULL),
  ('US20240521002', 'U001', '肝胆胰脾', 17, 1, NULL),
  ('US20240521002', 'U060', '阑尾', 18, 1, NULL),
  ('US20240521003', 'G010', '子宫附件（经阴道）', 19, 1, NULL),
  ('US20240521004', 'U001', '肝胆胰脾', 20, 1, '6C7765BA-4BB7-5DCE-866A-375A1228D3EC'),
  ('US20240521004', 'U020', '双肾输尿管', 21, 1, '6C7765BA-4BB7-5DCE-866A-375A1228D3EC'),
  ('US20240521004', 'U010', '甲状腺及颈部淋巴结', 22, 1, '6C7765BA-4BB7-5DCE-866A-375A1228D3EC'),
  ('US20240521004', 'U070', '浅表淋巴结', 23, 1, '6C7765BA-4BB7-5DCE-866A-375A1228D3EC');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  ('60B67F58-DC6A-5A04-8D05-A2659B224C7D', 'US20240520001', 'NB0520001', '经腹部超声检查', '肝胆胰脾', 'U001', '腹部', '经腹', '优', '肝脏：形态大小正常，包膜光滑，实质回声均匀，肝内管道结构清晰，门静脉主干内径约1.0cm。
胆囊：大小约6.5×2.8cm，壁光滑，腔内未见明显异常回声。胆总管内径约0.4cm。
胰腺：形态大小正常，回声均匀，主胰管未见扩张。
脾脏：厚约3.5cm，实质回声均匀。', '肝、胆、胰、脾未见明显异常。', NULL, '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''b8\''ce\''d4\''e0\''a3\''ba\''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d5\''fd\''b3\''a3\''a3\''ac\''b0\''fc\''c4\''a4\''b9\''e2\''bb\''ac\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''b8\''ce\''c4\''da\''b9\''dc\''b5\''c0\''bd\''e1\''b9\''b9\''c7\''e5\''ce\''fa\''a3\''ac\''c3\''c5\''be\''b2\''c2\''f6\''d6\''f7\''b8\''c9\''c4\''da\''be\''b6\''d4\''bc1.0cm\''a1\''a3\par
\''b5\''a8\''c4\''d2\''a3\''ba\''b4\''f3\''d0\''a1\''d4\''bc6.5\''a1\''c12.8cm\''a3\''ac\''b1\''da\''b9\''e2\''bb\''ac\''a3\''ac\''c7\''bb\''c4\''da\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''bb\''d8\''c9\''f9\''a1\''a3\''b5\''a8\''d7\''dc\''b9\''dc\''c4\''da\''be\''b6\''d4\''bc0.4cm\''a1\''a3\par
\''d2\''c8\''cf\''d9\''a3\''ba\''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d5\''fd\''b3\''a3\''a3\''ac\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''d6\''f7\''d2\''c8\''b9\''dc\''ce\''b4\''bc\''fb\''c0\''a9\''d5\''c5\''a1\''a3\par
\''c6\''a2\''d4\''e0\''a3\''ba\''ba\''f1\''d4\''bc3.5cm\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a1\''a3\par
}
', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''b8\''ce\''a1\''a2\''b5\''a8\''a1\''a2\''d2\''c8\''a1\''a2\''c6\''a2\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
}
', 5, '3.5MHz', NULL, '王建国', 'D002', '王建国', 'D002', '张医生', 'D001', NULL, NULL, '2024-05-20 08:50:12.000', '2024-05-20 09:10:45.000', NULL, 1, false, NULL, NULL, '体检', '肝脏,胆囊,胰腺,脾脏', 'P01,P02,P03,P04', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, '2024-05-20 08:32:15.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  ('4A709279-5168-55AA-93C6-BC439127FB88', 'US20240520002', 'NB0520002', '经腹部超声检查', '肝胆胰脾', 'U001', '腹部', '经腹', '良', '肝脏：形态大小正常，包膜光滑，实质回声稍增强，后方回声无明显衰减。
胆囊：大小约7.2×3.1cm，壁毛糙，厚约0.4cm，腔内可见数个强回声团，最大约1.2×0.9cm，后伴声影，可随体位改变而移动。
胰腺、脾脏：未见明显异常。', '胆囊多发结石伴胆囊炎
轻度脂肪肝', '建议肝胆外科就诊。', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''b8\''ce\''d4\''e0\''a3\''ba\''d0\''ce\''cc\''ac\''b4\''f3\''d0\''a1\''d5\''fd\''b3\''a3\''a3\''ac\''b0\''fc\''c4\''a4\''b9\''e2\''bb\''ac\''a3\''ac\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''c9\''d4\''d4\''f6\''c7\''bf\''a3\''ac\''ba\''f3\''b7\''bd\''bb\''d8\''c9\''f9\''ce\''de\''c3\''f7\''cf\''d4\''cb\''a5\''bc\''f5\''a1\''a3\par
\''b5\''a8\''c4\''d2\''a3\''ba\''b4\''f3\''d0\''a1\''d4\''bc7.2\''a1\''c13.1cm\''a3\''ac\''b1\''da\''c3\''ab\''b2\''da\''a3\''ac\''ba\''f1\''d4\''bc0.4cm\''a3\''ac\''c7\''bb\''c4\''da\''bf\''c9\''bc\''fb\''ca\''fd\''b8\''f6\''c7\''bf\''bb\''d8\''c9\''f9\''cd\''c5\''a3\''ac\b \''d7\''ee\''b4\''f3\''d4\''bc1.2\''a1\''c10.9cm\b0 \''a3\''ac\''ba\''f3\''b0\''e9\''c9\''f9\''d3\''b0\''a3\''ac\''bf\''c9\''cb\''e6\''cc\''e5\''ce\''bb\''b8\''c4\''b1\''e4\''b6\''f8\''d2\''c6\''b6\''af\''a1\''a3\par
\''d2\''c8\''cf\''d9\''a1\''a2\''c6\''a2\''d4\''e0\''a3\''ba\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
}
', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \b \''b5\''a8\''c4\''d2\''b6\''e0\''b7\''a2\''bd\''e1\''ca\''af\b0 \''b0\''e9\''b5\''a8\''c4\''d2\''d1\''d7\par
\''c7\''e1\''b6\''c8\''d6\''ac\''b7\''be\''b8\''ce\par
}
', 5, '3.5MHz', NULL, '王建国', 'D002', '王建国', 'D002', '张医生', 'D001', NULL, NULL, '2024-05-20 09:25:03.000', '2024-05-20 09:40:27.000', NULL, 1, true, NULL, NULL, '腹痛待查', '肝脏,胆囊', 'P01,P02', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, '2024-05-20 09:05:50.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  ('872ED6A1-21C1-5C5F-9840-95EB856AC250', 'US20240520003', 'NB0520003', '彩色多普勒超声检查', '甲状腺及颈部淋巴结', 'U010', '浅表器官', '体表', '优', '甲状腺：左叶大小约4.6×1.8×1.6cm，右叶大小约4.8×1.9×1.7cm，峡部厚约0.3cm，包膜完整。
右叶中部可见一低回声结节，大小约0.8×0.7cm，纵横比>1，边缘不光整，内见点状强回声，CDFI：结节内可见少许血流信号。
左叶实质回声均匀，未见明显占位。双侧颈部未见明显肿大淋巴结。', '甲状腺右叶实性结节，TI-RADS 4b类
建议进一步行细针穿刺活检。', '建议进一步行超声造影或穿刺活检。', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''bc\''d7\''d7\''b4\''cf\''d9\''a3\''ba\''d7\''f3\''d2\''b6\''b4\''f3\''d0\''a1\''d4\''bc4.6\''a1\''c11.8\''a1\''c11.6cm\''a3\''ac\''d3\''d2\''d2\''b6\''b4\''f3\''d0\''a1\''d4\''bc4.8\''a1\''c11.9\''a1\''c11.7cm\''a3\''ac\''cf\''bf\''b2\''bf\''ba\''f1\''d4\''bc0.3cm\''a3\''ac\''b0\''fc\''c4\''a4\''cd\''ea\''d5\''fb\''a1\''a3\par
\''d3\''d2\''d2\''b6\''d6\''d0\''b2\''bf\''bf\''c9\''bc\''fb\''d2\''bb\''b5\''cd\''bb\''d8\''c9\''f9\''bd\''e1\''bd\''da\''a3\''ac\''b4\''f3\''d0\''a1\''d4\''bc0.8\''a1\''c10.7cm\''a3\''ac\b \''d7\''dd\''ba\''e1\''b1\''c8>1\b0 \''a3\''ac\''b1\''df\''d4\''b5\''b2\''bb\''b9\''e2\''d5\''fb\''a3\''ac\''c4\''da\''bc\''fb\''b5\''e3\''d7\''b4\''c7\''bf\''bb\''d8\''c9\''f9\''a3\''acCDFI\''a3\''ba\''bd\''e1\''bd\''da\''c4\''da\''bf\''c9\''bc\''fb\''c9\''d9\''d0\''ed\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''a1\''a3\par
\''d7\''f3\''d2\''b6\''ca\''b5\''d6\''ca\''bb\''d8\''c9\''f9\''be\''f9\''d4\''c8\''a3\''ac\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d5\''bc\''ce\''bb\''a1\''a3\''cb\''ab\''b2\''e0\''be\''b1\''b2\''bf\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d6\''d7\''b4\''f3\''c1\''dc\''b0\''cd\''bd\''e1\''a1\''a3\par
}
', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \b \''bc\''d7\''d7\''b4\''cf\''d9\''d3\''d2\''d2\''b6\''ca\''b5\''d0\''d4\''bd\''e1\''bd\''da\''a3\''acTI-RADS 4b\''c0\''e0\b0\par
\''bd\''a8\''d2\''e9\''bd\''f8\''d2\''bb\''b2\''bd\''d0\''d0\''cf\''b8\''d5\''eb\''b4\''a9\''b4\''cc\''bb\''ee\''bc\''ec\''a1\''a3\par
}
', 2, '5-12MHz线阵', NULL, '李秀英', 'D003', '李秀英', 'D003', '王建国', 'D002', NULL, NULL, '2024-05-20 10:02:44.000', '2024-05-20 10:05:00.000', NULL, 0, true, NULL, NULL, '甲状腺结节', '甲状腺', 'P08', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, '2024-05-20 09:40:10.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  ('3DBE8EF9-B0E6-57E5-910E-006702EA51E9', 'US20240520004', 'NB0520004', '经腹部超声检查', '双肾输尿管,膀胱,前列腺', 'U020,U021,U022', '泌尿系', '经腹', '良', '双肾：大小形态正常，皮髓质分界清，集合系统未见分离。双侧输尿管未见扩张。
膀胱：充盈好，壁光滑，腔内未见明显异常回声。
前列腺：大小约4.6×3.5×3.2cm，内腺增大，回声不均，可见点状钙化。', '前列腺增生伴钙化', NULL, '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''cb\''ab\''c9\''f6\''a3\''ba\''b4\''f3\''d0\''a1\''d0\''ce\''cc\''ac\''d5\''fd\''b3\''a3\''a3\''ac\''c6\''a4\''cb\''e8\''d6\''ca\''b7\''d6\''bd\''e7\''c7\''e5\''a3\''ac\''bc\''af\''ba\''cf\''cf\''b5\''cd\''b3\''ce\''b4\''bc\''fb\''b7\''d6\''c0\''eb\''a1\''a3\''cb\''ab\''b2\''e0\''ca\''e4\''c4\''f2\''b9\''dc\''ce\''b4\''bc\''fb\''c0\''a9\''d5\''c5\''a1\''a3\par
\''b0\''f2\''eb\''d7\''a3\''ba\''b3\''e4\''d3\''af\''ba\''c3\''a3\''ac\''b1\''da\''b9\''e2\''bb\''ac\''a3\''ac\''c7\''bb\''c4\''da\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''bb\''d8\''c9\''f9\''a1\''a3\par
\''c7\''b0\''c1\''d0\''cf\''d9\''a3\''ba\''b4\''f3\''d0\''a1\''d4\''bc4.6\''a1\''c13.5\''a1\''c13.2cm\''a3\''ac\''c4\''da\''cf\''d9\''d4\''f6\''b4\''f3\''a3\''ac\''bb\''d8\''c9\''f9\''b2\''bb\''be\''f9\''a3\''ac\''bf\''c9\''bc\''fb\''b5\''e3\''d7\''b4\''b8\''c6\''bb\''af\''a1\''a3\par
}
', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''c7\''b0\''c1\''d0\''cf\''d9\''d4\''f6\''c9\''fa\''b0\''e9\''b8\''c6\''bb\''af\par
}
', 5, '3.5MHz', NULL, '王建国', 'D002', '王建国', 'D002', '张医生', 'D001', NULL, NULL, '2024-05-20 10:35:20.000', '2024-05-20 11:00:00.000', NULL, 1, true, NULL, '膀胱充盈欠佳。', '尿频待查', '双肾,膀胱,前列腺', 'P05,P06,P07', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, '2024-05-20 10:12:40.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  ('0D1CC32A-51CF-5EEC-8F95-BDD16A3D02AB', 'US20240520005', 'NB0520005', '经体表超声检查', '双侧髋关节', 'U030', '髋关节', '体表', '优', '左侧髋关节：基线平直，髋臼骨顶凹面，骨性突起锐，软骨盂唇长，骨化中心未出现，α角约62°，β角约50°。
右侧髋关节：基线平直，髋臼骨顶斜面，骨性突起钝，软骨盂唇宽，骨化中心未出现，α角约55°，β角约58°。', '左侧髋关节Graf Ⅰa型
右侧髋关节Graf Ⅱa型，建议6周后复查', '建议6周后复查。', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d7\''f3\''b2\''e0\''f7\''c5\''b9\''d8\''bd\''da\''a3\''ba\''bb\''f9\''cf\''df\''c6\''bd\''d6\''b1\''a3\''ac\''f7\''c5\''be\''ca\''b9\''c7\''b6\''a5\''b0\''bc\''c3\''e6\''a3\''ac\''b9\''c7\''d0\''d4\''cd\''bb\''c6\''f0\''c8\''f1\''a3\''ac\''c8\''ed\''b9\''c7\''d3\''db\''b4\''bd\''b3\''a4\''a3\''ac\''b9\''c7\''bb\''af\''d6\''d0\''d0\''c4\''ce\''b4\''b3\''f6\''cf\''d6\''a3\''ac\''a6\''c1\''bd\''c7\''d4\''bc62\''a1\''e3\''a3\''ac\''a6\''c2\''bd\''c7\''d4\''bc50\''a1\''e3\''a1\''a3\par
\''d3\''d2\''b2\''e0\''f7\''c5\''b9\''d8\''bd\''da\''a3\''ba\''bb\''f9\''cf\''df\''c6\''bd\''d6\''b1\''a3\''ac\''f7\''c5\''be\''ca\''b9\''c7\''b6\''a5\''d0\''b1\''c3\''e6\''a3\''ac\''b9\''c7\''d0\''d4\''cd\''bb\''c6\''f0\''b6\''db\''a3\''ac\''c8\''ed\''b9\''c7\''d3\''db\''b4\''bd\''bf\''ed\''a3\''ac\''b9\''c7\''bb\''af\''d6\''d0\''d0\''c4\''ce\''b4\''b3\''f6\''cf\''d6\''a3\''ac\''a6\''c1\''bd\''c7\''d4\''bc55\''a1\''e3\''a3\''ac\''a6\''c2\''bd\''c7\''d4\''bc58\''a1\''e3\''a1\''a3\par
}
', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d7\''f3\''b2\''e0\''f7\''c5\''b9\''d8\''bd\''daGraf \''a2\''f1a\''d0\''cd\par
\b \''d3\''d2\''b2\''e0\''f7\''c5\''b9\''d8\''bd\''daGraf \''a2\''f2a\''d0\''cd\''a3\''ac\''bd\''a8\''d2\''e96\''d6\''dc\''ba\''f3\''b8\''b4\''b2\''e9\b0\par
}
', 2, '5-12MHz线阵', NULL, '刘洋', 'D004', '刘洋', 'D004', NULL, NULL, NULL, NULL, '2024-05-20 11:05:33.000', NULL, NULL, 0, true, NULL, NULL, '发育性髋关节发育不良筛查', '双侧髋关节', 'P10', '平直', '凹面', '锐', '长', '未出现', '平直', '斜面', '钝', '宽,强', '未出现', '62', '55', '50', '58', '2024-05-20 10:48:25.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  ('A869C212-8FF6-5C73-9CAD-5B745C6033AA', 'US20240520006', 'NB0520006', '经腹部超声检查', '早孕', 'G001', '产科', '经腹', '良', '子宫：前位，增大，宫腔内可见一妊娠囊，大小约2.4×2.1×1.8cm，囊内可见卵黄囊及胚芽，
胚芽长约0.6cm，可见原始心管搏动。双侧附件区未见明显包块，盆腔未见明显积液。', '宫内早孕，活胎（约6周+3天）', NULL, '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d7\''d3\''b9\''ac\''a3\''ba\''c7\''b0\''ce\''bb\''a3\''ac\''d4\''f6\''b4\''f3\''a3\''ac\''b9\''ac\''c7\''bb\''c4\''da\''bf\''c9\''bc\''fb\''d2\''bb\''c8\''d1\''c9\''ef\''c4\''d2\''a3\''ac\''b4\''f3\''d0\''a1\''d4\''bc2.4\''a1\''c12.1\''a1\''c11.8cm\''a3\''ac\''c4\''d2\''c4\''da\''bf\''c9\''bc\''fb\''c2\''d1\''bb\''c6\''c4\''d2\''bc\''b0\''c5\''df\''d1\''bf\''a3\''ac\par
\''c5\''df\''d1\''bf\''b3\''a4\''d4\''bc0.6cm\''a3\''ac\''bf\''c9\''bc\''fb\''d4\''ad\''ca\''bc\''d0\''c4\''b9\''dc\''b2\''ab\''b6\''af\''a1\''a3\''cb\''ab\''b2\''e0\''b8\''bd\''bc\''fe\''c7\''f8\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''b0\''fc\''bf\''e9\''a3\''ac\''c5\''e8\''c7\''bb\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''bb\''fd\''d2\''ba\''a1\''a3\par
}
', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''b9\''ac\''c4\''da\''d4\''e7\''d4\''d0\''a3\''ac\''bb\''ee\''cc\''a5\''a3\''a8\''d4\''bc6\''d6\''dc+3\''cc\''ec\''a3\''a9\par
}
', 5, '3.5MHz', NULL, '赵敏', 'D101', '赵敏', 'D101', '孙丽华', 'D102', NULL, NULL, '2024-05-20 11:20:05.000', '2024-05-20 11:30:40.000', NULL, 1, false, NULL, NULL, '停经待查', '子宫', 'P20', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, '2024-05-20 11:04:00.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  ('6F462B5E-3B94-5B93-938D-62248F0D715F', 'US20240520007', 'NB0520007', '经阴道超声检查', '子宫附件（经阴道）', 'G010', '妇科', '经阴道', '优', '子宫：前位，大小约6.2×5.8×4.9cm，形态饱满，肌层回声不均，
前壁肌层可见一低回声团，大小约3.1×2.7cm，边界清，CDFI：周边可见环状血流信号。
内膜厚约0.8cm，宫腔线居中。双侧附件区未见明显包块。', '子宫前壁肌瘤（肌壁间）', '建议定期复查。', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d7\''d3\''b9\''ac\''a3\''ba\''c7\''b0\''ce\''bb\''a3\''ac\''b4\''f3\''d0\''a1\''d4\''bc6.2\''a1\''c15.8\''a1\''c14.9cm\''a3\''ac\''d0\''ce\''cc\''ac\''b1\''a5\''c2\''fa\''a3\''ac\''bc\''a1\''b2\''e3\''bb\''d8\''c9\''f9\''b2\''bb\''be\''f9\''a3\''ac\par
\''c7\''b0\''b1\''da\''bc\''a1\''b2\''e3\''bf\''c9\''bc\''fb\''d2\''bb\''b5\''cd\''bb\''d8\''c9\''f9\''cd\''c5\''a3\''ac\''b4\''f3\''d0\''a1\''d4\''bc3.1\''a1\''c12.7cm\''a3\''ac\''b1\''df\''bd\''e7\''c7\''e5\''a3\''acCDFI\''a3\''ba\''d6\''dc\''b1\''df\''bf\''c9\''bc\''fb\''bb\''b7\''d7\''b4\''d1\''aa\''c1\''f7\''d0\''c5\''ba\''c5\''a1\''a3\par
\''c4\''da\''c4\''a4\''ba\''f1\''d4\''bc0.8cm\''a3\''ac\''b9\''ac\''c7\''bb\''cf\''df\''be\''d3\''d6\''d0\''a1\''a3\''cb\''ab\''b2\''e0\''b8\''bd\''bc\''fe\''c7\''f8\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''b0\''fc\''bf\''e9\''a1\''a3\par
}
', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d7\''d3\''b9\''ac\''c7\''b0\''b1\''da\''bc\''a1\''c1\''f6\''a3\''a8\''bc\''a1\''b1\''da\''bc\''e4\''a3\''a9\par
}
', 5, '5.0MHz', NULL, '孙丽华', 'D102', '孙丽华', 'D102', '赵敏', 'D101', '周婷', 'D103', '2024-05-20 13:50:16.000', '2024-05-20 14:02:09.000', '2024-05-20 13:58:00.000', 1, true, NULL, NULL, '月经不规则', '子宫,双侧附件', 'P20,P21', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, '2024-05-20 13:30:30.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  ('E92040B5-2034-55F1-B39C-DE846C6D9A70', 'US20240520008', 'NB0520008', '经阴道超声检查', '子宫附件（经阴道）', 'G010', '妇科', '经阴道', '中', '子宫：前位，大小正常，宫腔内未见妊娠囊回声，内膜厚约1.2cm。
左侧附件区可见一混合回声包块，大小约4.5×3.8cm，边界欠清。盆腹腔可见游离液性暗区，最深约5.6cm。', '左侧附件区混合性包块，考虑异位妊娠破裂可能
盆腹腔积液', NULL, '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d7\''d3\''b9\''ac\''a3\''ba\''c7\''b0\''ce\''bb\''a3\''ac\''b4\''f3\''d0\''a1\''d5\''fd\''b3\''a3\''a3\''ac\''b9\''ac\''c7\''bb\''c4\''da\''ce\''b4\''bc\''fb\''c8\''d1\''c9\''ef\''c4\''d2\''bb\''d8\''c9\''f9\''a3\''ac\''c4\''da\''c4\''a4\''ba\''f1\''d4\''bc1.2cm\''a1\''a3\par
\''d7\''f3\''b2\''e0\''b8\''bd\''bc\''fe\''c7\''f8\''bf\''c9\''bc\''fb\''d2\''bb\''bb\''ec\''ba\''cf\''bb\''d8\''c9\''f9\''b0\''fc\''bf\''e9\''a3\''ac\''b4\''f3\''d0\''a1\''d4\''bc4.5\''a1\''c13.8cm\''a3\''ac\''b1\''df\''bd\''e7\''c7\''b7\''c7\''e5\''a1\''a3\b\cf1 \''c5\''e8\''b8\''b9\''c7\''bb\''bf\''c9\''bc\''fb\''d3\''ce\''c0\''eb\''d2\''ba\''d0\''d4\''b0\''b5\''c7\''f8\''a3\''ac\''d7\''ee\''c9\''ee\''d4\''bc5.6cm\b0\cf0 \''a1\''a3\par
}
', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \b\cf1 \''d7\''f3\''b2\''e0\''b8\''bd\''bc\''fe\''c7\''f8\''bb\''ec\''ba\''cf\''d0\''d4\''b0\''fc\''bf\''e9\''a3\''ac\''bf\''bc\''c2\''c7\''d2\''ec\''ce\''bb\''c8\''d1\''c9\''ef\''c6\''c6\''c1\''d1\''bf\''c9\''c4\''dc\b0\cf0\par
\cf1 \''c5\''e8\''b8\''b9\''c7\''bb\''bb\''fd\''d2\''ba\cf0\par
}
', 2, '5.0MHz', NULL, '周婷', 'D103', '周婷', 'D103', NULL, NULL, NULL, NULL, '2024-05-20 14:30:51.000', NULL, NULL, 0, true, '异位妊娠破裂伴腹腔积液', '已电话通知临床医生。', '停经腹痛', '子宫,双侧附件', 'P20,P21', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, '2024-05-20 14:15:12.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  ('F5CD0FE9-1523-5045-B46C-26E1702F0C24', 'US20240520009', 'NB0520009', '经胸超声心动图检查', '超声心动图', 'C001', '心脏', '体表', '良', '各房室内径正常范围，室间隔及左室后壁厚度正常，运动协调，幅度正常。
各瓣膜形态、结构及启闭未见明显异常。CDFI：二尖瓣及三尖瓣可见少量反流信号。
左室射血分数（EF）约65%。', '心脏结构及功能未见明显异常
二尖瓣、三尖瓣少量反流', NULL, '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''b8\''f7\''b7\''bf\''ca\''d2\''c4\''da\''be\''b6\''d5\''fd\''b3\''a3\''b7\''b6\''ce\''a7\''a3\''ac\''ca\''d2\''bc\''e4\''b8\''f4\''bc\''b0\''d7\''f3\''ca\''d2\''ba\''f3\''b1\''da\''ba\''f1\''b6\''c8\''d5\''fd\''b3\''a3\''a3\''ac\''d4\''cb\''b6\''af\''d0\''ad\''b5\''f7\''a3\''ac\''b7\''f9\''b6\''c8\''d5\''fd\''b3\''a3\''a1\''a3\par
\''b8\''f7\''b0\''ea\''c4\''a4\''d0\''ce\''cc\''ac\''a1\''a2\''bd\''e1\''b9\''b9\''bc\''b0\''c6\''f4\''b1\''d5\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3CDFI\''a3\''ba\''b6\''fe\''bc\''e2\''b0\''ea\''bc\''b0\''c8\''fd\''bc\''e2\''b0\''ea\''bf\''c9\''bc\''fb\''c9\''d9\''c1\''bf\''b7\''b4\''c1\''f7\''d0\''c5\''ba\''c5\''a1\''a3\par
\''d7\''f3\''ca\''d2\''c9\''e4\''d1\''aa\''b7\''d6\''ca\''fd\''a3\''a8EF\''a3\''a9\''d4\''bc65%\''a1\''a3\par
}
', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 \''d0\''c4\''d4\''e0\''bd\''e1\''b9\''b9\''bc\''b0\''b9\''a6\''c4\''dc\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\par
\''b6\''fe\''bc\''e2\''b0\''ea\''a1\''a2\''c8\''fd\''bc\''e2\''b0\''ea\''c9\''d9\''c1\''bf\''b7\''b4\''c1\''f7\par
}
', 5, '2-5MHz凸阵', NULL, '吴志强', 'D201', '吴志强', 'D201', '郑晓燕', 'D202', NULL, NULL, '2024-05-20 15:10:00.000', '2024-05-20 15:20:00.000', NULL, 1, false, NULL, NULL, '胸闷待查', '心脏', 'P30', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, '2024-05-20 14:50:45.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  ('6C7765BA-4BB7-5DCE-866A-375A1228D3EC', 'US20240521004', 'NB0521004', '彩色多普勒超声检查', '肝胆胰脾,双肾输尿管,甲状腺及颈部淋巴结,浅表淋巴结', 'U001,U020,U010,U070', '腹部', '经腹', '良', '1. 肝脏：形态大小在正常范围，边界清晰，包膜（或管壁）光滑连续，实质回声均匀，未见明显占位性病变，CDFI：血流信号分布未见明显异常。
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
注意：右侧腋窝淋巴结区域因肠气干扰部分显示欠清，必要时结合CT检查。', '1. 肝、胆、胰、脾、双肾、膀胱、前列腺未见明显异常。
2. 与2024年2月18日比较未见新发病灶。
3. 甲状腺及颈部、锁骨上、腋窝、腹股沟淋巴结未见明显肿大。
4. 腹膜后、盆腔、胸腔未见明显积液及占位。', '建议3个月后复查。', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
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
', '{\rtf1\ansi\ansicpg936\deff0\deflang1033\deflangfe2052{\fonttbl{\f0\fnil\fcharset134 \''cb\''ce\''cc\''e5;}}
{\colortbl ;\red255\green0\blue0;}
\viewkind4\uc1\pard\lang2052\f0\fs24 1. \''b8\''ce\''a1\''a2\''b5\''a8\''a1\''a2\''d2\''c8\''a1\''a2\''c6\''a2\''a1\''a2\''cb\''ab\''c9\''f6\''a1\''a2\''b0\''f2\''eb\''d7\''a1\''a2\''c7\''b0\''c1\''d0\''cf\''d9\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d2\''ec\''b3\''a3\''a1\''a3\par
2. \b \''d3\''eb2024\''c4\''ea2\''d4\''c218\''c8\''d5\''b1\''c8\''bd\''cf\''ce\''b4\''bc\''fb\''d0\''c2\''b7\''a2\''b2\''a1\''d4\''ee\b0 \''a1\''a3\par
3. \''bc\''d7\''d7\''b4\''cf\''d9\''bc\''b0\''be\''b1\''b2\''bf\''a1\''a2\''cb\''f8\''b9\''c7\''c9\''cf\''a1\''a2\''d2\''b8\''ce\''d1\''a1\''a2\''b8\''b9\''b9\''c9\''b9\''b5\''c1\''dc\''b0\''cd\''bd\''e1\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''d6\''d7\''b4\''f3\''a1\''a3\par
4. \''b8\''b9\''c4\''a4\''ba\''f3\''a1\''a2\''c5\''e8\''c7\''bb\''a1\''a2\''d0\''d8\''c7\''bb\''ce\''b4\''bc\''fb\''c3\''f7\''cf\''d4\''bb\''fd\''d2\''ba\''bc\''b0\''d5\''bc\''ce\''bb\''a1\''a3\par
}
', 5, '3.5MHz', NULL, '王建国', 'D002', '王建国', 'D002', '张医生', 'D001', NULL, NULL, '2024-05-21 10:48:30.000', '2024-05-21 11:05:10.000', NULL, 1, false, NULL, NULL, '淋巴瘤化疗后复查', '肝脏,胆囊,胰腺,脾脏,双肾,甲状腺', 'P01,P02,P03,P04,P05,P08', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, '2024-05-21 10:05:20.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  ('D1B74DCD-2A3E-5815-AAD4-BA7743F81F05', 'US20240521001', 'NB0521001', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 0, false, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, '2024-05-21 08:20:20.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  ('2D3B8C83-3E42-517D-9F3A-7BD0A8049035', 'US20240521001', 'NB0521001', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 0, false, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, '2024-05-21 08:21:02.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  ('722F67BE-2E01-51F7-9B1C-75439F0E49F8', 'US20240521002', 'NB0521002', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, '2024-05-21 08:46:00.000');

INSERT INTO Report (ruid, Accnu, nbid, jcMethod, ItemName, ItemCode, JCDaLei, jcTuJing, ImgQuality, SuoJian, JieLun, JianYi, rtf_SuoJian, rtf_JieLun, ReportState, TanTouRate, TiXing, ExamDoctor, ExamDoctorCode, ReportDoctor, ReportDoctorCode, ShenHeDoctor, ShenHeDoctorCode, HuiZhenDoctor, HuizhenDoctorCode, ReportDate, shenHeDate, HuiZhenDate, PrintedCont, YinYangXing, WeiJiValue, BeiZhu, lczd, jcpart, jcpartcode, kgjLBaseLine, kgjLKjgd, kgjLGxtq, kgjLRgyc, kgjLGxzx, kgjRBaseLine, kgjRKjgd, kgjRGxtq, kgjRRgyc, kgjRGxzx, kgjL_A, kgjR_A, kgjL_B, kgjR_B, CreateTime) VALUES
  ('E63EE575-B118-559C-8F0F-FB21FC71CD20', 'US20240521003', 'NB0521003', '经阴道超声检查      ', '子宫附件（经阴道）    ', 'G010  ', '妇科  ', '经阴道    ', '良  ', '子宫：前位，大小正常，肌层回声均匀。
双侧附件区未见明显包块。   ', '子宫及双侧附件未见明显异常。   ', NULL, NULL, NULL, 1, '5.0MHz    ', NULL, '赵敏      ', 'D101  ', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 0, false, NULL, NULL, '体检      ', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, '2024-05-21 09:12:40.000');

INSERT INTO WrUser (UserCode, RoleCode, PasswordHash, MustChangePassword) VALUES
  ('D001', 'reviewer', '$argon2id$v=19$m=65536,t=2,p=1$7yrNYoGThlhBXQ8VXSdsSA$uqHNiJ/5xncn+dquxDh1V6NUWAd07YKi9S9pXzybVhQ', 0),
  ('D002', 'admin', '$argon2id$v=19$m=65536,t=2,p=1$wLZZt5yhb5yNEnrprxxFig$bC7CKOQ9N2XRK8XqIQ06ylMciloV/eAI5MPSWjIL6MM', 0),
  ('D003', 'doctor', '$argon2id$v=19$m=65536,t=2,p=1$cFVUlJJ0M+4fDqphMeCG7w$iNm3plYKium7GpZEI692KFFZSK96rFXJS+WxFDbQN2Y', 0),
  ('D004', 'doctor', '$argon2id$v=19$m=65536,t=2,p=1$/DY35rQmpOLMGLMJoLM12Q$f31wEiDHGXSLnTsRmj3FoUjTc8Rd6IY/LN2cQvY9lnE', 0),
  ('D005', 'doctor', '$argon2id$v=19$m=65536,t=2,p=1$ASUdD8g17oxndUtxvScJqg$CU70zCDoL1bEG60j7ekSeH5hlFQMl8a8GlMqo6QB9qc', 0),
  ('D101', 'doctor', '$argon2id$v=19$m=65536,t=2,p=1$PwdEYzr+77/FpWPbe5TAAw$C/qSE8GvhLz9MeOLraH0NGcpOetqnVbZob8RRO0MtjQ', 0),
  ('D102', 'doctor', '$argon2id$v=19$m=65536,t=2,p=1$2vbBujXqjGFshri6xNx5+Q$DumlRxBjV5wUlnszbtumcdxtp/ia8k1jPjBfNUjBY8U', 0),
  ('D103', 'doctor', '$argon2id$v=19$m=65536,t=2,p=1$FNWUJElisyEFX1JrgnxN2g$mDY+otMpNJi7YyYKOQFia8Aq7ltqlC+WUOu2Z92gSmA', 0),
  ('D201', 'doctor', '$argon2id$v=19$m=65536,t=2,p=1$EQGlWxdET5xFtWopxnGhGg$PhQ+dh86KWCJZ2TXnOkGK5IY5Ptbaw0oFWRj+n0A1dU', 0),
  ('D202', 'doctor', '$argon2id$v=19$m=65536,t=2,p=1$nkRZ6BzZx0Krr6auyncz2A$K/A26TuH1Ztoug+vXJ9QmrrOar4TlsLfJUah25QBkfA', 0);
