// The hub: it saves on entry (granting the Moonlit Gown at full Resolve), its menu wraps, the memories
// open only with an unlocked scene, its music plays on through the screens it opens, twelve separate
// presses of BUTTON3 unlock every memory, and the stage-select window offers the open stages only.
#include "engine/scene/Label.h"
#include "game/menu/ShopController.h"
#include "game/menu/StageSelectWindow.h"
#include "game/menu/WorldMapController.h"
#include "game/menu/WorldMapScene.h"
#include "tests/support/Files.h"
#include "tests/support/MenuFixture.h"

using namespace vastomer;

namespace {

class WorldMapTest : public MenuFixture {
protected:
    void SetUp() override {
        MenuFixture::SetUp();
        ASSERT_TRUE(makeGame());
    }
    void startHub() {
        ASSERT_NE(startOn(SceneId::WORLD_MAP), nullptr);
        settle();
        runFrames(2);
        ASSERT_NE(hub(), nullptr);
    }
    WorldMapController* hub() const { return controllerOf<WorldMapController>(); }
    StageSelectWindow* window() const {
        auto* scene = layer<WorldMapScene>();
        return scene ? scene->getStageSelectWindow() : nullptr;
    }
    // Opens the stage select from the first item.
    void openStageSelect() {
        press(menutest::OK);
        ASSERT_NE(window(), nullptr);
        ASSERT_FALSE(hub()->isMenuMode());
        waitForWindow();
    }
    void waitForWindow() {
        for (int i = 0; i < 60 && window() && window()->isAnimating(); ++i)
            runFrames(1);
    }
    std::string saveText() const {
        return testsupport::readFile(DataManager::getInstance()->getSaveFilePath());
    }
};

}  // namespace

TEST_F(WorldMapTest, EnteringSavesAndGrantsTheMoonlitGownAtFullResolve) {
    DataManager* data = DataManager::getInstance();
    data->setLp(DataManager::kLpMax);
    data->addScore(1234);
    ASSERT_EQ(saveText().find("score:1234"), std::string::npos);
    startHub();
    EXPECT_TRUE(data->hasWear(8));
    EXPECT_NE(saveText().find("wear:0,8,\n"), std::string::npos) << saveText();
    EXPECT_NE(saveText().find("score:1234:1234\n"), std::string::npos) << "the hub is a save point";
    EXPECT_EQ(NAudioManager::getInstance()->getCurrentBgm(), WorldMapScene::MUSIC);
}

TEST_F(WorldMapTest, UpOnTheFirstItemWrapsAndTheMemoriesNeedAnUnlockedScene) {
    DataManager* data = DataManager::getInstance();
    // A save may list a scene that is still locked: that does not open the memories.
    data->setSituationUnlocked(3, false);
    startHub();
    press(menutest::UP);
    EXPECT_EQ(hub()->getSelection(), WorldMapController::TITLE);
    runFrames(7);
    press(menutest::UP);
    EXPECT_EQ(hub()->getSelection(), WorldMapController::MEMORY);
    runFrames(7);
    press(menutest::OK);
    EXPECT_EQ(sceneId(), static_cast<int>(SceneId::WORLD_MAP));
    EXPECT_EQ(playCount("audio/se/cursor22.mp3"), 1) << "only a buzz";
    EXPECT_EQ(playCount("audio/se/cursor21.mp3"), 0);

    data->setSituationUnlocked(3, true);
    press(menutest::OK);
    EXPECT_EQ(sceneId(), static_cast<int>(SceneId::MEMORY));
}

TEST_F(WorldMapTest, TheHubMusicPlaysOnThroughTheShopAndBack) {
    startHub();
    press(menutest::DOWN);
    runFrames(7);
    press(menutest::DOWN);
    EXPECT_EQ(hub()->getSelection(), WorldMapController::SHOP);
    runFrames(7);
    DataManager::getInstance()->setTutorialFlag(ShopController::TUTORIAL_FLAG, true);  // no first-visit talk
    press(menutest::OK);
    EXPECT_EQ(sceneId(), static_cast<int>(SceneId::SHOP));
    settle();
    runFrames(30);
    press(menutest::CANCEL);
    for (int i = 0; i < 120 && sceneId() != static_cast<int>(SceneId::WORLD_MAP); ++i)
        runFrames(1);
    EXPECT_EQ(sceneId(), static_cast<int>(SceneId::WORLD_MAP));
    settle();
    EXPECT_EQ(NAudioManager::getInstance()->getCurrentBgm(), WorldMapScene::MUSIC);
    EXPECT_EQ(playCount(WorldMapScene::MUSIC), 1) << "never restarted";
}

