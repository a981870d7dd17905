#include "succession/ChainChecks.h"

#include "succession/SuccessionTexts.h"

namespace succession::ChainChecks {

QString firstFailure(const data::Database& db) {
    if (!db.exists(QStringLiteral("select 1 from DETH")))
        return Texts::Incomplete;
    const qint64 deceased = db.count(QStringLiteral("select count(deth_name) from DETH"));
    if (deceased == 1 || deceased > 30)
        return Texts::DeceasedCount;
    if (db.exists(QStringLiteral("select 1 from DETH where not exists (select 1 from WARITH_DUBLE where "
                                 "WARITH_DUBLE.arrange = DETH.arrange)")))
        return Texts::DeceasedWithoutHeirs;
    const data::Rows chain = db.select(QStringLiteral("select deth_name from DETH order by arrange, rowid"));
    for (int i = 1; i < chain.size(); ++i)
        if (!db.exists(QStringLiteral("select 1 from WARITH_DUBLE where warith_name = ?"),
                       {chain[i].value(0)}))
            return DeceasedNotAnHeir;
    return rowFailure(db);
}

QString rowFailure(const data::Database& db) {
    // The library joins heirs to their deceased by place: two deceased in one would share them.
    if (db.exists(QStringLiteral("select 1 from DETH group by arrange having count(*) > 1")))
        return Texts::SharedPlace;
    if (db.exists(QStringLiteral("select 1 from WARITH_DUBLE where trim(coalesce(warith_name, '')) = ''")))
        return Texts::NamelessHeir;
    // The engine would skip such a heir without a word, and a load would leave him behind.
    if (db.exists(
            QStringLiteral("select 1 from WARITH_DUBLE where arrange not in (select arrange from DETH)")))
        return Texts::OrphanHeir;
    return {};
}

} // namespace succession::ChainChecks
