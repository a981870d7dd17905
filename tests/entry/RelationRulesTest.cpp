#include "EntryFixture.h"

#include "entry/EntryTexts.h"
#include "entry/RelationRules.h"

namespace {

using entry::RelationRules::Verdict;
using entrytest::EntryFixture;
namespace Rules = entry::RelationRules;
namespace Texts = entry::Texts;

const QString Wife = "زوجة";
const QString Husband = "زوج";
const QString Father = "اب";
const QString Son = "ابن";
const QString Treasury = "الخزينة العامة";
// The relations table keeps the trailing blank of this one, and the article of the emancipator.
const QString MothersFathersFather = "اب اب ام ";
const QString Emancipator = "المعتق";

struct RuleCase {
    const char* name;
    std::vector<std::pair<QString, int>> stored; // relation, how many rows
    QString relation;
    QStringList messages; // empty: accepted
};

void PrintTo(const RuleCase& c, std::ostream* os) {
    *os << c.name;
}

class RuleTable : public EntryFixture, public ::testing::WithParamInterface<RuleCase> {
protected:
    void SetUp() override {
        for (const auto& [relation, count] : GetParam().stored)
            addHeirs(relation, count);
    }
    void expect(const Verdict& verdict) const {
        EXPECT_EQ(verdict.messages, GetParam().messages);
        EXPECT_EQ(verdict.accepted(), GetParam().messages.isEmpty());
    }
};

// A relation typed into the grid's cell.
class TypedCell : public RuleTable {};

TEST_P(TypedCell, ChecksTheNewRelationAgainstTheStoredHeirs) {
    expect(Rules::typedCell(db, GetParam().relation));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, TypedCell,
    ::testing::Values(
        RuleCase{"FourthWifeAccepted", {{Wife, 3}}, Wife, {}},
        RuleCase{"FifthWifeRefused", {{Wife, 4}}, Wife, {Texts::FifthWife}},
        RuleCase{"SecondHusbandIsASingleInstance", {{Husband, 1}}, Husband, {Texts::MoreThanOne + Husband}},
        RuleCase{"SecondHusbandBesideAWifeGetsOnlyTheSingleInstanceMessage",
                 {{Husband, 1}, {Wife, 1}},
                 Husband,
                 {Texts::MoreThanOne + Husband}},
        RuleCase{"HusbandBesideAWife", {{Wife, 1}}, Husband, {Texts::HusbandAndWife}},
        RuleCase{"WifeBesideAHusband", {{Husband, 1}}, Wife, {Texts::HusbandAndWife}},
        RuleCase{"FourWivesAndAHusbandGetOnlyTheWivesMessage",
                 {{Wife, 4}, {Husband, 1}},
                 Wife,
                 {Texts::FifthWife}},
        RuleCase{
            "SecondFatherRefusedAlsoOverItsOwnRow", {{Father, 1}}, Father, {Texts::MoreThanOne + Father}},
        RuleCase{"SlotTextWithItsBlank",
                 {{MothersFathersFather, 1}},
                 MothersFathersFather,
                 {Texts::MoreThanOne + MothersFathersFather}},
        RuleCase{"EmancipatorAsTheTableWritesIt",
                 {{Emancipator, 1}},
                 Emancipator,
                 {Texts::MoreThanOne + Emancipator}},
        RuleCase{"SonsRepeatFreely", {{Son, 5}}, Son, {}},
        RuleCase{"UnknownText", {}, "ابن الجيران", {Texts::BadTypedRelation}},
        RuleCase{"SlotTextWithoutItsBlankIsUnknown", {}, "اب اب ام", {Texts::BadTypedRelation}},
        RuleCase{"EmptyText", {}, "", {Texts::BadTypedRelation}},
        // The unknown text is reported and the checks go on with it.
        RuleCase{"UnknownButOverTheLimit",
                 {{Treasury, 1}},
                 Treasury,
                 {Texts::BadTypedRelation, Texts::MoreThanOne + Treasury}}));

// The name of a stored heir changed: its relation is counted again, the row itself included.
class NameChanged : public RuleTable {};

TEST_P(NameChanged, RefusesOnlyAnExcessOfTheRowsRelation) {
    expect(Rules::nameChanged(db, GetParam().relation));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, NameChanged,
    ::testing::Values(RuleCase{"FourWivesPass", {{Wife, 4}}, Wife, {}},
                      RuleCase{"FiveWivesRefused", {{Wife, 5}}, Wife, {Texts::FifthWife}},
                      RuleCase{"OneFatherPasses", {{Father, 1}}, Father, {}},
                      RuleCase{"TwoFathersRefused", {{Father, 2}}, Father, {Texts::MoreThanOne + Father}},
                      RuleCase{"SlotTextWithItsBlank",
                               {{MothersFathersFather, 2}},
                               MothersFathersFather,
                               {Texts::MoreThanOne + MothersFathersFather}},
                      RuleCase{"NoSpouseRule", {{Husband, 1}, {Wife, 1}}, Husband, {}},
                      RuleCase{"NoMembershipRule", {}, "ابن الجيران", {}},
                      RuleCase{"EmptyRelation", {}, "", {}}));

// A relation picked from the list: the first broken rule answers.
class PickList : public RuleTable {};

TEST_P(PickList, StopsAtTheFirstRefusal) {
    expect(Rules::pickList(db, GetParam().relation));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PickList,
    ::testing::Values(
        RuleCase{"FourthWifeAccepted", {{Wife, 3}}, Wife, {}},
        RuleCase{"FifthWifeRefused", {{Wife, 4}}, Wife, {Texts::FifthWife}},
        RuleCase{"SecondHusbandIsASingleInstance", {{Husband, 1}}, Husband, {Texts::MoreThanOne + Husband}},
        RuleCase{"HusbandBesideAWife", {{Wife, 2}}, Husband, {Texts::HusbandAndWife}},
        RuleCase{"WifeBesideAHusband", {{Husband, 1}}, Wife, {Texts::HusbandAndWife}},
        RuleCase{"FourWivesAndAHusbandGetOnlyTheWivesMessage",
                 {{Wife, 4}, {Husband, 1}},
                 Wife,
                 {Texts::FifthWife}},
        RuleCase{"SlotTextWithItsBlank",
                 {{MothersFathersFather, 1}},
                 MothersFathersFather,
                 {Texts::MoreThanOne + MothersFathersFather}},
        RuleCase{"EmancipatorAsTheTableWritesIt",
                 {{Emancipator, 1}},
                 Emancipator,
                 {Texts::MoreThanOne + Emancipator}},
        RuleCase{"SonsRepeatFreely", {{Son, 5}}, Son, {}},
        RuleCase{"UnknownTextRefusedFirst", {{Treasury, 1}}, Treasury, {Texts::BadPickedRelation}},
        RuleCase{"ArticleMissingIsUnknown", {}, "معتق", {Texts::BadPickedRelation}}));

using RelationRulesTest = EntryFixture;

// The single-instance rule compares exact texts: each must be a relation a user can enter, or
// the rule could never fire. The treasury is added by the engine alone.
TEST_F(RelationRulesTest, EverySingleInstanceRelationIsARelationOfTheTable) {
    EXPECT_EQ(Texts::SingleInstance.size(), 23);
    for (const QString& relation : Texts::SingleInstance) {
        SCOPED_TRACE(relation.toStdString());
        if (relation != Treasury) {
            EXPECT_TRUE(Rules::isRelation(db, relation));
        }
    }
    EXPECT_FALSE(Rules::isSingleInstance(Wife));
    EXPECT_FALSE(Rules::isSingleInstance("اب اب ام"));
}

TEST_F(RelationRulesTest, AScopeCountsTheHeirsOfOneDeceasedOnly) {
    db.execute("insert into MUNASKA_TEMP (arrange, warith_relation) values (1, ?), (2, ?)", {Wife, Son});
    const auto deceased = [](int arrange) {
        return Rules::HeirTable{"MUNASKA_TEMP", "warith_relation", "arrange = ?", {arrange}};
    };
    EXPECT_EQ(Rules::pickList(db, Husband, deceased(1)).messages, QStringList{Texts::HusbandAndWife});
    EXPECT_TRUE(Rules::pickList(db, Husband, deceased(2)).accepted());
    EXPECT_TRUE(Rules::typedCell(db, Husband, deceased(2)).accepted());
    // WARITH is empty: the single-death scope sees nothing of the chain.
    EXPECT_TRUE(Rules::pickList(db, Husband).accepted());
}

TEST_F(RelationRulesTest, ARelationWithAnApostropheIsLookedUpAsItIs) {
    const QString quoted = "ابن 'العم'";
    EXPECT_EQ(Rules::typedCell(db, quoted).messages, QStringList{Texts::BadTypedRelation});
    db.execute("insert into relations (relations, au) values (?, 200)", {quoted});
    addHeirs({{quoted, "x"}});
    EXPECT_TRUE(Rules::typedCell(db, quoted).accepted());
    EXPECT_EQ(Rules::countOf(db, quoted), 1);
}

} // namespace
