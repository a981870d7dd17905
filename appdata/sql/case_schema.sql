-- The case database. Created from this file when the application folder is laid out, only when
-- the database file is absent; the program itself never creates a table.
--
-- Conventions:
-- * text columns that readers compare or join default to the empty text, number columns that
--   readers use default to 0;
-- * WARITH.ar and MUNASKA_TEMP.ar are assigned by the database, increasing, never reused, so
--   "order by ar" is the order of entry even after deletions;
-- * the share columns of the report tables are declared without a type: a combined share of a
--   long chain of deceased passes the 64-bit range, and such a value is kept exactly as text
--   instead of being turned into a floating-point number;
-- * pick lists that must hold one row per value are UNIQUE and fed with INSERT OR IGNORE.

-- Stored and reference tables ---------------------------------------------------------------

CREATE TABLE WARITH_GENERAL (
    case_no INTEGER DEFAULT 0,
    deth_name TEXT DEFAULT '',
    case_name TEXT DEFAULT '',
    DATA_ENTRY_NAME TEXT DEFAULT '',
    ADRESS_ENTRY_NAME TEXT DEFAULT '',
    warith_relation TEXT DEFAULT '',
    warith_name TEXT DEFAULT '',
    ar INTEGER DEFAULT 0,
    no_check INTEGER DEFAULT 0
);
CREATE INDEX WARITH_GENERAL_case_no ON WARITH_GENERAL (case_no);

CREATE TABLE WARITH_GENERAL_TEST (
    case_no INTEGER DEFAULT 0,
    deth_name TEXT DEFAULT '',
    case_name TEXT DEFAULT '',
    DATA_ENTRY_NAME TEXT DEFAULT '',
    ADRESS_ENTRY_NAME TEXT DEFAULT '',
    warith_relation TEXT DEFAULT '',
    warith_name TEXT DEFAULT '',
    ar INTEGER DEFAULT 0,
    no_check INTEGER DEFAULT 0,
    case_level INTEGER DEFAULT 0
);
CREATE INDEX WARITH_GENERAL_TEST_case_no ON WARITH_GENERAL_TEST (case_no);

CREATE TABLE DETH_GENERAL (
    case_no INTEGER DEFAULT 0,
    case_name TEXT DEFAULT '',
    deth_name TEXT DEFAULT '',
    arrange INTEGER DEFAULT 0,
    DATA_ENTRY_NAME TEXT DEFAULT '',
    ADRESS_ENTRY_NAME TEXT DEFAULT ''
);

-- ar may be empty: such a heir loads with ar 0.
CREATE TABLE WARITH_DUBLE_GENERAL (
    case_no INTEGER DEFAULT 0,
    arrange INTEGER DEFAULT 0,
    warith_name TEXT DEFAULT '',
    warith_relation TEXT DEFAULT '',
    ar INTEGER
);

CREATE TABLE STORDE_STANDERD (
    storde_case_no INTEGER DEFAULT 0,
    storde_case_name TEXT DEFAULT ''
);

CREATE TABLE relations (
    relations TEXT DEFAULT '',
    au INTEGER DEFAULT 0
);

CREATE TABLE currency_name (
    currency_name TEXT DEFAULT ''
);

CREATE TABLE DATA_ENTRY_NAME (
    DATA_ENTRY_NAME TEXT UNIQUE
);

CREATE TABLE ADRESS_ENTRY_NAME (
    ADRESS_ENTRY_NAME TEXT UNIQUE
);

CREATE TABLE QUESTUNS (
    q_no INTEGER DEFAULT 0,
    questun TEXT DEFAULT '',
    unser TEXT DEFAULT '',
    arr INTEGER DEFAULT 0
);

-- Work tables of the case on screen ---------------------------------------------------------

CREATE TABLE WARITH (
    warith_relation TEXT DEFAULT '',
    warith_name TEXT DEFAULT '',
    ar INTEGER PRIMARY KEY AUTOINCREMENT,
    case_no INTEGER DEFAULT 0,
    deth_name TEXT DEFAULT '',
    case_name TEXT DEFAULT '',
    DATA_ENTRY_NAME TEXT DEFAULT '',
    ADRESS_ENTRY_NAME TEXT DEFAULT '',
    case_level INTEGER DEFAULT 0,
    no_check INTEGER DEFAULT 0
);

CREATE TABLE DETH (
    deth_name TEXT DEFAULT '',
    arrange INTEGER DEFAULT 0,
    deth_status TEXT DEFAULT '',
    case_name TEXT DEFAULT '',
    DATA_ENTRY_NAME TEXT DEFAULT '',
    ADRESS_ENTRY_NAME TEXT DEFAULT '',
    arrange_general INTEGER DEFAULT 0
);

CREATE TABLE WARITH_DUBLE (
    warith_name TEXT DEFAULT '',
    warith_relation TEXT DEFAULT '',
    arrange INTEGER DEFAULT 0,
    arrange_general INTEGER DEFAULT 0,
    ar INTEGER
);

