#pragma once

// Small helpers that the files of Form6 share.

#include "platform/widgets/AccessKeyCaption.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace succession::form6 {

inline QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    // Enter presses only the button that has the focus (keyPressEvent).
    b->setAutoDefault(false);
    platform::AccessKeyCaption::apply(b, caption);
    return b;
}

inline QLineEdit* lineEdit(const QString& name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    return e;
}

// Refills a list without losing what its box holds.
inline void refill(QComboBox* box, const QStringList& items) {
    const QString text = box->currentText();
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setEditText(text);
}

inline bool within(const QWidget* ancestor, const QWidget* w) {
    return w && (w == ancestor || ancestor->isAncestorOf(w));
}

// The combo, its box, or its open list.
inline bool withinCombo(const QComboBox* box, const QWidget* w) {
    return within(box, w) ||
           (w && box->view() && w->window() == box->view()->window() && w->window() != box->window());
}

} // namespace succession::form6
