// The exercise bank grades the learner against the live engine, so every question's division
// under the default school must be the one worked out by hand in exercise_bank.golden, and every
// heir must get a report row of his own relation and share.

#include "training/AnswerGrading.h"
#include "training/ExerciseBank.h"
#include "training/ExerciseQuestion.h"

#include "engine/ScriptedPort.h"
#include "engine/run/EngineHost.h"
#include "support/TempAppFolder.h"

#include <QFile>
#include <QRegularExpression>

#include <map>
#include <set>

#include <gtest/gtest.h>

namespace {

using training::ExerciseBank;
using training::ExerciseBankRow;

struct GoldenQuestion {
    int level = 0;
    QStringList relations;
    QStringList names;
    long long base = 0;
    std::vector<long long> shares;
};

std::map<int, GoldenQuestion> golden() {
    QFile f(testsupport::testsDir() + QStringLiteral("/training/exercise_bank.golden"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    static const QRegularExpression head(QStringLiteral("^question (\\d+) level (\\d)$"));
    static const QRegularExpression heir(QStringLiteral("^heir (.+) \\| (.+)$"));
    static const QRegularExpression division(QStringLiteral("^(\\d+) = ([\\d ]+)$"));
    std::map<int, GoldenQuestion> out;
    int current = 0;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        if (const auto m = head.match(line); m.hasMatch()) {
            current = m.captured(1).toInt();
            out[current].level = m.captured(2).toInt();
        } else if (const auto m = heir.match(line); m.hasMatch()) {
            out[current].relations << m.captured(1);
            out[current].names << m.captured(2);
        } else if (const auto m = division.match(line); m.hasMatch()) {
            out[current].base = m.captured(1).toLongLong();
            for (const QString& v : m.captured(2).split(QLatin1Char(' '), Qt::SkipEmptyParts))
                out[current].shares.push_back(v.toLongLong());
        }
    }
    return out;
}

std::vector<ExerciseBankRow> shippedRows() {
    std::vector<ExerciseBankRow> rows;
    QString error;
    EXPECT_TRUE(ExerciseBank::shipped(rows, error)) << error.toStdString();
    return rows;
}

TEST(ExerciseBankShape, NumbersLevelsAndHeirsAsTheLevelsExpect) {
    const auto rows = shippedRows();
    const auto gold = golden();
    std::map<int, std::vector<ExerciseBankRow>> byQuestion;
    for (const ExerciseBankRow& r : rows)
        byQuestion[r.case_no].push_back(r);
    ASSERT_EQ(byQuestion.size(), 115u);
    EXPECT_EQ(byQuestion.begin()->first, 1);
    EXPECT_EQ(byQuestion.rbegin()->first, 115);
    ASSERT_EQ(gold.size(), 115u);
    for (const auto& [n, heirs] : byQuestion) {
        const int level = n <= 50 ? 1 : n <= 85 ? 2 : 3;
        std::set<QString> names;
        const GoldenQuestion& g = gold.at(n);
        EXPECT_EQ(g.level, level) << n;
        ASSERT_EQ(heirs.size(), static_cast<std::size_t>(g.relations.size())) << n;
        ASSERT_EQ(g.shares.size(), heirs.size()) << n;
        long long sum = 0;
        for (long long s : g.shares)
            sum += s;
        EXPECT_EQ(sum, g.base) << "question " << n << ": the hand-worked shares do not make up the base";
        for (std::size_t k = 0; k < heirs.size(); ++k) {
            const ExerciseBankRow& r = heirs[k];
            EXPECT_EQ(r.case_level, level) << n;
            EXPECT_EQ(r.no_check, 0) << n;
            EXPECT_EQ(r.ar, static_cast<int>(k) + 1) << n;
            EXPECT_EQ(r.deth_name, heirs.front().deth_name) << n;
            EXPECT_EQ(r.case_name, heirs.front().case_name) << n;
            EXPECT_FALSE(r.case_name.isEmpty()) << n;
            EXPECT_EQ(r.warith_relation, g.relations[static_cast<qsizetype>(k)]) << n;
            EXPECT_EQ(r.warith_name, g.names[static_cast<qsizetype>(k)]) << n;
            EXPECT_TRUE(names.insert(r.warith_name).second) << "question " << n << " names an heir twice";
        }
    }
}

TEST(ExerciseBankShape, TheReaderRefusesAnUnusableRowNamingTheQuestion) {
    const QString head = QStringLiteral("INSERT INTO WARITH_GENERAL_TEST (case_no, deth_name, case_name, "
                                        "warith_relation, warith_name, ar, no_check, case_level) VALUES\n");
    const struct {
        const char* row;
        const char* error;
    } cases[] = {
        {"    (116, 'م', 'ع', 'ابن', 'س', 1, 0, 3);", "bank.sql: السطر 2: رقم خارج الحدود في السؤال 116"},
        {"    (7, 'م', 'ع', 'ابن', 'س', 1, 0, 4);", "bank.sql: السطر 2: رقم خارج الحدود في السؤال 7"},
        {"    (7, '', 'ع', 'ابن', 'س', 1, 0, 1);", "bank.sql: السطر 2: نص فارغ في السؤال 7"},
        {"    (7, 'م', 'ع', 'ابن', 'س', 1, 0, 1),", "bank.sql: الملف غير مكتمل"},
        {"    (7, 'م', 'ع', 'ابن', 'س', -1, 0, 1);", "bank.sql: السطر 2: سطر غير مفهوم"},
    };
    for (const auto& c : cases) {
        std::vector<ExerciseBankRow> rows;
        QString error;
        EXPECT_FALSE(ExerciseBank::parse(head + QString::fromUtf8(c.row), QStringLiteral("bank.sql"), rows, error));
        EXPECT_EQ(error, QString::fromUtf8(c.error)) << c.row;
    }
}

TEST(ExerciseBankSeed, TheLaidOutDatabaseHoldsTheShippedBankAndAnEmptyOneIsFilledOnce) {
    testsupport::TempAppFolder folder;
    const data::Database db = folder.caseDatabase();
    const auto rows = shippedRows();
    const auto count = [&] { return db.count(QStringLiteral("select count(*) from WARITH_GENERAL_TEST")); };
    EXPECT_EQ(count(), static_cast<qint64>(rows.size()));
    EXPECT_EQ(ExerciseBank::seedIfEmpty(db), 0);

    db.execute(QStringLiteral("delete from WARITH_GENERAL_TEST"));
    EXPECT_EQ(ExerciseBank::seedIfEmpty(db), static_cast<int>(rows.size()));
    EXPECT_EQ(count(), static_cast<qint64>(rows.size()));
    const data::Rows q = db.select(QStringLiteral("select warith_relation, warith_name, case_level from "
                                                  "WARITH_GENERAL_TEST where case_no = 115 order by ar"));
    ASSERT_EQ(q.size(), 3);
    EXPECT_EQ(q[1].value(0).toString(), QStringLiteral("ام ام اب"));
    EXPECT_EQ(q[2].value(2).toInt(), 3);
}

// One heir line of the report.
struct ReportedHeir {
    QString relation;
    QString name;
    QString share;
};

// Runs every question of the bank through the exercise host as the learner's hand-in reaches it:
// the question loaded into WARITH, the single-death run of the default school, the report.
class ExerciseBankRun : public ::testing::Test {
protected:
    struct Outcome {
        QString base;
        std::vector<ReportedHeir> heirs;
        training::Verdict engineShares; // the engine's own shares handed in
        training::Verdict oneOff;       // the first heir's share off by one
    };

    void SetUp() override {
        port.answer([](engine::CaseContext& c) {
            c.Text_RLAS = QStringLiteral("ج");
            c.Text_start_new_case = QStringLiteral("1");
        });
        port.answer([](engine::CaseContext& c) { c.Text_TYPS = QStringLiteral("م"); });
        for (int n = 1; n <= ExerciseBank::LastQuestion; ++n) {
            port.answer([this, n](engine::CaseContext& c) {
                const training::LoadedQuestion q = training::ExerciseQuestion::load(db, n);
                ASSERT_TRUE(q.found) << n;
                c.Text_deth_name = q.deth_name;
                c.Text_case_no = QString::number(n);
            });
            port.answer([this, n](engine::CaseContext& c) {
                outcomes[n] = readReport();
                c.Text_choos_no = QStringLiteral("10");
            });
        }
        EXPECT_THROW(host.Form_Load(), testsupport::ScriptedPort::NoMoreAnswers);
    }

    Outcome readReport() {
        Outcome o;
        for (const QSqlRecord& r : db.select(QStringLiteral("select kinds, share, print_text, case_ser from PRINT_TEXT "
                                                            "order by rowid"))) {
            const QString kinds = r.value(0).toString().trimmed();
            bool serial = false;
            r.value(3).toString().trimmed().toInt(&serial);
            if (kinds == QStringLiteral("( عــن )"))
                o.base = r.value(1).toString().trimmed();
            else if (serial && !kinds.isEmpty())
                o.heirs.push_back({kinds, r.value(2).toString().trimmed(), r.value(1).toString().trimmed()});
        }
        // Graded as an answer: the engine's own shares, then one share off by one.
        const data::Rows heirs = db.select(QStringLiteral("select ar, warith_relation from WARITH order by ar"));
        for (const QSqlRecord& h : heirs)
            db.execute(QStringLiteral("update WARITH set no_check = (select share from PRINT_TEXT where trim(kinds) = ? "
                                      "order by rowid limit 1) where ar = ?"),
                       {h.value(1).toString(), h.value(0)});
        o.engineShares = training::AnswerGrading::grade(db);
        if (!heirs.isEmpty())
            db.execute(QStringLiteral("update WARITH set no_check = no_check + 1 where ar = ?"), {heirs.first().value(0)});
        o.oneOff = training::AnswerGrading::grade(db);
        return o;
    }

    testsupport::TempAppFolder folder{true};
    data::Database db = folder.caseDatabase();
    testsupport::ScriptedPort port{db};
    engine::EngineHost host{engine::HostKind::exercises(), port};
    std::map<int, Outcome> outcomes;
};

TEST_F(ExerciseBankRun, EveryQuestionDividesAsWorkedOutByHandAndGradesItsOwnShares) {
    const auto gold = golden();
    ASSERT_EQ(outcomes.size(), 115u) << port.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(port.messages.isEmpty()) << port.messages.join(QLatin1Char('\n')).toStdString();
    for (const auto& [n, o] : outcomes) {
        const GoldenQuestion& g = gold.at(n);
        SCOPED_TRACE("question " + std::to_string(n));
        EXPECT_EQ(o.base, QString::number(g.base));
        ASSERT_EQ(o.heirs.size(), g.shares.size()) << "every heir has a report row of his own";
        for (std::size_t k = 0; k < o.heirs.size(); ++k) {
            const auto i = static_cast<qsizetype>(k);
            EXPECT_EQ(o.heirs[k].relation, g.relations[i]) << k;
            EXPECT_EQ(o.heirs[k].name, g.names[i]) << k;
            EXPECT_EQ(o.heirs[k].share, QString::number(g.shares[k])) << g.relations[i].toStdString();
        }
        EXPECT_EQ(o.engineShares.kind, training::Verdict::Kind::Right);
        EXPECT_EQ(o.oneOff.kind, training::Verdict::Kind::Wrong);
        EXPECT_EQ(o.oneOff.wrongRelations, QStringList{g.relations.first()});
    }
}

} // namespace
