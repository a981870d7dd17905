#pragma once

#include <QString>

namespace succession::TypedKey {

// Whether a key's text is something typed (a letter of any script, a digit, a mark or a blank)
// rather than a control key: such a key opens a column's list.
inline bool printable(const QString& text) {
    if (text.size() != 1 && !(text.size() == 2 && text.at(0).isHighSurrogate()))
        return false;
    return text.at(0).isPrint() || text.at(0).isHighSurrogate();
}

} // namespace succession::TypedKey
