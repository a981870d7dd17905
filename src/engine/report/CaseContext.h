#pragma once

#include <QString>

namespace engine {

// The thirteen text fields of an engine host through which the engine and its modal dialogues
// hand answers to each other. A field keeps its value until written again.
struct CaseContext {
    QString Text_RLAS;                               // case source: "ج" new, "خ" stored model case
    QString Text_TYPS;                               // case type: "م" single death, "ن" successive deaths
    QString Text_deth_name;                          // name of the first deceased
    QString Text_case_no;                            // number of the entered case
    QString Text_stord_case;                         // model case to run ("999" every one)
    QString Text_choos_no;                           // the results command (MenuChoice)
    QString Text_tariqa_ammount;                     // estate amount as typed
    QString Text_tariqa_currency;                    // currency of the estate
    QString Text_stored_case_procejer;               // AutoRunFlag
    QString Text_start_new_case;                     // NewCaseFlag
    QString Text_desabled_form7_commands_first_time; // FirstResultsLock
    QString Text_stord_standerd_case_keyup;          // AutoPressFlag
    QString Text_first_count = QStringLiteral("0");  // EngineLoadCount
};

} // namespace engine
