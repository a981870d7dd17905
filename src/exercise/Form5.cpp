#include "exercise/Form5.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace exercise {

Form5::Form5(data::Database db, engine::CaseContext& context, entry::ExitHooks hooks, QWidget* host)
    : QDialog(host), m_db(std::move(db)), m_host(context), m_hooks(std::move(hooks)) {
    setObjectName(QStringLiteral("Form5"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint);
    setModal(true);
    setLayoutDirection(Qt::RightToLeft);
    resize(twips(FixedWidthTwips), twips(FixedHeightTwips));
}

Form5::~Form5() = default;

void Form5::Command_source_case_Click() {}
void Form5::Command_type_case_Click() {}
void Form5::Command_tariqa_Click() {}
void Form5::Command3_Click() {}
void Form5::load_currency_list() {}
void Form5::Option_1_LEVEL_MouseUp() {}
void Form5::Option_2_LEVEL_MouseUp() {}
void Form5::Option_3_LEVEL_MouseUp() {}
void Form5::Command_put_Click() {}
void Form5::Command6_Click() {}
void Form5::DBGrid_put_DblClick() {}
void Form5::GET_SUM() {}
void Form5::RELATION_SUM() {}
void Form5::Command1_Click() {}
void Form5::Command_save_Click() {}
void Form5::Command_edit_Click() {}
void Form5::Command_delete_Click() {}
void Form5::Command_new_Click() {}
void Form5::Timer1_Timer() {}
void Form5::Timer2_Timer() {}
void Form5::Timer16_Timer() {}
void Form5::Form_KeyUp(int) {}
void Form5::reject() {}
bool Form5::eventFilter(QObject* watched, QEvent* event) { return QDialog::eventFilter(watched, event); }
void Form5::closeEvent(QCloseEvent* event) {
    if (!m_leaving)
        event->ignore();
}
void Form5::showEvent(QShowEvent* event) { QDialog::showEvent(event); }
void Form5::resizeEvent(QResizeEvent* event) { QDialog::resizeEvent(event); }
void Form5::keyPressEvent(QKeyEvent* event) { QDialog::keyPressEvent(event); }
void Form5::leave() {
    m_leaving = true;
    accept();
}

} // namespace exercise
