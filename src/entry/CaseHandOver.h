#pragma once

#include "data/Database.h"
#include "engine/report/CaseContext.h"

#include <QString>

namespace entry {

// The header of the case on the dialogue, repeated on every heir row of WARITH.
struct CaseHeader {
    QString deceased;
    QString title;
    QString caseNo; // number of the stored case; empty for a case never stored
    QString preparer;
    QString issuingBody; // "-" names none
};

// Handing a single-death case to the engine: the checks of the run button, then the header on
// the heirs, the host's fields and the report-header tables.
namespace CaseHandOver {

// The first reason the case cannot go to the engine, or empty. The engine's intake cannot take a
// stretched deceased name, more heirs than it has slots for, or a heir without name or relation,
// so they are refused here while the user can still mend them.
QString refusal(const data::Database& db, const CaseHeader& header);

// Every row of WARITH takes the header.
void stampHeader(const data::Database& db, const CaseHeader& header);
// Every row of WARITH takes the deceased's name.
void stampDeceased(const data::Database& db, const QString& deceased);

// For a case that refusal() accepted.
void handOver(const data::Database& db, const CaseHeader& header, engine::CaseContext& host);

} // namespace CaseHandOver

} // namespace entry
