#include "succession/ChainRun.h"

#include "engine/calc/ChainIntake.h"
#include "engine/calc/EngineState.h"
#include "engine/calc/NameTables.h"
#include "entry/NameLists.h"
#include "succession/ChainChecks.h"
#include "succession/SuccessionTexts.h"

namespace succession::ChainRun {

namespace {

const QString NoIssuingBody = QStringLiteral("-");

// The engine's side of a dry intake: nothing is shown, the refusal comes back in the result.
class SilentOutput : public engine::IntakeOutput {
public:
    void message(const QString&) override {}
};

QString intakeRefusal(const data::Database& db, const ChainHeader& header) {
    engine::NameTables names;
    names.fillRelationNames();
    names.fillMenuTexts();
    engine::EngineState state;
    SilentOutput output;
    engine::ChainResult r = engine::CountDeceased(state, db, header.caseNo, output);
    if (r.step == engine::ChainStep::Calculate)
        r = engine::ChainIntake(state, names, db, output);
    return r.step == engine::ChainStep::Calculate ? QString() : r.message;
}

bool named(const QString& text) {
    return !text.isEmpty() && text != NoIssuingBody;
}

} // namespace

void copy(const data::Database& db) {
    db.transaction([&] {
        db.execute(QStringLiteral("delete from DETH"));
        db.execute(QStringLiteral("delete from WARITH_DUBLE"));
        db.execute(
            QStringLiteral("insert into DETH (deth_name, arrange, deth_status) select deth_name, arrange, "
                           "deth_status from MUNASKA_TEMP where deth_name <> '' order by ar"));
        // A heir row that lost its name comes along, to be refused rather than dropped unseen.
        db.execute(
            QStringLiteral("insert into WARITH_DUBLE (warith_name, arrange, warith_relation) select "
                           "warith_name, arrange, warith_relation from MUNASKA_TEMP where warith_name <> '' "
                           "or (coalesce(warith_relation, '') <> '' and coalesce(deth_name, '') = '') "
                           "order by ar"));
    });
}

QString refusal(const data::Database& db, const ChainHeader& header) {
    if (header.issuingBody.isEmpty())
        entry::NameLists::add(db, entry::NameLists::List::IssuingBodies, NoIssuingBody);
    if (!db.exists(QStringLiteral("select 1 from DETH")))
        return Texts::Incomplete;
    if (header.preparer.isEmpty())
        return Texts::NoPreparer;
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
            return Texts::DeceasedNotAnHeir;
    if (const QString failed = ChainChecks::rowFailure(db); !failed.isEmpty())
        return failed;
    return intakeRefusal(db, header);
}

void handOver(const data::Database& db, const ChainHeader& header, engine::CaseContext& host) {
    db.transaction([&] {
        db.execute(
            QStringLiteral("update DETH set case_name = ?, DATA_ENTRY_NAME = ?, ADRESS_ENTRY_NAME = ?"),
            {header.title, header.preparer, header.issuingBody});
        stampHeader(db, header.preparer, header.issuingBody);
        db.execute(QStringLiteral("delete from REPORT_DESTRIBUTER"));
        db.execute(QStringLiteral("delete from ADRESS_ENTRY_NAME_REPORT"));
        if (named(header.issuingBody))
            db.execute(QStringLiteral("insert into ADRESS_ENTRY_NAME_REPORT (ADRESS_ENTRY_NAME) values (?)"),
                       {header.issuingBody});
        db.execute(QStringLiteral("delete from DATA_ENTRY_NAME_REPORT"));
        if (named(header.preparer))
            db.execute(QStringLiteral("insert into DATA_ENTRY_NAME_REPORT (DATA_ENTRY_NAME) values (?)"),
                       {header.preparer});
    });
    host.Text_case_no = header.caseNo;
}

void stampHeader(const data::Database& db, const QString& preparer, const QString& issuingBody) {
    db.execute(QStringLiteral("update MUNASKA_TEMP set DATA_ENTRY_NAME = ?, ADRESS_ENTRY_NAME = ?"),
               {preparer, issuingBody});
}

QString run(const data::Database& db, const ChainHeader& header, engine::CaseContext& host) {
    copy(db);
    const QString refused = refusal(db, header);
    if (refused.isEmpty())
        handOver(db, header, host);
    return refused;
}

} // namespace succession::ChainRun
