// The end credits: the roll of headings, names and the built-with picture to the ending music, the
// closing caption, and the way back to the title: CANCEL at once, or the end of the roll, whichever
// asks first; a later request changes nothing.
#include "engine/scene/Label.h"
#include "game/menu/EndCreditController.h"
#include "game/menu/EndCreditScene.h"
#include "tests/support/MenuFixture.h"

using namespace vastomer;

namespace {

class EndCreditTest : public MenuFixture {
protected:
    // As the story does after the ending: the credits keep the music decision to themselves.
    void startCredits() {
        ASSERT_TRUE(makeGame());
        SceneManager::getInstance()->setKeepBgmOnChange(true);
        ASSERT_NE(startOn(SceneId::END_CREDIT), nullptr);
    }
};

}  // namespace

TEST_F(EndCreditTest, TheRollListsEveryHeadingAndNameInItsOrder) {
    const auto& lines = EndCreditScene::lines();
    ASSERT_EQ(lines.size(), 9u + 26u + 1u);
    EXPECT_EQ(lines.front().key, "ENDCREDIT_D01");
    EXPECT_EQ(lines[1].key, "ENDCREDIT_N01");
    EXPECT_EQ(lines[6].key, "ENDCREDIT_D04");
    EXPECT_EQ(lines[7].key, "ENDCREDIT_N02");
    EXPECT_EQ(lines.back().key, "ENDCREDIT_N24");
    int pictures = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].key.empty()) continue;
        ++pictures;
        EXPECT_EQ(lines[i - 1].key, "ENDCREDIT_D07") << "the built-with picture follows its heading";
    }
    EXPECT_EQ(pictures, 1);
}

TEST_F(EndCreditTest, CancelGoesToTheTitleOnceAndLaterRequestsAreIgnored) {
    startCredits();
    runFrames(5);
    engine::RefPtr<EndCreditScene> credits = layer<EndCreditScene>();
    ASSERT_TRUE(credits);
    EXPECT_TRUE(credits->isRunning());
    EXPECT_EQ(NAudioManager::getInstance()->getCurrentBgm(), EndCreditScene::MUSIC);
    for (const auto& line : EndCreditScene::lines()) {
        if (line.key.empty()) continue;
        EXPECT_NE(StringsManager::getInstance()->getString(line.key), line.key) << "a text for " << line.key;
    }

    // A held CANCEL: one change to the title, whatever else asks afterwards.
    sendKey(menutest::CANCEL, true);
    runFrames(10);
    EXPECT_EQ(sceneId(), static_cast<int>(SceneId::TITLE));
    EXPECT_FALSE(manager()->hasPendingChange());
    EXPECT_TRUE(credits->isLeaving());
    EXPECT_FALSE(credits->leaveToTitle()) << "the end of the roll would ask again: ignored";
    EXPECT_FALSE(manager()->hasPendingChange());
    sendKey(menutest::CANCEL, false);
    settle();
    EXPECT_EQ(sceneId(), static_cast<int>(SceneId::TITLE));
}

TEST_F(EndCreditTest, TheRollEndsWithItsCaptionAndLeadsToTheTitle) {
    // Nothing needs drawing here: the frames run as they would, only faster.
    engine::Director::getInstance()->setFrameDrawFilter([](uint64_t) { return false; });
    startCredits();
    runFrames(5);
    engine::RefPtr<EndCreditScene> credits = layer<EndCreditScene>();
    ASSERT_TRUE(credits);
    const float start = credits->getRollOffset();
    runFrames(85 * 60);
    EXPECT_GT(credits->getRollOffset(), start + EndCreditScene::ROLL_HEIGHT) << "rolled past the top";
    EXPECT_EQ(sceneId(), static_cast<int>(SceneId::END_CREDIT));
    // 1.5 s of waiting and 5 s of fading in, then "The End" holds for 2 s.
    runFrames(450);
    EXPECT_EQ(credits->getClosingCaption()->getOpacity(), 255) << "The End shows";
    for (int i = 0; i < 15 * 60 && sceneId() == static_cast<int>(SceneId::END_CREDIT); ++i)
        runFrames(1);
    EXPECT_EQ(sceneId(), static_cast<int>(SceneId::TITLE));
    EXPECT_FALSE(manager()->isKeepBgmOnChange() &&
                 NAudioManager::getInstance()->getCurrentBgm() == EndCreditScene::MUSIC);
    settle();
    EXPECT_EQ(NAudioManager::getInstance()->getCurrentBgm(), "audio/bgm/QUORIN_Title.mp3");
}
