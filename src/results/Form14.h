#pragma once

#include "data/Database.h"
#include "engine/report/CaseContext.h"
#include "results/ShrinkEnlargeButtons.h"

#include "platform/widgets/CommandOnlyDialog.h"
#include <QPointer>

#include <functional>
#include <map>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QShortcut;
class QSqlQueryModel;
class QTableView;

namespace results {

class TouchedReport;

// The results screen of the normal path. It shows the report lines the engine left in
// PRINT_TEXT and offers the next commands; a command writes its code into the host's
// Text_choos_no and closes the screen, and the engine acts on the code. The screen can be left
// only through its commands: a window-system close or Esc does nothing, since the engine would
// otherwise act again on whatever code the field still holds.
class Form14 : public platform::CommandOnlyDialog {
    Q_OBJECT
public:
    // What the screen reaches beyond itself. The exits end the program (shell supplies them);
    // the windows are moved together with the screen by its window buttons.
    struct Links {
        std::function<void(const data::Database&)> cleanExit;
        std::function<void()> mainMenu;
        PartnerWindows windows;
    };

    // Builds the screen and runs its set-up. `touched` belongs to the host and outlives the
    // screen: it keeps the set-up from working twice over the same report lines.
    Form14(data::Database db, engine::CaseContext& hostContext, TouchedReport& touched, Links links,
           QWidget* parent = nullptr);
    ~Form14() override;

    // The control that has the focus when the screen is shown: the first one in tab order that
    // is shown and enabled.
    QWidget* firstFocusControl() const;
    // The controls in their tab order.
    std::vector<QWidget*> tabOrder() const;

    static const QStringList FontSizes;
    // Every line the set-up puts the deed term in front of holds this phrase.
    static constexpr const char16_t* RulesPhrase = u"حسب قواعد الشريعة الاسلامية";
    static constexpr const char16_t* DeedTerm = u"قسام شرعي";
    // The heading of a unified report of successive deaths, in PRINT_TEXT.ser.
    static constexpr const char16_t* UnifiedHeading = u"توحيد القسامات ";

public slots:
    void Command_show_case_Click();
    void Command_percent_Click();
    void Command_share_Click();
    void Command_stored_case_Click();
    void Command_methahib_Click();
    void Command_start_new_Click();
    void Command_return_to_case_Click();
    void Command_print_Click();
    void Command_endprogram_Click();
    void Command1_Click();
    void Combo1_Click();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void Form_Load();
    // Returns false when the set-up ends early (a model-case run with cases still queued).
    bool setCommandStates();
    void setCommandEnabled(QPushButton* button, bool enabled);
    void moveToFrontOfTabOrder(QWidget* control);
    void applyTabOrder();
    void pressFocusedButton();
    void refreshGrid();
    void fitColumns();
    void handBack(const char* code, const QString& newCaseFlag);

    data::Database m_db;
    engine::CaseContext& m_context;
    TouchedReport& m_touched;
    Links m_links;

    QTableView* m_grid = nullptr;
    QSqlQueryModel* m_model = nullptr;
    QComboBox* m_fontSize = nullptr;
    QGroupBox* m_tawheedFrame = nullptr;
    ShrinkEnlargeButtons* m_windowButtons = nullptr;
    std::map<QPushButton*, QShortcut*> m_twins;
    std::vector<QWidget*> m_tabOrder;
};

} // namespace results
