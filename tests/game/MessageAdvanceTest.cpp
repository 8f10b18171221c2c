// Reading a message: OK shows the rest then turns the page with the cursor sound, auto messages
// go on by themselves, and read text can be fast-forwarded by holding a key.
#include <functional>

#include "tests/support/MessageFixture.h"

using vastomer::MessageAdvance;
using vastomer::MessageWindow;

namespace {

constexpr const char* LINE = "The lamps are lit early tonight.";

class MessageAdvanceTest : public MessageFixture {
protected:
    void SetUp() override {
        MessageFixture::SetUp();
        window_ = addWindow();
        ASSERT_NE(window_, nullptr);
        window_->openWindow(nullptr);
        frames(20);
    }
    void start(const std::string& text, bool autoMode = false) {
        advance_.start(window_, text, autoMode, [this] { ++done_; });
    }
    int shown() const { return window_->getCaption()->getShownCount(); }
    int total() const { return window_->getCaption()->getTotalCount(); }
    int cursorSounds() const { return timesPlayed(MessageAdvance::CURSOR_SOUND); }

    MessageWindow* window_ = nullptr;
    MessageAdvance advance_;
    int done_ = 0;
};

TEST_F(MessageAdvanceTest, OkShowsTheRestThenTurnsThePageWithTheCursorSound) {
    start(LINE);
    frames(3, &advance_);
    EXPECT_EQ(shown(), 3);
    EXPECT_EQ(advance_.describe(), "typing");
    press(KEY_Z);
    frames(1, &advance_);
    EXPECT_EQ(shown(), total());
    EXPECT_EQ(cursorSounds(), 0);
    frames(1, &advance_);
    EXPECT_EQ(advance_.getState(), MessageAdvance::State::WAITING_FOR_OK);
    EXPECT_EQ(advance_.describe(), "key OK");
    EXPECT_TRUE(window_->isNextCursorShown());
    // The press that showed the text does not also turn the page, however long it is held.
    frames(40, &advance_);
    EXPECT_EQ(done_, 0);
    release(KEY_Z);
    press(KEY_Z);
    frames(1, &advance_);
    EXPECT_EQ(done_, 1);
    EXPECT_EQ(cursorSounds(), 1);
    EXPECT_FALSE(window_->isNextCursorShown());
    EXPECT_FALSE(advance_.isRunning());
    release(KEY_Z);
    frames(5, &advance_);
    EXPECT_EQ(done_, 1);
}

TEST_F(MessageAdvanceTest, CancelAlsoShowsTheRestButOnlyOkTurnsThePage) {
    start(LINE);
    frames(2, &advance_);
    press(KEY_X);
    frames(2, &advance_);
    release(KEY_X);
    EXPECT_EQ(advance_.getState(), MessageAdvance::State::WAITING_FOR_OK);
    press(KEY_X);
    frames(3, &advance_);
    release(KEY_X);
    EXPECT_EQ(done_, 0);
    press(KEY_Z);
    frames(1, &advance_);
    release(KEY_Z);
    EXPECT_EQ(done_, 1);
}

TEST_F(MessageAdvanceTest, AnAutoMessageGoesOnAsSoonAsItIsShown) {
    start("Hm.", true);
    frames(3, &advance_);
    EXPECT_EQ(done_, 1);
    EXPECT_FALSE(window_->isNextCursorShown());
    EXPECT_EQ(cursorSounds(), 0);
}

TEST_F(MessageAdvanceTest, HoldingOkNeverSkipsTextReadForTheFirstTime) {
    start(LINE);
    press(KEY_Z);
    frames(120, &advance_);
    EXPECT_EQ(done_, 0);
    EXPECT_FALSE(advance_.isFastForwarding());
    release(KEY_Z);
}

TEST_F(MessageAdvanceTest, HoldingOkFastForwardsTextReadBeforeSilently) {
    advance_.setReadBefore(true);
    // The next message starts when one ends, as a scene plays them.
    std::function<void()> next = [&] {
        ++done_;
        if (done_ < 3) advance_.start(window_, LINE, false, next);
    };
    advance_.start(window_, LINE, false, next);
    press(KEY_Z);
    int frame = 0;
    while (done_ < 3 && frame < 200) {
        frames(1, &advance_);
        ++frame;
    }
    EXPECT_EQ(done_, 3);
    // Held from the first press: a look at each page, without waiting for every character.
    EXPECT_LE(frame, MessageAdvance::HOLD_FRAMES + 3 * (MessageAdvance::SKIP_FRAMES + 2));
    EXPECT_EQ(cursorSounds(), 0);
    release(KEY_Z);

    // Let go, the next message types and waits again.
    start(LINE);
    frames(40, &advance_);
    EXPECT_FALSE(advance_.isFastForwarding());
    EXPECT_EQ(advance_.getState(), MessageAdvance::State::WAITING_FOR_OK);
}

TEST_F(MessageAdvanceTest, HoldingCancelFastForwardsTextReadBeforeAtOnce) {
    advance_.setReadBefore(true);
    start(LINE);
    press(KEY_X);
    frames(2 + MessageAdvance::SKIP_FRAMES, &advance_);
    EXPECT_EQ(done_, 1);
    release(KEY_X);
}

TEST_F(MessageAdvanceTest, WithoutAWindowTheMessageEndsAtTheNextUpdate) {
    advance_.start(nullptr, LINE, false, [this] { ++done_; });
    EXPECT_EQ(done_, 0);
    advance_.update();
    EXPECT_EQ(done_, 1);
}

TEST_F(MessageAdvanceTest, ANewMessageDropsTheOldOneWithoutItsCallback) {
    int dropped = 0;
    advance_.start(window_, LINE, false, [&dropped] { ++dropped; });
    frames(3, &advance_);
    start("Next.", true);
    frames(10, &advance_);
    EXPECT_EQ(dropped, 0);
    EXPECT_EQ(done_, 1);
    EXPECT_EQ(window_->getMessageText(), "Next.");
}

}  // namespace
