// Another program holds the case database's write lock while the user gives commands on every
// screen: each button, each field left by Tab or Enter or a click elsewhere, each grid key. Every
// one is refused whole with an Arabic message that names it and the file, the program and the
// screen stay, nothing is written, and the same command runs once the lock is gone.
#include "ScreensFixture.h"

#include "entry/EntryTexts.h"
#include "platform/ProcessExit.h"
#include "platform/widgets/WidgetMessageSink.h"
#include "support/LockingProgram.h"
#include "support/Widgets.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <string_view>

using engine::EntryStage;

namespace {

// What one command does to a screen, given as the user gives it.
struct Command {
    QString what;
    std::function<void(QWidget* screen)> give;
};

class LockedCommandsTest : public shelltest::ScreensFixture {
protected:
    // Every table's rows, to see that a refused command changed nothing.
    QStringList everyRow() {
        QStringList all;
        for (const QSqlRecord& t :
             db.select("select name from sqlite_master where type = 'table' order by name")) {
            const QString table = t.value(0).toString();
            for (const QSqlRecord& r :
                 db.select(QStringLiteral("select * from \"%1\" order by rowid").arg(table))) {
                QStringList values;
                for (int i = 0; i < r.count(); ++i)
                    values << r.value(i).toString();
                all << table + ':' + values.join('|');
            }
        }
        return all;
    }

    // The commands of a screen as it opens: a click on every button and every field shown, and
    // Tab, Enter and the grid keys in every field and grid that takes the focus.
    static std::vector<Command> commandsOf(QWidget* screen) {
        std::vector<Command> commands;
        const auto shown = [screen](QWidget* w) { return w->isVisibleTo(screen) && w->isEnabled(); };
        for (QAbstractButton* b : screen->findChildren<QAbstractButton*>()) {
            if (!shown(b) || b->objectName().isEmpty())
                continue;
            const QString name = b->objectName();
            commands.push_back({"click " + name, [name](QWidget* s) {
                                    auto* button = s->findChild<QAbstractButton*>(name);
                                    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
                                }});
        }
        QList<QWidget*> fields;
        for (QWidget* w : screen->findChildren<QWidget*>())
            if ((qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w->parentWidget())) ||
                qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w))
                if (shown(w) && !w->objectName().isEmpty() && w->focusPolicy() != Qt::NoFocus)
                    fields << w;
        for (QWidget* f : fields) {
            const QString name = f->objectName();
            const auto focus = [name](QWidget* s) {
                auto* w = s->findChild<QWidget*>(name);
                w->setFocus(Qt::OtherFocusReason);
                QCoreApplication::processEvents();
                return QApplication::focusWidget() ? QApplication::focusWidget() : w;
            };
            commands.push_back({"click into " + name, [name](QWidget* s) {
                                    auto* w = s->findChild<QWidget*>(name);
                                    QWidget* target = qobject_cast<QAbstractItemView*>(w)
                                                          ? static_cast<QAbstractItemView*>(w)->viewport()
                                                          : w;
                                    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(5, 5));
                                }});
            QList<Qt::Key> keys{Qt::Key_Tab, Qt::Key_Return};
            if (qobject_cast<QAbstractItemView*>(f))
                keys << Qt::Key_Delete << Qt::Key_F5 << Qt::Key_Down;
            for (Qt::Key key : keys)
                commands.push_back(
                    {QStringLiteral("key %1 in %2").arg(QTest::toString(QKeySequence(key))).arg(name),
                     [focus, key](QWidget* s) { QTest::keyClick(focus(s), key); }});
        }
        return commands;
    }

    void giveEveryCommand(const char* screenName, const std::function<std::unique_ptr<QWidget>()>& open) {
        const std::unique_ptr<QWidget> first = open();
        testsupport::showActive(first.get());
        const std::vector<Command> commands = commandsOf(first.get());
        ASSERT_FALSE(commands.empty()) << screenName;
        for (const Command& c : commands) {
            SCOPED_TRACE(std::string(screenName) + ": " + c.what.toStdString());
            const std::unique_ptr<QWidget> screen = open();
            testsupport::showActive(screen.get());
            const QStringList before = everyRow();
            const qsizetype said = messages.texts().size();
            {
                testsupport::LockingProgram other(folder.casePath());
                EXPECT_NO_THROW(c.give(screen.get()));
                QCoreApplication::processEvents();
                ASSERT_EQ(messages.texts().size(), said + 1) << messages.texts().join('\n').toStdString();
                testsupport::expectLockedMessage(messages.last(), "تنفيذ", folder.casePath());
                EXPECT_TRUE(messages.last().contains(QStringLiteral("«")) ||
                            messages.last().startsWith(QStringLiteral("تعذر تنفيذ الأمر:")))
                    << messages.last().toStdString();
                EXPECT_TRUE(screen->isVisible());
            }
            EXPECT_EQ(everyRow(), before);
            // Once free the same command runs: no refusal, and the program ends only by its own
            // exit command. A screen it opens modally is closed again after a while.
            QTimer closer;
            QObject::connect(&closer, &QTimer::timeout, [&screen] {
                if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                    modal && modal != screen.get())
                    modal->reject();
            });
            closer.start(50);
            const qsizetype freeSaid = messages.texts().size();
            try {
                c.give(screen.get());
                testsupport::programWaitsForUser();
            } catch (const platform::ProgramEnded&) {
            }
            for (qsizetype i = freeSaid; i < messages.texts().size(); ++i)
                EXPECT_FALSE(messages.texts()[i].contains(QStringLiteral("مقفلة")))
                    << messages.texts()[i].toStdString();
        }
    }
};

