-- The model-case catalogue: one row per record of the stored-case file STORG, found there by
-- its number ("ت/ 12" for case 12). The working behind every case is in
-- tests/engine/reference/reference-cases.md.
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (1, 'الزوج مع الابن والبنت');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (2, 'اربع زوجات مع ابنين وبنت');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (3, 'الابوان مع الابن');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (4, 'البنت مع الابوين');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (5, 'الزوجة مع ابن الابن وبنت الابن');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (6, 'البنت مع ابن الابن واخته');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (7, 'القريب المبارك - بنتان وبنتا ابن وابن ابن ابن');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (8, 'الغراوان - زوج وابوان');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (9, 'الغراوان - زوجة وابوان');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (10, 'الاب يحجب الجد والاخ');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (11, 'عول الى 7');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (12, 'عول الى 8 - المباهلة');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (13, 'عول الى 9');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (14, 'عول الى 10 - ام الفروخ');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (15, 'عول الى 13');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (16, 'عول الى 13 مع سقوط الاخ');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (17, 'عول الى 15');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (18, 'عول الى 17 - ام الارامل');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (19, 'عول الى 27 - المنبرية');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (20, 'الرد بدون زوج - جدة وبنت وبنت ابن');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (21, 'الرد بدون زوج - ام واولاد الام');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (22, 'الرد مع الزوجة - ام واخ لام');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (23, 'الرد مع الزوج - بنت وام');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (24, 'الرد مع زوجتين وبنتين');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (25, 'الرد مع الزوجة على ثلاثة اصناف');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (26, 'المسألة المشتركة');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (27, 'المسألة الاكدرية');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (28, 'زوج وام وجد واخت بلا اكدرية');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (29, 'الجد مع اخوين - المقاسمة تساوي الثلث');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (30, 'المعادة - جد واخ شقيق واخ لاب');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (31, 'الجد مع الام وثلاثة اخوة - ثلث الباقي');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (32, 'الجد مع الام وثلاثة اخوة - المقاسمة خير من السدس');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (33, 'الجد مع الزوج واخ شقيق');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (34, 'الجد مع اخ واخت شقيقين');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (35, 'الجد مع ستة اخوة - السدس');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (36, 'الخرقاء - ام وجد واخت');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (37, 'جدتان تشتركان في السدس - المذهب الشافعي');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (38, 'القربى من الجدات تحجب البعدى - المذهب الحنفي');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (39, 'الجد يحجب امه');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (40, 'الاب يحجب امه دون ام الام');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (41, 'اربع جدات من الدرجة الرابعة');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (42, 'اب الجد مع الام');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (43, 'الجد يحجب اب الجد');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (44, 'الاخت لاب عصبة مع البنت');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (45, 'الاخ المشؤوم');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (46, 'الاخ المبارك - اختان شقيقتان واخ واخت لاب');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (47, 'اخت شقيقة واختان لاب مع العم');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (48, 'اولاد الام مع الام والعم');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (49, 'ابن الاخ مع الام');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (50, 'الاعمام مع الزوجة');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (51, 'ابن العم مع البنت');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (52, 'عم الاب مع الام');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (53, 'المعتق مع البنت');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (54, 'ابن المعتق مع الزوجة');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (55, 'الزوج وابن العم شخص واحد');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (56, 'بيت المال مع الزوج');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (57, 'بيت المال مع زوجتين');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (58, 'ابن البنت وبنت البنت');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (59, 'ولد الوارث اولى - ابن بنت الابن');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (60, 'الجد الفاسد مع الزوجة');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (61, 'اب ام الاب مع اب ام الام');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (62, 'ابن الاخت وبنت الاخت مع الزوجة');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (63, 'العمة والخالة');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (64, 'العمة والعم لام والخال والخالة');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (65, 'بنت العم وابن الخال');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (66, 'عمة الاب وخال الاب');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (67, 'خالة الاب لام مع الزوجة');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (68, 'الزوج مع بنت البنت');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (69, 'مناسخة بين متوفيين - عول في الثانية');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (70, 'مناسخة بين متوفيين مع بيت المال');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (71, 'مناسخة بين ثلاثة متوفين - الخرقاء في الثانية');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (72, 'مناسخة بين خمسة متوفين');
-- 73 and 74, school 1: the grandfather excludes his own mother, who reaches the deceased only
-- through him, as the father excludes his (al-Sirajiyya, al-Rahbiyya).
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (73, 'الجد يحجب امه مع الزوج');
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (74, 'الجد وامه مع الابن');
-- 75, school 1: the akdariyya is made only with one sister and no other sibling; a second one
-- brings the mother down to a sixth (Zayd's ruling, al-Rahbiyya, al-Minhaj).
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (75, 'لا اكدرية مع اخت ثانية');
-- 76: brother and sister of the womb relatives of one degree share 2:1 (al-Sirajiyya).
INSERT INTO STORDE_STANDERD (storde_case_no, storde_case_name) VALUES (76, 'خال الاب لام مع خالة الاب لام');
