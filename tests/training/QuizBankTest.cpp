#include "training/QuizBank.h"
#include "training/QuizSession.h"

#include "engine/CalcFixture.h"
#include "engine/report/DivisionNotes.h"
#include "engine/calc/ShareCalculation.h"
#include "support/CapturedMessages.h"
#include "support/TempAppFolder.h"

#include <QSet>
#include <QSqlRecord>

#include <gtest/gtest.h>

#include <map>

using training::QuizBank;
using training::QuizBankRow;
using training::QuizSession;

namespace {

class QuizBankTest : public ::testing::Test {
protected:
    // The bank by question, each question's rows in arr order.
    std::map<int, std::vector<QuizBankRow>> questions() const {
        std::map<int, std::vector<QuizBankRow>> byNumber;
        for (const QSqlRecord& r :
             db.select("select q_no, arr, questun, unser from QUESTUNS order by q_no, arr, rowid"))
            byNumber[r.value(0).toInt()].push_back(
                {r.value(0).toInt(), r.value(1).toInt(), r.value(2).toString(), r.value(3).toString()});
        return byNumber;
    }

    testsupport::TempAppFolder folder;
    data::Database db = folder.caseDatabase();
};

TEST_F(QuizBankTest, EveryNumberTheDrawReachesHoldsAQuestionOfKnownHeirsAndAnswerableKinds) {
    const auto bank = questions();
    std::vector<int> numbers;
    for (const auto& [number, rows] : bank)
        numbers.push_back(number);
    std::vector<int> expected;
    for (int n = QuizBank::FirstQuestion; n <= QuizBank::LastQuestion; ++n)
        expected.push_back(n);
    EXPECT_EQ(numbers, expected);

    QSet<QString> relations;
    for (const QSqlRecord& r : db.select("select relations from relations"))
        relations.insert(r.value(0).toString());
    QSet<QString> used;
    for (const auto& [number, rows] : bank) {
        SCOPED_TRACE(number);
        QSet<int> places;
        for (const QuizBankRow& row : rows) {
            EXPECT_FALSE(places.contains(row.arr)) << "arr " << row.arr << " twice";
            places.insert(row.arr);
            EXPECT_TRUE(relations.contains(row.questun)) << row.questun.toStdString();
            EXPECT_TRUE(QuizSession::AnswerTexts.contains(row.unser)) << row.unser.toStdString();
            used.insert(row.unser);
        }
    }
    for (const QString& answer : QuizSession::AnswerTexts)
        EXPECT_TRUE(used.contains(answer)) << "no question asks for " << answer.toStdString();
}

// The kind the engine gives one heir of a case it has divided, in the words of the quiz.
class EngineKinds {
public:
    explicit EngineKinds(const QStringList& relations) : m_case(testsupport::shippedCalcRules(), names()) {
        m_entered = m_case.enter(testsupport::heirsOf(relations));
        if (!m_entered)
            return;
        engine::EngineState& s = m_case.state();
        s.Madhhab = 2; // the default school
        s.DeceasedIndex = 1;
        engine::ShareCalculation(s, testsupport::shippedCalcRules());
        engine::WriteNotes(s, names());
        for (int n = 1; n <= s.NoteCount; ++n)
            m_notes.push_back({s.NoteText[n], s.NoteValue[n]});
        m_gharrawayn = s.SpecialCaseMark == 1;
        for (int c = 1; c <= engine::ClassTop; ++c)
            m_present[c] = s.ClassCount[c] > 0;
        engine::DistributeAndJoinShares(s);
        engine::ReduceCase(s);
    }

    bool entered() const { return m_entered; }
    int heirs() const { return m_case.state().HeirTotal; }

