// The calculation of single deaths, from the heirs to the reduced shares, with no database: the
// golden cases in every school they name, and more families beside them, so every stage of the
// calculation is timed. The heirs are read (their classes resolved) once per case before the
// timed loop, as the intake does once per case; each timed pass then calculates every case:
// census, heir stages, settling, residuary walk, shares to slots, same-name join, reduction.

#include "engine/golden/GoldenCaseFile.h"
#include "engine/run/HeadlessCase.h"
#include "rules/CalcRuleFiles.h"
#include "support/TempAppFolder.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>
#include <vector>

namespace {

// Families beyond the golden cases: more heirs per case, the relatives of the womb, uncles and
// emancipators, grandmothers of every degree, and a person entered under two relations.
const char* const ExtraFamilies[][8] = {
    {"زوجة", "ابن", "ابن", "بنت", "ام", "اب"},
    {"زوج", "بنت", "بنت", "بنت", "ام", "اب"},
    {"زوجة", "زوجة", "زوجة", "بنت", "بنت ابن", "بنت ابن", "ام ام", "ام اب"},
    {"زوجة", "زوجة", "ابن ابن", "بنت ابن", "بنت ابن", "ام"},
    {"زوج", "ام", "اخت", "اخت لاب", "اخت لام", "اخ لام"},
    {"زوجة", "اخ", "اخ", "اخت", "اخ لاب", "عم"},
    {"ام", "اخ لام", "اخ لام", "اخ لام", "ابن اخ", "عم لاب"},
    {"زوجة", "ابن اخ لاب", "ابن ابن اخ", "عم"},
    {"زوج", "ابن عم", "ابن عم", "ابن عم لاب"},
    {"زوجة", "عم اب", "ابن عم اب", "المعتق"},
    {"اب المعتق", "اخ المعتق", "اخ المعتق لاب"},
    {"زوجة", "ابن المعتق"},
    {"ابن بنت", "ابن بنت", "بنت بنت", "بنت بنت ابن"},
    {"زوج", "ابن بنت ابن", "بنت بنت ابن"},
    {"ابن ابن بنت", "بنت بنت بنت", "بنت ابن بنت"},
    {"اب ام", "اب ام اب"},
    {"اب ام اب", "اب ام ام", "ام اب ام"},
    {"زوجة", "ابن اخت", "بنت اخ", "بنت اخت"},
    {"ابن اخت لاب", "بنت اخ لاب", "ابن اخ لام"},
    {"بنت ابن اخ", "بنت ابن اخ لاب"},
    {"زوج", "عمة", "عمة لاب", "عم لام", "خال", "خالة لاب", "خال لام"},
    {"عمة", "عمة", "عمة لام", "خالة", "خالة", "خالة لام", "خال لاب"},
    {"زوجة", "بنت عم", "ابن عمة", "ابن خال", "بنت خالة"},
    {"بنت عم لاب", "ابن عمة لاب", "ابن عم لام", "ابن خالة لاب", "بنت خال لام"},
    {"زوج", "عمة اب", "عم اب لام", "خال اب", "خالة اب لاب"},
    {"عمة اب لاب", "خال اب لاب", "خال اب لام"},
    {"زوجة", "خالة اب لام"},
    {"زوج"},
    {"ام ام ام ام", "ام ام ام اب", "ام ام اب اب", "ابن"},
    {"اب", "ام ام اب", "ام اب اب اب", "ام ام ام", "بنت"},
    {"اب اب اب", "ام اب اب", "اخ", "اخت"},
    {"اب اب اب اب", "زوجة", "اخت", "اخت", "اخت لاب"},
    {"جد", "ام", "اخ لاب", "اخ لاب", "اخت لاب"},
    {"جد", "زوجة", "اخ", "اخ لاب", "اخت لاب"},
    {"جد", "ام ام", "اخت", "اخت", "اخ لاب"},
    {"جد", "بنت", "بنت", "اخ", "اخت"},
    {"جد", "زوج", "بنت", "اخ لاب"},
    {"جد", "ام", "زوج", "اخ", "اخ لام", "اخ لام"},
    {"زوج", "ام ام", "اخ لام", "اخ لام", "اخ", "اخ", "اخت"},
    {"زوجة", "زوجة", "ام", "اخ لام", "اخت لام", "اخ"},
    {"اب", "ام", "بنت", "بنت", "زوج", "ابن ابن ابن"},
    {"بنت", "بنت ابن ابن", "ابن ابن ابن"},
    {"ابن", "ابن", "ابن", "ابن", "ابن", "ابن", "بنت", "زوجة"},
};

struct Corpus {
    std::unique_ptr<testsupport::TempAppFolder> folder;
    rules::CalcRules rules;
    engine::NameTables names;
    std::vector<std::vector<engine::HeirRow>> heirs;
    std::vector<int> schools;
};

Corpus& corpus() {
    static Corpus* c = [] {
        auto* corpus = new Corpus;
        corpus->folder = std::make_unique<testsupport::TempAppFolder>(true);
        corpus->rules = rules::loadCalcRules();
        corpus->names.fillRelationNames();
        for (const golden::GoldenCase& g :
             golden::readGoldenCases(testsupport::testsDir() + QStringLiteral("/engine/golden/cases.txt"))) {
            std::vector<engine::HeirRow> rows;
            for (const golden::Heir& h : g.heirs)
                rows.push_back({h.name, h.relation});
            for (const auto& entry : g.bySchool) {
                corpus->heirs.push_back(rows);
                corpus->schools.push_back(entry.first);
            }
        }
        for (const auto& family : ExtraFamilies) {
            std::vector<engine::HeirRow> rows;
            for (const char* relation : family) {
                if (relation == nullptr)
                    break;
                rows.push_back(
                    {QStringLiteral("و") + QString::number(rows.size() + 1), QString::fromUtf8(relation)});
            }
            for (int school : {1, 2}) {
                corpus->heirs.push_back(rows);
                corpus->schools.push_back(school);
            }
        }
        return corpus;
    }();
    return *c;
}

// Heirs read once, then every case calculated again and again: the calculation alone.
void BM_ShareCalculation(benchmark::State& state) {
    Corpus& c = corpus();
    std::vector<std::unique_ptr<engine::HeadlessCase>> cases;
    for (std::size_t k = 0; k < c.heirs.size(); ++k) {
        cases.push_back(std::make_unique<engine::HeadlessCase>(c.rules, c.names));
        if (!cases.back()->enter(c.heirs[k]) || !cases.back()->calculate(c.schools[k]))
            throw std::runtime_error("a corpus case was refused");
    }
    for (auto _ : state) {
        for (std::size_t k = 0; k < cases.size(); ++k) {
            cases[k]->calculate(c.schools[k]);
            benchmark::DoNotOptimize(cases[k]->state().CaseBase);
        }
    }
    const double perPass = static_cast<double>(cases.size());
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * cases.size()));
    state.counters["cases"] = perPass;
    state.counters["ns_per_case"] = benchmark::Counter(
        perPass, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ShareCalculation)->Unit(benchmark::kMicrosecond)->Repetitions(15)->ReportAggregatesOnly(true);

// The same with the heirs read each time: relation texts looked up, checks, slots filled.
void BM_IntakeAndShareCalculation(benchmark::State& state) {
    Corpus& c = corpus();
    engine::HeadlessCase hc(c.rules, c.names);
    for (auto _ : state) {
        for (std::size_t k = 0; k < c.heirs.size(); ++k) {
            hc.enter(c.heirs[k]);
            hc.calculate(c.schools[k]);
            benchmark::DoNotOptimize(hc.state().CaseBase);
        }
    }
    const double perPass = static_cast<double>(c.heirs.size());
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * c.heirs.size()));
    state.counters["ns_per_case"] = benchmark::Counter(
        perPass, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_IntakeAndShareCalculation)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

} // namespace
