#include "platform/widgets/ReportDocument.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <boost/multiprecision/cpp_int.hpp>

namespace platform {

namespace {

using BigInt = boost::multiprecision::cpp_int;
namespace Text = ReportDocumentText;

// A decimal number as the tables write it: an optional sign, digits, and digits after a point.
const QRegularExpression& decimalPattern() {
    static const QRegularExpression pattern(QStringLiteral("^([-+]?)(\\d+)(?:\\.(\\d+))?$"));
    return pattern;
}

// The sum of decimal texts, exact whatever their size; empty when one of them is no number, so
// that no wrong total is ever printed.
QString exactSum(const QStringList& values) {
    struct Parsed {
        bool negative;
        QString whole;
        QString fraction;
    };
    QList<Parsed> parsed;
    qsizetype places = 0;
    for (const QString& value : values) {
        const QRegularExpressionMatch m = decimalPattern().match(value.trimmed());
        if (!m.hasMatch())
            return {};
        parsed.append({m.captured(1) == QLatin1String("-"), m.captured(2), m.captured(3)});
        places = std::max(places, m.captured(3).size());
    }
    BigInt sum = 0;
    for (const Parsed& p : parsed) {
        QString digits = p.whole + p.fraction + QString(places - p.fraction.size(), QLatin1Char('0'));
        // A leading zero would make the digits octal to the big-integer parser.
        while (digits.size() > 1 && digits.front() == QLatin1Char('0'))
            digits.remove(0, 1);
        const BigInt value(digits.toStdString());
        sum += p.negative ? BigInt(-value) : value;
    }
    const bool negative = sum < 0;
    QString digits = QString::fromStdString((negative ? BigInt(-sum) : sum).str());
    if (digits.size() <= places)
        digits.prepend(QString(places - digits.size() + 1, QLatin1Char('0')));
    QString whole = digits.left(digits.size() - places);
    QString fraction = digits.right(places);
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    QString out = fraction.isEmpty() ? whole : whole + QLatin1Char('.') + fraction;
    if (negative && out != QLatin1String("0"))
        out.prepend(QLatin1Char('-'));
    return out;
}

// The number an amount text begins with, as the engine read it; the whole text when it begins
// with none.
QString leadingAmount(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^\\s*([-+]?\\d+(?:\\.\\d+)?)"));
    const QRegularExpressionMatch m = pattern.match(text);
    return m.hasMatch() ? m.captured(1) : text.simplified();
}

// A note or base line as the engine stored it, set as a paragraph: the runs of blanks it carries
// for its window's columns closed up, and one blank on either side inside its brackets and
// after them, where the stored text is uneven ("( 36)", ")الباقي").
QString paragraphText(const QString& text) {
    static const QRegularExpression open(QStringLiteral("\\(\\s*"));
    static const QRegularExpression close(QStringLiteral("\\s*\\)"));
    static const QRegularExpression closeBeforeWord(QStringLiteral("\\)(?=\\w)"),
                                                    QRegularExpression::UseUnicodePropertiesOption);
    QString out = text.simplified();
    out.replace(open, QStringLiteral("( "));
    out.replace(close, QStringLiteral(" )"));
    out.replace(closeBeforeWord, QStringLiteral(") "));
    return out;
}

QSqlQuery run(const QSqlDatabase& db, const QString& sql, const QVariantList& params = {}) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(sql);
    for (const QVariant& p : params)
        query.addBindValue(p);
    query.exec();
    return query;
}

// A one-row table's value; the first row counts, as for every one-row table.
QString firstValue(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery query = run(db, sql);
    return query.next() ? query.value(0).toString().simplified() : QString();
}

// The header tables hold "-" or nothing when there is no name to print.
QString headerName(const QSqlDatabase& db, const QString& sql) {
    const QString name = firstValue(db, sql);
    return name == QLatin1String("-") ? QString() : name;
}

QString total(const QList<ReportDocument::HeirLine>& heirs) {
    QStringList shares;
    for (const ReportDocument::HeirLine& h : heirs)
        shares << h.share;
    return exactSum(shares);
}

ReportDocument::Header readHeader(const QSqlDatabase& db) {
    ReportDocument::Header h;
    h.titleLines = {Text::Invocation, Text::DeedTerm, Text::LawRules};
    QSqlQuery title = run(db, QStringLiteral("select Title, serial_project from PRINT_TITLE order by rowid"));
    if (title.next()) {
        h.school = title.value(0).toString().simplified();
        h.caseKey = title.value(1).toString().simplified();
    }
    h.preparer = headerName(db, QStringLiteral("select DATA_ENTRY_NAME from DATA_ENTRY_NAME_REPORT"));
    h.issuingBody = headerName(db, QStringLiteral("select ADRESS_ENTRY_NAME from ADRESS_ENTRY_NAME_REPORT"));
    return h;
}

QList<ReportDocument::DeceasedTable> readDeceased(const QSqlDatabase& db) {
    QList<ReportDocument::DeceasedTable> out;
    QSqlQuery deceased =
        run(db, QStringLiteral("select serial_deth, name_deth, and_text from PRINT_TEXT2 order by rowid"));
    while (deceased.next()) {
        const QVariant serial = deceased.value(0);
        ReportDocument::DeceasedTable t;
        t.name = deceased.value(1).toString().simplified();
        t.opening = deceased.value(2).toString().simplified();

        // Shares come back as text whatever their storage, so none passes through a double.
        QSqlQuery heirs =
            run(db,
                QStringLiteral("select name_deth_chiled, Relation, "
                               "cast(share as text) from PRINT_TEXT2_CHILED where serial_deth = ? "
                               "order by rowid"),
                {serial});
        // The rows are numbered afresh in each table: the heirs' slot numbers run on from one
        // deceased to the next and skip the slots that a same-name join emptied, which on paper
        // would read as missing heirs.
        while (heirs.next()) {
            t.heirs.append({QString::number(t.heirs.size() + 1),
                            heirs.value(0).toString().simplified(),
                            heirs.value(1).toString().simplified(),
                            heirs.value(2).toString().trimmed(),
                            {}});
        }
        if (!t.heirs.isEmpty())
            t.total = total(t.heirs);

        QSqlQuery notes = run(db,
                              QStringLiteral("select serial_not_chiled, name_not_chiled from NOTS_CHILED "
                                             "where serial_deth = ? order by rowid"),
                              {serial});
        while (notes.next()) {
            const QString text = paragraphText(notes.value(1).toString());
            // The base line is stored as the last numbered note; the document sets it under the
            // table it sums up.
            if (text.startsWith(Text::BaseLineStart))
                t.baseLine = text;
            else
                t.notes.append({notes.value(0).toString(), text});
        }
        out.append(t);
    }
    return out;
}

std::optional<ReportDocument::UnifiedTable> readUnified(const QSqlDatabase& db, ReportMode mode) {
    ReportDocument::UnifiedTable t;
    QSqlQuery deaths = run(db, QStringLiteral("select and_text, name_deth from PRINT_TEXT2 order by rowid"));
    while (deaths.next())
        t.deaths.append({deaths.value(0).toString().simplified(), deaths.value(1).toString().simplified()});
    const QString first = firstValue(db, QStringLiteral("select name_deth from TAWHEED order by rowid"));
    if (t.deaths.isEmpty() && !first.isEmpty())
        t.deaths.append({Text::FirstDeceased, first});
    QString amountText;
    QSqlQuery heirs =
        run(db, QStringLiteral("select serial_deth_chiled, name_deth_chiled, cast(share as text), "
                               "currency_type, max_tareka_ammount from TAWHEED_CHILED "
                               "order by rowid"));
    while (heirs.next()) {
        const QString unit = heirs.value(3).toString().simplified();
        t.heirs.append({heirs.value(0).toString(),
                        heirs.value(1).toString().simplified(),
                        {},
                        heirs.value(2).toString().trimmed(),
                        mode == ReportMode::Percentages || mode == ReportMode::Estate ? unit : QString()});
        if (t.unit.isEmpty())
            t.unit = t.heirs.back().unit;
        if (amountText.isEmpty())
            amountText = heirs.value(4).toString();
    }
    if (t.heirs.isEmpty() && first.isEmpty())
        return std::nullopt;
    t.total = total(t.heirs);

    switch (mode) {
    case ReportMode::Percentages:
        t.title = Text::PercentagesTitle;
        t.shareHeading = Text::Percentage;
        break;
    case ReportMode::Estate:
        t.title = Text::EstateTitle;
        t.shareHeading = Text::Amount;
        t.unitHeading = Text::Currency;
        t.amount = leadingAmount(amountText);
        break;
    default:
        // Parts of the combined base: no unit, whatever an earlier conversion left in the column.
        t.title = Text::UnifiedTitle;
        t.shareHeading = Text::Shares;
        t.unit.clear();
        break;
    }
    return t;
}

} // namespace

