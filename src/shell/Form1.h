#pragma once

#include "data/Database.h"
#include "shell/Form11.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <map>

class QAction;
class QPushButton;

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

    QAction* command(const QString& name) const;
    const data::Database& database() const { return m_db; }
    Form11* helpWindow() const { return m_help; }

    // Runs a command as its menu item would.
    void run(const QString& name);

    static constexpr int ClientWidth = 1016; // 15240 twips
    static constexpr int ClientHeight = 714; // 10710 twips

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildContents();
    void showHelp(const QString& topic);

    data::Database m_db;
    Screens m_screens;
    QPointer<Form11> m_help;
};

} // namespace shell
