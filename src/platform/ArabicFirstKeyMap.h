#pragma once

#include <QChar>
#include <QString>

#include <array>
#include <optional>

namespace platform {

// The keys of the standard Arabic keyboard layout, as a Latin layout types them, with the Arabic
// text on the same key. A field begun on the wrong layout is repaired with it.
class ArabicFirstKeyMap {
public:
    struct Row {
        QChar key;
        QChar also; // the same key with Shift; a null character where the row has none
        QString arabic;
    };

    static const std::array<Row, 34>& rows();

    // The unshifted characters of the 34 keys: the 26 letters in either case and eight punctuation
    // characters. Only these begin a conversion; the shifted partners never do.
    static bool isTrigger(QChar c);
    static bool isTrigger(const QString& key) { return key.size() == 1 && isTrigger(key.front()); }

    // The Arabic text of the first row whose key or shifted partner is `key`, compared exactly.
    static std::optional<QString> lookup(const QString& key);

    // What the standard Arabic (101) layout types on the key that typed `typed` on a Latin layout, or
    // nullopt where both layouts type the same. A letter takes its Shift from `shifted` (Caps Lock
    // shifts no Arabic letter); any other character tells its Shift itself ("{" is Shift and "[").
    static std::optional<QString> layoutText(QChar typed, bool shifted);

    // The Latin key, unshifted ("j", "["), on which that layout types the Arabic character `arabic`
    // with or without Shift; a null character for a character it has on no key.
    static QChar keyOf(QChar arabic);

    // Lam-alef typed as one presentation-form character becomes its two letters, as relations are
    // compared letter by letter.
    static QString splitLamAlef(const QString& text);
};

} // namespace platform
