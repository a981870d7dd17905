#pragma once

#include "data/Database.h"
#include "engine/report/ReportSurface.h"
#include "shell/Form11.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <map>
#include <memory>

class QAction;
class QPushButton;

namespace platform {
class ReportView;
}

namespace shell {

// The main window: the only place a mode is chosen. A case command writes its presets and shows
// the window of its mode; a command whose window this build does not have is disabled.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    // The window each mode command shows, by the command's name ("new1", "mun", "namu",
    // "masaeel", "iqtibarya"); a command without one is disabled.
    using Screens = std::map<QString, std::function<void()>>;

    Form1(data::Database db, Screens screens, QWidget* parent = nullptr);
    ~Form1() override;

    // The main window as the program starts it: its load step runs the start-up sequence, with
    // the engine self-test printing on this window when it is due, and keeps the connection to
    // the case database that the sequence opens. Show the window afterwards.
    static std::unique_ptr<Form1> load(Screens screens);

    // Replaces the windows of the mode commands (for screens that need the main window itself).
    void setScreens(Screens screens);

    QAction* command(const QString& name) const;
    const data::Database& database() const { return m_db; }
    Form11* helpWindow() const { return m_help; }

    // Runs a command as its menu item would.
    void run(const QString& name);

    // The engine self-test, the click of the invisible button "Command1": it prints on this
    // window and clears it again when every reference case agrees; a failure ends the program.
    void Command1_Click();
    engine::ReportSurface& surface() { return m_surface; }
    platform::ReportView* reportView() const { return m_reportView; }

    static constexpr int ClientWidth = 1016; // 15240 twips
    static constexpr int ClientHeight = 714; // 10710 twips

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void updateCommandStates();
    void buildContents();
    void showHelp(const QString& topic);

    data::Database m_db;
    Screens m_screens;
    QPointer<Form11> m_help;
    engine::ReportSurface m_surface;
    platform::ReportView* m_reportView = nullptr;
};

} // namespace shell
