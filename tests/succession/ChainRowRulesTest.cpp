#include "ChainFixture.h"

#include "succession/ChainRowRules.h"
#include "succession/SuccessionTexts.h"

namespace {

using succession::ChainRow;
namespace Rules = succession::ChainRowRules;
namespace Texts = succession::Texts;

class ChainRowRulesTest : public successiontest::ChainFixture {};

struct SaveCase {
    const char* what;
    bool chain;   // احمد's chain with علي as second deceased is in the table
    ChainRow row; // the row as the grid holds it
    bool addHeirs;
    const char* indicator;
    QString message; // the refusal, or empty
    QString arrange; // the row's arrange after an accepted save
    QString status;
};

ChainRow heirRow(const char* relation, const char* name) {
    ChainRow r;
    r.relation = relation;
    r.heirName = name;
    return r;
}
ChainRow deceasedRow(const char* name, const char* arrange = "") {
    ChainRow r;
    r.deceasedName = name;
    r.arrange = arrange;
    return r;
}
// The saved row of the deceased of that name: its key is looked up once the chain is in the table.
constexpr qint64 SavedRowOfThatDeceased = -1;
ChainRow savedDeceasedRow(const char* name, const char* arrange) {
    ChainRow r = deceasedRow(name, arrange);
    r.ar = SavedRowOfThatDeceased;
    return r;
}

TEST_F(ChainRowRulesTest, SavingARowRefusesInTheOrderOfTheRulesAndFillsInArrangeAndStatus) {
    const SaveCase cases[] = {
        {"first deceased in an empty table", false, deceasedRow("احمد"), true, "1", {}, "1", ""},
        {"a heir of the current deceased", true, heirRow("بنت", "زينب"), true, "2", {}, "2", ""},
        {"a later deceased who is a heir",
         true,
         deceasedRow("حسن"),
         true,
         "3",
         {},
         "3",
         Texts::LaterDeceased},
        {"the first deceased's own row again", true, savedDeceasedRow("احمد", "1"), true, "2", {}, "1", ""},
        {"a row of empty cells takes the current deceased", true, ChainRow{}, true, "2", {}, "2", ""},
        {"heir named like the first deceased, before add-heirs",
         true,
         heirRow("ابن", "احمد"),
         false,
         "2",
         Texts::SameAsFirstDeceased,
         {},
         {}},
        {"add-heirs not ticked",
         true,
         heirRow("بنت", "زينب"),
         false,
         "2",
         Texts::ChooseDeceasedFirst,
         {},
         {}},
        {"arrange 0",
         true,
         [] {
             ChainRow r = heirRow("بنت", "زينب");
             r.arrange = "0";
             return r;
         }(),
         true,
         "2",
         Texts::Error,
         {},
         {}},
        {"both names",
         true,
         [] {
             ChainRow r = heirRow("", "زينب");
             r.deceasedName = "حسن";
             return r;
         }(),
         true,
         "2",
         Texts::BothNames,
         {},
         {}},
        {"heir without relation", true, heirRow("", "زينب"), true, "2", Texts::HeirWithoutRelation, {}, {}},
        {"deceased with relation",
         true,
         [] {
             ChainRow r = deceasedRow("حسن");
             r.relation = "ابن";
             return r;
         }(),
         true,
         "3",
         Texts::DeceasedWithRelation,
         {},
         {}},
        {"relation without heir", true, heirRow("ابن", ""), true, "2", Texts::RelationWithoutHeir, {}, {}},
        {"a later deceased who is nobody's heir",
         true,
         deceasedRow("خالد"),
         true,
         "3",
         Texts::DeceasedNotAnHeir,
         {},
         {}},
    };
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(c.what);
        db.execute("delete from MUNASKA_TEMP");
        if (c.chain)
            twoDeceased();
        ChainRow row = c.row;
        if (row.ar == SavedRowOfThatDeceased)
            row.ar =
                db.scalar("select ar from MUNASKA_TEMP where deth_name = ?", {row.deceasedName}).toLongLong();
        EXPECT_EQ(Rules::beforeUpdate(db, row, c.addHeirs, c.indicator), c.message);
        if (c.message.isEmpty()) {
            EXPECT_EQ(row.arrange, c.arrange);
            EXPECT_EQ(row.status, c.status);
        }
    }
}

