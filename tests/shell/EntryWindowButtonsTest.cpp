#include "entry/Form12.h"
#include "results/ShrinkEnlargeButtons.h"

#include "support/TempAppFolder.h"

#include <QPushButton>

#include <gtest/gtest.h>

namespace {

// The case-entry dialogue lays out its own two window buttons; folded, it must become the low
// strip although its layout wants far more height.
TEST(EntryWindowButtons, TheShownCaseEntryDialogueFoldsToTheStrip) {
    testsupport::TempAppFolder folder(true);
    engine::CaseContext context;
    entry::Form12 dialog(folder.caseDatabase(), context);
    QWidget host;
    host.setGeometry(0, 0, 1016, 760);
    results::ShrinkEnlargeButtons buttons(&dialog, dialog.findChild<QPushButton*>("Command2"),
                                          dialog.findChild<QPushButton*>("Command5"), {&host, nullptr});
    dialog.show();
    ASSERT_GT(dialog.frameGeometry().height(), 300);
    const QRect before = dialog.frameGeometry();

    buttons.shrinkButton()->click();
    const int strip = results::ShrinkEnlargeButtons::toPixels(results::ShrinkEnlargeButtons::ShrunkHeight);
    EXPECT_EQ(dialog.frameGeometry().height(), strip);
    EXPECT_EQ(host.frameGeometry().height(), strip);
    EXPECT_TRUE(buttons.enlargeButton()->isVisibleTo(&dialog));
    // The enlarge button, the user's only way back, stands at the top of the strip and not below
    // the margins of a layout; all but its last pixel row shows.
    QPushButton* enlarge = buttons.enlargeButton();
    const QRect button(enlarge->mapTo(&dialog, QPoint(0, 0)), enlarge->size());
    EXPECT_EQ(button.top(), 0);
    EXPECT_GE(dialog.rect().height(), button.height() - 1)
        << button.height() << " in " << dialog.rect().height();
    EXPECT_EQ(dialog.childAt(button.center()), enlarge);

    // Unfolded, it stands where it stood before.
    buttons.enlargeButton()->click();
    EXPECT_EQ(dialog.frameGeometry(), before);
    dialog.hide();
}

} // namespace
