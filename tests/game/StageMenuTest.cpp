// The pause and game-over screens over a stage: pause and resume (the world runs at speed 1 again),
// leaving from the pause screen without saving, the portrait of the worn wear, and the game-over
// choices (a retry before the boss starts the stage from its start).
#include "engine/physics/PhysicsWorld.h"
#include "engine/scene/Director.h"
#include "game/play/GameoverInterface.h"
#include "game/play/PauseScreenInterface.h"
#include "tests/support/Files.h"
#include "tests/support/PlayFixture.h"

using namespace vastomer;

namespace {

class StageMenuTest : public PlayFixture {
protected:
    void SetUp() override {
        PlayFixture::SetUp();
        ASSERT_NE(startStage(1), nullptr);
        ASSERT_TRUE(runUntilPlayable());
    }
    static float worldSpeed() {
        return engine::Director::getInstance()->getRunningScene()->getPhysicsWorld()->getSpeed();
    }
    PauseScreenInterface* pause() const { return scene()->getPauseScreenInterface(); }
    // Opens the pause screen and waits until it takes input.
    void openPause() {
        press(playtest::PAUSE, 1);
        for (int i = 0; i < 30 && !controller()->isActive(); ++i)
            runFrames(1);
        ASSERT_TRUE(controller()->isPauseShown());
        ASSERT_TRUE(controller()->isActive());
    }
    int currentScene() const { return SceneManager::getInstance()->getCurrentSceneId(); }
};

}  // namespace

TEST_F(StageMenuTest, PauseThenCancelResumesWithTheWorldAtSpeedOne) {
    sendKey(playtest::PAUSE, true);
    runFrames(1);
    EXPECT_TRUE(controller()->isPauseShown());
    EXPECT_FALSE(controller()->isActive()) << "the screen fades in first";
    EXPECT_EQ(worldSpeed(), 0.0f);
    EXPECT_TRUE(player()->isPaused());
    EXPECT_TRUE(map()->isActionLocked());
    runFrames(20);
    EXPECT_TRUE(controller()->isActive());
    EXPECT_TRUE(pause()->getSelection()) << "continue is selected";
    EXPECT_TRUE(controller()->isPauseShown()) << "the held key does not close it again";
    sendKey(playtest::PAUSE, false);
    runFrames(1);

    press(playtest::CANCEL, 1);
    EXPECT_FALSE(controller()->isActive());
    runFrames(15);
    EXPECT_FALSE(controller()->isPauseShown());
    EXPECT_TRUE(controller()->isActive());
    EXPECT_FALSE(pause()->isVisible());
    EXPECT_EQ(worldSpeed(), 1.0f);
    EXPECT_FALSE(player()->isPaused());
    EXPECT_FALSE(map()->isActionLocked());

    // PAUSE pressed anew closes it too.
    openPause();
    press(playtest::PAUSE, 1);
    runFrames(15);
    EXPECT_FALSE(controller()->isPauseShown());
    EXPECT_EQ(worldSpeed(), 1.0f);
}

TEST_F(StageMenuTest, ReturningFromThePauseScreenLeavesTheSaveFileAsItWas) {
    DataManager* data = DataManager::getInstance();
    const std::string before = testsupport::readFile(data->getSaveFilePath());
    data->addScore(700);
    data->markRead("scenario/wop_0001_0001_0001.bks");
    openPause();
    press(playtest::RIGHT, 1);
    EXPECT_FALSE(pause()->getSelection());
    runFrames(4);
    press(playtest::OK, 1);
    EXPECT_EQ(currentScene(), static_cast<int>(SceneId::WORLD_MAP));
    runFrames(70);
    EXPECT_EQ(data->getScore(), 0) << "what the stage changed is dropped";
    EXPECT_FALSE(data->isRead("scenario/wop_0001_0001_0001.bks"));
    EXPECT_EQ(testsupport::readFile(data->getSaveFilePath()), before) << "nothing of the stage was saved";
}

TEST_F(StageMenuTest, ThePausePortraitShowsTheWornWearInItsMiddleNumber) {
    EXPECT_EQ(PauseScreenInterface::portraitFile(0), "character/cf_00_01_01.png");
    EXPECT_EQ(PauseScreenInterface::portraitFile(2), "character/cf_00_03_01.png");
    DataManager::getInstance()->setEquippedWear(2);
    openPause();
    EXPECT_EQ(pause()->getPortraitFile(), "character/cf_00_03_01.png");
}

TEST_F(StageMenuTest, AGameOverBeforeTheBossRetriesFromTheStart) {
    DataManager* data = DataManager::getInstance();
    data->addScore(300);
    controller()->showGameOver();
    runFrames(1);
    EXPECT_TRUE(controller()->isGameOverShown());
    EXPECT_FALSE(controller()->isActive());
    EXPECT_TRUE(player()->isPaused());
    runFrames(60);
    ASSERT_TRUE(controller()->isActive());
    GameoverInterface* screen = scene()->getGameoverInterface();
    EXPECT_EQ(screen->getSelection(), GameoverInterface::RETRY);

    // An arrow toggles once per 0.05 s however long it is held.
    sendKey(playtest::RIGHT, true);
    runFrames(1);
    EXPECT_EQ(screen->getSelection(), GameoverInterface::RETURN);
    runFrames(1);
    EXPECT_EQ(screen->getSelection(), GameoverInterface::RETURN);
    sendKey(playtest::RIGHT, false);
    runFrames(4);
    press(playtest::LEFT, 1);
    EXPECT_EQ(screen->getSelection(), GameoverInterface::RETRY);
    runFrames(4);

    press(playtest::OK, 1);
    EXPECT_FALSE(data->getRetryFromBoss());
    EXPECT_EQ(currentScene(), static_cast<int>(SceneId::PLAY));
    runFrames(70);
    EXPECT_EQ(data->getCurrentPart(), 1) << "the stage's start part";
    EXPECT_EQ(data->getScore(), 300) << "nothing is charged for a retry";
}

TEST_F(StageMenuTest, TheGameOverReturnGoesToTheHub) {
    controller()->showGameOver();
    runFrames(61);
    press(playtest::RIGHT, 1);
    runFrames(4);
    press(playtest::OK, 1);
    EXPECT_EQ(currentScene(), static_cast<int>(SceneId::WORLD_MAP));
}
