#include "ChainFixture.h"

#include "succession/NextDeceased.h"
#include "succession/SuccessionTexts.h"

namespace {

namespace Next = succession::NextDeceased;
namespace Texts = succession::Texts;

class NextDeceasedTest : public successiontest::ChainFixture {};

TEST_F(NextDeceasedTest, CandidatesAreTheHeirsOfAnyDeceasedWhoAreNotDeceasedThemselves) {
    twoDeceased();
    heir("بنت", "زينب", 2);
    EXPECT_EQ(Next::candidates(db), QStringList({"حسن", "زينب", "فاطمة"}));
    EXPECT_EQ(column("select deth_name from CHECK_DETH where deth_name <> '' order by deth_name"),
              QStringList({"احمد", "علي"}));
}

TEST_F(NextDeceasedTest, HeirRowsWithoutAValueInDeceasedNameDoNotEmptyTheLists) {
    twoDeceased();
    db.execute("update MUNASKA_TEMP set deth_name = null where warith_name <> ''");
    EXPECT_EQ(Next::candidates(db), QStringList({"حسن", "فاطمة"}));
    EXPECT_EQ(Next::heirNames(db, 3), QStringList({"حسن", "فاطمة"}));
    EXPECT_TRUE(Next::accept(db, "حسن", false).accepted);
}

TEST_F(NextDeceasedTest, HeirNamesOfferTheOtherDeceasedsHeirsNotYetHisAndNotDeceased) {
    twoDeceased();
    deceased("حسن", 3);
    heir("ابن", "سعيد", 3);
    // علي's heirs: فاطمة and حسن already his or dead; from the others only سعيد is left.
    EXPECT_EQ(Next::heirNames(db, 2), QStringList({"سعيد"}));
    // حسن's: فاطمة from the others; علي and حسن are deceased.
    EXPECT_EQ(Next::heirNames(db, 3), QStringList({"فاطمة"}));
    // No current deceased: every heir who is no deceased.
    EXPECT_EQ(Next::heirNames(db, 0), QStringList({"سعيد", "فاطمة"}));
}

TEST_F(NextDeceasedTest, AcceptanceOfTheNextDeceased) {
    struct Case {
        const char* what;
        bool chain;
        const char* text;
        bool onSavedRow;
        bool accepted;
        QString message;
        QString name;
        qint64 arrange;
    } cases[] = {
        {"the first deceased of an empty chain, untested", false, "  احمد ", false, true, {}, "احمد", 1},
        {"a heir of the first deceased", true, "حسن", false, true, {}, "حسن", 3},
        {"a heir typed with blanks around", true, " فاطمة  ", false, true, {}, "فاطمة", 3},
        {"nobody's heir", true, "خالد", false, false, Texts::NotAmongHeirs, {}, 0},
        {"a deceased already", true, "علي", false, false, Texts::NotAmongHeirs, {}, 0},
        {"an empty text says nothing", true, "  ", false, false, {}, {}, 0},
        {"on a saved row nothing happens", true, "حسن", true, false, {}, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        db.execute("delete from MUNASKA_TEMP");
        if (c.chain)
            twoDeceased();
        const Next::Acceptance a = Next::accept(db, c.text, c.onSavedRow);
        EXPECT_EQ(a.accepted, c.accepted);
        EXPECT_EQ(a.message, c.message);
        if (c.accepted) {
            EXPECT_EQ(a.name, c.name);
            EXPECT_EQ(a.arrange, c.arrange);
        }
    }
}

TEST_F(NextDeceasedTest, AStaleCandidateListFromAnEarlierChainDecidesNothing) {
    db.execute("insert into CHECK_NAME (warith_name) values ('خالد')");
    twoDeceased();
    EXPECT_EQ(Next::accept(db, "خالد", false).message, Texts::NotAmongHeirs);
    EXPECT_TRUE(Next::accept(db, "حسن", false).accepted);
}

} // namespace
