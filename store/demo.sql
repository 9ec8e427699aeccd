-- Demo items for a first run: Chinese and English snippets, a few already clicked so the heat order shows.
INSERT INTO T_ITEM(title,data1,clicktimes,lasttime) VALUES('公司地址','北京市海淀区中关村南大街 5 号 科研楼 6 层，邮编 100081',9,'2026-02-09 09:15:00');
INSERT INTO T_ITEM(title,data1,clicktimes,lasttime) VALUES('','Thanks for your email. I will get back to you within one business day.',5,'2026-02-10 14:02:33');
INSERT INTO T_ITEM(title,data1,clicktimes,lasttime) VALUES('Git 修改上次提交','git commit --amend --no-edit',5,'2026-02-08 18:40:12');
INSERT INTO T_ITEM(title,data1,clicktimes,lasttime) VALUES('','收到，谢谢！我稍后回复您。',7,'2026-02-10 08:30:00');
INSERT INTO T_ITEM(title,data1,clicktimes,lasttime) VALUES('会议室','3 楼 301 会议室，周三下午两点，请提前五分钟到场',3,'2026-02-07 10:00:00');
INSERT INTO T_ITEM(title,data1,clicktimes,lasttime) VALUES('发票抬头','明月示例科技有限公司  税号 91310000EXAMPLE00X',2,'2026-02-06 11:45:09');
INSERT INTO T_ITEM(title,data1,clicktimes,lasttime) VALUES('客服电话','客服热线 400-000-1234（工作日 9:00-18:00）',1,'2026-02-05 16:20:45');
INSERT INTO T_ITEM(title,data1) VALUES('查找会议记录','select title from notes where body like ''%会议%''');
INSERT INTO T_ITEM(title,data1) VALUES('','It''s on my list — I''ll send it over by Friday.');
INSERT INTO T_ITEM(title,data1) VALUES('Out of office','I am out of the office until Monday and will have limited access to email.');
INSERT INTO T_ITEM(title,data1) VALUES('快递地址','广东省深圳市南山区科技园 高新南七道 18 号 前台代收');
INSERT INTO T_ITEM(title,data1) VALUES('','Best regards,  Li Wei | Product Team');
INSERT INTO T_ITEM(title,data1,clicktimes,lasttime) VALUES('问候 😀','谢谢 👍 Zoë ß ñ ½ 𠮷',4,'2026-02-09 12:00:00');
