#include "entry/EntryWidgets.h"

#include "platform/widgets/AccessKeyCaption.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

namespace entry::EntryWidgets {

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    platform::AccessKeyCaption::apply(b, caption);
    b->setAutoDefault(false);
    return b;
}

QComboBox* combo(const QString& name, bool editable, QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(editable);
    c->setInsertPolicy(QComboBox::NoInsert);
    if (editable)
        c->setCompleter(nullptr);
    return c;
}

QLineEdit* lineEdit(const QString& name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    return e;
}

QGroupBox* frame(const QString& name, const QString& caption, QWidget* parent) {
    auto* f = new QGroupBox(caption, parent);
    f->setObjectName(name);
    f->hide();
    return f;
}

void selectRowsBySelector(QTableView* view) {
    // The table view's own row selection finds no column to start from in a right-to-left view.
    QObject::connect(view->verticalHeader(), &QHeaderView::sectionClicked, view, [view](int row) {
        view->selectionModel()->setCurrentIndex(view->model()->index(row, 0), QItemSelectionModel::NoUpdate);
        selectWholeRow(view, row);
    });
}

void selectWholeRow(QTableView* view, int row) {
    QAbstractItemModel* m = view->model();
    view->selectionModel()->select(QItemSelection(m->index(row, 0), m->index(row, m->columnCount() - 1)),
                                   QItemSelectionModel::ClearAndSelect);
}

void selectAllOnFocus(QComboBox* box) {
    QObject::connect(qApp, &QApplication::focusChanged, box, [box](QWidget* old, QWidget* now) {
        if (!withinCombo(box, now) || withinCombo(box, old))
            return;
        // After the focus move itself, which places the cursor where a click fell.
        QTimer::singleShot(0, box, [box] {
            if (box->hasFocus() && box->lineEdit())
                box->lineEdit()->selectAll();
        });
    });
}

void refill(QComboBox* box, const QStringList& items) {
    const QString text = box->currentText();
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setEditText(text);
}

bool within(const QWidget* ancestor, const QWidget* w) {
    return w && (w == ancestor || ancestor->isAncestorOf(w));
}

bool withinCombo(const QComboBox* box, const QWidget* w) {
    return within(box, w) ||
           (w && box->view() && w->window() == box->view()->window() && w->window() != box->window());
}

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace entry::EntryWidgets
