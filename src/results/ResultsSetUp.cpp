#include "results/ResultsSetUp.h"

#include "data/FlagTable.h"

namespace results {

namespace {

const QString NewCase = QStringLiteral("جديدة");
const QString StoredCase = QStringLiteral("مخزونة");
const QString StoredSource = QStringLiteral("خ");

} // namespace

void ResultsSetUp::joinDeedTerm(const data::Database& db) {
    const data::Rows rules =
        db.select(QStringLiteral("select rowid, print_text from PRINT_TEXT where instr(print_text, ?) <> 0 "
                                 "order by rowid limit 1"),
                  {QString::fromUtf16(RulesPhrase)});
    // Lines an earlier screen joined (of a run broken off, or of the program's last start) keep
    // their one term.
    if (rules.isEmpty() || rules.front().value(1).toString().startsWith(QString::fromUtf16(DeedTerm)))
        return;
    db.execute(QStringLiteral("update PRINT_TEXT set print_text = ? where rowid = ?"),
               {QString::fromUtf16(DeedTerm) + rules.front().value(1).toString(), rules.front().value(0)});
}

void ResultsSetUp::removeSecondLine(const data::Database& db) {
    const QVariant second =
        db.scalar(QStringLiteral("select rowid from PRINT_TEXT order by rowid limit 1 offset 1"));
    if (!second.isNull())
        db.execute(QStringLiteral("delete from PRINT_TEXT where rowid = ?"), {second});
}

ResultsSetUp::CommandStates ResultsSetUp::commandStates(const data::Database& db,
                                                        engine::CaseContext& context) {
    CommandStates states;
    const QString check = data::FlagTable(db, QStringLiteral("ENABLED_CHECK")).text();
    if (check == NewCase) {
        states.disabled << QStringLiteral("Command_stored_case");
        return states;
    }
    if (check != StoredCase)
        return states;

    states.disabled << QStringLiteral("Command_start_new") << QStringLiteral("Command_return_to_case");
    if (context.Text_RLAS == StoredSource) {
        if (db.exists(QStringLiteral("select 1 from STORDE_STANDERD_TEMP limit 1"))) {
            states.storedCaseFirst = true;
            states.complete = false;
            return states;
        }
        if (!context.Text_desabled_form7_commands_first_time.isEmpty()) {
            // The first results screen of a model-case run comes before any case is computed.
            states.disabled << QStringLiteral("Command_show_case") << QStringLiteral("Command_share")
                            << QStringLiteral("Command_percent") << QStringLiteral("Command_methahib")
                            << QStringLiteral("Command_print");
            context.Text_desabled_form7_commands_first_time.clear();
        }
    }
    if (context.Text_stord_standerd_case_keyup == QLatin1String("1")) {
        context.Text_stord_standerd_case_keyup.clear();
        states.pressFocused = true;
    }
    return states;
}

} // namespace results
