#include "engine/report/DivisionNotes.h"

#include "ReportTestBench.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using engine::EngineState;
using engine::NoteWording;
using engine::Num;

namespace {

struct Note {
    QString text;
    int value = 0;
    friend bool operator==(const Note&, const Note&) = default;
};

void PrintTo(const Note& n, std::ostream* os) {
    *os << "{\"" << n.text.toStdString() << "\", " << n.value << "}";
}

std::vector<Note> notesOf(const EngineState& s) {
    std::vector<Note> out;
    for (int n = 1; n <= s.NoteCount; ++n)
        out.push_back({s.NoteText[n], static_cast<int>(s.NoteValue[n].whole())});
    return out;
}

const engine::NameTables& names() {
    static const engine::NameTables n = testsupport::reportNames();
    return n;
}

// A present class that takes a share and so has no note of its own.
void holds(EngineState& s, int c, int count, int perHead = 1) {
    s.ClassCount[c] = count;
    s.ClassShares[c] = perHead;
}

std::vector<Note> write(EngineState& s, NoteWording wording = NoteWording::SingleDeath) {
    engine::WriteNotes(s, names(), wording);
    return notesOf(s);
}

struct ClosingCase {
    const char* what;
    std::function<void(EngineState&)> setup;
    std::vector<Note> expected;
};

class ClosingNotes : public ::testing::TestWithParam<ClosingCase> {};

TEST_P(ClosingNotes, NameTheSettlementOfTheRemainder) {
    EngineState s;
    GetParam().setup(s);
    EXPECT_EQ(write(s), GetParam().expected) << GetParam().what;
}

void pair(EngineState& s, int kind, int male, int maleCount, int female, int femaleCount) {
    s.CaseKind = kind;
    s.ResidClassMale = male;
    s.ResidClassFemale = female;
    s.ResidFemalePresent = femaleCount > 0 ? 1 : 0;
    if (maleCount > 0)
        holds(s, male, maleCount, 2);
    if (femaleCount > 0)
        holds(s, female, femaleCount, 1);
}

const QString MaleDoubleResiduary = " يرث  العصبة بواقع ان للذكر ضعف نصيب الانثى . ";
const QString MaleDoubleWhole = " يرث العصبة بواقع ان للذكر ضعف نصيب الانثى . ";
const QString MaleDoubleWomb = " يرث ذوي الارحام بواقع ان للذكر ضعف نصيب الانثى . ";

INSTANTIATE_TEST_SUITE_P(
    ByCaseKind, ClosingNotes,
    ::testing::Values(
        ClosingCase{"no settlement recorded", [](EngineState& s) { holds(s, 13, 1); }, {}},
        ClosingCase{
            "sisters with daughters",
            [](EngineState& s) { pair(s, 1, 16, 0, 10, 2); },
            {{" للعصبة ( الاخوات الشقيقات )الباقي . ( على قاعدة واجعلوا الاخوات مع البنات عصبة ). "}}},
        ClosingCase{"a sister with daughters",
                    [](EngineState& s) { pair(s, 1, 16, 0, 10, 1); },
                    {{" للعصبة ( الاخت الشقيقة )الباقي . ( على قاعدة واجعلوا الاخوات مع البنات عصبة ). "}}},
        ClosingCase{
            "one son", [](EngineState& s) { pair(s, 1, 13, 1, 7, 0); }, {{" للعصبة ( الابن )الباقي . "}}},
        ClosingCase{"three sons",
                    [](EngineState& s) { pair(s, 1, 13, 3, 7, 0); },
                    {{" للعصبة ( الابناء )الباقي . "}}},
        ClosingCase{"a son and a daughter",
                    [](EngineState& s) { pair(s, 1, 13, 1, 7, 1); },
                    {{" للعصبة ( الابناء والبنات )الباقي . "}, {MaleDoubleResiduary}}},
        ClosingCase{"return", [](EngineState& s) { s.CaseKind = 2; }, {{"المسألة ردية  "}}},
        ClosingCase{"return past the husband",
                    [](EngineState& s) {
                        s.CaseKind = 2;
                        s.ShareKindState[10] = 1;
                        holds(s, 4, 1);
                        s.ShareKindDenom[4] = 2;
                    },
                    {{" النصف  . ", 4}, {"المسألة ردية  ، باستثناء الزوج فإنه لايرد عليه ."}}},
        ClosingCase{"return past the wives",
                    [](EngineState& s) {
                        s.CaseKind = 2;
                        s.ShareKindState[10] = 1;
                        holds(s, 5, 2);
                    },
                    {{"المسألة ردية  ، باستثناء الزوجة او الزوجات فإنه لايرد عليهم ."}}},
        ClosingCase{"raise", [](EngineState& s) { s.CaseKind = 3; }, {{"المسألة عولية  ."}}},
        ClosingCase{"father takes share and remainder",
                    [](EngineState& s) { s.CaseKind = 4; },
                    {{"الباقي للاب جامعاً بين الفرض والتعصيب  ."}}},
        ClosingCase{"grandfather takes share and remainder",
                    [](EngineState& s) { s.CaseKind = 5; },
                    {{"الباقي للجد جامعاً بين الفرض والتعصيب  ."}}},
        ClosingCase{"one residuary takes all",
                    [](EngineState& s) { pair(s, 6, 31, 1, 0, 0); },
                    {{"للعصبة ( العم الشقيق  ) جميع التركة لعدم وجود اصحاب فروض معه ."}}},
        ClosingCase{"residuaries take all",
                    [](EngineState& s) { pair(s, 6, 31, 2, 0, 0); },
                    {{"للعصبة ( الاعمام الاشقاء  ) جميع التركة لعدم وجود اصحاب فروض معهم ."}}},
        ClosingCase{
            "sons and daughters take all",
            [](EngineState& s) { pair(s, 6, 13, 2, 7, 1); },
            {{"للعصبة ( الابناء والبنات  ) جميع التركة لعدم وجود اصحاب فروض معهم ."}, {MaleDoubleWhole}}},
        ClosingCase{"treasury", [](EngineState& s) { s.CaseKind = 7; }, {{"الباقي لبيت المال  ."}}},
        ClosingCase{"mushtaraka",
                    [](EngineState& s) { s.CaseKind = 8; },
                    {{" لاولاد الام الثلث ."},
                     {"فيسقط الاخوة الاشقاء لاستغراق التركة بفروضها ، "},
                     {"ثم يشاركون الاخوة لام نصيبهم ، باعتبارهم ينتسبون الى الام كذلك .  "}}},
        ClosingCase{"one womb relative",
                    [](EngineState& s) { pair(s, 9, 46, 1, 47, 0); },
                    {{" لذو الرحم ( ابن البنت )الباقي . "}}},
        // Named after the male class of the pair although only its women inherit.
        ClosingCase{"one womb relative, a woman",
                    [](EngineState& s) { pair(s, 10, 46, 0, 47, 1); },
                    {{" لذو الرحم ( ابن البنت )الباقي . "}}},
        ClosingCase{"womb relatives",
                    [](EngineState& s) { pair(s, 9, 46, 2, 47, 0); },
                    {{" لذوي الارحام ( ابناء البنت )الباقي . "}}},
        ClosingCase{"womb relatives, women",
                    [](EngineState& s) { pair(s, 10, 46, 0, 47, 3); },
                    {{" لذوي الارحام ( ابناء البنت )الباقي . "}}},
        ClosingCase{"womb relatives of both sexes",
                    [](EngineState& s) { pair(s, 9, 46, 1, 47, 1); },
                    {{" لذوي الارحام ( اولاد البنت )الباقي . "}, {MaleDoubleWomb}}},
        ClosingCase{"womb relatives by sides, no spouse",
                    [](EngineState& s) { s.CaseKind = 11; },
                    {{" يرث ذوي الارحام جميع التركة ، بواقع ثلثين لجهة الاب وثلث لجهة الام  ."}}},
        ClosingCase{"womb relatives by sides beside a wife",
                    [](EngineState& s) {
                        s.CaseKind = 11;
                        holds(s, 5, 1);
                    },
                    {{" يرث ذوي الارحام الباقي ، بواقع ثلثين لجهة الاب وثلث لجهة الام  ."}}}));

TEST(WriteNotes, WombRelativesBySidesWithoutASpouseHaveAnOriginOfThree) {
    EngineState alone;
    alone.CaseKind = 11;
    alone.CaseOrigin = 1;
    write(alone);
    EXPECT_EQ(alone.CaseOrigin, 3);

    EngineState withWife;
    withWife.CaseKind = 11;
    withWife.CaseOrigin = 4;
    holds(withWife, 5, 1);
    write(withWife);
    EXPECT_EQ(withWife.CaseOrigin, 4);
}

struct ShareCase {
    int cls;
    int count;
    Num denom;
    NoteWording wording;
    QString expected;
};

TEST(WriteNotes, FixedShareWordsFollowTheDenominatorAndTheRun) {
    const auto single = NoteWording::SingleDeath;
    const auto successive = NoteWording::SuccessiveDeaths;
    const ShareCase cases[] = {
        {4, 1, 2, single, " النصف  . "},
        {4, 1, 2, successive, " النصف  . "},
        {4, 1, 4, single, " الربع  . "},
        {4, 1, 4, successive, " الربع . "},
        {5, 2, 8, single, " الثمن  . "},
        {5, 1, 4, successive, " الربع . "},
        {5, 1, 6, single, ""}, // no spouse share has that denominator: the note stays empty
        {7, 1, 2, single, " النصف  . "},
        {7, 1, 2, successive, " النصف   . "},
        {2, 1, 3, single, " الثلث  . "},
        {2, 1, 3, successive, " الثلث  . "},
        {2, 1, 6, single, " السدس . "},
        {2, 1, 6, successive, " السدس  . "},
        {7, 2, Num::fraction(3, 2), single, " الثلثان . "},
        {12, 2, 4, single, ""},
    };
    for (const ShareCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "class " << c.cls << " denominator " << c.denom.str());
        EngineState s;
        s.ClassCount[c.cls] = c.count;
        s.ClassShares[c.cls] = 1;
        s.ShareKindDenom[c.cls] = c.denom;
        EXPECT_EQ(write(s, c.wording), (std::vector<Note>{{c.expected, c.cls}}));
    }
}

