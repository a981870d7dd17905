#include "engine/report/DivisionNotes.h"

namespace engine {

namespace {

// Note words. Their blanks are printed and stored as they stand; several notes carry two or
// three blanks before the full stop.
const QString HalfSpouse = QStringLiteral(" النصف  . ");
const QString QuarterSingle = QStringLiteral(" الربع  . ");
const QString QuarterSuccessive = QStringLiteral(" الربع . ");
const QString Eighth = QStringLiteral(" الثمن  . ");
const QString HalfSingle = QStringLiteral(" النصف  . ");
const QString HalfSuccessive = QStringLiteral(" النصف   . ");
const QString Third = QStringLiteral(" الثلث  . ");
const QString SixthSingle = QStringLiteral(" السدس . ");
const QString SixthSuccessive = QStringLiteral(" السدس  . ");
const QString TwoThirds = QStringLiteral(" الثلثان . ");

const QString GrandfatherOptionText[] = {
    QString(),
    QStringLiteral("للجد ثلث الكل (وهو خير له من مقاسمة الاخوة ) ."),
    QStringLiteral("للجد ثلث الباقي (وهو خير له من مقاسمة الاخوة ) ."),
    QStringLiteral("للجد سدس الكل (وهو خير له من مقاسمة الاخوة ) ."),
    QStringLiteral("للجد سدس الكل (وهو خير له من ثلث الباقي ومن مقاسمة الاخوة )  ."),
    QStringLiteral("يستوي للجد ثلث الكل ومقاسمة الاخوة  ."),
    QStringLiteral("يستوي للجد ثلث الباقي ومقاسمة الاخوة  ."),
    QStringLiteral("يستوي للجد سدس الكل ومقاسمة الاخوة  ."),
    QStringLiteral("يقاسم الجد الاخوة ( والمقاسمة خير له من ثلث الكل ) ."),
    QStringLiteral("يقاسم الجد الاخوة ( والمقاسمة خير له من سدس الكل ومن ثلث الباقي ) ."),
    QStringLiteral("يقاسم الجد الاخوة ( والمقاسمة خير له من السدس ) ."),
};
const QString BrothersCountedAgain = QStringLiteral(
    "لاحظ انه بعد احتساب جميع الاخوة في تحديد حصة الجد ، يعاد حساب حصصهم وكأن الجد غير موجود معهم.  ");
const QString SistersRemainderGroup = QStringLiteral(" الباقي .. ");
const QString SisterRemainderPrefix = QStringLiteral(" لل");
const QString SisterRemainderSuffix = QStringLiteral(" الباقي .  ");

const QString BlockedFeminineOne = QStringLiteral(" ( محجوبة ).  ");
const QString BlockedFeminineMany = QStringLiteral(" محجوبات .   ");
const QString BlockedMasculineOne = QStringLiteral(" ( محجوب ) .  ");
const QString BlockedMasculineMany = QStringLiteral(" محجوبون .   ");

const QString AkdariyyaFirst =
    QStringLiteral(" يأخذ الجد فرضه وهو السدس تاركاٌ مقاسمة الاخت لان المقاسمة تنقصه عن السدس،");
const QString AkdariyyaSecond = QStringLiteral(" ثم يعود لمقاسمتها بعد ان تأخذ فرضها وهو النصف . ");

const QString GharrawaynMother = QStringLiteral(" يفرض للام فيها ثلث الباقي بعد فرض الزوج او الزوجة .");
const QString GharrawaynFather = QStringLiteral(" للاب  الباقي .");

const QString FallenOpen = QStringLiteral("تسقط العصبة  (");
const QString FallenClose = QStringLiteral(" ) لاستغراق التركة بفروضها . ");

// Closing notes by CaseKind.
const QString ResiduaryOpen = QStringLiteral(" للعصبة ( ");
const QString ResiduaryClose = QStringLiteral(" )الباقي . ");
const QString SistersWithDaughtersClose =
    QStringLiteral(" )الباقي . ( على قاعدة واجعلوا الاخوات مع البنات عصبة ). ");
const QString ResiduaryMaleDouble = QStringLiteral(" يرث  العصبة بواقع ان للذكر ضعف نصيب الانثى . ");
const QString Return = QStringLiteral("المسألة ردية  ");
const QString ReturnHusbandExcluded = QStringLiteral("، باستثناء الزوج فإنه لايرد عليه .");
const QString ReturnWivesExcluded = QStringLiteral("، باستثناء الزوجة او الزوجات فإنه لايرد عليهم .");
const QString Raise = QStringLiteral("المسألة عولية  .");
const QString FatherRemainder = QStringLiteral("الباقي للاب جامعاً بين الفرض والتعصيب  .");
const QString GrandfatherRemainder = QStringLiteral("الباقي للجد جامعاً بين الفرض والتعصيب  .");
const QString WholeOpen = QStringLiteral("للعصبة ( ");
const QString WholeCloseOne = QStringLiteral("  ) جميع التركة لعدم وجود اصحاب فروض معه .");
const QString WholeCloseMany = QStringLiteral("  ) جميع التركة لعدم وجود اصحاب فروض معهم .");
const QString WholeMaleDouble = QStringLiteral(" يرث العصبة بواقع ان للذكر ضعف نصيب الانثى . ");
const QString Treasury = QStringLiteral("الباقي لبيت المال  .");
const QString MushtarakaFirst = QStringLiteral(" لاولاد الام الثلث .");
const QString MushtarakaSecond = QStringLiteral("فيسقط الاخوة الاشقاء لاستغراق التركة بفروضها ، ");
const QString MushtarakaThird =
    QStringLiteral("ثم يشاركون الاخوة لام نصيبهم ، باعتبارهم ينتسبون الى الام كذلك .  ");
const QString WombOneOpen = QStringLiteral(" لذو الرحم ( ");
const QString WombManyOpen = QStringLiteral(" لذوي الارحام ( ");
const QString WombMaleDouble = QStringLiteral(" يرث ذوي الارحام بواقع ان للذكر ضعف نصيب الانثى . ");
const QString WombSidesWhole =
    QStringLiteral(" يرث ذوي الارحام جميع التركة ، بواقع ثلثين لجهة الاب وثلث لجهة الام  .");
const QString WombSidesRemainder =
    QStringLiteral(" يرث ذوي الارحام الباقي ، بواقع ثلثين لجهة الاب وثلث لجهة الام  .");

// Entry `index` of a name table; an index the table does not have reads as its empty entry.
template <typename T, std::size_t N> T entry(const std::array<T, N>& table, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= N)
        return T{};
    return table[static_cast<std::size_t>(index)];
}

// The steps of the notes, in order. Some steps hand over to a later one, as the rules of the
// named cases require; each step returns where the notes go on.
class NoteWriter {
public:
    NoteWriter(EngineState& s, const NameTables& names, NoteWording wording)
        : s(s), names(names), successive(wording == NoteWording::SuccessiveDeaths) {}

