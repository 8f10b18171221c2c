// The memory gallery, driven by keys: what the selection offers, the drama file a choice plays,
// refusals, and that a visit leaves the player's progress exactly as it was.
#include <filesystem>

#include "engine/platform/FileUtils.h"
#include "game/character/PlayerCharacter.h"
#include "game/data/DataManager.h"
#include "game/menu/MemoryController.h"
#include "game/menu/MemoryScene.h"
#include "game/menu/MemorySceneOptionWindow.h"
#include "game/menu/SituationSelectWindow.h"
#include "tests/support/HubFixture.h"

using vastomer::DataManager;
using vastomer::MemoryController;
using vastomer::MemoryScene;
using vastomer::SceneId;
using vastomer::SituationSelectWindow;
namespace key = hubtest;

namespace {

class MemoryGalleryTest : public HubFixture {
protected:
    MemoryScene* gallery() const { return shown<MemoryScene>(); }
    SituationSelectWindow* selection() const { return gallery()->getSituationWindow(); }
    MemoryController* galleryController() const { return controller<MemoryController>(); }
    bool isOn(SceneId scene) {
        return runUntil([this, scene] { return sceneId() == static_cast<int>(scene); }, 150);
    }
};

TEST_F(MemoryGalleryTest, OnlyUnlockedSituationsAreOfferedAndTheRowWraps) {
    writeSave(key::saveText({{"situations", "3@1,5@0,7@1"}}));
    ASSERT_NE(startAt(SceneId::MEMORY), nullptr);
    EXPECT_EQ(selection()->getValues(SituationSelectWindow::SITUATION), (std::vector<int>{3, 7}));
    tap(key::RIGHT);
    EXPECT_EQ(selection()->getSituation(), 7);
    tap(key::RIGHT);
    EXPECT_EQ(selection()->getSituation(), 3) << "RIGHT on the last wraps to the first";
    tap(key::LEFT);
    EXPECT_EQ(selection()->getSituation(), 7);
}

TEST_F(MemoryGalleryTest, TheArmourIsNeverOfferedAndTheStateRowOffersFiveStates) {
    writeSave(key::saveText({{"situations", "1@1"}, {"wear", "0,3,5,"}}));
    ASSERT_NE(startAt(SceneId::MEMORY), nullptr);
    EXPECT_EQ(selection()->getValues(SituationSelectWindow::WEAR), (std::vector<int>{0, 5}));
    EXPECT_EQ(selection()->getValues(SituationSelectWindow::STATE).size(), 5u);
    EXPECT_EQ(selection()->getValues(SituationSelectWindow::BACKGROUND), (std::vector<int>{1, 2, 3}));
    taps(key::DOWN, 3);
    taps(key::LEFT, 1);
    EXPECT_EQ(selection()->getStateIndex(), 4) << "LEFT on the first state wraps to the fifth";
    EXPECT_EQ(gallery()->getState(), 500);
}

TEST_F(MemoryGalleryTest, StateFourOfASituationPlaysItsFifthDramaFile) {
    EXPECT_EQ(MemoryScene::dramaFileName(12, 500), "data/drama/dramaPart_012_05.bds");
    EXPECT_EQ(MemoryScene::dramaFileName(100, 0), "data/drama/dramaPart_100_01.bds");
    EXPECT_EQ(MemoryScene::dramaFileName(3, 450), "data/drama/dramaPart_003_04.bds");
    EXPECT_EQ(SituationSelectWindow::stateValue(4), 500);
    // The last situation of Lantern Street's list that has its five files: the Thornvine (11).
    writeSave(key::saveText({{"situations", "11@1"}}));
    ASSERT_NE(startAt(SceneId::MEMORY), nullptr);
    taps(key::DOWN, 3);
    tap(key::LEFT);
    EXPECT_EQ(gallery()->selectedDramaFile(), "data/drama/dramaPart_011_05.bds");
    taps(key::DOWN, 2);
    tap(key::OK, 20);
    EXPECT_TRUE(gallery()->isDramaRunning());
    EXPECT_EQ(gallery()->getDramaFile(), "data/drama/dramaPart_011_05.bds");
}

TEST_F(MemoryGalleryTest, PlayOfASituationWithoutItsDramaFileIsRefused) {
    // A listed situation whose first drama file is not in the game (while the content grows).
    writeSave(key::saveText());
    ASSERT_NE(startAt(SceneId::MEMORY), nullptr);
    int missing = -1;
    for (int i = 0; i < DataManager::getInstance()->getSituationCount() && missing < 0; ++i) {
        int id = DataManager::getInstance()->getSituation(i).id;
        if (!engine::FileUtils::getInstance()->isFileExist(MemoryScene::dramaFileName(id, 0))) missing = id;
    }
    if (missing < 0) GTEST_SKIP() << "every listed situation has its drama files";
    resetGame();
    SetUp();
    // Situation 999 is not in the situation list at all.
    writeSave(key::saveText({{"situations", std::to_string(missing) + "@1,999@1"}}));
    ASSERT_NE(startAt(SceneId::MEMORY), nullptr);
    EXPECT_EQ(selection()->getValues(SituationSelectWindow::SITUATION), (std::vector<int>{missing}));
    taps(key::DOWN, 5);
    clearSounds();
    tap(key::OK, 20);
    EXPECT_EQ(lastSound(), "cursor22.mp3");
    EXPECT_FALSE(gallery()->isDramaRunning());
}

TEST_F(MemoryGalleryTest, PlayWithNothingUnlockedIsRefused) {
    writeSave(key::saveText());
    ASSERT_NE(startAt(SceneId::MEMORY), nullptr);
    EXPECT_TRUE(selection()->getValues(SituationSelectWindow::SITUATION).empty());
    tap(key::RIGHT);
    taps(key::DOWN, 5);
    ASSERT_EQ(selection()->getRow(), SituationSelectWindow::PLAY);
    clearSounds();
    tap(key::OK, 20);
    EXPECT_EQ(lastSound(), "cursor22.mp3");
    EXPECT_TRUE(galleryController()->isSituationWindowOpen());
    EXPECT_FALSE(gallery()->isDramaRunning());
}

TEST_F(MemoryGalleryTest, LeavingPutsBackTheWearAndLeavesTheSaveByteForByte) {
    const std::string before =
        key::saveText({{"situations", "1@1,2@1"}, {"wear", "0,1,5,"}, {"clp", "120"}, {"score", "700:900"}});
    writeSave(before);
    ASSERT_NE(startAt(SceneId::MEMORY), nullptr);
    // Another scene, another wear, the last state, then play.
    tap(key::RIGHT);
    tap(key::DOWN);
    tap(key::RIGHT);
    taps(key::DOWN, 2);
    tap(key::LEFT);
    taps(key::DOWN, 2);
    tap(key::OK, 20);
    ASSERT_TRUE(gallery()->isDramaRunning());
    EXPECT_EQ(gallery()->getDramaFile(), "data/drama/dramaPart_002_05.bds");
    EXPECT_EQ(DataManager::getInstance()->getEquippedWear(), 1) << "the chosen wear is put on to play";
    runFrames(120);
    // Into the option window and back to the hub.
    tap(key::OK, 20);
    ASSERT_TRUE(galleryController()->isOptionWindowOpen());
    taps(key::DOWN, 5);
    tap(key::OK);
    ASSERT_TRUE(isOn(SceneId::WORLD_MAP));
    DataManager* data = DataManager::getInstance();
    EXPECT_EQ(data->getEquippedWear(), 0);
    EXPECT_EQ(data->getPlayerCharacter()->getAnimationVariant(), 0);
    // The hub writes the save on entry: it must be the file the gallery was entered with.
    data->saveProgress();
    EXPECT_EQ(readSave(), before);
}

TEST_F(MemoryGalleryTest, TheOptionWindowChangesTheBackdropAndZoomWithinTheirRanges) {
    writeSave(key::saveText({{"situations", "1@1"}}));
    ASSERT_NE(startAt(SceneId::MEMORY), nullptr);
    taps(key::DOWN, 5);
    tap(key::OK, 20);
    ASSERT_TRUE(gallery()->isDramaRunning());
    tap(key::CANCEL, 20);
    ASSERT_TRUE(galleryController()->isOptionWindowOpen());
    EXPECT_TRUE(gallery()->isDramaPaused());
    tap(key::DOWN);
    taps(key::RIGHT, 2);
    EXPECT_EQ(gallery()->getBackdropOpacity(), 255) << "never above 255";
    taps(key::LEFT, 3);
    EXPECT_EQ(gallery()->getBackdropOpacity(), 255 - 3 * vastomer::MemorySceneOptionWindow::OPACITY_STEP);
    tap(key::DOWN);
    taps(key::RIGHT, 4, 30);
    EXPECT_EQ(gallery()->getZoomLevel(), 3);
    taps(key::LEFT, 4, 30);
    EXPECT_EQ(gallery()->getZoomLevel(), 1);
    tap(key::CANCEL, 20);
    EXPECT_FALSE(galleryController()->isOptionWindowOpen());
    EXPECT_FALSE(gallery()->isDramaPaused()) << "CANCEL resumes";
}

}  // namespace
