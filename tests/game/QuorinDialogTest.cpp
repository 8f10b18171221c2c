// The dialog box: sizing to its texts, fading in and out, choosing with the cursor.
#include "engine/scene/Scale9Sprite.h"
#include "game/scenario/QuorinDialog.h"
#include "tests/support/MessageFixture.h"

using vastomer::QuorinDialog;

namespace {

class QuorinDialogTest : public MessageFixture {
protected:
    void SetUp() override {
        MessageFixture::SetUp();
        dialog_ = QuorinDialog::create();
        ASSERT_NE(dialog_, nullptr);
        scene_->addChild(dialog_, OVERLAY_Z);
    }

    QuorinDialog* dialog_ = nullptr;
};

TEST_F(QuorinDialogTest, SelectingMovesTheCursorAndIgnoresIndicesOutsideTheList) {
    dialog_->setup(true, "Buy the Lantern Hook?", {"Buy", "Not now"});
    int opened = 0;
    dialog_->open([&opened] { ++opened; });
    frames(10);
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(dialog_->getCursor()->isVisible());
    ASSERT_EQ(dialog_->getChoiceCount(), 2);
    dialog_->select(1);
    engine::Label* chosen = dialog_->getChoiceLabels()[1];
    engine::Label* other = dialog_->getChoiceLabels()[0];
    EXPECT_EQ(dialog_->getSelectedIndex(), 1);
    EXPECT_EQ(chosen->getTextColor(), engine::Color4B::WHITE);
    EXPECT_EQ(chosen->getTTFConfig().outlineSize, 1);
    EXPECT_NE(other->getTextColor(), engine::Color4B::WHITE);
    EXPECT_EQ(other->getTTFConfig().outlineSize, 0);
    EXPECT_EQ(dialog_->getCursor()->getPositionY(), chosen->getPositionY());
    EXPECT_LT(dialog_->getCursor()->getPositionX(), chosen->getBoundingBox().getMinX());
    const engine::Vec2 cursorAt = dialog_->getCursor()->getPosition();

    dialog_->select(2);
    dialog_->select(-1);
    EXPECT_EQ(dialog_->getSelectedIndex(), 1);
    EXPECT_EQ(dialog_->getCursor()->getPosition(), cursorAt);
    EXPECT_EQ(chosen->getTextColor(), engine::Color4B::WHITE);
    frames(20);
    keepShot("dialog_choices");
    EXPECT_GT(dialog_->getBack()->getOpacity(), 150);
}

TEST_F(QuorinDialogTest, TheBoxGrowsWithItsChoicesAndANoticeHasNoCursor) {
    dialog_->setup(false, "Saved.", {"ignored"});
    EXPECT_EQ(dialog_->getChoiceCount(), 0);
    const engine::Size notice = dialog_->getBack()->getContentSize();
    dialog_->select(0);
    EXPECT_EQ(dialog_->getSelectedIndex(), -1);

    dialog_->setup(true, "Saved.", {"To the hub", "Next stage", "A much longer choice than the title"});
    const engine::Size question = dialog_->getBack()->getContentSize();
    EXPECT_GT(question.height, notice.height);
    EXPECT_GT(question.width, notice.width);
    const engine::Label* widest = dialog_->getChoiceLabels()[2];
    EXPECT_GE(question.width * 2.0f, widest->getContentSize().width * 0.5f);
    EXPECT_EQ(dialog_->getFrame()->getContentSize(), question);
    // The last choice sits inside the box.
    float boxBottom = dialog_->getBack()->getPositionY() - question.height;
    EXPECT_GT(widest->getPositionY(), boxBottom);

    // Set up again, the old choices go.
    dialog_->setup(true, "Again?", {"Yes", "No"});
    EXPECT_EQ(dialog_->getChoiceCount(), 2);
}

TEST_F(QuorinDialogTest, OpeningAndClosingFadeEverythingAndCallBackOnce) {
    dialog_->setup(true, "Leave the stage?", {"Leave", "Stay"});
    int opened = 0, closed = 0;
    dialog_->open([&opened] { ++opened; });
    frames(10);
    EXPECT_EQ(dialog_->getBack()->getOpacity(), QuorinDialog::BACK_OPACITY);
    EXPECT_EQ(dialog_->getFrame()->getOpacity(), 255);
    EXPECT_EQ(dialog_->getTitleLabel()->getOpacity(), 255);
    EXPECT_EQ(dialog_->getChoiceLabels()[0]->getOpacity(), 255);
    dialog_->close([&closed] { ++closed; });
    EXPECT_FALSE(dialog_->getCursor()->isVisible());
    frames(10);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(dialog_->getBack()->getOpacity(), 0);
    EXPECT_EQ(dialog_->getChoiceLabels()[1]->getOpacity(), 0);
}

}  // namespace
