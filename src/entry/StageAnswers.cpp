#include "entry/StageAnswers.h"

#include "entry/EntryTexts.h"

namespace entry::StageAnswers {

bool source(const data::Database& db, const QString& choice, engine::CaseContext& host) {
    host.Text_start_new_case = QStringLiteral("1");
    bool chosen = false;
    db.transaction([&] {
        db.execute(QStringLiteral("delete from ENABLED_CHECK"));
        if (choice == Texts::SourceNew) {
            db.execute(QStringLiteral("insert into ENABLED_CHECK (ENABLED_CHECK) values (?)"),
                       {Texts::SourceNew});
            chosen = true;
        } else if (choice == Texts::SourceStored) {
            db.execute(QStringLiteral("insert into ENABLED_CHECK (ENABLED_CHECK) values (?)"),
                       {Texts::EnabledStored});
            chosen = true;
        }
    });
    if (choice == Texts::SourceNew) {
        host.Text_RLAS = QStringLiteral("ج");
    } else if (choice == Texts::SourceStored) {
        host.Text_RLAS = QStringLiteral("خ");
        host.Text_stored_case_procejer = QStringLiteral("1");
        host.Text_stord_standerd_case_keyup = QStringLiteral("1");
    }
    return chosen;
}

void type(const QString& choice, engine::CaseContext& host) {
    if (choice == Texts::TypeSingle)
        host.Text_TYPS = QStringLiteral("م");
    else if (choice == Texts::TypeSuccessive)
        host.Text_TYPS = QStringLiteral("ن");
}

bool estate(const data::Database& db, const QString& amount, const QString& currency,
            engine::CaseContext& host) {
    if (amount.isEmpty() || currency.isEmpty())
        return false;
    db.transaction([&] {
        if (!db.exists(QStringLiteral("select 1 from currency_name where currency_name = ?"), {currency}))
            db.execute(QStringLiteral("insert into currency_name (currency_name) values (?)"), {currency});
        db.execute(QStringLiteral("delete from TAWHEED"));
        db.execute(QStringLiteral("delete from TAWHEED_CHILED"));
        db.execute(QStringLiteral("delete from REPORT_DESTRIBUTER"));
        db.execute(QStringLiteral("insert into REPORT_DESTRIBUTER (REPORT_DESTRIBUTER) values (?)"),
                   {Texts::EstateMode});
    });
    host.Text_tariqa_ammount = amount;
    host.Text_tariqa_currency = currency;
    return true;
}

} // namespace entry::StageAnswers
