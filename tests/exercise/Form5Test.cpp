#include "exercise/Form5.h"

#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(Form5, OpensAtTheSizeOfTheScreenItWasMadeFor) {
    testsupport::TempAppFolder folder;
    engine::CaseContext host;
    exercise::Form5 dialog(folder.caseDatabase(), host, {}, nullptr);
    EXPECT_EQ(dialog.size(), QSize(1024, 768));
}

} // namespace
