#include "rules/ChainCheck.h"

#include <gtest/gtest.h>

using rules::ChainCheck;
using Fault = rules::ChainCheck::Fault;

namespace {

struct Case {
    const char* what;
    std::vector<ChainCheck::Deceased> chain;
    Fault fault;
    int deceased; // where the fault stands, 1 for the first
    QString name; // who is named wrongly
};

TEST(ChainCheck, FindsTheFirstFaultOfAChain) {
    const Case cases[] = {
        {"a sound chain",
         {{"خالد", {"سالم", "هند"}}, {"سالم", {"عمر"}}, {"عمر", {"زيد"}}},
         Fault::None,
         0,
         {}},
        {"a later deceased heir of any earlier one",
         {{"خالد", {"سالم", "هند"}}, {"سالم", {"عمر"}}, {"هند", {"زيد"}}},
         Fault::None,
         0,
         {}},
        {"one deceased naming one person under two relations",
         {{"خالد", {"سالم", "سالم"}}},
         Fault::None,
         0,
         {}},
        {"a later deceased who is nobody's heir",
         {{"خالد", {"سالم"}}, {"كريم", {"عمر"}}},
         Fault::NotAnHeir,
         2,
         QStringLiteral("كريم")},
        {"a later deceased who is an heir of a later one only",
         {{"خالد", {"سالم"}}, {"عمر", {"زيد"}}, {"سالم", {"عمر"}}},
         Fault::NotAnHeir,
         2,
         QStringLiteral("عمر")},
        {"a trailing blank makes another name",
         {{"خالد", {"سالم"}}, {"سالم ", {"عمر"}}},
         Fault::NotAnHeir,
         2,
         QStringLiteral("سالم ")},
        {"a deceased named twice",
         {{"خالد", {"سالم"}}, {"سالم", {"خالد2", "سالم2"}}, {"سالم", {"زيد"}}},
         Fault::RepeatedDeceased,
         3,
         QStringLiteral("سالم")},
        {"the first deceased among his own heirs",
         {{"خالد", {"سالم", "خالد"}}},
         Fault::OwnHeir,
         1,
         QStringLiteral("خالد")},
        {"a later deceased among his own heirs",
         {{"خالد", {"سالم"}}, {"سالم", {"عمر", "سالم"}}},
         Fault::OwnHeir,
         2,
         QStringLiteral("سالم")},
        {"the first deceased among the second's heirs",
         {{"خالد", {"سالم"}}, {"سالم", {"خالد", "عمر"}}},
         Fault::InheritsFromLater,
         2,
         QStringLiteral("خالد")},
        {"the second deceased among the third's heirs",
         {{"خالد", {"سالم", "عمر"}}, {"سالم", {"عمر"}}, {"عمر", {"هند", "سالم"}}},
         Fault::InheritsFromLater,
         3,
         QStringLiteral("سالم")},
        {"one name twice under one deceased of a chain",
         {{"خالد", {"سالم", "هند", "سالم"}}, {"سالم", {"عمر"}}},
         Fault::HeirTwice,
         1,
         QStringLiteral("سالم")},
        {"one name under two deceased is no repeat",
         {{"خالد", {"سالم", "هند"}}, {"سالم", {"هند"}}},
         Fault::None,
         0,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ChainCheck::Finding f = ChainCheck::firstFault(c.chain);
        EXPECT_EQ(f.fault, c.fault);
        EXPECT_EQ(f.deceased, c.deceased);
        EXPECT_EQ(f.name, c.name);
    }
}

// The intake feeds the check as it reads, and only the heirs it keeps count as heirs.
TEST(ChainCheck, AnHeirNotTakenMakesNoLaterDeceased) {
    ChainCheck check;
    EXPECT_EQ(check.nextDeceased(QStringLiteral("خالد")), Fault::None);
    EXPECT_EQ(check.checkHeir(QStringLiteral("سالم")), Fault::None);
    // سالم was dropped by the heir checks, so he was never recorded.
    EXPECT_EQ(check.checkHeir(QStringLiteral("عمر")), Fault::None);
    check.addHeir(QStringLiteral("عمر"));
    EXPECT_TRUE(check.isHeirAlready(QStringLiteral("عمر")));
    EXPECT_EQ(check.nextDeceased(QStringLiteral("سالم")), Fault::NotAnHeir);

    ChainCheck again;
    again.nextDeceased(QStringLiteral("خالد"));
    again.addHeir(QStringLiteral("عمر"));
    EXPECT_EQ(again.nextDeceased(QStringLiteral("عمر")), Fault::None);
    EXPECT_FALSE(again.isHeirAlready(QStringLiteral("عمر"))); // a new deceased, a new list of heirs
    EXPECT_EQ(again.checkHeir(QStringLiteral("خالد")), Fault::InheritsFromLater);
    EXPECT_EQ(again.checkHeir(QStringLiteral("عمر")), Fault::OwnHeir);
}

} // namespace
