#include "entry/StoredCases.h"

#include "EntryFixture.h"
#include "platform/ProcessExit.h"

namespace {

using entry::CaseHeader;
using Kind = entry::StoredCases::Outcome::Kind;
namespace SC = entry::StoredCases;

class StoredCasesTest : public entrytest::EntryFixture {
protected:
    CaseHeader header(const QString& deceased = "محمد", const QString& caseNo = {}) const {
        return {deceased, "", caseNo, "المعد", ""};
    }
    // A case typed and stored: answers its number.
    qint64 storeCase(const QString& deceased, const std::vector<entrytest::Heir>& heirs) {
        db.execute("delete from WARITH");
        addHeirs(heirs);
        const SC::Outcome o = SC::store(db, header(deceased));
        EXPECT_EQ(o.kind, Kind::Done) << o.message.toStdString();
        return o.caseNo;
    }
    QStringList stored(qint64 caseNo) const {
        return column(
            QString("select warith_relation || '/' || warith_name from WARITH_GENERAL where case_no = %1 "
                    "order by ar, rowid")
                .arg(caseNo));
    }
    QStringList inHand() const {
        return column("select warith_relation || '/' || warith_name from WARITH order by ar");
    }
};

TEST_F(StoredCasesTest, StoreNumbersFromOneAndStampsTheNumberOnTheHeirs) {
    addHeirs({{"زوجة", "فاطمة"}, {"ابن", "علي"}, {"بنت", "زينب"}});
    const SC::Outcome first = SC::store(db, header());
    EXPECT_EQ(first.kind, Kind::Done);
    EXPECT_EQ(first.caseNo, 1);
    EXPECT_EQ(first.message, "  تم خزن المسالة تحت رقم التسلسل    1");
    EXPECT_EQ(first.title, "محمد") << "an empty title takes the deceased's name";
    EXPECT_EQ(column("select distinct case_no from WARITH"), QStringList{"1"});
    EXPECT_EQ(column("select distinct case_name from WARITH_GENERAL"), QStringList{"محمد"});
    // The stored ar is the ar of the WARITH row each heir came from.
    EXPECT_EQ(column("select ar from WARITH_GENERAL order by ar"),
              column("select ar from WARITH order by ar"));

    EXPECT_EQ(storeCase("خالد", {{"اب", "سعيد"}}), 2);
}

TEST_F(StoredCasesTest, TheHighestNumberDeletedIsGivenAgainALowerOneNever) {
    for (const char* d : {"أ", "ب", "ج"})
        storeCase(d, {{"اب", "سعيد"}});
    SC::remove(db, 2);
    EXPECT_EQ(storeCase("د", {{"اب", "سعيد"}}), 4);
    SC::remove(db, 4);
    EXPECT_EQ(storeCase("هـ", {{"اب", "سعيد"}}), 4);
}

TEST_F(StoredCasesTest, StoreRefusesInItsOrder) {
    struct Row {
        const char* what;
        CaseHeader header;
        bool heirs;
        bool storedFirst;
        QString message;
    };
    const QString stored = SC::AlreadyStored;
    const std::vector<Row> table = {
        {"no preparer comes first", {"", "", "", "", ""}, false, false, "ادخل اسم المعد"},
        {"a stored case before an empty one", {"", "", "1", "م", ""}, false, true, stored},
        {"no heir", {"محمد", "", "", "م", ""}, false, false, "تفاصيل المسألة غير مكتملة"},
        {"no deceased", {"", "", "", "م", ""}, true, false, "تفاصيل المسألة غير مكتملة"},
    };
    for (const Row& row : table) {
        db.execute("delete from WARITH");
        db.execute("delete from WARITH_GENERAL");
        if (row.storedFirst)
            storeCase("سابق", {{"اب", "سعيد"}});
        db.execute("delete from WARITH");
        if (row.heirs)
            addHeirs({{"اب", "سعيد"}});
        const qint64 before = rows("WARITH_GENERAL");
        const SC::Outcome o = SC::store(db, row.header);
        EXPECT_EQ(o.kind, Kind::Refused) << row.what;
        EXPECT_EQ(o.message, row.message) << row.what;
        EXPECT_EQ(rows("WARITH_GENERAL"), before) << row.what;
    }
}

TEST_F(StoredCasesTest, AnEmptyIssuingBodyPutsTheNoneEntryInItsListOnceAndIsStoredEmpty) {
    db.execute("delete from ADRESS_ENTRY_NAME");
    storeCase("محمد", {{"اب", "سعيد"}});
    storeCase("علي", {{"اب", "سعيد"}});
    EXPECT_EQ(column("select ADRESS_ENTRY_NAME from ADRESS_ENTRY_NAME"), QStringList{"-"});
    EXPECT_EQ(column("select distinct ADRESS_ENTRY_NAME from WARITH_GENERAL"), QStringList{""});
}

TEST_F(StoredCasesTest, NamesWithApostrophesGoThroughEveryStep) {
    addHeirs({{"ابن", "O'Brien"}});
    const CaseHeader h{"d'Artagnan", "it's", "", "l'auteur", "qu'il"};
    const qint64 n = SC::store(db, h).caseNo;
    ASSERT_EQ(n, 1);
    const auto loaded = SC::load(db, n);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->deceased, "d'Artagnan");
    EXPECT_EQ(loaded->title, "it's");
    EXPECT_EQ(loaded->preparer, "l'auteur");
    EXPECT_EQ(loaded->issuingBody, "qu'il");
    EXPECT_EQ(inHand(), QStringList{"ابن/O'Brien"});
    EXPECT_EQ(SC::edit(db, *loaded).kind, Kind::Done);
    EXPECT_EQ(SC::lines(db, SC::byNamePrefix("d'A")), (QList<SC::Line>{{1, "d'Artagnan"}}));
}