    void run() {
        spouseNotes();
        if (!fixedShareNotes()) {
            gharrawaynNotes();
            fallenResiduaries();
            return;
        }
        grandfatherNotes();
        switch (blockedHeirNotes()) {
        case AfterBlocked::FallenOnly:
            fallenResiduaries();
            return;
        case AfterBlocked::Closing:
            closingNotes();
            fallenResiduaries();
            return;
        case AfterBlocked::Next:
            break;
        }
        if (s.CaseKind == NoClosingNote) {
            fallenResiduaries();
            return;
        }
        if (s.SpecialCaseMark == 2) {
            add(AkdariyyaFirst);
            add(AkdariyyaSecond);
        }
        closingNotes();
        fallenResiduaries();
    }

private:
    enum class AfterBlocked { Next, Closing, FallenOnly };

    Num count(int c) const { return c >= 0 && c <= ClassTop ? s.ClassCount[c] : Num(0); }
    Num shares(int c) const { return c >= 0 && c <= ClassTop ? s.ClassShares[c] : Num(0); }
    Num denom(int c) const { return c >= 0 && c <= ShareKindTop ? s.ShareKindDenom[c] : Num(0); }
    Num kindState(int k) const { return s.ShareKindState[k]; }
    QString singular(int c) const { return entry(names.ClassNameSingular, c); }
    QString plural(int c) const { return entry(names.ClassNamePlural, c); }
    QString mixed(int c) const { return entry(names.ClassNameMixed, c); }