TEST(WriteNotes, SpousesComeFirstThenFixedSharesInClassOrder) {
    EngineState s;
    s.ClassCount[10] = 2;
    s.ClassShares[10] = 4;
    s.ShareKindDenom[10] = Num::fraction(3, 2);
    s.ClassCount[2] = 1;
    s.ClassShares[2] = 1;
    s.ShareKindDenom[2] = 6;
    s.ClassCount[5] = 3; // several wives: one note for them all
    s.ClassShares[5] = 1;
    s.ShareKindDenom[5] = 4;
    s.ClassCount[7] = 1; // present, no fixed share: no note
    s.ClassShares[7] = 3;
    EXPECT_EQ(write(s), (std::vector<Note>{{" الربع  . ", 5}, {" السدس . ", 2}, {" الثلثان . ", 10}}));
}

TEST(WriteNotes, BlockedHeirsAreWordedByGenderAndNumber) {
    EngineState s;
    holds(s, 13, 1, 6);
    s.ClassCount[16] = 1; // one full brother
    s.ClassCount[10] = 2; // two full sisters
    s.ClassCount[11] = 1; // one paternal sister
    s.ClassCount[17] = 3; // three paternal brothers
    s.ClassCount[53] = 1; // a class worded by no gender
    EXPECT_EQ(write(s), (std::vector<Note>{{" محجوبات .   ", 10},
                                           {" ( محجوبة ).  ", 11},
                                           {" ( محجوب ) .  ", 16},
                                           {" محجوبون .   ", 17},
                                           {"", 53}}));
}

