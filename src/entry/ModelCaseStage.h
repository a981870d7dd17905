#pragma once

#include "data/Database.h"
#include "engine/report/CaseContext.h"
#include "entry/ModelCaseQueue.h"

#include <QGroupBox>

class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace entry {

// The model-case frame of the case-entry dialogue (stage "مسألة مخزونة"): the library list with
// its search box, the single run of the list's current case and the range run From..To, whose
// queue hands the engine one case each time the stage is shown. An answer writes the case number
// into the host's Text_stord_case and emits answered(); the dialogue then closes.
class ModelCaseStage : public QGroupBox {
    Q_OBJECT
public:
    ModelCaseStage(data::Database db, engine::CaseContext& host, QWidget* parent = nullptr,
                   ModelCaseQueue::Owner owner = ModelCaseQueue::Owner::RealCase);

    // The range boxes take the first and last numbers of the owner's range.
    void fillRange();

    // The stage's set-up when the dialogue loads at this stage. Returns the button to press at
    // once while the queue holds cases, otherwise nullptr (the user chooses; the search box
    // has the focus).
    QPushButton* prepare();

    QLineEdit* searchBox() const { return Text1; }
    QLineEdit* fromBox() const { return Text_from; }
    QLineEdit* toBox() const { return Text_to; }

    void Text1_KeyUp();
    void Command_stord_case_Click();
    void Command_AUTO_GET_CASE_NO_STORED_CASES_Click();
    void Command_AUTO_RUN_STORED_CASES_Click();

signals:
    void answered();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void hand(const QString& number);

    data::Database m_db;
    engine::CaseContext& m_host;
    ModelCaseQueue::Owner m_owner;

    QLineEdit* Text1 = nullptr;
    QTableView* DBGrid3 = nullptr;
    QStandardItemModel* Data5 = nullptr;
    QPushButton* Command_stord_case = nullptr;
    QPushButton* Command_AUTO_GET_CASE_NO_STORED_CASES = nullptr;
    QPushButton* Command_AUTO_RUN_STORED_CASES = nullptr;
    QLineEdit* Text_from = nullptr;
    QLineEdit* Text_to = nullptr;
};

} // namespace entry
