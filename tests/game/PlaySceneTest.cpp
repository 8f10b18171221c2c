// The play screen: the stage start (and its refusal), part changes with the camera and the music,
// the retry from the boss, and the player carried from stage to stage.
#include "game/audio/NAudioManager.h"
#include "tests/support/PlayFixture.h"

using namespace vastomer;

namespace {

class PlaySceneTest : public PlayFixture {
protected:
    int part() const { return DataManager::getInstance()->getCurrentPart(); }
    std::string music() const { return NAudioManager::getInstance()->getCurrentBgm(); }
    // How many times the track has been started since the log was cleared.
    int starts(const std::string& track) const {
        int count = 0;
        for (const auto& entry : engine::AudioEngine::getLog())
            if (entry.operation == "play2d" && entry.path.find(track) != std::string::npos) ++count;
        return count;
    }
    // Frames a part may take to become playable: the boss part opens with the boss's introduction.
    static constexpr int BOSS_INTRO_LIMIT = 900;
    // Changes the part from the controller's frame, as a sensor does, and waits for play.
    void goTo(int stage, int newPart, int marker = -1) {
        controller()->requestMapChange(stage, newPart, marker);
        runFrames(1);
        ASSERT_EQ(part(), newPart);
        ASSERT_TRUE(runUntilPlayable(BOSS_INTRO_LIMIT));
    }
};

}  // namespace

TEST_F(PlaySceneTest, StageOneStartsAtItsStartPartAndThePlayerLands) {
    ASSERT_NE(startStage(1), nullptr);
    ASSERT_TRUE(runUntilPlayable());
    runFrames(10);
    EXPECT_EQ(part(), 1);
    EXPECT_EQ(scene()->getStageNumber(), 1);
    EXPECT_EQ(map()->getMapFile(), "data/map/md_0001_01.tmx");
    EXPECT_TRUE(player()->hasLanded());
    EXPECT_NEAR(player()->getPositionY(), 32.0f + 20.0f, 0.5f);
    EXPECT_EQ(scene()->getCurtain()->getOpacity(), 0);
    EXPECT_FLOAT_EQ(scene()->getContentLayer(2)->getPositionZ(), 230.0f);
    // The camera keeps Quorin at the centre of the screen.
    const engine::Vec2 onScreen = scene()->getContentLayer(2)->getPosition() + player()->getPosition();
    EXPECT_NEAR(onScreen.x, 480.0f, 4.0f);
    EXPECT_NEAR(onScreen.y, 270.0f, 4.0f);
    // The player joins the list after the creatures of the part's markers.
    EXPECT_EQ(map()->getCharacters().back(), player());
}

TEST_F(PlaySceneTest, TheStageThemeStartsOnceAndTheBossPartSwitchesToTheBossTheme) {
    ASSERT_NE(startStage(1), nullptr);
    ASSERT_TRUE(runUntilPlayable());
    EXPECT_EQ(music(), "audio/bgm/QUORIN_Stage01.mp3");
    goTo(1, 2);
    goTo(1, 1, 1);
    goTo(1, 3);
    EXPECT_EQ(starts("QUORIN_Stage01"), 1) << "crossing parts keeps the stage theme playing";
    goTo(1, 4);
    EXPECT_EQ(music(), PlayScene::BOSS_MUSIC);
    EXPECT_EQ(scene()->getFollowCount(), 1) << "each part change replaces the camera's Follow";
}

TEST_F(PlaySceneTest, ARetryFromTheBossStartsAtTheBossPartWithTheStageThemeFirst) {
    GameServices::create();
    DataManager::getInstance()->setRetryFromBoss(true);
    ASSERT_NE(startStage(1), nullptr);
    ASSERT_TRUE(runUntilPlayable(BOSS_INTRO_LIMIT));
    EXPECT_EQ(part(), 4);
    EXPECT_FALSE(DataManager::getInstance()->getRetryFromBoss());
    EXPECT_EQ(music(), "audio/bgm/QUORIN_Stage01.mp3");
}