TEST(WriteNotes, ANoteForEveryBlockedClassHoweverMany) {
    EngineState s;
    for (int c = 13; c <= 112; ++c)
        s.ClassCount[c] = 1;
    EXPECT_EQ(write(s).size(), 100u);
    EXPECT_EQ(s.NoteCount, 100);
}

TEST(WriteNotes, GharrawaynTakeOverAfterTheSpouse) {
    EngineState s;
    engine::AddGharrawaynNote(s);
    holds(s, 4, 1, 3);
    s.ShareKindDenom[4] = 2;
    holds(s, 1, 1, 2);
    holds(s, 2, 1, 1);
    s.ShareKindDenom[2] = 3;
    s.ClassCount[16] = 1; // blocked by the father: still no note
    s.CaseKind = 1;
    EXPECT_EQ(write(s), (std::vector<Note>{{" وتعرف هذه بأحدى مسألتي الغراوين ."},
                                           {" النصف  . ", 4},
                                           {" يفرض للام فيها ثلث الباقي بعد فرض الزوج او الزوجة ."},
                                           {" للاب  الباقي ."}}));
}

TEST(WriteNotes, AkdariyyaExplainsTheGrandfatherBeforeTheRaise) {
    EngineState s;
    engine::AddAkdariyyaNote(s);
    holds(s, 4, 1, 9);
    s.ShareKindDenom[4] = 2;
    holds(s, 2, 1, 6);
    s.ShareKindDenom[2] = 3;
    holds(s, 3, 1, 8);
    s.ShareKindDenom[3] = 6;
    holds(s, 10, 1, 4);
    s.ShareKindDenom[10] = 2;
    s.GrandfatherOption = 3;
    s.CaseKind = 3;
    EXPECT_EQ(write(s), (std::vector<Note>{
                            {" وتعرف هذه بالمسألة الاكدرية ."},
                            {" النصف  . ", 4},
                            {" الثلث  . ", 2},
                            {" النصف  . ", 10},
                            {" يأخذ الجد فرضه وهو السدس تاركاٌ مقاسمة الاخت لان المقاسمة تنقصه عن السدس،"},
                            {" ثم يعود لمقاسمتها بعد ان تأخذ فرضها وهو النصف . "},
                            {"المسألة عولية  ."}}));
}