// A deceased typed into a place that is already a deceased's would take that deceased's heirs too:
// the library joins heirs to their deceased by place alone.
TEST_F(ChainRowRulesTest, ADeceasedTakesOnlyAPlaceOfHisOwn) {
    struct Case {
        const char* what;
        ChainRow row;
        const char* savedRow; // the saved row being changed (a condition on MUNASKA_TEMP), or none
        const char* indicator;
        QString message;
        QString status;
    } cases[] = {
        {"typed on the new line while the first deceased takes heirs",
         deceasedRow("حسن"),
         nullptr,
         "1",
         Texts::DeceasedOnlyFromList,
         {}},
        {"typed on the new line while the second deceased takes heirs",
         deceasedRow("حسن"),
         nullptr,
         "2",
         Texts::DeceasedOnlyFromList,
         {}},
        {"typed with no current deceased", deceasedRow("حسن"), nullptr, "", Texts::DeceasedOnlyFromList, {}},
        {"a saved heir row of the first deceased",
         deceasedRow("حسن", "1"),
         "warith_name = 'حسن'",
         "1",
         Texts::DeceasedOnlyFromList,
         {}},
        {"a saved heir row of the second deceased",
         deceasedRow("حسن", "2"),
         "warith_name = 'فاطمة' and arrange = 2",
         "2",
         Texts::DeceasedOnlyFromList,
         {}},
        {"the next place, as the list gives it", deceasedRow("حسن"), nullptr, "3", {}, Texts::LaterDeceased},
        {"the second deceased renamed in his own row",
         deceasedRow("حسن", "2"),
         "deth_name = 'علي'",
         "2",
         {},
         Texts::LaterDeceased},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        db.execute("delete from MUNASKA_TEMP");
        twoDeceased();
        ChainRow row = c.row;
        if (c.savedRow)
            row.ar =
                db.scalar(QString("select ar from MUNASKA_TEMP where %1").arg(QString::fromUtf8(c.savedRow)))
                    .toLongLong();
        EXPECT_EQ(Rules::beforeUpdate(db, row, true, c.indicator), c.message);
        if (c.message.isEmpty()) {
            EXPECT_EQ(row.status, c.status);
        }
    }
}

TEST_F(ChainRowRulesTest, HeirNameEditsCountTheRowsOwnDeceasedAndLookUpThePreviousName) {
    twoDeceased();
    const qint64 wifeOfFirst =
        db.scalar("select ar from MUNASKA_TEMP where warith_relation = 'زوجة'").toLongLong();
    const qint64 sonAli = db.scalar("select ar from MUNASKA_TEMP where warith_name = 'علي'").toLongLong();
    ChainRow newLine;
    ChainRow savedUnderFirst;
    savedUnderFirst.ar = wifeOfFirst;
    savedUnderFirst.arrange = "1";
    savedUnderFirst.heirName = "فاطمة";
    ChainRow savedAli = savedUnderFirst;
    savedAli.ar = sonAli;
    savedAli.heirName = "علي";

    struct Case {
        const char* what;
        ChainRow row;
        const char* name;
        const char* previous;
        const char* indicator;
        QString message;
    } cases[] = {
        {"a new heir of the current deceased", newLine, "زينب", "", "2", {}},
        {"a name twice for the current deceased", newLine, "حسن", "", "2", Texts::HeirTwice},
        {"the same name under another deceased", newLine, "علي", "", "2", Texts::HeirIsDeceased},
        {"a heir of another deceased, typed for this one", newLine, "فاطمة", "", "3", {}},
        // A saved row is checked against its own deceased, whoever is current.
        {"a saved row of the first deceased, indicator on the second", savedUnderFirst, "حسن", "فاطمة", "2",
         Texts::HeirTwice},
        {"the row's own name typed again", savedUnderFirst, "فاطمة", "فاطمة", "1", {}},
        {"a heir who later died keeps his name", savedAli, "عمر", "علي", "1", Texts::HeirIsDeceased},
        {"a deceased's name on a new line", newLine, "احمد", "", "2", Texts::HeirIsDeceased},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Rules::beforeHeirName(db, c.row, c.name, c.previous, c.indicator), c.message);
    }
}

TEST_F(ChainRowRulesTest, DeletingRefusesADeceasedWithHeirsAndAHeirWhoDied) {
    twoDeceased();
    const qint64 lone = deceased("حسن", 3);
    const auto rowOf = [&](const char* where) {
        const qint64 ar = db.scalar(QString("select ar from MUNASKA_TEMP where %1").arg(where)).toLongLong();
        ChainRow r;
        r.ar = ar;
        const QSqlRecord rec =
            db.select("select warith_name, deth_name, arrange from MUNASKA_TEMP where ar = ?", {ar}).front();
        r.heirName = rec.value(0).toString();
        r.deceasedName = rec.value(1).toString();
        r.arrange = rec.value(2).toString();
        return r;
    };
    struct Case {
        const char* what;
        ChainRow row;
        QString message;
    } cases[] = {
        {"a deceased with heirs", rowOf("deth_name = 'علي'"), Texts::DeceasedHasHeirs},
        {"a deceased without heirs", rowOf(QString("ar = %1").arg(lone).toUtf8().constData()), {}},
        {"the heir row of a heir who died", rowOf("warith_name = 'علي'"), Texts::HeirHasDied},
        {"a heir still alive", rowOf("warith_name = 'فاطمة' and arrange = 1"), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Rules::beforeDelete(db, c.row), c.message);
    }
}

} // namespace
