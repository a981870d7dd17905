#include "ChainFixture.h"

#include "entry/EntryTexts.h"
#include "succession/ChainRelations.h"

namespace {

namespace Relations = succession::ChainRelations;
namespace ET = entry::Texts;

class ChainRelationsTest : public successiontest::ChainFixture {
protected:
    QString verdict(const QString& relation, qint64 arrange, qint64 exceptAr = 0) const {
        const auto v = Relations::check(db, relation, arrange, exceptAr);
        return v.accepted() ? QString() : v.messages.front();
    }
};

TEST_F(ChainRelationsTest, EachDeceasedIsCountedAlone) {
    deceased("احمد", 1);
    for (int i = 1; i <= 3; ++i)
        heir("زوجة", QString("زوجة %1").arg(i), 1);
    heir("اب", "محمود", 1);
    heir("ابن", "علي", 1);
    deceased("علي", 2);
    heir("زوجة", "هند", 2);

    struct Case {
        const char* what;
        const char* relation;
        qint64 arrange;
        QString message;
    } cases[] = {
        {"a fourth wife", "زوجة", 1, {}},
        {"a father under the second deceased beside one under the first", "اب", 2, {}},
        {"a husband beside his wife", "زوج", 2, ET::HusbandAndWife},
        {"a husband under a deceased whose wife is another's", "زوج", 3, {}},
        {"an unknown text first", "صديق", 1, ET::BadPickedRelation},
        {"no current deceased counts nothing", "اب", 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(verdict(c.relation, c.arrange), c.message);
    }

    heir("اب", "حمزة", 2);
    EXPECT_EQ(verdict("اب", 2), ET::MoreThanOne + "اب");
    heir("زوجة", "زوجة 4", 1);
    EXPECT_EQ(verdict("زوجة", 1), ET::FifthWife);
    // Another deceased's four wives do not count for the second.
    EXPECT_EQ(verdict("زوجة", 2), QString());
}

TEST_F(ChainRelationsTest, FourWivesAndAHusbandGiveTheWivesMessageFirst) {
    deceased("احمد", 1);
    for (int i = 1; i <= 4; ++i)
        heir("زوجة", QString("زوجة %1").arg(i), 1);
    heir("زوج", "زوج", 1);
    EXPECT_EQ(verdict("زوجة", 1), ET::FifthWife);
}

TEST_F(ChainRelationsTest, ARelationOverTheRowsOwnIsNotCountedAgainstItself) {
    deceased("احمد", 1);
    const qint64 father = heir("اب", "محمود", 1);
    const qint64 wife = heir("زوجة", "فاطمة", 1);
    EXPECT_EQ(verdict("اب", 1, father), QString());
    EXPECT_EQ(verdict("اب", 1, wife), ET::MoreThanOne + "اب");
    // The wife's row becoming a husband no longer stands beside a wife.
    EXPECT_EQ(verdict("زوج", 1, wife), QString());
}

TEST_F(ChainRelationsTest, HamzaSpellingsReadAsTheListsSpelling) {
    const QStringList list = {"اب", "اخ", "اخت", "ام", "ابن", "اب اب ام "};
    struct Case {
        const char* typed;
        const char* read;
    } cases[] = {
        {"أب", "اب"},     {"أخت", "اخت"}, {"إبن", "ابن"},
        {"آم", "ام"},     {"اخ", "اخ"},   {"أب أب أم ", "اب اب ام "},
        {"صديق", "صديق"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Relations::listSpelling(list, c.typed), QString(c.read)) << c.typed;
}

} // namespace