TEST(WriteNotes, ARaisedCaseNamesTheFallenResiduariesInsteadOfBlockedHeirs) {
    EngineState s;
    holds(s, 4, 1, 3);
    s.ShareKindDenom[4] = 2;
    holds(s, 10, 2, 2);
    s.ShareKindDenom[10] = Num::fraction(3, 2);
    s.ClassCount[31] = 2;
    s.ClassCount[46] = 1;
    s.ResidClassMale = 31;
    s.CaseKind = 3;
    EXPECT_EQ(write(s), (std::vector<Note>{{" النصف  . ", 4},
                                           {" الثلثان . ", 10},
                                           {"المسألة عولية  ."},
                                           {"تسقط العصبة  (الاعمام الاشقاء ) لاستغراق التركة بفروضها . "}}));
    EXPECT_EQ(s.SpecialCaseMark, 3);
}

TEST(WriteNotes, ResiduariesThatFellBeforeTheNotesGetNoClosingNote) {
    EngineState s;
    holds(s, 4, 1, 3);
    s.ShareKindDenom[4] = 2;
    s.ClassCount[16] = 1;
    s.ResidClassMale = 16;
    s.SpecialCaseMark = 3;
    s.CaseKind = 2;
    EXPECT_EQ(write(s), (std::vector<Note>{{" النصف  . ", 4},
                                           {"تسقط العصبة  (الاخ الشقيق ) لاستغراق التركة بفروضها . "}}));
}

TEST(WriteNotes, FallenResiduariesBesideARaiseWhenBrothersWereCounted) {
    EngineState s;
    s.CaseKind = 3;
    s.ShareKindState[11] = 2;
    s.ResidClassMale = 16;
    s.ResidFemalePresent = 1;
    EXPECT_EQ(write(s), (std::vector<Note>{{"المسألة عولية  ."},
                                           {"تسقط العصبة  (الاخوة الاشقاء ) لاستغراق التركة بفروضها . "}}));

    // No residuary pair recorded: nothing stands between the parentheses.
    EngineState none;
    none.CaseKind = 3;
    none.ShareKindState[11] = 1;
    EXPECT_EQ(write(none).back().text, "تسقط العصبة  ( ) لاستغراق التركة بفروضها . ");

    // The mushtaraka explains its brothers itself.
    EngineState mushtaraka;
    mushtaraka.CaseKind = 8;
    mushtaraka.SpecialCaseMark = 3;
    EXPECT_EQ(write(mushtaraka).size(), 3u);
}

struct GrandfatherCase {
    int option;
    QString expected;
};