TEST_F(PlaySceneTest, APartTheStageDoesNotListChangesNothing) {
    ASSERT_NE(startStage(1), nullptr);
    ASSERT_TRUE(runUntilPlayable());
    const engine::Vec2 position = player()->getPosition();
    EXPECT_FALSE(scene()->changeMap(1, 9, -1));
    EXPECT_FALSE(scene()->changeMap(42, 1, -1)) << "nor a stage without a record";
    EXPECT_EQ(part(), 1);
    EXPECT_EQ(map()->getMapFile(), "data/map/md_0001_01.tmx");
    EXPECT_EQ(player()->getPosition(), position);
}

TEST_F(PlaySceneTest, AStageWithoutARecordIsRefusedAndPlayReturnsToTheHub) {
    testing::internal::CaptureStderr();
    ASSERT_NE(startStage(42), nullptr);
    engine::WeakRef<PlayScene> play(scene());
    runFrames(3);
    const std::string errors = testing::internal::GetCapturedStderr();
    ASSERT_TRUE(play);
    EXPECT_TRUE(play->isRefused());
    EXPECT_NE(errors.find("stage 42 has no stage record"), std::string::npos);
    EXPECT_EQ(play->getActionMap()->getMapFile(), "") << "no map of stage 42 is looked for";
    runFrames(80);
    EXPECT_EQ(SceneManager::getInstance()->getCurrentSceneId(), static_cast<int>(SceneId::WORLD_MAP));
    EXPECT_EQ(player()->getParent(), nullptr) << "the player left with the play screen";
}

TEST_F(PlaySceneTest, TheWeaponInHandStaysInHandAcrossAPartChange) {
    ASSERT_NE(startStage(1), nullptr);
    ASSERT_TRUE(runUntilPlayable());
    press(playtest::BUTTON3, 1);
    ASSERT_TRUE(player()->getWeaponMode());
    goTo(1, 2);
    EXPECT_TRUE(player()->getWeaponMode());
    EXPECT_TRUE(scene()->getPlayInterface()->isShowingShotWeapon());
}

TEST_F(PlaySceneTest, TheNextStageStartWakesAPlayerLeftPausedAndHidden) {
    ASSERT_NE(startStage(1), nullptr);
    ASSERT_TRUE(runUntilPlayable());
    // The end of a stage leaves the characters paused, and a drama part hides Quorin.
    map()->pauseCharacters();
    player()->getAnimation()->setVisible(false);
    SceneManager::getInstance()->changeScene(SceneId::PLAY, TransitionKind::FadeThroughBlack, nullptr,
                                             SceneParam());
    runFrames(70);
    ASSERT_NE(scene(), nullptr);
    EXPECT_EQ(player()->getParent(), map()->getCharacterLayer()) << "on the new screen's map";
    EXPECT_FALSE(player()->isPaused());
    EXPECT_TRUE(player()->getAnimation()->isVisible());
}

TEST_F(PlaySceneTest, APartChangeSetsHerDownAtTheMarkerToFallFromThere) {
    ASSERT_NE(startStage(1), nullptr);
    ASSERT_TRUE(runUntilPlayable());
    // Standing on the last screen's ground and still driven upwards by a jump (the "move" sensor
    // caught her mid-leap): none of it may follow her onto the next part's marker.
    player()->setFalling(false);
    player()->setMoveY(9.0f);
    controller()->requestMapChange(1, 2, -1);
    runFrames(1);
    ASSERT_EQ(part(), 2);
    EXPECT_TRUE(player()->isFalling()) << "she comes down from the marker";
    EXPECT_FLOAT_EQ(player()->getMoveY(), 0.0f);
    const float marker = player()->getPositionY();
    ASSERT_TRUE(runUntilPlayable(BOSS_INTRO_LIMIT));
    EXPECT_LE(player()->getPositionY(), marker) << "she did not rise from it";
    EXPECT_TRUE(player()->hasLanded());
}
