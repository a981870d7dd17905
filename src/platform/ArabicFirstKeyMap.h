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

    // Lam-alef typed as one presentation-form character becomes its two letters, as relations are
    // compared letter by letter.
    static QString splitLamAlef(const QString& text);
};

} // namespace platform
