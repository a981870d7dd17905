#include "entry/ModelCaseQueue.h"

#include "data/Numbers.h"
#include "entry/EntryTexts.h"

#include <QRegularExpression>

#include <limits>

namespace entry::ModelCaseQueue {

namespace {

void addDefaultNames(const data::Database& db) {
    db.execute(QStringLiteral("insert or ignore into DATA_ENTRY_NAME (DATA_ENTRY_NAME) values (?)"),
               {Texts::DefaultPreparer});
    db.execute(QStringLiteral("insert or ignore into ADRESS_ENTRY_NAME (ADRESS_ENTRY_NAME) values (?)"),
               {Texts::NoIssuingBody});
}

// A bound value that compares with the number column as the number does: whole numbers exactly,
// a fraction (2.5 of a range) as a floating value, which only its place between two whole
// numbers matters for.
QVariant boundNumber(const data::Rational& value) {
    using boost::multiprecision::denominator;
    using boost::multiprecision::numerator;
    constexpr auto top = std::numeric_limits<qint64>::max();
    if (denominator(value) == 1 && numerator(value) <= top && numerator(value) >= -top)
        return QVariant::fromValue(numerator(value).convert_to<qint64>());
    return QVariant::fromValue(value.convert_to<double>());
}

} // namespace

void prepareReportHeader(const data::Database& db) {
    db.transaction([&] {
        db.execute(QStringLiteral("delete from ADRESS_ENTRY_NAME_REPORT"));
        db.execute(QStringLiteral("delete from DATA_ENTRY_NAME_REPORT"));
        db.execute(QStringLiteral("insert into DATA_ENTRY_NAME_REPORT (DATA_ENTRY_NAME) values (?)"),
                   {Texts::DefaultPreparer});
        addDefaultNames(db);
    });
}

bool readsAsNumber(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
    return number.match(text).hasMatch();
}

Query search(const QString& text) {
    if (text.isEmpty())
        return {QStringLiteral("select storde_case_name, storde_case_no from STORDE_STANDERD "
                               "order by storde_case_no, rowid"),
                {}};
    if (readsAsNumber(text)) {
        bool ok = false;
        const double value = text.trimmed().toDouble(&ok);
        return {QStringLiteral("select storde_case_name, storde_case_no from STORDE_STANDERD "
                               "where storde_case_no = ? order by rowid"),
                {ok ? QVariant(value) : QVariant(0)}};
    }
    return {QStringLiteral("select storde_case_name, storde_case_no from STORDE_STANDERD "
                           "where instr(storde_case_name, ?) <> 0 order by storde_case_name, rowid"),
            {text}};
}

std::optional<std::pair<QString, QString>> offeredRange(const data::Database& db, Owner owner) {
    const QString table = owner == Owner::Exercise ? QStringLiteral("STORDE_STANDERD")
                                                   : QStringLiteral("STORDE_STANDERD_FROM_TO");
    const data::Rows range =
        db.select(QStringLiteral("select storde_case_no from %1 order by storde_case_no").arg(table));
    if (range.isEmpty())
        return std::nullopt;
    return std::make_pair(range.front().value(0).toString(), range.back().value(0).toString());
}

bool startRange(const data::Database& db, const QString& fromText, const QString& toText, Owner owner) {
    const data::Rational from = data::leadingNumber(fromText);
    const data::Rational to = data::leadingNumber(toText);
    bool started = false;
    db.transaction([&] {
        if (owner == Owner::RealCase)
            addDefaultNames(db);
        if (to < from)
            return;
        const QVariantList range{boundNumber(from), boundNumber(to)};
        QList<const char*> tables{"STORDE_STANDERD_TEMP"};
        if (owner == Owner::RealCase)
            tables.prepend("STORDE_STANDERD_FROM_TO");
        for (const char* table : tables) {
            db.execute(QStringLiteral("delete from %1").arg(QLatin1String(table)));
            db.execute(QStringLiteral("insert into %1 select * from STORDE_STANDERD "
                                      "where storde_case_no >= ? and storde_case_no <= ? order by rowid")
                           .arg(QLatin1String(table)),
                       range);
        }
        started = true;
    });
    return started;
}

void reset(const data::Database& db) {
    db.transaction([&] {
        db.execute(QStringLiteral("delete from STORDE_STANDERD_TEMP"));
        db.execute(QStringLiteral("delete from STORDE_STANDERD_FROM_TO"));
        db.execute(QStringLiteral(
            "insert into STORDE_STANDERD_FROM_TO select * from STORDE_STANDERD order by rowid"));
    });
}

bool queued(const data::Database& db) {
    return db.exists(QStringLiteral("select 1 from STORDE_STANDERD_TEMP limit 1"));
}

std::optional<QString> popHead(const data::Database& db) {
    std::optional<QString> number;
    db.transaction([&] {
        const data::Rows head = db.select(QStringLiteral(
            "select rowid, storde_case_no from STORDE_STANDERD_TEMP order by storde_case_no, rowid limit 1"));
        if (head.isEmpty())
            return;
        number = head.front().value(1).toString();
        db.execute(QStringLiteral("delete from STORDE_STANDERD_TEMP where rowid = ?"),
                   {head.front().value(0)});
    });
    return number;
}

} // namespace entry::ModelCaseQueue
