#pragma once

#include "data/Database.h"
#include "engine/report/CaseContext.h"

#include <QStringList>

namespace results {

// The set-up steps that both results screens run when they load: the two changes to freshly
// written report lines, and the command states that the case source and the host's flags decide.
class ResultsSetUp {
public:
    // The deed term stands on a line of its own; it goes in front of the first line holding the
    // rules phrase, with no blank between them since that line begins with blanks.
    static void joinDeedTerm(const data::Database& db);
    // The second report line (the deed term's own) is deleted.
    static void removeSecondLine(const data::Database& db);

    struct CommandStates {
        QStringList disabled;         // object names of the visible twins' buttons
        bool storedCaseFirst = false; // the model-case command goes to the front of the tab order
        bool complete = true;         // false: the set-up ends here (model cases still queued)
        bool pressFocused = false;    // press the focused command once the screen is up
    };
    // By ENABLED_CHECK, the case source and the model-case queue; spends FirstResultsLock and
    // AutoPressFlag.
    static CommandStates commandStates(const data::Database& db, engine::CaseContext& context);

    static constexpr const char16_t* RulesPhrase = u"حسب قواعد الشريعة الاسلامية";
    static constexpr const char16_t* DeedTerm = u"قسام شرعي";
};

} // namespace results
