// Form12's preparer and issuing body: their lists kept, refilled and emptied, and the issuing-body frame.
#include "entry/Form12.h"

#include "entry/EntryTexts.h"
#include "entry/EntryWidgets.h"
#include "entry/NameLists.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

namespace entry {

using namespace EntryWidgets;

void Form12::requeryPreparers() {
    refill(Text_DATA_ENTRY_NAME, NameLists::names(m_db, NameLists::List::Preparers));
}

void Form12::requeryIssuingBodies() {
    refill(Text_ADRESS_ENTRY_NAME, NameLists::names(m_db, NameLists::List::IssuingBodies));
}

void Form12::showIssuingBody(bool shown) {
    FrameADRESS->setVisible(shown);
    Command4->setText(shown ? Texts::RemoveIssuingBody : Texts::AddIssuingBody);
}

void Form12::keepHeader(NameLists::List list, const QString& name) {
    m_db.transaction([&] {
        NameLists::add(m_db, list, name);
        CaseHandOver::stampHeader(m_db, header());
    });
    if (list == NameLists::List::Preparers)
        requeryPreparers();
    else
        requeryIssuingBodies();
}

void Form12::Text_DATA_ENTRY_NAME_LostFocus() {
    keepHeader(NameLists::List::Preparers, Text_DATA_ENTRY_NAME->currentText());
}

void Form12::Text_ADRESS_ENTRY_NAME_LostFocus() {
    keepHeader(NameLists::List::IssuingBodies, Text_ADRESS_ENTRY_NAME->currentText());
}

void Form12::Command4_Click() {
    // The caption decides, whatever the frame shows.
    if (Command4->text() == Texts::AddIssuingBody) {
        Command4->setText(Texts::RemoveIssuingBody);
        FrameADRESS->show();
        Text_ADRESS_ENTRY_NAME->setFocus(Qt::OtherFocusReason);
    } else if (Command4->text() == Texts::RemoveIssuingBody) {
        FrameADRESS->hide();
        Text_ADRESS_ENTRY_NAME->setEditText(Texts::NoIssuingBody);
        Command4->setText(Texts::AddIssuingBody);
    }
}

void Form12::Command6_Click() {
    NameLists::remove(m_db, NameLists::List::Preparers, Text_DATA_ENTRY_NAME->currentText());
    requeryPreparers();
}

void Form12::Command9_Click() {
    NameLists::removeAll(m_db, NameLists::List::Preparers);
    requeryPreparers();
}

void Form12::Command11_Click() {
    const QString name = Text_ADRESS_ENTRY_NAME->currentText();
    NameLists::remove(m_db, NameLists::List::IssuingBodies, name);
    requeryIssuingBodies();
}

void Form12::Command10_Click() {
    NameLists::removeAll(m_db, NameLists::List::IssuingBodies);
    requeryIssuingBodies();
}

} // namespace entry
