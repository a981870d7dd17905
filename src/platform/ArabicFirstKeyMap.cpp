#include "platform/ArabicFirstKeyMap.h"

namespace platform {

namespace {

QString letters(std::initializer_list<char16_t> codes) {
    QString text;
    for (char16_t c : codes)
        text += QChar(c);
    return text;
}

// The same keys with Shift on the standard Arabic (101) layout, where it differs from the Latin
// one: what a Latin layout types with Shift, the unshifted key, and the Arabic layout's text.
struct ShiftedKey {
    QChar typed;
    QChar key;
    QString arabic;
};

const std::array<ShiftedKey, 34>& shiftedKeys() {
    static const std::array<ShiftedKey, 34> table{{
        {u'~', u'`', letters({0x0651})},         {u'Q', u'q', letters({0x064E})},
        {u'W', u'w', letters({0x064B})},         {u'E', u'e', letters({0x064F})},
        {u'R', u'r', letters({0x064C})},         {u'T', u't', letters({0x0644, 0x0625})},
        {u'Y', u'y', letters({0x0625})},         {u'U', u'u', letters({0x2018})},
        {u'I', u'i', letters({0x00F7})},         {u'O', u'o', letters({0x00D7})},
        {u'P', u'p', letters({0x061B})},         {u'{', u'[', QStringLiteral("<")},
        {u'}', u']', QStringLiteral(">")},       {u'A', u'a', letters({0x0650})},
        {u'S', u's', letters({0x064D})},         {u'D', u'd', QStringLiteral("]")},
        {u'F', u'f', QStringLiteral("[")},       {u'G', u'g', letters({0x0644, 0x0623})},
        {u'H', u'h', letters({0x0623})},         {u'J', u'j', letters({0x0640})},
        {u'K', u'k', letters({0x060C})},         {u'L', u'l', QStringLiteral("/")},
        {u'Z', u'z', QStringLiteral("~")},       {u'X', u'x', letters({0x0652})},
        {u'C', u'c', QStringLiteral("}")},       {u'V', u'v', QStringLiteral("{")},
        {u'B', u'b', letters({0x0644, 0x0622})}, {u'N', u'n', letters({0x0622})},
        {u'M', u'm', letters({0x2019})},         {u'<', u',', QStringLiteral(",")},
        {u'>', u'.', QStringLiteral(".")},       {u'?', u'/', letters({0x061F})},
        {u'(', u'9', QStringLiteral(")")},       {u')', u'0', QStringLiteral("(")},
    }};
    return table;
}

bool isLatinLetter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

} // namespace

const std::array<ArabicFirstKeyMap::Row, 34>& ArabicFirstKeyMap::rows() {
    static const std::array<Row, 34> table{{
        {u'a', u'A', letters({0x0634})},     {u's', u'S', letters({0x0633})},
        {u'd', u'D', letters({0x064A})},     {u'f', u'F', letters({0x0628})},
        {u'g', u'G', letters({0x0644})},     {u'h', u'H', letters({0x0627})},
        {u'j', u'J', letters({0x062A})},     {u'k', u'K', letters({0x0646})},
        {u'l', u'L', letters({0x0645})},     {u';', u':', letters({0x0643})},
        {u'\'', QChar(), letters({0x0637})}, {u'z', u'Z', letters({0x0626})},
        {u'x', u'X', letters({0x0621})},     {u'c', u'C', letters({0x0624})},
        {u'v', u'V', letters({0x0631})},     {u'b', u'B', letters({0x0644, 0x0627})},
        {u'n', u'N', letters({0x0649})},     {u'm', u'M', letters({0x0629})},
        {u',', u'<', letters({0x0648})},     {u'.', u'>', letters({0x0632})},
        {u'/', u'?', letters({0x0638})},     {u'q', u'Q', letters({0x0636})},
        {u'w', u'W', letters({0x0635})},     {u'e', u'E', letters({0x062B})},
        {u'r', u'R', letters({0x0642})},     {u't', u'T', letters({0x0641})},
        {u'y', u'Y', letters({0x063A})},     {u'u', u'U', letters({0x0639})},
        {u'i', u'I', letters({0x0647})},     {u'o', u'O', letters({0x062E})},
        {u'p', u'P', letters({0x062D})},     {u'[', u'{', letters({0x062C})},
        {u']', u'}', letters({0x062F})},     {u'`', u'~', letters({0x0630})},
    }};
    return table;
}

bool ArabicFirstKeyMap::isTrigger(QChar c) {
    const char16_t u = c.unicode();
    if ((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z'))
        return true;
    switch (u) {
    case u'[':
    case u']':
    case u'\'':
    case u';':
    case u',':
    case u'.':
    case u'/':
    case u'`':
        return true;
    default:
        return false;
    }
}

std::optional<QString> ArabicFirstKeyMap::lookup(const QString& key) {
    if (key.size() != 1)
        return std::nullopt;
    const QChar c = key.front();
    for (const Row& row : rows())
        if (c == row.key || (!row.also.isNull() && c == row.also))
            return row.arabic;
    return std::nullopt;
}

std::optional<QString> ArabicFirstKeyMap::layoutText(QChar typed, bool shifted) {
    QChar key = typed;
    if (isLatinLetter(typed))
        key = shifted ? typed.toUpper() : typed.toLower();
    for (const Row& row : rows())
        if (key == row.key)
            return row.arabic;
    for (const ShiftedKey& shiftedKey : shiftedKeys())
        if (key == shiftedKey.typed)
            return shiftedKey.arabic;
    return std::nullopt;
}

QChar ArabicFirstKeyMap::keyOf(QChar arabic) {
    if (arabic.unicode() < 0x80)
        return {};
    const QString letter = splitLamAlef(QString(arabic));
    for (const Row& row : rows())
        if (letter == row.arabic)
            return row.key;
    for (const ShiftedKey& shiftedKey : shiftedKeys())
        if (letter == shiftedKey.arabic)
            return shiftedKey.key;
    return {};
}

QString ArabicFirstKeyMap::splitLamAlef(const QString& text) {
    QString out;
    out.reserve(text.size() + 1);
    for (QChar c : text) {
        switch (c.unicode()) {
        case 0xFEFB: // lam-alef
            out += letters({0x0644, 0x0627});
            break;
        case 0xFEF5: // with madda
            out += letters({0x0644, 0x0622});
            break;
        case 0xFEF7: // with hamza above
            out += letters({0x0644, 0x0623});
            break;
        case 0xFEF9: // with hamza below
            out += letters({0x0644, 0x0625});
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace platform