    void add(const QString& text, int value = 0) { AddNote(s, text, value); }

    void spouseNotes() {
        for (const int c : {int(Husband), int(Wife)}) {
            if (count(c) == 0 || denom(c) == 0)
                continue;
            QString text;
            if (denom(c) == 2)
                text = HalfSpouse;
            else if (denom(c) == 4)
                text = successive ? QuarterSuccessive : QuarterSingle;
            else if (denom(c) == 8)
                text = Eighth;
            add(text, c);
        }
    }

    // False when the gharrawayn take over the rest of the notes.
    bool fixedShareNotes() {
        for (int c = 1; c <= 12; ++c) {
            if (c == Husband || c == Wife || count(c) == 0 || denom(c) == 0)
                continue;
            if (s.SpecialCaseMark == 1)
                return false;
            // The grandfather's share is explained with the siblings or the akdariyya instead.
            if (c == GrandfatherAggregate && (s.SpecialCaseMark == 2 || s.GrandfatherOption > 0))
                continue;
            QString text;
            const Num d = denom(c);
            if (d == 2)
                text = successive ? HalfSuccessive : HalfSingle;
            else if (d == 3)
                text = Third;
            else if (d == 6)
                text = successive ? SixthSuccessive : SixthSingle;
            else if (d == Num::fraction(3, 2))
                text = TwoThirds;
            add(text, c);
        }
        return true;
    }

    void grandfatherNotes() {
        if (s.GrandfatherOption == 0 || s.SpecialCaseMark == 2)
            return;
        const int option = s.GrandfatherOption >= 1 && s.GrandfatherOption <= 10 ? s.GrandfatherOption : 1;
        add(GrandfatherOptionText[option]);
        if (kindState(BrotherCount) > count(FullBrother) || kindState(SisterCount) > count(FullSister) ||
            kindState(SiblingCount) > count(FullSister) + count(FullBrother))
            add(BrothersCountedAgain);
        if (s.SisterRemainderCode != 0) {
            const int k = s.SisterRemainderCode + 9;
            if (count(k) > 1)
                add(entry(names.GroupNames, k) + SistersRemainderGroup);
            else
                add(SisterRemainderPrefix + entry(names.RelationNames, k) + SisterRemainderSuffix);
        }
    }

    AfterBlocked blockedHeirNotes() {
        for (int c = 3; c <= ClassTop; ++c) {
            if (count(c) == 0 || shares(c) > 0)
                continue;
            if (s.SpecialCaseMark == 3)
                return AfterBlocked::FallenOnly;
            // In a raised case a present heir who takes nothing is a residuary who fell; the
            // fallen-residuaries note says so instead of a note per class.
            if (s.CaseKind == BaseRaised) {
                s.SpecialCaseMark = 3;
                return AfterBlocked::Closing;
            }
            QString text;
            const int gender = entry(names.ClassGender, c);
            const bool one = count(c) == 1;
            if (gender == 2)
                text = one ? BlockedFeminineOne : BlockedFeminineMany;
            else if (gender != 0)
                text = one ? BlockedMasculineOne : BlockedMasculineMany;
            add(text, c);
        }
        return AfterBlocked::Next;
    }

