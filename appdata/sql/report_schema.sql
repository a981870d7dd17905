-- The report database: the report mode that printing reads.
CREATE TABLE REPORT_DESTRIBUTER (REPORT_DESTRIBUTER TEXT DEFAULT '');
