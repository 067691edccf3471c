-- SPDX-License-Identifier: MIT
-- Demo data on PostgreSQL: the same rows as db/sqlite/demo.sql.
INSERT INTO csdoctor (姓名, kscode, displayindex, code) VALUES ('张医生', 'US01', 3, 'D001'), ('李医生', 'US01', 2, 'D002');
INSERT INTO 检查途径 (cname, uorder) VALUES ('经腹', 2), ('经阴道', 1);
INSERT INTO 探头频率 (探头频率, uorder) VALUES ('3.5MHz', 1), ('7.5MHz', 2);
INSERT INTO 图像质量 (图像质量, uorder) VALUES ('良', 2), ('优', 1);
