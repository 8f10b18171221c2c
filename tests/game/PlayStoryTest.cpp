// The story on the stage through the play controller: a part's entry talk and a sensor's aside play
// once per save (also after the save is read again), and a creature's grab plays the drama part of
// the Resolve tier, after which play resumes; a grab without a playable part is an ordinary contact.
#include "engine/platform/HeadlessView.h"
#include "game/scenario/NCaption.h"
#include "tests/support/StoryFixture.h"

using namespace vastomer;

namespace {

const char* const ENTRY = "scenario/wop_0001_0001_0001.bks";
const char* const ASIDE = "scenario/oim_0001_0001_0001.bks";

class PlayStoryTest : public StoryFixture {
protected:
    // A new run of the game over the same save folder.
    void restartGame() {
        resetGame();
        view_ = engine::HeadlessView::create();
        engine::Director::getInstance()->setOpenGLView(view_);
    }
};

class PlayDramaTest : public StoryFixture {
protected:
    void SetUp() override {
        StoryFixture::SetUp();
        startPlaying();
    }
    // A Sproutling (character 1) standing on the stage at `offset` from the player.
    CharacterSprite* addCreature(int id, const engine::Vec2& offset) {
        CharacterSprite* creature = CharacterSprite::create(id, 0, "enemy", 0);
        creature->setPosition(player()->getPosition() + offset);
        map()->getCharacterLayer()->addChild(creature);
        map()->addCharacter(creature);
        return creature;
    }
    bool inDrama() const { return controller()->isInDrama(); }
};

}  // namespace

TEST_F(PlayStoryTest, APartEntryTalkPlaysOncePerSaveAndNotAgainAfterTheSaveIsReadAgain) {
    ASSERT_NE(startStage(1, 0, true), nullptr);
    ASSERT_TRUE(runUntil([&] { return scenarioRunning(); }, 30));
    EXPECT_EQ(controller()->getScenarioFile(), ENTRY);
    EXPECT_TRUE(player()->isFrozen());
    EXPECT_FALSE(controller()->isActive());
    ASSERT_TRUE(runUntil([&] { return window()->isOpen() && window()->isLeftShown(); }, 90))
        << "the curtain lifts, the window opens, Quorin's picture comes in";
    EXPECT_EQ(window()->getPictureFile(true), "character/cf_00_01_01.png");

    ASSERT_TRUE(tapOkUntil([&] { return !scenarioRunning(); }));
    DataManager* data = DataManager::getInstance();
    EXPECT_TRUE(data->isRead(ENTRY));
    ASSERT_TRUE(runUntilPlayable());
    EXPECT_EQ(scene()->getCurtain()->getOpacity(), 0);
    EXPECT_EQ(NAudioManager::getInstance()->getCurrentBgm(), "audio/bgm/QUORIN_Stage01.mp3")
        << "the script chose no music: the stage's plays";
    ASSERT_TRUE(data->saveProgress());

    restartGame();
    ASSERT_NE(startStage(1, 0, true), nullptr);
    ASSERT_TRUE(runUntilPlayable());
    EXPECT_TRUE(DataManager::getInstance()->isRead(ENTRY));
    EXPECT_EQ(controller()->getScenarioFile(), "") << "no scene played this time";
}

TEST_F(PlayStoryTest, ASensorStartsItsAsideOnceAndTheAsideIsNotStartedAgain) {
    ASSERT_NE(startStage(1, 0, true), nullptr);
    DataManager::getInstance()->markRead(ENTRY);
    ASSERT_TRUE(runUntilPlayable());
    // Sensor 1 of the tests' part 1 stands at x 200-216.
    player()->setPosition(205.0f, 52.0f);
    ASSERT_TRUE(runUntil([&] { return scenarioRunning(); }, 10));
    EXPECT_EQ(controller()->getScenarioFile(), ASIDE);
    ASSERT_TRUE(tapOkUntil([&] { return !scenarioRunning(); }));
    ASSERT_TRUE(runUntil([&] { return controller()->isActive() && !player()->isFrozen(); }, 10));
    EXPECT_TRUE(DataManager::getInstance()->isRead(ASIDE));

    player()->setPosition(100.0f, 52.0f);
    runFrames(5);
    player()->setPosition(205.0f, 52.0f);
    runFrames(10);
    EXPECT_FALSE(scenarioRunning());
    EXPECT_EQ(controller()->getFinishedScenarioCount(), 1);
}