CREATE TABLE MUNASKA_TEMP (
    case_no INTEGER DEFAULT 0,
    warith_relation TEXT DEFAULT '',
    warith_name TEXT DEFAULT '',
    deth_name TEXT DEFAULT '',
    deth_status TEXT DEFAULT '',
    arrange INTEGER DEFAULT 0,
    ar INTEGER PRIMARY KEY AUTOINCREMENT,
    DATA_ENTRY_NAME TEXT DEFAULT '',
    ADRESS_ENTRY_NAME TEXT DEFAULT ''
);

CREATE TABLE CHECK_NAME (
    warith_name TEXT DEFAULT ''
);

CREATE TABLE CHECK_DETH (
    deth_name TEXT DEFAULT ''
);

CREATE TABLE STORDE_STANDERD_TEMP (
    storde_case_no INTEGER DEFAULT 0,
    storde_case_name TEXT DEFAULT ''
);

CREATE TABLE STORDE_STANDERD_FROM_TO (
    storde_case_no INTEGER DEFAULT 0,
    storde_case_name TEXT DEFAULT ''
);

-- One-row flag tables -----------------------------------------------------------------------

CREATE TABLE CASE_TYPE (case_type TEXT DEFAULT '');
CREATE TABLE RLAS_TABLE (RLAS_TABLE TEXT DEFAULT '');
CREATE TABLE TYPS_TABLE (TYPS_TABLE TEXT DEFAULT '');
CREATE TABLE ENABLED_CHECK (ENABLED_CHECK TEXT DEFAULT '');
CREATE TABLE CHECK_FILE (CHECK_FILE TEXT DEFAULT '');
CREATE TABLE LOAD_Vesparin_FORM (LOAD_Vesparin_FORM TEXT DEFAULT '');
CREATE TABLE REPORT_DESTRIBUTER (REPORT_DESTRIBUTER TEXT DEFAULT '');
CREATE TABLE case_no (case_no INTEGER DEFAULT 0, "case" TEXT DEFAULT '');
CREATE TABLE DATA_ENTRY_NAME_REPORT (DATA_ENTRY_NAME TEXT DEFAULT '');
CREATE TABLE ADRESS_ENTRY_NAME_REPORT (ADRESS_ENTRY_NAME TEXT DEFAULT '');

-- Engine output tables ----------------------------------------------------------------------

CREATE TABLE PRINT_TEXT (
    ser TEXT DEFAULT '',
    deth_name TEXT DEFAULT '',
    unit TEXT DEFAULT '',
    kinds TEXT DEFAULT '',
    share TEXT DEFAULT '',
    print_text TEXT DEFAULT '',
    case_ser TEXT DEFAULT ''
);

CREATE TABLE PRINT_TEXT2 (
    serial_deth INTEGER DEFAULT 0,
    name_deth TEXT DEFAULT '',
    and_text TEXT DEFAULT ''
);

CREATE TABLE PRINT_TEXT2_CHILED (
    serial_deth INTEGER DEFAULT 0,
    serial_deth_chiled INTEGER DEFAULT 0,
    name_deth_chiled TEXT DEFAULT '',
    Relation TEXT DEFAULT '',
    share DEFAULT 0
);

CREATE TABLE NOTS_CHILED (
    serial_deth INTEGER DEFAULT 0,
    serial_not_chiled INTEGER DEFAULT 0,
    name_not_chiled TEXT DEFAULT ''
);

CREATE TABLE PRINT_TITLE (
    Title TEXT DEFAULT '',
    serial_project TEXT DEFAULT ''
);

CREATE TABLE TAWHEED (
    name_deth TEXT DEFAULT ''
);

CREATE TABLE TAWHEED_CHILED (
    serial_deth_chiled INTEGER DEFAULT 0,
    name_deth_chiled TEXT DEFAULT '',
    share DEFAULT 0,
    max_tareka_ammount TEXT DEFAULT '',
    currency_type TEXT DEFAULT ''
);

-- Exercise and quiz tables ------------------------------------------------------------------

CREATE TABLE PRACTIC_SINGLE (
    warith_relation TEXT DEFAULT '',
    warith_name TEXT DEFAULT '',
    ar INTEGER DEFAULT 0,
    case_no INTEGER DEFAULT 0,
    deth_name TEXT DEFAULT '',
    case_name TEXT DEFAULT '',
    DATA_ENTRY_NAME TEXT DEFAULT '',
    ADRESS_ENTRY_NAME TEXT DEFAULT '',
    case_level INTEGER DEFAULT 0,
    no_check INTEGER DEFAULT 0
);

CREATE TABLE PRACTIC_SINGLE_TEMP (case_no INTEGER DEFAULT 0);
CREATE TABLE TEST_CASE_NO_WAJBA (case_no INTEGER UNIQUE);
CREATE TABLE TEST_CASE_NO_WAJBA_MAIN (case_no INTEGER DEFAULT 0);

CREATE TABLE WAREETH_TYPES_IN_CASE (
    warith_relation TEXT DEFAULT '',
    case_no INTEGER DEFAULT 0
);

CREATE TABLE OPTION_LEVEL_NO (OPTION_LEVEL_NO TEXT DEFAULT '');
CREATE TABLE Q_TIMES (Q_TIMES INTEGER DEFAULT 0);

CREATE TABLE QUESTUNS_TEMP (
    questun TEXT DEFAULT '',
    unser TEXT DEFAULT '',
    arr INTEGER DEFAULT 0,
    user_unser TEXT DEFAULT ''
);
