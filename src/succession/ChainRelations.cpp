#include "succession/ChainRelations.h"

namespace succession::ChainRelations {

entry::RelationRules::HeirTable heirsOf(qint64 arrange, qint64 exceptAr) {
    entry::RelationRules::HeirTable heirs;
    heirs.table = QStringLiteral("MUNASKA_TEMP");
    heirs.condition = QStringLiteral("arrange = ? and ar <> ?");
    heirs.params = {arrange, exceptAr};
    return heirs;
}

entry::RelationRules::Verdict check(const data::Database& db, const QString& relation, qint64 arrange,
                                    qint64 exceptAr) {
    return entry::RelationRules::pickList(db, relation, heirsOf(arrange, exceptAr));
}

} // namespace succession::ChainRelations
