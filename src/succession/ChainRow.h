#pragma once

#include <QString>

namespace succession {

// One line of the chain grid, as MUNASKA_TEMP holds it: a deceased row (his name in
// deceasedName) or a heir row (relation and name). A line not stored yet has no key.
struct ChainRow {
    qint64 ar = 0; // the row's key, given by the database on insert; 0 before
    QString caseNo;
    QString relation;
    QString heirName;
    QString deceasedName;
    QString status;
    QString arrange; // as the grid's cell holds it: empty on a line that was never saved

    bool stored() const { return ar != 0; }
};

} // namespace succession