    void closingNotes() {
        const int m = s.ResidClassMale;
        const int f = s.ResidClassFemale;
        const Num cm = count(m);
        const Num cf = count(f);
        const bool female = s.ResidFemalePresent == 1;
        switch (s.CaseKind) {
        case ResiduaryTakesRest:
            if (cm == 0 && female) {
                add(ResiduaryOpen + (cf > 1 ? plural(f) : singular(f)) + SistersWithDaughtersClose);
            } else if (cm == 1 && !female) {
                add(ResiduaryOpen + singular(m) + ResiduaryClose);
            } else if (cm > 1 && !female) {
                add(ResiduaryOpen + plural(m) + ResiduaryClose);
            } else {
                add(ResiduaryOpen + mixed(m) + ResiduaryClose);
                add(ResiduaryMaleDouble);
            }
            break;
        case ReturnToSharers: {
            QString text = Return;
            if (kindState(ReturnWithSpouse) != 0)
                text += count(Husband) > 0 ? ReturnHusbandExcluded : ReturnWivesExcluded;
            add(text);
            break;
        }
        case BaseRaised:
            add(Raise);
            break;
        case FatherTakesRest:
            add(FatherRemainder);
            break;
        case GrandfatherTakesRest:
            add(GrandfatherRemainder);
            break;
        case ResiduaryTakesAll:
            if (cm == 1 && !female) {
                add(WholeOpen + singular(m) + WholeCloseOne);
            } else if (cm > 1 && !female) {
                add(WholeOpen + plural(m) + WholeCloseMany);
            } else {
                add(WholeOpen + mixed(m) + WholeCloseMany);
                add(WholeMaleDouble);
            }
            break;
        case TreasuryTakesRest:
            add(Treasury);
            break;
        case MushtarakaShared:
            add(MushtarakaFirst);
            add(MushtarakaSecond);
            add(MushtarakaThird);
            break;
        case WombRelativesTakeRest:
        case WombRelativesTakeAll:
            // The name comes from the male class of the pair even when only its women inherit.
            if ((cm == 1 && !female) || (cm == 0 && cf == 1)) {
                add(WombOneOpen + singular(m) + ResiduaryClose);
            } else if ((cm > 1 && !female) || (cm == 0 && cf > 1)) {
                add(WombManyOpen + plural(m) + ResiduaryClose);
            } else {
                add(WombManyOpen + mixed(m) + ResiduaryClose);
                add(WombMaleDouble);
            }
            break;
        case WombRelativesBySides:
            if (count(Husband) + count(Wife) == 0) {
                s.CaseOrigin = 3;
                add(WombSidesWhole);
            } else {
                add(WombSidesRemainder);
            }
            break;
        default:
            break;
        }
    }

    void gharrawaynNotes() {
        add(GharrawaynMother);
        add(GharrawaynFather);
    }

    void fallenResiduaries() {
        if (s.CaseKind == MushtarakaShared)
            return;
        if (!(s.SpecialCaseMark == 3 || (s.CaseKind == BaseRaised && kindState(BrotherCount) > 0)))
            return;
        const int m = s.ResidClassMale;
        const QString name = count(m) > 1 || s.ResidFemalePresent == 1 ? plural(m) : singular(m);
        add(FallenOpen + name + FallenClose);
    }

    EngineState& s;
    const NameTables& names;
    const bool successive;
};

} // namespace

void AddNote(EngineState& state, const QString& text, int value) {
    state.addNoteSlot(text, value);
}

void AddBlessedRelativeNote(EngineState& state) {
    AddNote(state, CaseNameNote::BlessedRelative);
}

void AddGharrawaynNote(EngineState& state) {
    AddNote(state, CaseNameNote::Gharrawayn);
    state.SpecialCaseMark = 1;
}

void AddMushtarakaNote(EngineState& state) {
    AddNote(state, CaseNameNote::Mushtaraka);
    state.CaseKind = MushtarakaShared;
}

void AddAkdariyyaNote(EngineState& state) {
    AddNote(state, CaseNameNote::Akdariyya);
    state.SpecialCaseMark = 2;
}

void WriteNotes(EngineState& state, const NameTables& names, NoteWording wording) {
    NoteWriter(state, names, wording).run();
}

} // namespace engine
