#pragma once

#include "data/Database.h"
#include "entry/StoredCaseList.h"
#include "entry/StoredCases.h"
#include "succession/ChainRun.h"

#include <optional>

// The library of stored successive-deaths chains (DETH_GENERAL, WARITH_DUBLE_GENERAL) and the
// chain on screen (MUNASKA_TEMP, handed over to DETH and WARITH_DUBLE). Every change runs in one
// transaction; a new number is taken inside it.
namespace succession::StoredChains {

using Outcome = entry::StoredCases::Outcome;

// header.title and header.caseNo are the dialogue's hidden name and number of the chain on screen.
Outcome store(const data::Database& db, const ChainHeader& header);
Outcome edit(const data::Database& db, const ChainHeader& header);
// Removes the stored chain and empties the chain on screen (the caller has asked).
void remove(const data::Database& db, qint64 caseNo);

inline const QString DamagedOrder =
    QStringLiteral("لا يمكن تحميل المسألة رقم %1 من %2: ترتيب المتوفين فيها تالف");

// Makes the stored chain the chain on screen. A number no chain has changes nothing; so does a
// stored chain whose deceased do not each have a place of their own, which `refused` then names.
std::optional<ChainHeader> load(const data::Database& db, qint64 caseNo, QString* refused = nullptr);

bool isStored(const data::Database& db, qint64 caseNo);
// The stored chain's name, if the number is stored.
std::optional<QString> storedName(const data::Database& db, qint64 caseNo);

// One line per stored chain: by name, then number (the name filter by name alone).
entry::StoredCaseList all();
entry::StoredCaseList byNumberPrefix(const QString& typed);
entry::StoredCaseList byNamePrefix(const QString& typed);
entry::StoredCaseList byNumber(qint64 caseNo);

} // namespace succession::StoredChains
