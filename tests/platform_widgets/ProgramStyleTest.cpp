#include "platform/widgets/ProgramStyle.h"

#include "support/Widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

#include <gtest/gtest.h>

namespace {

// The bounding box of the pixels where two pictures of one widget differ.
QRect changedPixels(const QImage& a, const QImage& b) {
    QRect box;
    for (int y = 0; y < qMin(a.height(), b.height()); ++y)
        for (int x = 0; x < qMin(a.width(), b.width()); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

QImage picture(QWidget* widget) {
    QApplication::processEvents();
    return widget->grab().toImage();
}

// The program's screens put the focus on a control themselves, and a click puts it where it lands:
// either way, with no Tab pressed, a keyboard user must see which control has it.
TEST(ProgramStyleFocus, EveryFocusableControlShowsItHasTheFocus) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* elsewhere = new QLineEdit(&window);
    layout->addWidget(elsewhere);

    auto* tool = new QToolButton;
    tool->setText(QStringLiteral("تكبير"));
    tool->setFocusPolicy(Qt::StrongFocus);
    auto* combo = new QComboBox;
    combo->addItems({QStringLiteral("8.25"), QStringLiteral("10")});
    auto* grid = new QTableView;
    auto* model = new QStandardItemModel(2, 2, grid);
    grid->setModel(model);
    grid->setCurrentIndex(model->index(0, 0));
    // A list of stored cases before the first is stored: no line to carry the mark.
    auto* emptyList = new QTableView;
    emptyList->setModel(new QStandardItemModel(0, 2, emptyList));
    const struct {
        const char* name;
        QWidget* control;
    } cases[] = {
        {"push button", new QPushButton(QStringLiteral("تنفيذ مفرد"))},
        {"check box", new QCheckBox(QStringLiteral("وفق المذهب الآخر"))},
        {"radio button", new QRadioButton(QStringLiteral("المذهب الحنفي"))},
        {"tool button", tool},
        {"combo box", combo},
        {"spin box", new QSpinBox},
        {"line edit", new QLineEdit(QStringLiteral("زيد"))},
        {"grid", grid},
        {"empty list", emptyList},
    };
    for (const auto& c : cases)
        layout->addWidget(c.control);
    testsupport::showActive(&window);

    for (const auto& c : cases) {
        for (const Qt::FocusReason reason : {Qt::OtherFocusReason, Qt::MouseFocusReason}) {
            SCOPED_TRACE(std::string(c.name) + (reason == Qt::MouseFocusReason ? ", clicked" : ", set"));
            elsewhere->setFocus(reason);
            const QImage unfocused = picture(c.control);
            c.control->setFocus(reason);
            ASSERT_TRUE(c.control->hasFocus());
            // What a click leaves: no focus change by the keyboard to mark.
            window.setAttribute(Qt::WA_KeyboardFocusChange, false);
            EXPECT_FALSE(changedPixels(unfocused, picture(c.control)).isEmpty());
        }
    }
}

// How far apart two colours are: the largest difference of one of their parts.
int colourDistance(QRgb a, QRgb b) {
    return qMax(qMax(qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b))), qAbs(qBlue(a) - qBlue(b)));
}

// A list whose current line is also its selected one (a list of stored cases with one case in it):
// the focus mark must stand out against the selection colour, on every side of the current cell,
// not be a faint line in a shade of that colour.
TEST(ProgramStyleFocus, TheCurrentLineOfAListShowsTheFocusApartFromTheSelection) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* elsewhere = new QLineEdit(&window);
    layout->addWidget(elsewhere);
    auto* list = new QTableView;
    // Blank cells: inside the current cell, the selection colour is all there is without the focus.
    auto* model = new QStandardItemModel(1, 2, list);
    list->setModel(model);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    // A grid line beside the cell is no focus mark, and drawn right to left it falls inside the
    // cell's rectangle.
    list->setShowGrid(false);
    layout->addWidget(list);
    testsupport::showActive(&window);
    list->setCurrentIndex(model->index(0, 0));
    ASSERT_TRUE(list->selectionModel()->isRowSelected(0, QModelIndex()));

    // The cell in the list's own pixels.
    const QRect cell = list->visualRect(model->index(0, 0)).translated(list->viewport()->pos());
    ASSERT_GT(cell.width(), 20);
    ASSERT_GT(cell.height(), 10);
    elsewhere->setFocus(Qt::OtherFocusReason);
    const QRgb selection = picture(list).pixel(cell.center());

    const QPoint inCell = list->visualRect(model->index(0, 0)).center();
    const struct {
        const char* how;
        std::function<void()> moveFocus;
    } ways[] = {
        {"set by the screen",
         [&] {
             list->setFocus(Qt::OtherFocusReason);
             window.setAttribute(Qt::WA_KeyboardFocusChange, false);
         }},
        {"clicked", [&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, inCell); }},
        {"tabbed", [&] { QTest::keyClick(elsewhere, Qt::Key_Tab); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        elsewhere->setFocus(Qt::OtherFocusReason);
        way.moveFocus();
        ASSERT_TRUE(list->hasFocus());
        ASSERT_EQ(list->currentIndex(), model->index(0, 0));
        ASSERT_TRUE(list->selectionModel()->isRowSelected(0, QModelIndex()));
        const QImage focused = picture(list);
        // From each edge of the cell to its middle, a pixel of the mark.
        const auto markOnTheWay = [&](QPoint from, QPoint step) {
            int strongest = 0;
            for (QPoint p = from; p != cell.center(); p += step)
                strongest = qMax(strongest, colourDistance(focused.pixel(p), selection));
            return strongest;
        };
        const int y = cell.center().y();
        const int x = cell.center().x();
        const struct {
            const char* side;
            int strongest;
        } sides[] = {
            {"top", markOnTheWay({x, cell.top()}, {0, 1})},
            {"bottom", markOnTheWay({x, cell.bottom()}, {0, -1})},
            {"left", markOnTheWay({cell.left(), y}, {1, 0})},
            {"right", markOnTheWay({cell.right(), y}, {-1, 0})},
        };
        for (const auto& s : sides)
            EXPECT_GE(s.strongest, 100) << s.side;
    }
}