// SQLite counts a name's characters, not its UTF-16 units: a character outside the basic plane
// (an emoji) is one character, and a prefix holding one must still find its names.
TEST_F(StoredCasesTest, ANamePrefixCountsCharactersAsTheDatabaseDoes) {
    const QString emoji = QStringLiteral("\U0001F600");
    for (const auto& [n, name] : std::vector<std::pair<int, QString>>{
             {1, emoji + "علي"}, {2, emoji + "عمر"}, {3, "علي"}, {4, emoji + emoji + "علي"}})
        db.execute("insert into WARITH_GENERAL (case_no, deth_name, warith_name) values (?, ?, 'x')",
                   {n, name});
    auto numbers = [&](const QString& typed) {
        QList<qint64> out;
        for (const SC::Line& l : SC::lines(db, SC::byNamePrefix(typed)))
            out << l.caseNo;
        return out;
    };
    EXPECT_EQ(numbers(emoji + "ع"), (QList<qint64>{1, 2}));
    EXPECT_EQ(numbers(emoji + "عل"), QList<qint64>{1});
    EXPECT_EQ(numbers(emoji), (QList<qint64>{1, 2, 4}));
    EXPECT_EQ(numbers(emoji + emoji), QList<qint64>{4});
    EXPECT_EQ(numbers("عل"), QList<qint64>{3});
}

TEST_F(StoredCasesTest, EditReplacesExactlyThatCaseUnderItsNumber) {
    storeCase("أول", {{"اب", "سعيد"}});
    const qint64 n = storeCase("ثان", {{"زوجة", "فاطمة"}, {"ابن", "علي"}, {"بنت", "زينب"}});
    storeCase("ثالث", {{"ام", "هند"}});
    ASSERT_TRUE(SC::load(db, n));
    db.execute("delete from WARITH where warith_name = 'علي'");

    const SC::Outcome o = SC::edit(db, {"ثان", "ثان", QString::number(n), "المعد", ""});
    EXPECT_EQ(o.kind, Kind::Done);
    EXPECT_EQ(o.message, "  تم تعديل المسالة  رقم     2");
    EXPECT_EQ(stored(n), (QStringList{"زوجة/فاطمة", "بنت/زينب"}));
    EXPECT_EQ(stored(1), QStringList{"اب/سعيد"});
    EXPECT_EQ(stored(3), QStringList{"ام/هند"});
}

