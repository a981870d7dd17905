#pragma once

// Small helpers that the files of Form12 share.

#include <QKeyEvent>

namespace entry::form12 {

inline bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace entry::form12