    QString kind(int slot) const {
        const engine::EngineState& s = m_case.state();
        const int heirClass = s.HeirClass[slot];
        if (s.HeirShare[slot] == 0)
            return QStringLiteral("حجب");
        // The notes name a fixed share by the class that takes it; the grandfathers and the
        // grandmothers take theirs as one class each.
        int noteClass = heirClass;
        if (heirClass >= 96 && heirClass <= 98)
            noteClass = engine::GrandfatherAggregate;
        else if (heirClass >= 18 && heirClass <= 26)
            noteClass = engine::GrandmotherAggregate;
        if (m_gharrawayn && noteClass == engine::Mother)
            return QStringLiteral("ثلث الباقي");
        for (const auto& [text, value] : m_notes) {
            if (noteClass <= 12 && value == engine::Num(noteClass))
                return text.trimmed().remove(QLatin1Char('.')).trimmed();
        }
        // A residuary: a female beside the male of her class, a sister beside a female descendant,
        // any other in his own right.
        const std::map<int, int> brotherOf = {{engine::Daughter, engine::Son},
                                              {engine::SonsDaughter, engine::SonsSon},
                                              {engine::SonsSonsDaughter, engine::SonsSonsSon},
                                              {engine::FullSister, engine::FullBrother},
                                              {engine::PaternalSister, engine::PaternalBrother}};
        const auto brother = brotherOf.find(heirClass);
        if (brother == brotherOf.end())
            return QStringLiteral("عصبة بالنفس");
        if (present(brother->second))
            return QStringLiteral("عصبة بالغير");
        if ((heirClass == engine::FullSister || heirClass == engine::PaternalSister) &&
            (present(engine::Daughter) || present(engine::SonsDaughter) || present(engine::SonsSonsDaughter)))
            return QStringLiteral("عصبة مع الغير");
        return QStringLiteral("residuary without a kind");
    }

private:
    static const engine::NameTables& names() { return testsupport::relationNames(); }
    bool present(int c) const { return m_present.at(c); }

