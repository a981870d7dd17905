#include "shell/Form1.h"

#include "engine/run/EngineSelfTest.h"
#include "platform/widgets/DocumentOpener.h"
#include "platform/widgets/ReportView.h"
#include "platform/widgets/ScreenPlacement.h"
#include "shell/ExitPaths.h"
#include "shell/Form11.h"
#include "shell/MenuCommands.h"
#include "shell/StartUpSequence.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

namespace shell {

namespace {

// The documents of the menus. They ship as HTML pages (any desktop opens them), under the names
// the menus have always used.
const std::map<QString, QString> documents = {
    {QStringLiteral("mnfaraeeth"), QStringLiteral("faraeed.html")},
    {QStringLiteral("rah"), QStringLiteral("matin.html")},
    {QStringLiteral("tare"), QStringLiteral("protareef.html")},
    {QStringLiteral("mnu_mueed"), QStringLiteral("promakar.html")},
    {QStringLiteral("ty"), QStringLiteral("WARATHA_TYPES.html")},
};

const std::map<QString, QString> helpTopics = {
    {QStringLiteral("hel"), QStringLiteral("RichTextBox_helper")},
    {QStringLiteral("iaat"), QStringLiteral("RichTextBox_iat")},
    {QStringLiteral("ij"), QStringLiteral("RichTextBox_ijtyhadat")},
};

const std::map<QString, void (*)(const data::Database&)> presetStatements = {
    {QStringLiteral("new1"), &MenuCommands::new1},
    {QStringLiteral("mun"), &MenuCommands::mun},
    {QStringLiteral("namu"), &MenuCommands::namu},
    {QStringLiteral("masaeel"), &MenuCommands::masaeel},
    {QStringLiteral("iqtibarya"), &MenuCommands::iqtibarya},
};

struct Item {
    const char* name;
    const char* caption;
    const char* parent; // nullptr: on the menu bar
    bool submenu;
};

const Item menuItems[] = {
    {"mas", "المسائل", nullptr, true},
    {"new1", "جديدة مفردة", "mas", false},
    {"mun", "جديدة مناسخة", "mas", false},
    {"namu", "نموذجية", "mas", false},
    {"taleem", "البرنامج التعليمي", nullptr, true},
    {"iqtibarya", "اسئلة اختبارية", "taleem", false},
    {"masaeel", "مسائل اختبارية", "taleem", false},
    {"mnfaraeeth", "كتاب علم الفرائض", "taleem", false},
    {"rah", "كتاب متن الرحبية", "taleem", false},
    {"tareefat", "تعريفات", nullptr, true},
    {"iaat", "آيات المواريث", "tareefat", false},
    {"tare", "تعريف بالبرنامج", "tareefat", false},
    {"mnu_mueed", "التعريف بمعد البرنامج", "tareefat", false},
    {"ty", "اصناف الورثة المبرمجة", "tareefat", false},
    {"ij", "الاجتهادات الفقهية التي يعتمدها البرنامج", "tareefat", false},
    {"hel", "المساعد", nullptr, false},
    {"mne", "انهاء البرنامج", nullptr, false},
};

} // namespace

Form1::Form1(data::Database db, Screens screens, QWidget* parent)
    : QMainWindow(parent), m_db(std::move(db)), m_screens(std::move(screens)) {
    setObjectName(QStringLiteral("Form1"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(QStringLiteral("فرائض - قسمة المواريث"));
    resize(ClientWidth, ClientHeight);
    platform::ScreenPlacement::keepOnScreen(this);
    buildMenus();
    updateCommandStates();
    buildContents();
}

Form1::~Form1() {
    m_surface.setListener({});
}

std::unique_ptr<Form1> Form1::load(Screens screens) {
    auto window = std::make_unique<Form1>(data::Database(), std::move(screens));
    window->m_db = runStartUp([&window] { window->Command1_Click(); });
    return window;
}

void Form1::Command1_Click() {
    m_reportView->show();
    // Start-up has not shown the window yet; a failure shows it, so that the table of the case
    // that differed and the reason stand behind the message.
    engine::EngineSelfTest::run(m_surface, [this] {
        // The tables have the window to themselves, as they had on the old window surface.
        for (QLabel* label : centralWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            label->hide();
        show();
        raise();
        activateWindow();
    });
    m_reportView->hide();
}

void Form1::buildMenus() {
    std::map<QString, QMenu*> menus;
    for (const Item& item : menuItems) {
        const QString name = QString::fromUtf8(item.name);
        const QString caption = QString::fromUtf8(item.caption);
        if (item.submenu) {
            QMenu* menu = menuBar()->addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            menus[name] = menu;
            continue;
        }
        auto* action = new QAction(caption, this);
        action->setObjectName(name);
        if (item.parent)
            menus.at(QString::fromUtf8(item.parent))->addAction(action);
        else
            menuBar()->addAction(action);

        connect(action, &QAction::triggered, this, [this, name] { run(name); });
    }
    // The menus carry no access letters, so F10 (the desktop's usual key for the menu bar) opens
    // the first menu on its first command; the arrow keys and Enter do the rest. The menu bar
    // holds the keyboard meanwhile, so that Enter on the bar's own commands ("المساعد",
    // "انهاء البرنامج") runs them rather than reaching whatever had the focus.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] {
        const QList<QAction*> top = menuBar()->actions();
        if (top.isEmpty())
            return;
        menuBar()->setFocus(Qt::ShortcutFocusReason);
        menuBar()->setActiveAction(top.first());
        if (QMenu* menu = top.first()->menu(); menu && !menu->actions().isEmpty())
            menu->setActiveAction(menu->actions().first());
    });
    // The window opens with the keyboard on the menu bar: the exit button would otherwise take
    // the first focus, and a stray Space would end the program.
    menuBar()->setFocus(Qt::OtherFocusReason);
}

void Form1::updateCommandStates() {
    for (const auto& [name, statements] : presetStatements) {
        const auto screen = m_screens.find(name);
        command(name)->setEnabled(screen != m_screens.end() && screen->second);
    }
}

void Form1::setScreens(Screens screens) {
    m_screens = std::move(screens);
    updateCommandStates();
}

void Form1::buildContents() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(40, 30, 40, 20);

    auto label = [&](const QString& name, const QString& text, int pointSize, bool bold) {
        auto* l = new QLabel(text, central);
        l->setObjectName(name);
        l->setAlignment(Qt::AlignCenter);
        l->setWordWrap(true);
        QFont f = l->font();
        f.setPointSize(pointSize);
        f.setBold(bold);
        l->setFont(f);
        layout->addWidget(l);
        return l;
    };
    label(QStringLiteral("Label_title"), QStringLiteral("فرائض - قسمة المواريث"), 28, true);
    label(QStringLiteral("Label_description"),
          QStringLiteral("يقوم البرنامج بحل جميع مسائل الميراث وفقا لقواعد الشريعة الاسلامية"), 16, false);
    label(QStringLiteral("Label_edition"), QStringLiteral("الاصدار الرابع"), 14, false);
    label(
        QStringLiteral("Label_note"),
        QStringLiteral("اضيف الى الاصدار الجديد برنامج تعليمي وكتاب منهجي يوضح اصول علم الفرائض والمواريث "),
        12, false);
    layout->addStretch(1);
    label(QStringLiteral("Label_credits"),
          QStringLiteral("يوزع البرنامج مجانا لطلبة العلم والعاملين في المحاكم الشرعية"), 10, false);

    auto* exit = new QPushButton(central);
    exit->setObjectName(QStringLiteral("Command_endprogram"));
    exit->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    exit->setIconSize(QSize(16, 16));
    exit->setToolTip(QStringLiteral("انهاء البرنامج"));
    exit->setFixedSize(32, 28);
    connect(exit, &QPushButton::clicked, this, [this] { run(QStringLiteral("mne")); });
    layout->addWidget(exit, 0, Qt::AlignLeft);

    // The self-test's button is never shown: no user can press it; start-up calls its handler.
    auto* selfTest = new QPushButton(QStringLiteral("تدقيق سلامة"), central);
    selfTest->setObjectName(QStringLiteral("Command1"));
    selfTest->setVisible(false);
    connect(selfTest, &QPushButton::clicked, this, &Form1::Command1_Click);

    // Where the self-test prints; shown only while it runs, as a pass leaves the window empty.
    m_reportView = new platform::ReportView(central);
    m_reportView->setObjectName(QStringLiteral("selfTestReport"));
    m_reportView->hide();
    layout->addWidget(m_reportView, 1);
    m_surface.setListener([this] { m_reportView->setLines(m_surface.lines()); });

    setCentralWidget(central);
}

QAction* Form1::command(const QString& name) const {
    return findChild<QAction*>(name);
}

void Form1::run(const QString& name) {
    if (name == QLatin1String("mne"))
        ExitPaths::CleanExit(m_db);

    if (const auto doc = documents.find(name); doc != documents.end()) {
        platform::DocumentOpener::open(doc->second);
        return;
    }
    if (const auto topic = helpTopics.find(name); topic != helpTopics.end()) {
        showHelp(topic->second);
        return;
    }
    const auto statements = presetStatements.find(name);
    const auto screen = m_screens.find(name);
    if (statements == presetStatements.end() || screen == m_screens.end() || !screen->second)
        return;
    statements->second(m_db);
    screen->second();
}

void Form1::showHelp(const QString& topic) {
    if (!m_help)
        m_help = new Form11(); // its own window: it outlives the closing of the main window
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
    m_help->showTopic(topic);
}

void Form1::closeEvent(QCloseEvent* event) {
    ExitPaths::closeMainWindow(m_db);
    event->accept();
}

} // namespace shell
