#pragma once

#include "engine/EngineContext.h"
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

// The start of a successive-deaths run, from its first step to the end of the chain intake: the
// school and output mode back to their defaults, the window cleared, the dialogue Form6 shown
// through the port, the case key taken from the host, the deceased counted, the report reset and
// the chain read. Every refusal shows its message and answers BackToDialogue, so the caller's
// loop shows the dialogue again rather than this function looping on its own.
ChainResult StartSuccessiveRun(EngineContext& ctx);

// Steps of the start, for a caller that wants them one by one. CountDeceased takes the case key
// and the number of deceased in DETH and creates the deceased chain anew; ChainIntake reads the
// chain from DETH (in order of `arrange`) and WARITH_DUBLE (in the order the dialogue wrote the
// rows) into the deceased chain and the heir slots, with the checks of a single-death intake per
// deceased and the chain's own (rules::ChainCheck): each later deceased an heir of an earlier one
// under exactly his name, no deceased twice, no deceased among his own heirs or a later one's.
ChainResult CountDeceased(EngineContext& ctx);
ChainResult ChainIntake(EngineContext& ctx);

} // namespace engine