// Qt's Arabic catalogue marks access keys inside words; an underlined letter would be drawn apart
// from its word and cut its joining. The word is drawn whole, as if unmarked.
TEST(ProgramStyleAccessKeys, AMarkedCaptionIsDrawnAsTheWholeWord) {
    const std::function<QWidget*(const QString&)> makers[] = {
        [](const QString& t) { return new QPushButton(t); },
        [](const QString& t) { return new QCheckBox(t); },
        [](const QString& t) { return new QRadioButton(t); },
        [](const QString& t) {
            auto* label = new QLabel(t);
            label->setBuddy(new QLineEdit(label));
            return label;
        },
    };
    const struct {
        QString marked;
        QString word;
    } captions[] = {
        {QStringLiteral("ا&حفظ"), QStringLiteral("احفظ")},
        {QStringLiteral("ا&سم الملف:"), QStringLiteral("اسم الملف:")},
        {QStringLiteral("&نعم"), QStringLiteral("نعم")},
    };
    for (const auto& make : makers) {
        for (const auto& c : captions) {
            std::unique_ptr<QWidget> marked(make(c.marked));
            std::unique_ptr<QWidget> plain(make(c.word));
            SCOPED_TRACE(std::string(marked->metaObject()->className()) + " " + c.marked.toStdString());
            plain->resize(marked->sizeHint());
            marked->resize(marked->sizeHint());
            EXPECT_EQ(picture(marked.get()), picture(plain.get()));
        }
    }
}

// Qt's dialogues give their buttons an icon beside the caption (on the desktop, not off screen).
// Laid out right to left, the caption stays inside the button's frame, beside the icon, not on it.
TEST(ProgramStyleButtonLabel, ACaptionBesideAnIconStaysInsideTheButton) {
    const QIcon icon = QApplication::style()->standardIcon(QStyle::SP_DialogCancelButton);
    ASSERT_FALSE(icon.isNull());
    const struct {
        const char* name;
        QString caption;
        Qt::LayoutDirection direction;
        int width; // 0: the button's own width
    } cases[] = {
        {"cancel, right to left, wide as a dialogue's", QStringLiteral("ألغِ"), Qt::RightToLeft, 80},
        {"save, right to left, wide as a dialogue's", QStringLiteral("احفظ"), Qt::RightToLeft, 80},
        {"right to left, its own width", QStringLiteral("معاينة قبل الطبع"), Qt::RightToLeft, 0},
        {"right to left, wide", QStringLiteral("حفظ"), Qt::RightToLeft, 200},
        {"left to right", QStringLiteral("PDF"), Qt::LeftToRight, 80},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QPushButton button;
        button.setLayoutDirection(c.direction);
        button.setIcon(icon);
        button.setText(c.caption);
        button.resize(c.width ? qMax(c.width, button.sizeHint().width()) : button.sizeHint().width(),
                      button.sizeHint().height());
        const QImage both = picture(&button);
        // A clear icon of the same size keeps the caption where it was.
        QPixmap clear(button.iconSize());
        clear.fill(Qt::transparent);
        button.setIcon(QIcon(clear));
        const QImage captionOnly = picture(&button);
        button.setIcon(QIcon());
        button.setText(QString());
        const QImage bare = picture(&button);

        const QRect caption = changedPixels(captionOnly, bare);
        const QRect iconPixels = changedPixels(both, captionOnly);
        ASSERT_FALSE(caption.isEmpty());
        ASSERT_FALSE(iconPixels.isEmpty());
        QStyleOptionButton option;
        option.initFrom(&button);
        const QRect contents =
            button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
        EXPECT_TRUE(contents.contains(caption)) << "caption " << caption.x() << ".." << caption.right()
                                                << " in " << contents.x() << ".." << contents.right();
        if (c.direction == Qt::RightToLeft)
            EXPECT_LT(caption.right(), iconPixels.left()) << "the caption reads on from the icon's left";
        else
            EXPECT_GT(caption.left(), iconPixels.right());
        // The pair stands in the middle of the button.
        const int leftGap = qMin(caption.left(), iconPixels.left());
        const int rightGap = button.width() - 1 - qMax(caption.right(), iconPixels.right());
        EXPECT_LE(qAbs(leftGap - rightGap), 6) << leftGap << " " << rightGap;
    }
}

} // namespace
