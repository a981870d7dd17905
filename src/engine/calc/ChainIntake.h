#pragma once

#include "data/Database.h"
#include "engine/calc/EngineState.h"
#include "engine/calc/HeirIntake.h"
#include "engine/calc/NameTables.h"
#include "rules/ChainCheck.h"

#include <QString>

namespace engine {

// Where the successive-deaths run goes after a step of its start.
enum class ChainStep {
    Calculate,      // the chain is in the engine state: the per-deceased loop follows
    BackToDialogue, // the chain was refused after its message: the run starts again at the dialogue
    ReturnToHost,   // a hand-over table gave no row at all: NEW_AND_DUBLE returns to the load step
};

struct ChainResult {
    ChainStep step = ChainStep::Calculate;
    // The refusal, already shown through the port; empty when the run goes on.
    QString message;
};

// Texts of the successive-deaths start; the heir checks it shares with a single death word their
// own messages (IntakeText).
namespace ChainText {
inline const QString DeceasedCount = QStringLiteral("عدد المتوفين غير مناسب .. يجب ان يتراوح من 2 الى 30");
inline const QString OwnHeir = rules::ChainCheck::message(rules::ChainCheck::Fault::OwnHeir);
inline const QString InheritsFromLater =
    rules::ChainCheck::message(rules::ChainCheck::Fault::InheritsFromLater);
inline const QString NotAnHeir = rules::ChainCheck::message(rules::ChainCheck::Fault::NotAnHeir);
inline const QString RepeatedDeceased =
    rules::ChainCheck::message(rules::ChainCheck::Fault::RepeatedDeceased);
inline const QString NoHeirs = QStringLiteral("هناك احد المتوفين ليس له ورثة");
inline const QString TooManySlots = QStringLiteral("مجموع ورثة المتوفين اكثر من 200 .. لا يمكن حل المسألة");
} // namespace ChainText

// Steps of the start of a successive-deaths run (StartSuccessiveRun). CountDeceased takes the case
// key and the number of deceased in DETH and creates the deceased chain anew; ChainIntake reads the
// chain from DETH (in order of `arrange`) and WARITH_DUBLE (in the order the dialogue wrote the
// rows) into the deceased chain and the heir slots, with the checks of a single-death intake per
// deceased and the chain's own: each later deceased an heir of an earlier one under exactly his
// name, no deceased twice, no deceased among his own heirs or a later one's (rules::ChainCheck).
// Every refusal goes to `output` as a message before it is answered.
ChainResult CountDeceased(EngineState& state, const data::Database& db, const QString& caseKey,
                          IntakeOutput& output);
ChainResult ChainIntake(EngineState& state, const NameTables& names, const data::Database& db,
                        IntakeOutput& output);

} // namespace engine
