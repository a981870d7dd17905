#pragma once

#include "data/Database.h"
#include "engine/report/CaseContext.h"

#include <QString>

namespace succession {

// The header of a chain: written on the hand-over and on every row of the working table.
struct ChainHeader {
    QString title;
    QString caseNo; // number of the stored chain; empty for a chain never stored
    QString preparer;
    QString issuingBody; // "-" names none
};

// Handing the chain to the engine: the copy into DETH and WARITH_DUBLE, the checks of the run
// button, then the header stamps, the host's case number and the report-header tables.
namespace ChainRun {

// The deceased into DETH and the heirs into WARITH_DUBLE, each in the order of entry, so a
// deceased's heirs reach the engine in the order they were typed. Nothing is checked.
void copy(const data::Database& db);

// The run's first steps and checks on a chain already copied: an empty issuing body puts "-" in
// its list, then the first reason the chain cannot go to the engine, or empty. Past the dialogue's
// own checks, whatever the engine's chain intake would refuse is refused here, by the intake
// itself, while the user can still mend the chain.
QString refusal(const data::Database& db, const ChainHeader& header);

// For a chain that refusal() accepted; one transaction.
void handOver(const data::Database& db, const ChainHeader& header, engine::CaseContext& host);

// The preparer and the issuing body on every row of the working table.
void stampHeader(const data::Database& db, const QString& preparer, const QString& issuingBody);

// copy, refusal and, when accepted, handOver. Answers the refusal, or empty once handed over.
QString run(const data::Database& db, const ChainHeader& header, engine::CaseContext& host);

} // namespace ChainRun

} // namespace succession
