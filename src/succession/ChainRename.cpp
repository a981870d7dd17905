#include "succession/ChainRename.h"

#include "entry/NameText.h"
#include "succession/ChainTable.h"
#include "succession/SuccessionTexts.h"

namespace succession::ChainRename {

namespace {

void renameEverywhere(const data::Database& db, const QString& oldName, const QString& newName) {
    db.transaction([&] {
        db.execute(QStringLiteral("update MUNASKA_TEMP set warith_name = ? where warith_name = ?"),
                   {newName, oldName});
        db.execute(QStringLiteral("update MUNASKA_TEMP set deth_name = ? where deth_name = ?"),
                   {newName, oldName});
    });
}

// The new name as the rename box gave it, held to the rule of names.
QString typedName(const QString& newName, QString& refused) {
    const QString name = entry::NameText::cleaned(newName).trimmed();
    refused = entry::NameText::refusal(name);
    return name;
}

} // namespace

Outcome renameHeir(const data::Database& db, const QString& oldName, const QString& newName) {
    QString refused;
    const QString name = typedName(newName, refused);
    if (name.isEmpty() || oldName.isEmpty())
        return {};
    if (!refused.isEmpty())
        return {false, refused};
    const std::optional<ChainRow> first = ChainTable::firstRow(db);
    if (first && first->deceasedName == name)
        return {false, Texts::SameAsFirstDeceased};
    if (ChainTable::heirNamed(db, name))
        return {false, Texts::HeirRepeatedAmongHeirs};
    if (ChainTable::deceasedNamed(db, name))
        return {false, Texts::HeirRepeatedAmongDeceased};
    renameEverywhere(db, oldName, name);
    return {true, {}};
}

bool isFirstDeceasedRow(const data::Database& db, const ChainRow& row) {
    const std::optional<ChainRow> first = ChainTable::firstRow(db);
    return row.stored() && first && first->ar == row.ar && !row.deceasedName.isEmpty();
}

Outcome renameFirstDeceased(const data::Database& db, const ChainRow& row, const QString& newName) {
    // A later deceased also stands in heir rows; renaming his deceased row alone would break
    // the chain. He is renamed as a heir.
    if (!isFirstDeceasedRow(db, row))
        return {false, Texts::FirstDeceasedOnly};
    QString refused;
    const QString name = typedName(newName, refused);
    if (name.isEmpty())
        return {};
    if (!refused.isEmpty())
        return {false, refused};
    if (ChainTable::heirNamed(db, name))
        return {false, Texts::DeceasedRepeatedAmongHeirs};
    if (ChainTable::deceasedNamed(db, name))
        return {false, Texts::DeceasedRepeatedAmongDeceased};
    db.transaction([&] {
        db.execute(QStringLiteral("update MUNASKA_TEMP set deth_name = ? where deth_name = ?"),
                   {name, row.deceasedName});
    });
    return {true, {}};
}

PickEffect heirNamePicked(const data::Database& db, const QString& previous, const QString& picked) {
    const QString name = picked.trimmed();
    if (name.isEmpty() || previous.isEmpty() || name == previous)
        return PickEffect::Nothing;
    if (ChainTable::heirNamed(db, name) || ChainTable::deceasedNamed(db, name))
        return PickEffect::ThisRowOnly;
    renameEverywhere(db, previous, name);
    return PickEffect::RenamedThroughout;
}

} // namespace succession::ChainRename
