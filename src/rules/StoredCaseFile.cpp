#include "rules/StoredCaseFile.h"

#include "platform/AppPaths.h"
#include "rules/ChainCheck.h"
#include "rules/HeirCheck.h"
#include "rules/NumberField.h"
#include "rules/RuleFile.h"

#include <QFileInfo>

namespace rules {

namespace {

const QString KeyPrefix = QStringLiteral("ت/");
const QString SingleType = QStringLiteral("م");
const QString SuccessiveType = QStringLiteral("ن");

const QChar StretchStroke(0x0640);

// Thrown inside the reading of one record; never leaves this file.
struct BadRecord {
    QString reason;
};

// A field named in a message; a field of thousands of characters is shown by its start.
QString shown(const QString& text) {
    constexpr qsizetype Shown = 60;
    return text.size() > Shown ? text.left(Shown) + QStringLiteral("…") : text;
}

QString quoted(const QString& text) {
    return QLatin1Char('"') + shown(text) + QLatin1Char('"');
}

void checkName(const QString& name, const QString& what) {
    if (name.isEmpty())
        throw BadRecord{what + QStringLiteral(" فارغ")};
    if (name.contains(StretchStroke))
        throw BadRecord{what + QLatin1Char(' ') + quoted(name) + QStringLiteral(" فيه الرمز ـ")};
}

QString heirFaultReason(HeirCheck::Fault fault, const QString& heir, const QString& deceased) {
    switch (fault) {
    case HeirCheck::Fault::None:
        break;
    case HeirCheck::Fault::Repeated:
        return QStringLiteral("الوارث ") + quoted(heir) + QStringLiteral(" مكرر عند المتوفى ") +
               quoted(deceased);
    case HeirCheck::Fault::BothSpouses:
        return QStringLiteral("زوج وزوجة معا عند المتوفى ") + quoted(deceased);
    case HeirCheck::Fault::FifthWife:
        return QStringLiteral("اكثر من اربع زوجات عند المتوفى ") + quoted(deceased);
    }
    return {};
}

QString chainFaultReason(const ChainCheck::Finding& f, const StoredCase& c) {
    using Fault = ChainCheck::Fault;
    switch (f.fault) {
    case Fault::None:
        break;
    case Fault::NotAnHeir:
        return QStringLiteral("المتوفى ") + quoted(f.name) + QStringLiteral(" ليس وارثا لمن توفي قبله");
    case Fault::RepeatedDeceased:
        return QStringLiteral("المتوفى ") + quoted(f.name) + QStringLiteral(" مكرر");
    case Fault::HeirTwice:
        return QStringLiteral("الوارث ") + quoted(f.name) + QStringLiteral(" مكرر عند المتوفى ") +
               quoted(c.deceased[static_cast<std::size_t>(f.deceased - 1)].name);
    case Fault::OwnHeir:
    case Fault::InheritsFromLater:
        return ChainCheck::message(f.fault) + QStringLiteral(": ") + quoted(f.name);
    }
    return {};
}

QString badLineReason(int line) {
    return QStringLiteral("السطر ") + QString::number(line) +
           QStringLiteral(" ليس نصا سليما (ترميز غير صحيح او رمز تحكم)");
}

} // namespace

StoredCaseFile::StoredCaseFile() : StoredCaseFile(platform::AppPaths::appFile(QStringLiteral("STORG"))) {}

StoredCaseFile::StoredCaseFile(QString path) : m_path(std::move(path)) {}

StoredCaseFile::~StoredCaseFile() = default;

QString StoredCaseFile::keyFor(qint64 number) {
    // Signed-number text: a blank stands where a minus sign would.
    return KeyPrefix + (number < 0 ? QString::number(number) : QLatin1Char(' ') + QString::number(number));
}

void StoredCaseFile::close() {
    m_text.reset();
    m_pending.clear();
}

bool StoredCaseFile::open() {
    close();
    return m_text.open(m_path);
}

QString StoredCaseFile::fileName() const {
    return QFileInfo(m_path).fileName();
}

QString StoredCaseFile::damaged(const QString& key, const QString& reason) const {
    return QStringLiteral("المسألة المخزونة ") + key + QStringLiteral(" تالفة في الملف ") + fileName() +
           QStringLiteral(": ") + reason;
}

StoredCaseFile::Result StoredCaseFile::missing() const {
    Result r;
    r.outcome = Outcome::Missing;
    r.problem = QStringLiteral("ملف المسائل المخزونة غير موجود او لا يمكن قراءته: ") + fileName();
    return r;
}

bool StoredCaseFile::fetch() {
    while (m_pending.empty()) {
        if (m_text.atEnd())
            return false;
        const TextLine line = m_text.readLine();
        // A line of blanks holds no field, as in the rule files.
        if (line.text.trimmed().isEmpty())
            continue;
        const QStringList fields = RuleFile::splitLine(line.text);
        const bool keyLine = fields.size() == 1 && fields.front().startsWith(KeyPrefix);
        const bool bad = !line.wellFormed || line.hasControl;
        for (qsizetype i = 0; i < fields.size(); ++i)
            m_pending.push_back({fields[i], i == 0, keyLine, bad, line.number});
    }
    return true;
}

bool StoredCaseFile::nextField(Field& f) {
    if (!fetch())
        return false;
    f = std::move(m_pending.front());
    m_pending.pop_front();
    return true;
}

const StoredCaseFile::Field* StoredCaseFile::peekField() {
    return fetch() ? &m_pending.front() : nullptr;
}

void StoredCaseFile::skipToNextKeyLine() {
    while (const Field* f = peekField()) {
        if (f->keyLine)
            return;
        m_pending.pop_front();
    }
}

StoredCaseFile::Result StoredCaseFile::readRecord(const QString& key) {
    Result result;
    StoredCase& c = result.record;
    c.key = key;

    // A line that starts where a record's own line is due, and looks like the key of the next
    // record, means this record was cut short; it is left for the next search or scan step.
    auto text = [&](bool startsLine) -> QString {
        const Field* next = peekField();
        if (!next || (startsLine && next->keyLine))
            throw BadRecord{QStringLiteral("السجل ينتهي قبل اكتماله")};
        Field f;
        nextField(f);
        if (f.badLine)
            throw BadRecord{badLineReason(f.line)};
        return f.text;
    };
    // A numeric field must be a whole number and nothing else: a count that reads as 0 because of
    // a typing slip would shift every later field and load a different case without a word.
    auto number = [&](bool startsLine, const QString& what) -> qint64 {
        const QString t = text(startsLine);
        const NumberField::Result v = NumberField::whole(t);
        switch (v.kind) {
        case NumberField::Kind::Whole:
            return v.value;
        case NumberField::Kind::Fractional:
            throw BadRecord{what + QStringLiteral(" ليس عددا صحيحا: ") + quoted(t)};
        case NumberField::Kind::TooLarge:
            throw BadRecord{what + QStringLiteral(" خارج الحدود")};
        case NumberField::Kind::NotANumber:
            break;
        }
        throw BadRecord{what + QStringLiteral(" ليس رقما: ") + quoted(t)};
    };

    try {
        const qint64 school = number(true, QStringLiteral("المذهب"));
        const qint64 deceasedCount = number(false, QStringLiteral("عدد المتوفين"));
        const qint64 heirCount = number(false, QStringLiteral("عدد الورثة"));
        c.caseType = text(false);
        if (school != 1 && school != 2)
            throw BadRecord{QStringLiteral("المذهب غير معروف: ") + QString::number(school)};
        if (deceasedCount < 1 || deceasedCount > MaxDeceased)
            throw BadRecord{QStringLiteral("عدد المتوفين غير مناسب: ") + QString::number(deceasedCount)};
        if (heirCount < 1 || heirCount > MaxHeirSlots)
            throw BadRecord{QStringLiteral("عدد الورثة غير مناسب: ") + QString::number(heirCount)};
        if (c.caseType != SingleType && c.caseType != SuccessiveType)
            throw BadRecord{QStringLiteral("نوع المسألة غير معروف: ") + quoted(c.caseType)};
        c.school = static_cast<int>(school);
        c.deceasedCount = static_cast<int>(deceasedCount);
        c.heirCount = static_cast<int>(heirCount);

        int previousLast = 0;
        for (int i = 1; i <= c.deceasedCount; ++i) {
            StoredDeceased d;
            d.name = text(true);
            const qint64 last = number(false, QStringLiteral("رقم آخر وارث"));
            checkName(d.name, QStringLiteral("اسم المتوفى ") + QString::number(i));
            if (last <= previousLast)
                throw BadRecord{QStringLiteral("ارقام الورثة غير متسلسلة عند المتوفى ") + quoted(d.name)};
            if (last - previousLast > MaxHeirsPerDeceased)
                throw BadRecord{
                    QStringLiteral("للمتوفى ") + quoted(d.name) + QStringLiteral(" ") +
                    QString::number(last - previousLast) +
                    QStringLiteral(" وارثا، والحد %1 وارثا للمتوفى الواحد").arg(MaxHeirsPerDeceased)};
            if (last > MaxHeirSlots)
                throw BadRecord{QStringLiteral("ارقام الورثة تتجاوز %1 وارث في المسألة").arg(MaxHeirSlots)};
            d.lastSlot = static_cast<int>(last);
            for (int j = previousLast + 1; j <= d.lastSlot; ++j) {
                StoredHeir h;
                h.name = text(true);
                h.relation = text(false);
                const qint64 cls = number(false, QStringLiteral("صنف الوارث"));
                checkName(h.name, QStringLiteral("اسم الوارث ") + QString::number(j));
                // 3 and 6 stand for groups; no heir slot ever carries them.
                if (cls < 1 || cls > ClassTop || cls == 3 || cls == 6)
                    throw BadRecord{QStringLiteral("صنف الوارث ") + h.name +
                                    QStringLiteral(" خارج الحدود: ") + QString::number(cls)};
                h.classCode = static_cast<int>(cls);
                const auto& earlier = d.heirs;
                const HeirCheck::Fault fault = HeirCheck::against(
                    h.classCode, h.name, static_cast<int>(earlier.size()),
                    [&](int k) { return earlier[static_cast<std::size_t>(k)].classCode; },
                    [&](int k) -> const QString& { return earlier[static_cast<std::size_t>(k)].name; });
                if (fault != HeirCheck::Fault::None)
                    throw BadRecord{heirFaultReason(fault, h.name, d.name)};
                d.heirs.push_back(std::move(h));
            }
            previousLast = d.lastSlot;
            c.deceased.push_back(std::move(d));
        }
        if (previousLast != c.heirCount)
            throw BadRecord{QStringLiteral("عدد الورثة ") + QString::number(c.heirCount) +
                            QStringLiteral(" لا يساوي رقم آخر وارث ") + QString::number(previousLast)};

        std::vector<ChainCheck::Deceased> chain;
        for (const StoredDeceased& d : c.deceased) {
            ChainCheck::Deceased link{d.name, {}};
            for (const StoredHeir& h : d.heirs)
                link.heirs << h.name;
            chain.push_back(std::move(link));
        }
        const ChainCheck::Finding finding = ChainCheck::firstFault(chain);
        if (finding.fault != ChainCheck::Fault::None)
            throw BadRecord{chainFaultReason(finding, c)};
    } catch (const BadRecord& bad) {
        result.outcome = Outcome::Malformed;
        result.problem = damaged(key, bad.reason);
        return result;
    }
    result.outcome = Outcome::Loaded;
    return result;
}

StoredCaseFile::Result StoredCaseFile::find(qint64 number) {
    if (!open())
        return missing();
    const QString wanted = keyFor(number);
    Result result;
    Field f;
    while (nextField(f)) {
        // Only a key line starts a record: a name inside another record that happens to read
        // like the key must not start a read from the middle of that record.
        if (f.keyLine && f.text == wanted) {
            result = readRecord(f.text);
            break;
        }
    }
    close();
    return result;
}

StoredCaseFile::Result StoredCaseFile::scanFirst() {
    if (!open())
        return missing();
    return scanNext();
}

StoredCaseFile::Result StoredCaseFile::scanNext() {
    if (!scanning())
        return {};
    Field f;
    if (!nextField(f)) {
        close();
        return {};
    }
    Result result;
    if (f.keyLine && f.badLine) {
        result.outcome = Outcome::Malformed;
        result.record.key = shown(f.text);
        result.problem = damaged(result.record.key, badLineReason(f.line));
    } else if (!f.keyLine) {
        result.outcome = Outcome::Malformed;
        result.record.key = shown(f.text);
        result.problem = QStringLiteral("سطر المفتاح غير صحيح في السطر ") + QString::number(f.line) +
                         QStringLiteral(" من الملف ") + fileName() + QStringLiteral(": ") + quoted(f.text);
    } else {
        result = readRecord(f.text);
    }
    if (result.outcome == Outcome::Malformed)
        skipToNextKeyLine();
    return result;
}

} // namespace rules