TEST(WriteNotes, TheGrandfathersOptionIsExplainedOnce) {
    const GrandfatherCase cases[] = {
        {1, "للجد ثلث الكل (وهو خير له من مقاسمة الاخوة ) ."},
        {2, "للجد ثلث الباقي (وهو خير له من مقاسمة الاخوة ) ."},
        {3, "للجد سدس الكل (وهو خير له من مقاسمة الاخوة ) ."},
        {4, "للجد سدس الكل (وهو خير له من ثلث الباقي ومن مقاسمة الاخوة )  ."},
        {5, "يستوي للجد ثلث الكل ومقاسمة الاخوة  ."},
        {6, "يستوي للجد ثلث الباقي ومقاسمة الاخوة  ."},
        {7, "يستوي للجد سدس الكل ومقاسمة الاخوة  ."},
        {8, "يقاسم الجد الاخوة ( والمقاسمة خير له من ثلث الكل ) ."},
        {9, "يقاسم الجد الاخوة ( والمقاسمة خير له من سدس الكل ومن ثلث الباقي ) ."},
        {10, "يقاسم الجد الاخوة ( والمقاسمة خير له من السدس ) ."},
        {11, "للجد ثلث الكل (وهو خير له من مقاسمة الاخوة ) ."},
    };
    for (const GrandfatherCase& c : cases) {
        SCOPED_TRACE(c.option);
        EngineState s;
        holds(s, 3, 1, 8);
        s.ShareKindDenom[3] = 3; // no fixed-share note beside the option
        holds(s, 16, 2, 4);
        s.GrandfatherOption = c.option;
        EXPECT_EQ(write(s), (std::vector<Note>{{c.expected}}));
    }
}

TEST(WriteNotes, BrothersCountedAgainstTheGrandfatherAndSistersTakingTheRemainder) {
    const QString countedAgain =
        "لاحظ انه بعد احتساب جميع الاخوة في تحديد حصة الجد ، يعاد حساب حصصهم وكأن الجد غير موجود معهم.  ";
    const QString option = "يقاسم الجد الاخوة ( والمقاسمة خير له من ثلث الكل ) .";
    struct Case {
        const char* what;
        std::function<void(EngineState&)> setup;
        std::vector<Note> expected;
    };
    const Case cases[] = {
        {"paternal brothers counted, full brother inherits",
         [](EngineState& s) {
             holds(s, 16, 1, 2);
             s.ShareKindState[11] = 2;
         },
         {{option}, {countedAgain}}},
        {"sisters counted beyond the full sisters",
         [](EngineState& s) {
             holds(s, 10, 1, 2);
             s.ShareKindState[9] = 2;
         },
         {{option}, {countedAgain}}},
        {"all siblings counted beyond the full ones",
         [](EngineState& s) {
             holds(s, 10, 1, 2);
             holds(s, 16, 1, 2);
             s.ShareKindState[4] = 3;
         },
         {{option}, {countedAgain}}},
        {"only full siblings",
         [](EngineState& s) {
             holds(s, 16, 2, 2);
             s.ShareKindState[11] = 2;
             s.ShareKindState[4] = 2;
         },
         {{option}}},
        {"a full sister takes the remainder",
         [](EngineState& s) {
             holds(s, 10, 1, 2);
             s.SisterRemainderCode = 1;
         },
         {{option}, {" للاخت الباقي .  "}}},
        {"paternal sisters take the remainder",
         [](EngineState& s) {
             holds(s, 11, 2, 1);
             s.SisterRemainderCode = 2;
         },
         {{option}, {"للاخوات لاب الباقي .. "}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EngineState s;
        holds(s, 3, 1, 4);
        s.GrandfatherOption = 8;
        c.setup(s);
        EXPECT_EQ(write(s), c.expected);
    }
}

TEST(WriteNotes, CaseNameNotesSetTheMarksTheLaterNotesRead) {
    EngineState s;
    engine::AddBlessedRelativeNote(s);
    EXPECT_EQ(s.SpecialCaseMark, 0);
    engine::AddMushtarakaNote(s);
    EXPECT_EQ(s.CaseKind, 8);
    EXPECT_EQ(notesOf(s), (std::vector<Note>{{" هذه المسألة من مسائل القريب المبارك ."},
                                             {"وتعرف هذه بالمسألة المشركة او الحجرية .  "}}));
}

} // namespace