TEST_F(WorldMapTest, TwelveSeparatePressesUnlockEveryMemoryAndHoldingCountsOnce) {
    DataManager* data = DataManager::getInstance();
    startHub();
    sendKey(menutest::BUTTON3, true);
    runFrames(20);
    sendKey(menutest::BUTTON3, false);
    runFrames(1);
    EXPECT_EQ(hub()->getBonusPressCount(), 1);
    for (int i = 0; i < 10; ++i)
        press(menutest::BUTTON3);
    EXPECT_FALSE(WorldMapController::hasUnlockedMemory());
    press(menutest::BUTTON3);
    EXPECT_EQ(hub()->getBonusPressCount(), WorldMapController::BONUS_PRESSES);
    EXPECT_TRUE(WorldMapController::hasUnlockedMemory());
    for (const CombineEntry& entry : data->getAllCombines()) {
        if (entry.dramaNo == -1) continue;
        EXPECT_TRUE(data->isSituationUnlocked(entry.dramaNo)) << entry.dramaNo;
    }
    EXPECT_EQ(saveText().find("situations:\n"), std::string::npos) << "saved";
}

TEST_F(WorldMapTest, TheStageSelectOffersOpenStagesOnlyWithWrappingAndABackEntry) {
    DataManager* data = DataManager::getInstance();
    data->setProgress(1);
    startHub();
    openStageSelect();
    EXPECT_EQ(window()->getEntries(), (std::vector<int>{1, 2, StageSelectWindow::BACK_ENTRY}));
    EXPECT_EQ(hub()->getEntryIndex(), 1) << "the window opens on the last open stage";
    EXPECT_EQ(window()->getNameLabel()->getString(),
              StringsManager::getInstance()->getString("STAGENAME_002"));
    EXPECT_FALSE(window()->getBestScoreLabel()->isVisible()) << "never cleared";
    EXPECT_FALSE(window()->getClearMark()->isVisible());

    press(menutest::LEFT);
    waitForWindow();
    EXPECT_EQ(hub()->getEntryIndex(), 0);
    EXPECT_TRUE(window()->getBestScoreLabel()->isVisible() == (data->getStageScore(1) != 0));
    press(menutest::LEFT);
    waitForWindow();
    EXPECT_EQ(hub()->getEntryIndex(), 2) << "LEFT on the first entry selects the back entry";
    EXPECT_EQ(window()->getNameLabel()->getString(),
              StringsManager::getInstance()->getString("STAGENAME_BACK"));
    press(menutest::RIGHT);
    waitForWindow();
    EXPECT_EQ(hub()->getEntryIndex(), 0) << "RIGHT on the back entry wraps to the first";

    press(menutest::CANCEL);
    EXPECT_TRUE(hub()->isMenuMode());
    EXPECT_EQ(window(), nullptr);

    data->recordStageScore(2, 3100);
    openStageSelect();
    EXPECT_TRUE(window()->getBestScoreLabel()->isVisible());
    EXPECT_TRUE(window()->getClearMark()->isVisible());
    press(menutest::OK);
    EXPECT_EQ(data->getCurrentStage(), 2);
    EXPECT_EQ(sceneId(), static_cast<int>(SceneId::PLAY));
    EXPECT_EQ(NAudioManager::getInstance()->getCurrentBgm(), "");
}

TEST_F(WorldMapTest, WithNoStageOpenTheWindowOffersOnlyTheBackEntry) {
    DataManager::getInstance()->setProgress(-1);
    startHub();
    openStageSelect();
    EXPECT_EQ(window()->getEntries(), (std::vector<int>{StageSelectWindow::BACK_ENTRY}));
    EXPECT_EQ(hub()->getEntryIndex(), 0) << "the index stays inside the list";
    press(menutest::LEFT);
    waitForWindow();
    EXPECT_EQ(hub()->getEntryIndex(), 0);
    press(menutest::OK);
    EXPECT_TRUE(hub()->isMenuMode()) << "OK on the back entry closes the window";
    EXPECT_EQ(sceneId(), static_cast<int>(SceneId::WORLD_MAP));
}
