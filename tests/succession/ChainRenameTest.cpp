#include "ChainFixture.h"

#include "entry/NameText.h"
#include "succession/ChainRename.h"
#include "succession/ChainTable.h"
#include "succession/SuccessionTexts.h"

namespace {

namespace Rename = succession::ChainRename;
namespace Texts = succession::Texts;
using succession::ChainRow;

class ChainRenameTest : public successiontest::ChainFixture {
protected:
    QStringList names() const {
        return column("select warith_name || '/' || deth_name from MUNASKA_TEMP order by ar");
    }
    ChainRow rowWhere(const char* where) const {
        const qint64 ar = db.scalar(QString("select ar from MUNASKA_TEMP where %1").arg(where)).toLongLong();
        return *succession::ChainTable::row(db, ar);
    }
};

TEST_F(ChainRenameTest, RenamingAHeir) {
    struct Case {
        const char* what;
        const char* oldName;
        QString newName;
        bool changed;
        QString message;
        QStringList after; // empty: unchanged
    } cases[] = {
        {"a heir who later died, in every row of both columns",
         "علي",
         "  عليّ ",
         true,
         {},
         {"/احمد", "فاطمة/", "عليّ/", "حسن/", "/عليّ", "فاطمة/", "حسن/", "علي الاكبر/"}},
        {"the first deceased's name", "فاطمة", "احمد", false, Texts::SameAsFirstDeceased, {}},
        {"a name among the heirs, also the old name itself",
         "حسن",
         "حسن",
         false,
         Texts::HeirRepeatedAmongHeirs,
         {}},
        {"a deceased's name", "حسن", "علي", false, Texts::HeirRepeatedAmongHeirs, {}},
        {"an empty new name says nothing", "حسن", " ", false, {}, {}},
        {"a line break in the new name is a blank",
         "علي",
         "\nعلي\nالاصغر",
         true,
         {},
         {"/احمد", "فاطمة/", "علي الاصغر/", "حسن/", "/علي الاصغر", "فاطمة/", "حسن/", "علي الاكبر/"}},
        {"a control character", "حسن", "حسن\x1b", false, entry::NameText::ControlRefused, {}},
        {"a name longer than the screens show",
         "حسن",
         QString(entry::NameText::MaxLength + 1, QChar(u'ح')),
         false,
         entry::NameText::TooLongRefused,
         {}},
        {"an empty old name says nothing", "", "سالم", false, {}, {}},
        {"a longer name holding the old one is left alone",
         "علي",
         "سالم",
         true,
         {},
         {"/احمد", "فاطمة/", "سالم/", "حسن/", "/سالم", "فاطمة/", "حسن/", "علي الاكبر/"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        db.execute("delete from MUNASKA_TEMP");
        twoDeceased();
        heir("ابن عم", "علي الاكبر", 2);
        const QStringList before = names();
        const Rename::Outcome o = Rename::renameHeir(db, c.oldName, c.newName);
        EXPECT_EQ(o.changed, c.changed);
        EXPECT_EQ(o.message, c.message);
        EXPECT_EQ(names(), c.after.isEmpty() ? before : c.after);
    }
}

TEST_F(ChainRenameTest, TheFirstDeceasedIsTheOnlyOneTheOtherButtonRenames) {
    twoDeceased();
    const QStringList before = names();
    EXPECT_EQ(Rename::renameFirstDeceased(db, rowWhere("deth_name = 'علي'"), "عمر").message,
              Texts::FirstDeceasedOnly);
    EXPECT_EQ(Rename::renameFirstDeceased(db, rowWhere("warith_name = 'حسن' and arrange = 1"), "عمر").message,
              Texts::FirstDeceasedOnly);
    EXPECT_EQ(Rename::renameFirstDeceased(db, rowWhere("deth_name = 'احمد'"), "احمد").message,
              Texts::DeceasedRepeatedAmongDeceased);
    EXPECT_EQ(Rename::renameFirstDeceased(db, rowWhere("deth_name = 'احمد'"), "حسن").message,
              Texts::DeceasedRepeatedAmongHeirs);
    EXPECT_EQ(
        Rename::renameFirstDeceased(db, rowWhere("deth_name = 'احمد'"), QString(101, QChar(u'ح'))).message,
        entry::NameText::TooLongRefused);
    EXPECT_EQ(names(), before);

    const Rename::Outcome o =
        Rename::renameFirstDeceased(db, rowWhere("deth_name = 'احمد'"), " احمد الكبير ");
    EXPECT_TRUE(o.changed);
    EXPECT_EQ(names().front(), "/احمد الكبير");
}

TEST_F(ChainRenameTest, APickFromTheHeirNameListRenamesOnlyANameNewToTheChain) {
    struct Case {
        const char* what;
        const char* previous;
        const char* picked;
        Rename::PickEffect effect;
        QStringList after;
    } cases[] = {
        {"a new name renames the person throughout",
         "علي",
         "عمر",
         Rename::PickEffect::RenamedThroughout,
         {"/احمد", "فاطمة/", "عمر/", "حسن/", "/عمر", "فاطمة/", "حسن/"}},
        {"a name of the chain goes to this row alone", "حسن", "فاطمة", Rename::PickEffect::ThisRowOnly, {}},
        {"a deceased's name goes to this row alone", "حسن", "احمد", Rename::PickEffect::ThisRowOnly, {}},
        {"the same name again changes nothing", "حسن", "حسن", Rename::PickEffect::Nothing, {}},
        {"a new row has no previous name", "", "عمر", Rename::PickEffect::Nothing, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        db.execute("delete from MUNASKA_TEMP");
        twoDeceased();
        const QStringList before = names();
        EXPECT_EQ(Rename::heirNamePicked(db, c.previous, c.picked), c.effect);
        EXPECT_EQ(names(), c.after.isEmpty() ? before : c.after);
    }
}

} // namespace