TEST_F(StoredCasesTest, EditStopsSilentlyWithoutTitleOrNumberAndRefusesAnIncompleteCase) {
    const qint64 n = storeCase("محمد", {{"اب", "سعيد"}});
    const QStringList before = stored(n);
    EXPECT_EQ(SC::edit(db, {"محمد", "", "1", "م", ""}).kind, Kind::Stopped);
    EXPECT_EQ(SC::edit(db, {"محمد", "ت", "", "م", ""}).kind, Kind::Stopped);
    EXPECT_EQ(SC::edit(db, {"محمد", "ت", "1", "", ""}).message, "ادخل اسم المعد");
    EXPECT_EQ(SC::edit(db, {"", "ت", "1", "م", ""}).message, "تفاصيل المسألة غير مكتملة");
    db.execute("delete from WARITH");
    EXPECT_EQ(SC::edit(db, {"محمد", "ت", "1", "م", ""}).message, "تفاصيل المسألة غير مكتملة");
    EXPECT_EQ(stored(n), before);
}

TEST_F(StoredCasesTest, AFailurePartWayThroughAnEditLeavesTheStoredCaseWhole) {
    const qint64 n = storeCase("محمد", {{"اب", "سعيد"}, {"ام", "هند"}});
    ASSERT_TRUE(SC::load(db, n));
    addHeirs({{"ابن", "boom"}});
    db.execute("create trigger refuse before insert on WARITH_GENERAL when new.warith_name = 'boom' "
               "begin select raise(abort, 'refused'); end");
    platform::ProcessExit::throwOnEnd();
    EXPECT_THROW(SC::edit(db, {"محمد", "محمد", QString::number(n), "م", ""}), platform::ProgramEnded);
    EXPECT_EQ(stored(n), (QStringList{"اب/سعيد", "ام/هند"}));
}

TEST_F(StoredCasesTest, DeleteRemovesOnlyThatCaseAndEmptiesTheCaseInHand) {
    storeCase("أول", {{"اب", "سعيد"}});
    const qint64 n = storeCase("ثان", {{"اب", "سعيد"}});
    SC::remove(db, n);
    EXPECT_FALSE(SC::isStored(db, n));
    EXPECT_TRUE(SC::isStored(db, 1));
    EXPECT_EQ(rows("WARITH"), 0);
}

TEST_F(StoredCasesTest, LoadBringsTheHeirsBackInStoredOrderWithTheHeaderOnEveryRow) {
    // Stored rows with ar 9, 3, 7 written in that order.
    for (const auto& [ar, name] : std::vector<std::pair<int, QString>>{{9, "ج"}, {3, "أ"}, {7, "ب"}})
        db.execute(
            "insert into WARITH_GENERAL (case_no, deth_name, case_name, DATA_ENTRY_NAME, ADRESS_ENTRY_NAME, "
            "warith_relation, warith_name, ar) values (5, 'محمد', 'قضية', 'المعد', 'محكمة', 'ابن', ?, ?)",
            {name, ar});
    addHeirs({{"اب", "غير محفوظ"}});
    const auto loaded = SC::load(db, 5);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(inHand(), (QStringList{"ابن/أ", "ابن/ب", "ابن/ج"}));
    EXPECT_EQ(
        column("select distinct case_no || deth_name || case_name || DATA_ENTRY_NAME || ADRESS_ENTRY_NAME "
               "from WARITH"),
        QStringList{"5محمدقضيةالمعدمحكمة"});
    EXPECT_EQ(loaded->caseNo, "5");
    EXPECT_TRUE(column("select ADRESS_ENTRY_NAME from ADRESS_ENTRY_NAME").contains("محكمة"));
    EXPECT_TRUE(column("select DATA_ENTRY_NAME from DATA_ENTRY_NAME").contains("المعد"));

    const QStringList once = inHand();
    ASSERT_TRUE(SC::load(db, 5));
    EXPECT_EQ(inHand(), once) << "loading twice gives the same rows";
}

