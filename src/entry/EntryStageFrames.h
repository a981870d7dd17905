#pragma once

#include "data/Database.h"
#include "engine/report/CaseContext.h"

#include <QObject>

class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;
class QWidget;

namespace entry {

class BoundTableModel;

// The stage frames that the real-case dialogue and the exercise dialogue share: the case source
// (Frame_source_case), the case type (Frame_type_case) and the estate with its currency table
// (Frame_tariqa). Each accept writes the host's fields and emits answered(); the dialogue then
// closes. The source and type stages answer by themselves from the main window's presets: the
// button to press is pressed once the dialogue is on screen, and the source button a second time
// (Timer1) should the first press have found the dialogue not yet ready.
class EntryStageFrames : public QObject {
    Q_OBJECT
public:
    static constexpr int SourcePressDelay = 10;

    EntryStageFrames(data::Database db, engine::CaseContext& host, QWidget* dialog);

    QGroupBox* sourceFrame() const { return Frame_source_case; }
    QGroupBox* typeFrame() const { return Frame_type_case; }
    QGroupBox* estateFrame() const { return Frame_tariqa; }

    // A stage's set-up by the load step. The source and type stages return the button to press on
    // showing (none when the type preset is no choice: the user picks), the estate stage the box
    // that takes the focus.
    QPushButton* prepareSource();
    QPushButton* prepareType();
    QWidget* prepareEstate();
    QComboBox* typeCombo() const { return Combo_TYPE_CASE; }

    // A button to press once the dialogue is on screen; shown() presses it.
    void pressOnShow(QPushButton* button) { m_pressOnShow = button; }
    void shown();
    // The dialogue is leaving: no press comes after it.
    void stop();

    void Command_source_case_Click();
    void Command_type_case_Click();
    void Command_tariqa_Click();
    void Command3_Click();
    void load_currency_list();
    void Timer1_Timer();

    // Esc: the currency table closes and the currency box offers what it was left holding.
    void escape();
    // Enter in the estate boxes moves between them; Delete in the currency table deletes the
    // selected currencies. True when the key was taken.
    bool keyPress(QObject* watched, QKeyEvent* key);

signals:
    void answered();

private:
    QGroupBox* buildSourceFrame(QWidget* dialog);
    QGroupBox* buildTypeFrame(QWidget* dialog);
    QGroupBox* buildEstateFrame(QWidget* dialog);
    void answer();

    data::Database m_db;
    engine::CaseContext& m_host;
    bool m_stopped = false;
    QPushButton* m_pressOnShow = nullptr;

    QGroupBox* Frame_source_case = nullptr;
    QComboBox* Combo1_SOURCE_CASE = nullptr;
    QPushButton* Command_source_case = nullptr;
    QGroupBox* Frame_type_case = nullptr;
    QComboBox* Combo_TYPE_CASE = nullptr;
    QPushButton* Command_type_case = nullptr;
    QGroupBox* Frame_tariqa = nullptr;
    QLineEdit* Text_tariqa_ammount = nullptr;
    QComboBox* Text_tariqa_currency = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command_tariqa = nullptr;
    QTableView* DBGrid2 = nullptr;
    BoundTableModel* m_currencies = nullptr;
    QTimer* Timer1 = nullptr;
};

} // namespace entry
