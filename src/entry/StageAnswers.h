#pragma once

#include "data/Database.h"
#include "engine/report/CaseContext.h"

#include <QString>

// The answers of the entry stages that the dialogue takes from its combos and boxes. Each writes
// the host's fields and tables and says whether the dialogue is done.
namespace entry::StageAnswers {

// The source stage: "جديدة" or "مخزونة نموذجية". Any other text chose nothing: only the new-case
// flag is written, ENABLED_CHECK is left empty, and the dialogue waits.
bool source(const data::Database& db, const QString& choice, engine::CaseContext& host);

// The type stage: the letter of "مفردة" or "مناسخة"; another text writes nothing. The stage
// closes either way, and the engine asks again while the letter is missing.
void type(const QString& choice, engine::CaseContext& host);

// The estate stage: nothing happens while the amount or the currency is empty. Otherwise an
// unknown currency joins the list, the host takes both texts as typed, and the report is switched
// to estate amounts.
bool estate(const data::Database& db, const QString& amount, const QString& currency,
            engine::CaseContext& host);

} // namespace entry::StageAnswers
