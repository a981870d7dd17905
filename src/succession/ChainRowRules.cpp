#include "succession/ChainRowRules.h"

#include "succession/ChainTable.h"
#include "succession/SuccessionTexts.h"

namespace succession::ChainRowRules {

qint64 deceasedOf(const ChainRow& row, const QString& indicator) {
    // A saved row keeps the deceased it was saved under, whichever deceased is current now.
    if (row.stored() && !row.arrange.trimmed().isEmpty())
        return ChainTable::numeric(row.arrange);
    return ChainTable::numeric(indicator);
}

QString beforeUpdate(const data::Database& db, ChainRow& row, bool addHeirs, const QString& indicator) {
    const std::optional<ChainRow> first = ChainTable::firstRow(db);
    if (first && !first->deceasedName.isEmpty() && first->deceasedName == row.heirName)
        return Texts::SameAsFirstDeceased;
    if (!addHeirs)
        return Texts::ChooseDeceasedFirst;
    if (row.arrange == QLatin1String("0"))
        return Texts::Error;

    const bool heir = !row.heirName.isEmpty();
    const bool deceased = !row.deceasedName.isEmpty();
    const bool relation = !row.relation.isEmpty();
    if (heir && deceased)
        return Texts::BothNames;
    if (heir && !relation)
        return Texts::HeirWithoutRelation;
    if (deceased && relation)
        return Texts::DeceasedWithRelation;
    if (!heir && relation)
        return Texts::RelationWithoutHeir;

    if (deceased) {
        // Heirs join their deceased by his place alone: a second deceased in a place already taken
        // would take every heir of the first. A new place comes only from the next-deceased list.
        const qint64 place = ChainTable::numeric(row.arrange.trimmed().isEmpty() ? indicator : row.arrange);
        if (place <= 0 ||
            db.exists(QStringLiteral(
                          "select 1 from MUNASKA_TEMP where deth_name <> '' and arrange = ? and ar <> ?"),
                      {place, row.ar}))
            return Texts::DeceasedOnlyFromList;
        if (!first) {
            row.status.clear();
        } else if (first->arrange.toLongLong() == ChainTable::numeric(row.arrange)) {
            // The first deceased's own row: nothing further to fill in.
            row.status.clear();
            return {};
        } else if (!ChainTable::heirNamed(db, row.deceasedName)) {
            return Texts::DeceasedNotAnHeir;
        }
    }

    if (row.arrange.trimmed().isEmpty())
        row.arrange = indicator;

    if (deceased && first && first->arrange.toLongLong() != ChainTable::numeric(row.arrange))
        row.status = Texts::LaterDeceased;
    return {};
}

QString beforeHeirName(const data::Database& db, const ChainRow& row, const QString& name,
                       const QString& previous, const QString& indicator) {
    // The row itself is no second entry of the name it already holds.
    if (db.exists(
            QStringLiteral("select 1 from MUNASKA_TEMP where warith_name = ? and arrange = ? and ar <> ?"),
            {name, deceasedOf(row, indicator), row.ar}))
        return Texts::HeirTwice;
    const QString person = previous.isEmpty() ? name : previous;
    if (ChainTable::deceasedNamed(db, person))
        return Texts::HeirIsDeceased;
    return {};
}

QString beforeDelete(const data::Database& db, const ChainRow& row) {
    if (!row.deceasedName.isEmpty() &&
        db.exists(QStringLiteral("select 1 from MUNASKA_TEMP where arrange = ? and ar <> ?"),
                  {ChainTable::numeric(row.arrange), row.ar}))
        return Texts::DeceasedHasHeirs;
    if (!row.heirName.isEmpty() && ChainTable::deceasedNamed(db, row.heirName))
        return Texts::HeirHasDied;
    return {};
}

} // namespace succession::ChainRowRules
