#include "entry/NameText.h"

#include "platform/MessageService.h"
#include "platform/widgets/FocusReturn.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QValidator>

namespace entry::NameText {

namespace {

bool isBreak(QChar c) {
    switch (c.unicode()) {
    case u'\n':
    case u'\r':
    case u'\t':
    case u'\v':
    case u'\f':
    case 0x0085:
    case 0x2028:
    case 0x2029:
        return true;
    default:
        return false;
    }
}

// The cleaned text, and where a cursor at `pos` of the text stands in it.
QString cleanedAt(const QString& text, int& pos) {
    QString out;
    out.reserve(text.size());
    bool blankDue = false;
    int newPos = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i == pos)
            newPos = static_cast<int>(out.size()) + (blankDue ? 1 : 0);
        const QChar c = text.at(i);
        if (isBreak(c)) {
            blankDue = !out.isEmpty();
            continue;
        }
        if (blankDue)
            out += QLatin1Char(' ');
        blankDue = false;
        out += c;
    }
    pos = newPos < 0 ? static_cast<int>(out.size()) : qMin(newPos, static_cast<int>(out.size()));
    return out;
}

// Characters as the database counts them: a surrogate pair is one.
qsizetype length(const QString& text) {
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++n) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
    }
    return n;
}

// Validates as the user types: cleaning is a change the field takes; a refusal undoes the change.
class NameValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override {
        QString clean = cleanedAt(input, pos);
        m_refusal = refusal(clean);
        if (!m_refusal.isEmpty())
            return Invalid;
        input = std::move(clean);
        return Acceptable;
    }

    mutable QString m_refusal;
    bool m_reportDue = false;
};

} // namespace

QString cleaned(const QString& text) {
    int pos = 0;
    return cleanedAt(text, pos);
}

QString refusal(const QString& text) {
    if (!QStringView(text).isValidUtf16())
        return MalformedRefused;
    for (const char32_t c : text.toUcs4()) {
        if (QChar::category(c) == QChar::Other_Control)
            return ControlRefused;
        if (QChar::isNonCharacter(c))
            return MalformedRefused;
    }
    if (length(text) > MaxLength)
        return TooLongRefused;
    return {};
}

void guard(QLineEdit* field, std::function<void()> back) {
    auto* validator = new NameValidator(field);
    field->setValidator(validator);
    // A cleaned text is set anew, which forgets that the user changed it.
    QObject::connect(field, &QLineEdit::textEdited, validator, [field] { field->setModified(true); });
    QObject::connect(field, &QLineEdit::inputRejected, validator, [field, validator, back] {
        // A paste too long for the field is rejected twice; one message says it.
        if (validator->m_refusal.isEmpty() || validator->m_reportDue)
            return;
        validator->m_reportDue = true;
        // Said once the field has undone the change, so the box never stands over the refused text.
        QTimer::singleShot(0, validator, [field, validator, back, message = validator->m_refusal] {
            validator->m_reportDue = false;
            // Still unacceptable: the program put this text there (a name stored before the rule),
            // and no change of the user's was undone.
            if (!field->hasAcceptableInput())
                return;
            platform::MessageService::show(message, platform::MessageIcon::Critical);
            if (back)
                back();
            else
                platform::FocusReturn::to(field);
        });
    });
}

void guard(QComboBox* box) {
    if (QLineEdit* line = box->lineEdit())
        guard(line);
}

} // namespace entry::NameText