TEST_F(LockedCommandsTest, EveryCommandOfEveryScreenIsRefusedWholeAndRunsOnceFree) {
    for (shelltest::ScreenOpener s : workingScreens()) {
        if (std::string_view(s.what) == "case entry") // with a heir, so the grid's keys have a row
            s.open = [this, open = s.open] {
                db.execute("delete from WARITH");
                db.execute("insert into WARITH (warith_relation, warith_name) values ('ابن', 'زيد')");
                return open();
            };
        giveEveryCommand(s.what, s.open);
    }
}

// A pick from an open list is a command as a button is: the relation list of the case entry,
// opened while the database is free, takes nothing while it is locked.
TEST_F(LockedCommandsTest, APickFromTheRelationListIsRefusedWholeAndTakenOnceFree) {
    setStage(EntryStage::Details);
    auto screen = std::make_unique<entry::Form12>(db, host);
    testsupport::showActive(screen.get());
    screen->findChild<QLineEdit*>("Text_deth_name")->setText("محمد");
    auto* grid = screen->findChild<QAbstractItemView*>("DBGrid1");
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 0));
    QTest::keyClick(grid, Qt::Key_F5);
    auto* list = screen->findChild<QComboBox*>("DBList_relation");
    ASSERT_TRUE(list->isVisible());
    list->setEditText("ابن");
    {
        testsupport::LockingProgram other(folder.casePath());
        QTest::keyClick(list->lineEdit(), Qt::Key_Return);
        ASSERT_EQ(messages.texts().size(), 1);
        testsupport::expectLockedMessage(
            messages.last(), testsupport::commandIn(entry::Texts::RelationColumn), folder.casePath());
        EXPECT_TRUE(list->isVisible());
        EXPECT_EQ(list->currentText(), "ابن");
        EXPECT_EQ(db.count("select count(*) from WARITH"), 0);
    }
    QTest::keyClick(list->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(messages.texts().size(), 1);
    EXPECT_EQ(db.count("select count(*) from WARITH where warith_relation = 'ابن' and deth_name = 'محمد'"),
              1);
}

} // namespace

namespace {

// The run of a case hands it to the calculation that follows the entry screen: no other program
// can take the database between the run button and the calculation's report.
TEST_F(LockedCommandsTest, TheRunKeepsTheLockForTheCalculationThatFollows) {
    setStage(EntryStage::Details);
    db.execute("delete from WARITH");
    db.execute("insert into WARITH (warith_relation, warith_name) values ('ابن', 'زيد')");
    auto screen = std::make_unique<entry::Form12>(db, host);
    testsupport::showActive(screen.get());
    screen->findChild<QLineEdit*>("Text_deth_name")->setText("محمد");
    screen->findChild<QComboBox*>("Text_DATA_ENTRY_NAME")->setEditText("سالم");
    auto* run = screen->findChild<QAbstractButton*>("Command1");
    QTest::mouseClick(run, Qt::LeftButton, {}, run->rect().center());
    ASSERT_FALSE(screen->isVisible()) << messages.texts().join('\n').toStdString();

    const QString name = QStringLiteral("other program");
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        other.setDatabaseName(folder.casePath());
        other.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=50"));
        ASSERT_TRUE(other.open());
        QSqlQuery q(other);
        EXPECT_FALSE(q.exec("begin immediate"));
        testsupport::programWaitsForUser(); // the results screen waits for the user
        EXPECT_TRUE(q.exec("begin immediate"));
        // What the run handed over is written.
        EXPECT_TRUE(q.exec("select count(*) from DATA_ENTRY_NAME_REPORT where DATA_ENTRY_NAME = 'سالم'") &&
                    q.next());
        EXPECT_EQ(q.value(0).toInt(), 1);
        q.exec("rollback");
        other.close();
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace

namespace {

// The message about the lock is closed as any message is, by Enter or a click on its button,
// while the other program still holds the database: it is no command of its own.
TEST_F(LockedCommandsTest, TheMessageAboutTheLockClosesWhileTheLockLasts) {
    for (const bool byClick : {false, true}) {
        SCOPED_TRACE(byClick ? "a click" : "Enter");
        platform::WidgetMessageSink::install();
        setStage(EntryStage::Details);
        auto screen = std::make_unique<entry::Form12>(db, host);
        testsupport::showActive(screen.get());
        QStringList shown;
        QTimer user;
        user.setInterval(5);
        QObject::connect(&user, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || box->property("answered").toBool())
                return;
            box->setProperty("answered", true);
            shown << box->text();
            if (shown.size() > 2) { // a message for each try to close the last: give up, fail
                platform::MessageService::setSink(nullptr);
                box->hide();
                return;
            }
            QAbstractButton* ok = box->buttons().value(0);
            ASSERT_TRUE(ok);
            // Answered after this look at the screen, as a user does, so that a box the answer
            // brings up is looked at in turn.
            QTimer::singleShot(0, box, [box, ok, byClick] {
                if (byClick)
                    QTest::mouseClick(ok, Qt::LeftButton, {}, ok->rect().center());
                else
                    QTest::keyClick(box, Qt::Key_Return);
            });
            // Closed by the answer: should it not close, the box is put away after a while.
            QTimer::singleShot(500, box, [box] { box->hide(); });
        });
        user.start();
        {
            testsupport::LockingProgram other(folder.casePath());
            auto* newCase = screen->findChild<QAbstractButton*>("Command_new");
            QTest::mouseClick(newCase, Qt::LeftButton, {}, newCase->rect().center());
        }
        user.stop();
        platform::MessageService::setSink(nullptr);
        ASSERT_EQ(shown.size(), 1) << shown.join('\n').toStdString();
        testsupport::expectLockedMessage(shown.front(), "تنفيذ", folder.casePath());
        EXPECT_TRUE(screen->isVisible());
    }
}

} // namespace
