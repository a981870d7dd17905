#include "support/TempAppFolder.h"

#include <QSet>

#include <span>
#include <vector>

#include <gtest/gtest.h>

using testsupport::TempAppFolder;

namespace {

struct Table {
    const char* name;
    QStringList columns;
};

// Every table of the case database and every column its readers and writers name.
const Table caseTables[] = {
    {"WARITH_GENERAL",
     {"case_no", "deth_name", "case_name", "DATA_ENTRY_NAME", "ADRESS_ENTRY_NAME", "warith_relation",
      "warith_name", "ar", "no_check"}},
    {"WARITH_GENERAL_TEST",
     {"case_no", "deth_name", "case_name", "DATA_ENTRY_NAME", "ADRESS_ENTRY_NAME", "warith_relation",
      "warith_name", "ar", "no_check", "case_level"}},
    {"DETH_GENERAL",
     {"case_no", "case_name", "deth_name", "arrange", "DATA_ENTRY_NAME", "ADRESS_ENTRY_NAME"}},
    {"WARITH_DUBLE_GENERAL", {"case_no", "arrange", "warith_name", "warith_relation", "ar"}},
    {"STORDE_STANDERD", {"storde_case_no", "storde_case_name"}},
    {"relations", {"relations", "au"}},
    {"currency_name", {"currency_name"}},
    {"DATA_ENTRY_NAME", {"DATA_ENTRY_NAME"}},
    {"ADRESS_ENTRY_NAME", {"ADRESS_ENTRY_NAME"}},
    {"QUESTUNS", {"q_no", "questun", "unser", "arr"}},
    {"WARITH",
     {"warith_relation", "warith_name", "ar", "case_no", "deth_name", "case_name", "DATA_ENTRY_NAME",
      "ADRESS_ENTRY_NAME", "case_level", "no_check"}},
    {"DETH",
     {"deth_name", "arrange", "deth_status", "case_name", "DATA_ENTRY_NAME", "ADRESS_ENTRY_NAME",
      "arrange_general"}},
    {"WARITH_DUBLE", {"warith_name", "warith_relation", "arrange", "arrange_general", "ar"}},
    {"MUNASKA_TEMP",
     {"case_no", "warith_relation", "warith_name", "deth_name", "deth_status", "arrange", "ar",
      "DATA_ENTRY_NAME", "ADRESS_ENTRY_NAME"}},
    {"CHECK_NAME", {"warith_name"}},
    {"CHECK_DETH", {"deth_name"}},
    {"STORDE_STANDERD_TEMP", {"storde_case_no", "storde_case_name"}},
    {"STORDE_STANDERD_FROM_TO", {"storde_case_no", "storde_case_name"}},
    {"CASE_TYPE", {"case_type"}},
    {"RLAS_TABLE", {"RLAS_TABLE"}},
    {"TYPS_TABLE", {"TYPS_TABLE"}},
    {"ENABLED_CHECK", {"ENABLED_CHECK"}},
    {"CHECK_FILE", {"CHECK_FILE"}},
    {"LOAD_Vesparin_FORM", {"LOAD_Vesparin_FORM"}},
    {"REPORT_DESTRIBUTER", {"REPORT_DESTRIBUTER"}},
    {"case_no", {"case_no", "case"}},
    {"DATA_ENTRY_NAME_REPORT", {"DATA_ENTRY_NAME"}},
    {"ADRESS_ENTRY_NAME_REPORT", {"ADRESS_ENTRY_NAME"}},
    {"PRINT_TEXT", {"ser", "deth_name", "unit", "kinds", "share", "print_text", "case_ser"}},
    {"PRINT_TEXT2", {"serial_deth", "name_deth", "and_text"}},
    {"PRINT_TEXT2_CHILED", {"serial_deth", "serial_deth_chiled", "name_deth_chiled", "Relation", "share"}},
    {"NOTS_CHILED", {"serial_deth", "serial_not_chiled", "name_not_chiled"}},
    {"PRINT_TITLE", {"Title", "serial_project"}},
    {"TAWHEED", {"name_deth"}},
    {"TAWHEED_CHILED",
     {"serial_deth_chiled", "name_deth_chiled", "share", "max_tareka_ammount", "currency_type"}},
    {"PRACTIC_SINGLE",
     {"warith_relation", "warith_name", "ar", "case_no", "deth_name", "case_name", "DATA_ENTRY_NAME",
      "ADRESS_ENTRY_NAME", "case_level", "no_check"}},
    {"PRACTIC_SINGLE_TEMP", {"case_no"}},
    {"TEST_CASE_NO_WAJBA", {"case_no"}},
    {"TEST_CASE_NO_WAJBA_MAIN", {"case_no"}},
    {"WAREETH_TYPES_IN_CASE", {"warith_relation", "case_no"}},
    {"OPTION_LEVEL_NO", {"OPTION_LEVEL_NO"}},
    {"Q_TIMES", {"Q_TIMES"}},
    {"QUESTUNS_TEMP", {"questun", "unser", "arr", "user_unser"}},
};

QSet<QString> columnsOf(const data::Database& db, const QString& table) {
    QSet<QString> out;
    for (const auto& row : db.select(QString("select name from pragma_table_info('%1')").arg(table)))
        out.insert(row.value(0).toString().toLower());
    return out;
}

void expectTables(const data::Database& db, std::span<const Table> tables) {
    QSet<QString> expected;
    for (const auto& t : tables) {
        SCOPED_TRACE(t.name);
        expected.insert(QString(t.name).toLower());
        const auto have = columnsOf(db, t.name);
        ASSERT_FALSE(have.isEmpty()) << "missing table";
        for (const auto& c : t.columns)
            EXPECT_TRUE(have.contains(c.toLower())) << "missing column " << c.toStdString();
        EXPECT_EQ(have.size(), t.columns.size()) << "unexpected columns";
    }
    QSet<QString> actual;
    for (const auto& row :
         db.select("select name from sqlite_master where type='table' and name not like 'sqlite_%'"))
        actual.insert(row.value(0).toString().toLower());
    EXPECT_EQ(actual, expected);
}

TEST(Schema, TheCaseDatabaseHasEveryTableAndColumn) {
    TempAppFolder folder;
    const auto db = folder.caseDatabase();
    ASSERT_EQ(std::size(caseTables), 43u);
    expectTables(db, caseTables);
}

TEST(Schema, TheReportAndPathDatabasesHoldTheirOneTable) {
    TempAppFolder folder;
    const std::vector<Table> report = {{"REPORT_DESTRIBUTER", {"REPORT_DESTRIBUTER"}}};
    expectTables(data::Database::OpenDatabase(folder.file("TALVENO_TEST_REPORT.mdb")), report);
    const auto rMake = data::Database::OpenDatabase(folder.file("TALVENO_TEST_R_MAKE.mdb"));
    const std::vector<Table> path = {{"project_path", {"project_path"}}};
    expectTables(rMake, path);
    EXPECT_EQ(rMake.count("select count(*) as c from project_path"), 1);
}

TEST(Schema, StatementsNameTablesAndColumnsInAnyLetterCase) {
    TempAppFolder folder;
    const auto db = folder.caseDatabase();
    db.execute("insert into WARITH_DUBLE (WARITH_name, WARITH_relation, arrange) values (?, ?, ?)",
               {"س", "ابن", 1});
    EXPECT_EQ(db.scalar("select warith_name from warith_duble").toString(), "س");
    db.execute("insert into case_no(case_no,\"case\") values(?,'1')", {7});
    EXPECT_EQ(db.scalar("select CASE_NO from CASE_NO").toInt(), 7);
}

TEST(Schema, ACombinedShareBeyondSixtyFourBitsIsKeptExactly) {
    TempAppFolder folder;
    const auto db = folder.caseDatabase();
    const QString big = "340282366920938463463374607431768211457"; // 2^128 + 1
    db.execute("insert into TAWHEED_CHILED (serial_deth_chiled, share) values (1, ?)", {big});
    db.execute("insert into PRINT_TEXT2_CHILED (serial_deth, share) values (1, ?)", {big});
    EXPECT_EQ(db.scalar("select share from TAWHEED_CHILED").toString(), big);
    EXPECT_EQ(db.scalar("select share from PRINT_TEXT2_CHILED").toString(), big);
}

TEST(SeedRows, TheRelationVocabularyHoldsExactlyTheRelationSlotTexts) {
    TempAppFolder folder;
    const auto db = folder.caseDatabase();
    const auto rows = db.select("select relations, au from relations order by au");
    EXPECT_EQ(rows.size(), 115); // slots 1 to 127 less the eleven placeholders and the deletion mark
    QSet<QString> seen;
    for (const auto& r : rows) {
        const QString text = r.value(0).toString();
        EXPECT_FALSE(text.contains('*'));
        EXPECT_FALSE(seen.contains(text)) << text.toStdString();
        seen.insert(text);
    }
    EXPECT_TRUE(seen.contains("اب اب ام "));
    EXPECT_FALSE(seen.contains("اب اب ام"));
    EXPECT_TRUE(seen.contains("المعتق"));
    EXPECT_FALSE(seen.contains("بيت المال"));
    EXPECT_EQ(rows.front().value(0).toString(), "اب");
}

TEST(SeedRows, CurrenciesAndTheEmptyIssuingBodyAreThere) {
    TempAppFolder folder;
    const auto db = folder.caseDatabase();
    EXPECT_TRUE(db.exists("select * from currency_name where currency_name=?", {"دينار"}));
    EXPECT_GE(db.count("select count(*) as c from currency_name"), 5);
    EXPECT_TRUE(db.exists("select * from ADRESS_ENTRY_NAME where ADRESS_ENTRY_NAME='-'"));
}

} // namespace
