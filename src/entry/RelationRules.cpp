#include "entry/RelationRules.h"

#include "entry/EntryTexts.h"

namespace entry::RelationRules {

namespace {

constexpr int MaxWives = 4;

bool holds(const data::Database& db, const QString& relation, const HeirTable& heirs) {
    return countOf(db, relation, heirs) > 0;
}

// The spouse rule in either direction: nothing to say unless one spouse joins the other.
bool spousesTogether(const data::Database& db, const QString& relation, const HeirTable& heirs) {
    if (relation == Texts::Husband)
        return holds(db, Texts::Wife, heirs);
    if (relation == Texts::Wife)
        return holds(db, Texts::Husband, heirs);
    return false;
}

// The limits of the wife and the single-instance rules, given as the most rows that may hold the
// relation already; the message of the broken limit, or empty.
QString overLimit(const data::Database& db, const QString& relation, const HeirTable& heirs,
                  qint64 wivesStored, qint64 othersStored) {
    if (relation == Texts::Wife && countOf(db, relation, heirs) > wivesStored)
        return Texts::FifthWife;
    if (isSingleInstance(relation) && countOf(db, relation, heirs) > othersStored)
        return Texts::MoreThanOne + relation;
    return {};
}

} // namespace

bool isRelation(const data::Database& db, const QString& relation) {
    return db.exists(QStringLiteral("select 1 from relations where relations = ?"), {relation});
}

bool isSingleInstance(const QString& relation) {
    return Texts::SingleInstance.contains(relation);
}

qint64 countOf(const data::Database& db, const QString& relation, const HeirTable& heirs) {
    QString sql =
        QStringLiteral("select count(%1) as co from %2 where %1 = ?").arg(heirs.relationColumn, heirs.table);
    QVariantList params{relation};
    if (!heirs.condition.isEmpty()) {
        sql += QStringLiteral(" and (") + heirs.condition + QLatin1Char(')');
        params += heirs.params;
    }
    return db.count(sql, params);
}

Verdict typedCell(const data::Database& db, const QString& relation, const HeirTable& heirs) {
    Verdict v;
    if (!isRelation(db, relation))
        v.messages << Texts::BadTypedRelation;
    // A new relation joins those stored: refused once the limit is already reached.
    if (const QString over = overLimit(db, relation, heirs, MaxWives - 1, 0); !over.isEmpty())
        v.messages << over;
    else if (spousesTogether(db, relation, heirs))
        v.messages << Texts::HusbandAndWife;
    return v;
}

Verdict nameChanged(const data::Database& db, const QString& relation, const HeirTable& heirs) {
    Verdict v;
    // The row is stored with its relation and so counts itself.
    if (const QString over = overLimit(db, relation, heirs, MaxWives, 1); !over.isEmpty())
        v.messages << over;
    return v;
}

Verdict pickList(const data::Database& db, const QString& relation, const HeirTable& heirs) {
    Verdict v;
    if (!isRelation(db, relation))
        v.messages << Texts::BadPickedRelation;
    else if (const QString over = overLimit(db, relation, heirs, MaxWives - 1, 0); !over.isEmpty())
        v.messages << over;
    else if (spousesTogether(db, relation, heirs))
        v.messages << Texts::HusbandAndWife;
    return v;
}

} // namespace entry::RelationRules