TEST_F(PlayStoryTest, NoSceneStartsWhileAnotherRuns) {
    startPlaying();
    ASSERT_TRUE(play("WAIT;KEY;OK\n"));
    const std::string first = lastScript_;
    EXPECT_FALSE(controller()->startScenario(writeScript("second.bks", "VAR;SECOND;1\n"), 0, nullptr, true));
    CharacterSprite* creature = CharacterSprite::create(1, 0, "enemy", 0);
    EXPECT_FALSE(controller()->startDramaPart(creature, false, 0));
    EXPECT_EQ(controller()->getScenarioFile(), first);
    runFrames(1);
    tap(KEY_Z);
    ASSERT_TRUE(runUntil([&] { return !scenarioRunning(); }, 5));
    EXPECT_FALSE(DataManager::getInstance()->isRead(scripts_ / "second.bks")) << "it may start later";
}

TEST_F(PlayDramaTest, AGrabPlaysTheDramaPartOfTheResolveTierAndPlayResumes) {
    CharacterSprite* sprout = addCreature(1, engine::Vec2(200, 0));
    runFrames(5);
    DataManager* data = DataManager::getInstance();
    const struct {
        int lp;
        const char* file;
    } tiers[] = {{100, "drama/dramaPart_001_01.bds"},
                 {101, "drama/dramaPart_001_02.bds"},
                 {450, "drama/dramaPart_001_02.bds"},
                 {451, "drama/dramaPart_001_03.bds"}};
    int played = 0;
    for (const auto& tier : tiers) {
        SCOPED_TRACE(tier.lp);
        data->setLp(tier.lp);
        ASSERT_TRUE(controller()->startDramaPart(sprout, false, 0));
        EXPECT_EQ(controller()->getDramaFile(), tier.file);
        EXPECT_TRUE(inDrama());
        EXPECT_FALSE(controller()->isActive());
        EXPECT_TRUE(player()->isFrozen());
        EXPECT_TRUE(player()->isHeld());
        EXPECT_FALSE(player()->getAnimation()->isVisible());
        EXPECT_TRUE(sprout->isActionLocked());
        // The Sproutling's part sits on Quorin.
        ASSERT_NE(player()->getChildByTag(PlayerCharacter::DRAMA_TAG), nullptr);
        EXPECT_TRUE(data->isSituationUnlocked(1));
        EXPECT_FALSE(controller()->startDramaPart(sprout, false, 0)) << "a second grab starts nothing";

        ASSERT_TRUE(runUntil([&] { return window()->isOpen(); }, 200));
        ASSERT_TRUE(tapOkUntil([&] { return !inDrama(); }));
        ++played;
        EXPECT_TRUE(controller()->isActive());
        EXPECT_FALSE(player()->isFrozen());
        EXPECT_FALSE(player()->isHeld());
        EXPECT_TRUE(player()->getAnimation()->isVisible());
        EXPECT_EQ(player()->getChildByTag(PlayerCharacter::DRAMA_TAG), nullptr);
        EXPECT_GT(sprout->getStunTimer(), PlayController::GRAPPLE_COOLDOWN - 5)
            << "a cool-down after the grab";
        EXPECT_EQ(data->getLp(), tier.lp + data->lpGain());
        EXPECT_TRUE(data->isRead(tier.file)) << "a part played once may be fast-forwarded the next time";
        EXPECT_EQ(controller()->getFinishedDramaCount(), played);
        // Play goes on: she walks again.
        const float x = player()->getPositionX();
        runFrames(10);
        press(playtest::RIGHT, 20);
        EXPECT_GT(player()->getPositionX(), x);
    }
}

