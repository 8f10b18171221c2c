// Typing a message out: one character a frame, line breaks, showing everything at once.
#include <vector>

#include "tests/support/MessageFixture.h"

using vastomer::NCaption;

namespace {

class NCaptionTest : public MessageFixture {
protected:
    NCaption* addCaption(const std::string& text) {
        NCaption* caption = NCaption::create();
        caption->setInterval(0.01f);
        caption->setPosition(100, 300);
        scene_->addChild(caption, OVERLAY_Z);
        caption->setText(text);
        caption->setOnFinished([this] { ++finishedCalls_; });
        return caption;
    }
    static std::vector<std::string> shown(const NCaption* caption) {
        std::vector<std::string> out;
        for (const engine::Label* label : caption->getCharacterLabels())
            out.push_back(label->getString());
        return out;
    }
    static std::vector<engine::Vec2> places(const NCaption* caption) {
        std::vector<engine::Vec2> out;
        for (const engine::Label* label : caption->getCharacterLabels())
            out.push_back(label->getPosition());
        return out;
    }

    int finishedCalls_ = 0;
};

TEST_F(NCaptionTest, TypesOneWholeCharacterAFrameAndLineBreaksCostNoTime) {
    NCaption* caption = addCaption("灯りを_ab");
    EXPECT_EQ(caption->getTotalCount(), 6);
    EXPECT_TRUE(caption->isPaused());
    std::vector<int> results;
    caption->setOnCharacter([&results](int result) { results.push_back(result); });
    caption->showUpTo(0);
    std::vector<std::vector<std::string>> perFrame;
    for (int i = 0; i < 5; ++i) {
        runFrames(1);
        perFrame.push_back(shown(caption));
    }
    EXPECT_EQ(perFrame[0], (std::vector<std::string>{"灯"}));
    EXPECT_EQ(perFrame[1], (std::vector<std::string>{"灯", "り"}));
    EXPECT_EQ(perFrame[2], (std::vector<std::string>{"灯", "り", "を"}));
    // The break and the next character in the same frame.
    EXPECT_EQ(perFrame[3], (std::vector<std::string>{"灯", "り", "を", "a"}));
    EXPECT_EQ(perFrame[4].size(), 5u);
    EXPECT_EQ(results, (std::vector<int>{1, 1, 1, 2, 1, 1}));
    EXPECT_TRUE(caption->isFinished());
    EXPECT_EQ(finishedCalls_, 1);
    runFrames(3);
    EXPECT_EQ(finishedCalls_, 1);

    // After the break the text starts again at the left, one line lower.
    std::vector<engine::Vec2> at = places(caption);
    const float fontSize = caption->getTTFConfig().fontSize;
    EXPECT_FLOAT_EQ(at[3].x, 0.0f);
    EXPECT_FLOAT_EQ(at[3].y, -1.25f * fontSize);
    EXPECT_GT(at[1].x, at[0].x);
    EXPECT_FLOAT_EQ(at[0].y, 0.0f);
    EXPECT_EQ(caption->getLine(), 1);
}

TEST_F(NCaptionTest, ShowingEverythingAfterAClearPutsEveryCharacterInPlace) {
    NCaption* reference = addCaption("Lantern_Street");
    reference->showUpTo(99999);
    std::vector<engine::Vec2> expected = places(reference);

    NCaption* caption = addCaption("Lantern_Street");
    caption->showUpTo(0);
    runFrames(4);
    ASSERT_EQ(caption->getShownCount(), 4);
    // Skipping: what the scene does when OK is pressed while the message types.
    caption->clear();
    EXPECT_EQ(caption->getPenX(), 0.0f);
    EXPECT_EQ(caption->getLine(), 0);
    caption->showUpTo(99999);
    EXPECT_EQ(places(caption), expected);
    EXPECT_EQ(shown(caption).size(), 13u);
    EXPECT_FALSE(caption->isFinished());
    runFrames(1);
    EXPECT_TRUE(caption->isFinished());
    EXPECT_EQ(places(caption), expected);
}

TEST_F(NCaptionTest, ShowUpToOnTwentyCharactersShowsThemAllAndFinishesOnTheNextUpdate) {
    NCaption* caption = addCaption("あいうえおかきくけこさしすせそたちつてと");
    ASSERT_EQ(caption->getTotalCount(), 20);
    caption->showUpTo(99999);
    EXPECT_EQ(caption->getShownCount(), 20);
    EXPECT_EQ(caption->getCharacterLabels().size(), 20u);
    EXPECT_EQ(finishedCalls_, 0);
    runFrames(1);
    EXPECT_EQ(finishedCalls_, 1);
}

TEST_F(NCaptionTest, BrokenMultibyteTextIsTypedToItsEndAndNoFurther) {
    // A lead byte of three with one follower, at the very end; a lone follower in the middle.
    NCaption* caption = addCaption(std::string("a\x80") + "b\xE3\x81");
    caption->showUpTo(0);
    runFrames(10);
    EXPECT_TRUE(caption->isFinished());
    EXPECT_EQ(caption->getShownCount(), caption->getTotalCount());
    EXPECT_EQ(static_cast<int>(caption->getCharacterLabels().size()), caption->getTotalCount());
}

TEST_F(NCaptionTest, AClearedCaptionStaysEmptyUntilShownAgain) {
    NCaption* caption = addCaption("abcdef");
    caption->showUpTo(0);
    runFrames(2);
    caption->clear();
    runFrames(5);
    EXPECT_TRUE(caption->getCharacterLabels().empty());
    EXPECT_EQ(finishedCalls_, 0);
}

}  // namespace
