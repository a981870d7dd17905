#include "succession/ChainRelations.h"

namespace succession::ChainRelations {

namespace {

QString plainAlef(QString text) {
    for (QChar c : {QChar(0x0623), QChar(0x0625), QChar(0x0622), QChar(0x0671)})
        text.replace(c, QChar(0x0627));
    return text;
}

} // namespace

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

QString listSpelling(const QStringList& relations, const QString& typed) {
    if (relations.contains(typed))
        return typed;
    const QString plain = plainAlef(typed);
    for (const QString& r : relations)
        if (plainAlef(r) == plain)
            return r;
    return typed;
}

} // namespace succession::ChainRelations