TEST_F(PlayDramaTest, ACatchShowsItsAnimationOnTheStageAndItsLinesInTheWindow) {
    CharacterSprite* sprout = addCreature(1, engine::Vec2(14, 0));
    runFrames(3);
    DataManager::getInstance()->setLp(200);
    ASSERT_TRUE(controller()->startDramaPart(sprout, false, 0));
    runFrames(20);
    DramaPart* part = controller()->getDramaPart();
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part->getParent(), player());
    EXPECT_EQ(part->getAnimationNames(), std::vector<std::string>{"catch"});
    EXPECT_FALSE(sprout->getAnimation()->isVisible()) << "the part draws the creature with her";
    keepShot("grab_catch");
    ASSERT_TRUE(runUntil([&] { return part->getWaitDescription() == "message (key OK)"; }, 300));
    EXPECT_TRUE(window()->isOpen());
    EXPECT_EQ(window()->getPictureFile(true), "cf_00_01_05.png");
    keepShot("grab_message");
    ASSERT_TRUE(tapOkUntil([&] { return !inDrama(); }));
    runFrames(5);
    keepShot("grab_after");
}

TEST_F(PlayDramaTest, APartReadInAnEarlierPlayIsFastForwardedWhileTheSkipKeyIsHeld) {
    CharacterSprite* sprout = addCreature(1, engine::Vec2(200, 0));
    runFrames(3);
    DataManager* data = DataManager::getInstance();
    auto holdSkip = [&](int frames) {
        sendKey(KEY_X, true);
        for (int i = 0; i < frames && inDrama(); ++i)
            runFrames(1);
        sendKey(KEY_X, false);
    };
    data->setLp(200);
    ASSERT_TRUE(controller()->startDramaPart(sprout, false, 0));
    holdSkip(240);
    ASSERT_TRUE(inDrama()) << "read for the first time: every line waits for OK";
    ASSERT_TRUE(tapOkUntil([&] { return !inDrama(); }));

    data->setLp(200);
    runFrames(10);
    const int pages = timesPlayed(QuorinScenarioEngine::CURSOR_SOUND);
    ASSERT_TRUE(controller()->startDramaPart(sprout, false, 0));
    holdSkip(600);
    EXPECT_FALSE(inDrama()) << "read before: the lines go by without a key";
    EXPECT_EQ(timesPlayed(QuorinScenarioEngine::CURSOR_SOUND), pages) << "and without the page sound";
}

TEST_F(PlayDramaTest, ACreatureTouchingTheLuringPlayerCatchesHer) {
    DataManager* data = DataManager::getInstance();
    data->setLp(451);
    const int sp = data->getSp();
    press(playtest::BUTTON6, 2);
    ASSERT_TRUE(player()->isEnticing());
    addCreature(1, engine::Vec2(12, 0));
    ASSERT_TRUE(runUntil([&] { return inDrama(); }, 30));
    EXPECT_EQ(controller()->getDramaFile(), "drama/dramaPart_001_03.bds");
    EXPECT_TRUE(controller()->getLastDramaRequest().entice);
    ASSERT_TRUE(tapOkUntil([&] { return !inDrama(); }));
    EXPECT_EQ(data->getSp(), std::min(sp + data->spGainFor(1), DataManager::kSpMax))
        << "a lured catch gives Spirit";
    EXPECT_FALSE(player()->isEnticing());
}

TEST_F(PlayDramaTest, AGrabWithoutAPlayableDramaPartIsAnOrdinaryContact) {
    // Character 1 has no event for key 7.
    CharacterSprite* sprout = addCreature(1, engine::Vec2(200, 0));
    runFrames(2);
    EXPECT_FALSE(controller()->startDramaPart(sprout, false, 7));
    EXPECT_FALSE(inDrama());
    EXPECT_TRUE(controller()->isActive());
    EXPECT_FALSE(player()->isFrozen());
    EXPECT_FALSE(player()->isHeld());
    EXPECT_FALSE(DataManager::getInstance()->isSituationUnlocked(1));
    EXPECT_EQ(player()->getChildByTag(PlayerCharacter::DRAMA_TAG), nullptr);
}