    engine::HeadlessCase m_case;
    bool m_entered = false;
    bool m_gharrawayn = false;
    std::vector<std::pair<QString, engine::Num>> m_notes;
    std::map<int, bool> m_present;
};

TEST_F(QuizBankTest, EveryAnswerIsTheKindTheEngineGivesThatHeirInTheDefaultSchool) {
    for (const auto& [number, rows] : questions()) {
        SCOPED_TRACE(testing::Message() << "question " << number);
        QStringList relations;
        for (const QuizBankRow& row : rows)
            relations << row.questun;
        const EngineKinds engine(relations);
        ASSERT_TRUE(engine.entered());
        // Every heir keeps his own slot: none is dropped or joined.
        ASSERT_EQ(engine.heirs(), static_cast<int>(rows.size()));
        for (std::size_t k = 0; k < rows.size(); ++k)
            EXPECT_EQ(rows[k].unser.toStdString(), engine.kind(static_cast<int>(k) + 1).toStdString())
                << rows[k].questun.toStdString();
    }
}

// The checks above must be able to fail: a handful of cases whose kinds are known by heart.
TEST_F(QuizBankTest, TheEngineKindsNameEachKindOfShare) {
    const struct {
        std::initializer_list<const char*> relations;
        std::initializer_list<const char*> kinds;
    } cases[] = {
        {{"زوجة", "ابن", "بنت"}, {"الثمن", "عصبة بالنفس", "عصبة بالغير"}},
        {{"زوج", "ام", "اب"}, {"النصف", "ثلث الباقي", "عصبة بالنفس"}},
        {{"بنت", "اخت لاب", "عم"}, {"النصف", "عصبة مع الغير", "حجب"}},
        {{"ام", "اخ لام", "اخ لام"}, {"السدس", "الثلث", "الثلث"}},
        {{"بنت", "بنت", "ام ام"}, {"الثلثان", "الثلثان", "السدس"}},
    };
    for (const auto& c : cases) {
        const QStringList relations = testsupport::rel(c.relations);
        SCOPED_TRACE(relations.join(QLatin1Char(',')).toStdString());
        const EngineKinds engine(relations);
        ASSERT_TRUE(engine.entered());
        int slot = 1;
        for (const char* kind : c.kinds)
            EXPECT_EQ(engine.kind(slot++), QString::fromUtf8(kind));
    }
}

TEST_F(QuizBankTest, TheCopyInsideTheProgramHoldsTheRowsOfTheLaidOutDatabase) {
    std::vector<QuizBankRow> shipped;
    QString error;
    ASSERT_TRUE(QuizBank::shipped(shipped, error)) << error.toStdString();
    std::vector<QuizBankRow> laidOut;
    for (const auto& [number, rows] : questions())
        laidOut.insert(laidOut.end(), rows.begin(), rows.end());
    ASSERT_EQ(shipped.size(), laidOut.size());
    for (std::size_t k = 0; k < shipped.size(); ++k) {
        EXPECT_EQ(shipped[k].q_no, laidOut[k].q_no);
        EXPECT_EQ(shipped[k].arr, laidOut[k].arr);
        EXPECT_EQ(shipped[k].questun, laidOut[k].questun);
        EXPECT_EQ(shipped[k].unser, laidOut[k].unser);
    }
}

TEST_F(QuizBankTest, AnOlderDatabaseGetsTheBankOnlyWhileItsBankIsEmpty) {
    const qint64 shippedRows = db.count("select count(*) from QUESTUNS");
    EXPECT_EQ(QuizBank::seedIfEmpty(db), 0);
    EXPECT_EQ(db.count("select count(*) from QUESTUNS"), shippedRows);

    db.execute("delete from QUESTUNS");
    EXPECT_EQ(QuizBank::seedIfEmpty(db), shippedRows);
    EXPECT_EQ(db.count("select count(*) from QUESTUNS"), shippedRows);
    EXPECT_EQ(db.scalar("select unser from QUESTUNS where q_no=4 and arr=2").toString(), "ثلث الباقي");

    // A bank the user's database already holds, even a different one, is left alone.
    db.execute("delete from QUESTUNS");
    db.execute("insert into QUESTUNS (q_no, arr, questun, unser) values (1, 1, 'ابن', 'عصبة بالنفس')");
    EXPECT_EQ(QuizBank::seedIfEmpty(db), 0);
    EXPECT_EQ(db.count("select count(*) from QUESTUNS"), 1);
}

TEST(QuizBankParse, RefusesAnythingButItsRowsNamingTheFileAndTheRow) {
    const QString head = QStringLiteral("INSERT INTO QUESTUNS (q_no, arr, questun, unser) VALUES\n");
    const struct {
        const char* what;
        QString text;
        const char* mentions;
    } cases[] = {
        {"a statement of another kind", QStringLiteral("DELETE FROM QUESTUNS;\n"), "السطر 1"},
        {"a row before the insert", QStringLiteral("(1, 1, 'ابن', 'حجب');\n"), "السطر 1"},
        {"a number past its range",
         head + QStringLiteral("(1, 1, 'ابن', 'حجب'),\n(1, 9999999999, 'بنت', 'حجب');\n"), "السطر 3"},
        {"a question numbered 0", head + QStringLiteral("(0, 1, 'ابن', 'حجب');\n"), "(0, 1)"},
        {"an empty heir", head + QStringLiteral("(2, 1, '', 'حجب');\n"), "(2, 1)"},
        {"a blank answer", head + QStringLiteral("(2, 3, 'ابن', ' ');\n"), "(2, 3)"},
        {"a quote inside a text", head + QStringLiteral("(2, 1, 'اب'ن', 'حجب');\n"), "السطر 2"},
        {"a statement never ended", head + QStringLiteral("(2, 1, 'ابن', 'حجب'),\n"), "غير مكتمل"},
        {"no rows at all", QStringLiteral("-- nothing\n"), "غير مكتمل"},
        {"rows after the end", head + QStringLiteral("(2, 1, 'ابن', 'حجب');\n(2, 2, 'بنت', 'حجب');\n"),
         "السطر 3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<QuizBankRow> rows;
        QString error;
        EXPECT_FALSE(QuizBank::parse(c.text, QStringLiteral("bank.sql"), rows, error));
        EXPECT_TRUE(error.startsWith(QStringLiteral("bank.sql"))) << error.toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.mentions))) << error.toStdString();
    }

    std::vector<QuizBankRow> rows;
    QString error;
    ASSERT_TRUE(QuizBank::parse(
        QStringLiteral("-- a note\n") + head +
            QStringLiteral("  (7, 2, 'اخت لاب', 'عصبة مع الغير'),\n(7, 1, 'بنت', 'النصف');\n"),
        QStringLiteral("bank.sql"), rows, error));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].q_no, 7);
    EXPECT_EQ(rows[0].arr, 2);
    EXPECT_EQ(rows[0].questun, "اخت لاب");
    EXPECT_EQ(rows[0].unser, "عصبة مع الغير");
    EXPECT_EQ(rows[1].arr, 1);
}

} // namespace
