// Message boxes without a window: what they print and what they remember.
#include <string>

#include <gtest/gtest.h>

#include "engine/platform/MessageBox.h"

using engine::MessageBox;

namespace {

TEST(MessageBoxTest, HeadlessBoxesGoToStderrAndTheList) {
    MessageBox::setHeadless(true);
    MessageBox::clearShown();
    testing::internal::CaptureStderr();
    MessageBox::show("cannot read anime/x.cma", "ANIMATION ERROR");
    MessageBox::show("second", "T");
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "ANIMATION ERROR: cannot read anime/x.cma\nT: second\n");
    ASSERT_EQ(MessageBox::getShown().size(), 2u);
    EXPECT_EQ(MessageBox::getShown()[0].title, "ANIMATION ERROR");
    EXPECT_EQ(MessageBox::getShown()[0].message, "cannot read anime/x.cma");
    EXPECT_EQ(MessageBox::getShown()[1].title, "T");
    MessageBox::clearShown();
    EXPECT_TRUE(MessageBox::getShown().empty());
}

TEST(MessageBoxTest, FormatCharactersArePrintedAsText) {
    MessageBox::setHeadless(true);
    testing::internal::CaptureStderr();
    MessageBox::show("100% %s %n", "%d");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "%d: 100% %s %n\n");
    MessageBox::clearShown();
}

}  // namespace