ReportDocument ReportDocument::fromTables(const QSqlDatabase& db) {
    ReportDocument doc;
    doc.mode = reportModeFromText(
        firstValue(db, QStringLiteral("select REPORT_DESTRIBUTER from REPORT_DESTRIBUTER")));
    doc.header = readHeader(db);
    const bool ownTables = doc.mode == ReportMode::WithoutUnification || doc.mode == ReportMode::Full;
    const bool unifiedTable = doc.mode == ReportMode::Full || doc.mode == ReportMode::UnifiedOnly ||
                              doc.mode == ReportMode::Percentages || doc.mode == ReportMode::Estate;
    if (ownTables)
        doc.deceased = readDeceased(db);
    if (unifiedTable)
        doc.unified = readUnified(db, doc.mode);
    return doc;
}

bool ReportDocument::isEmpty() const {
    for (const DeceasedTable& t : deceased) {
        if (!t.heirs.isEmpty())
            return false;
    }
    return !unified || unified->heirs.isEmpty();
}

QStringList ReportDocument::texts() const {
    QStringList out = header.titleLines;
    const auto add = [&out](const QString& text) {
        if (!text.isEmpty())
            out << text;
    };
    add(header.school);
    add(header.caseKey);
    add(header.issuingBody);
    const auto addHeirs = [&add](const QList<HeirLine>& heirs) {
        for (const HeirLine& h : heirs) {
            add(h.serial);
            add(h.name);
            add(h.relation);
            add(h.share);
            add(h.unit);
        }
    };
    for (const DeceasedTable& t : deceased) {
        add(t.opening);
        add(t.name);
        addHeirs(t.heirs);
        add(t.total);
        add(t.baseLine);
        for (const Note& n : t.notes) {
            add(n.number);
            add(n.text);
        }
    }
    if (unified) {
        add(unified->title);
        for (const Death& d : unified->deaths) {
            add(d.opening);
            add(d.name);
        }
        add(unified->amount);
        add(unified->unit);
        addHeirs(unified->heirs);
        add(unified->total);
    }
    add(header.preparer);
    return out;
}

} // namespace platform