TEST_F(StoredCasesTest, LoadReadsANullHeaderAsEmptyAndLeavesTheNoneBodyOutOfTheList) {
    struct Row {
        QVariant body;
        bool listed;
    };
    for (const Row& row : std::vector<Row>{
             {QString("-"), false}, {QString(""), false}, {QVariant(), false}, {QString("دائرة"), true}}) {
        db.execute("delete from WARITH_GENERAL");
        db.execute("delete from ADRESS_ENTRY_NAME");
        db.execute(
            "insert into WARITH_GENERAL (case_no, deth_name, case_name, ADRESS_ENTRY_NAME, DATA_ENTRY_NAME, "
            "warith_relation, warith_name, ar) values (1, null, null, ?, null, 'اب', 'سعيد', 1)",
            {row.body});
        const auto loaded = SC::load(db, 1);
        ASSERT_TRUE(loaded);
        EXPECT_EQ(loaded->deceased, "");
        EXPECT_EQ(loaded->preparer, "");
        EXPECT_EQ(rows("ADRESS_ENTRY_NAME"), row.listed ? 1 : 0) << row.body.toString().toStdString();
        EXPECT_EQ(db.count("select count(*) from DATA_ENTRY_NAME where DATA_ENTRY_NAME = ''"), 0);
    }
}

TEST_F(StoredCasesTest, LoadingAMissingNumberChangesNothingSoTheNextEditCannotReachTheEarlierCase) {
    const qint64 earlier = storeCase("محمد", {{"اب", "سعيد"}});
    ASSERT_TRUE(SC::load(db, earlier));
    db.execute("delete from WARITH");
    addHeirs({{"ام", "غير محفوظ"}});
    const QStringList typed = inHand();

    EXPECT_FALSE(SC::load(db, 99));
    EXPECT_EQ(inHand(), typed) << "the unsaved case is kept";
    // The dialogue keeps its number only from a load that loaded: with none, the edit stops.
    EXPECT_EQ(SC::edit(db, {"آخر", "", "", "م", ""}).kind, Kind::Stopped);
    EXPECT_EQ(stored(earlier), QStringList{"اب/سعيد"});
}

TEST_F(StoredCasesTest, NumberAndNameFiltersMatchWhatTheBoxShows) {
    db.execute("delete from WARITH_GENERAL");
    for (int n : {1, 2, 10, 12, 19, 100, 120, 21})
        db.execute("insert into WARITH_GENERAL (case_no, deth_name, warith_name) values (?, ?, 'x')",
                   {n, n == 2    ? "علي"
                       : n == 21 ? "O'Neil"
                                 : "محمد"});
    db.execute("insert into WARITH_GENERAL (case_no, deth_name, warith_name) values (12, 'محمد', 'y')");
    auto numbers = [&](const entry::StoredCaseList& list) {
        QList<qint64> out;
        for (const SC::Line& l : SC::lines(db, list))
            out << l.caseNo;
        return out;
    };
    struct Row {
        QString typed;
        QList<qint64> numbers;
    };
    for (const Row& row : std::vector<Row>{{"1", {1, 10, 12, 19, 100, 120}},
                                           {"12", {12, 120}},
                                           {"", {21, 2, 1, 10, 12, 19, 100, 120}},
                                           {"a", {}},
                                           {"01", {}},
                                           {"1a", {}}})
        EXPECT_EQ(numbers(SC::byNumberPrefix(row.typed)), row.numbers) << row.typed.toStdString();

    for (const Row& row : std::vector<Row>{{"مح", {1, 10, 12, 19, 100, 120}},
                                           {"ع", {2}},
                                           {"O'", {21}},
                                           {"", {21, 2, 1, 10, 12, 19, 100, 120}},
                                           {"x", {}}})
        EXPECT_EQ(numbers(SC::byNamePrefix(row.typed)), row.numbers) << row.typed.toStdString();
    EXPECT_EQ(numbers(SC::byNumber(12)), QList<qint64>{12});
}

} // namespace
