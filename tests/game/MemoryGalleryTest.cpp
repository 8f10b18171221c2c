// The memory gallery, driven by keys: what the selection offers, the drama file a choice plays, the
// replay itself (its lines turned with OK, its end back in the selection), refusals, and that a
// visit leaves the player's progress exactly as it was.
#include <filesystem>

#include "engine/platform/FileUtils.h"
#include "game/character/PlayerCharacter.h"
#include "game/data/DataManager.h"
#include "game/menu/MemoryController.h"
#include "game/menu/MemoryScene.h"
#include "game/menu/MemorySceneOptionWindow.h"
#include "game/menu/SituationSelectWindow.h"
#include "game/scenario/DramaPart.h"
#include "game/scenario/MessageWindow.h"
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
    // The replay waits for OK under a fully shown line.
    bool waitsForOk() const {
        vastomer::DramaPart* part = gallery()->getDramaPart();
        return part && part->getWaitDescription() == "message (key OK)";
    }
    std::string shownLine() const { return gallery()->getMessageWindow()->getTextKey(); }
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
    tap(key::CANCEL, 20);
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

TEST_F(MemoryGalleryTest, AReplayTurnsItsLinesOnOkAndEndsBackInTheSelectionInTheWearItHad) {
    // The Thornvine's low-Resolve part: animations, then six lines.
    const std::string before =
        key::saveText({{"situations", "11@1"}, {"wear", "0,1,"}, {"score", "500:800"}});
    writeSave(before);
    ASSERT_NE(startAt(SceneId::MEMORY), nullptr);
    tap(key::DOWN);
    tap(key::RIGHT);
    ASSERT_EQ(selection()->getWear(), 1);
    taps(key::DOWN, 4);
    tap(key::OK, 20);
    DataManager* data = DataManager::getInstance();
    ASSERT_TRUE(gallery()->isDramaRunning());
    vastomer::DramaPart* part = gallery()->getDramaPart();
    ASSERT_NE(part, nullptr) << "a replay plays a drama part";
    EXPECT_EQ(part->getFile(), "data/drama/dramaPart_011_01.bds");
    EXPECT_EQ(part->getRecords().size(), 15u);
    EXPECT_NE(part->getParent(), nullptr) << "on the stage";
    EXPECT_EQ(data->getEquippedWear(), 1) << "the drama's pictures are drawn in the chosen wear";

    // The first line shows in the message window and waits for OK; other keys leave it be.
    ASSERT_TRUE(runUntil([this] { return waitsForOk(); }, 400));
    vastomer::MessageWindow* window = gallery()->getMessageWindow();
    EXPECT_TRUE(window->isOpen());
    EXPECT_EQ(shownLine(), "DRAMA_011_01_01");
    EXPECT_FALSE(part->getAnimationNames().empty());
    tap(key::DOWN, 20);
    tap(key::LEFT, 20);
    EXPECT_FALSE(galleryController()->isOptionWindowOpen());
    EXPECT_EQ(shownLine(), "DRAMA_011_01_01");
    tap(key::OK);
    ASSERT_TRUE(runUntil([this] { return shownLine() == "DRAMA_011_01_02"; }, 60)) << "OK turns the page";
    EXPECT_FALSE(galleryController()->isOptionWindowOpen()) << "OK is the drama's, not the options'";

    // Escape pauses into the option window; resuming goes on with the same line.
    ASSERT_TRUE(runUntil([this] { return waitsForOk(); }, 200));
    tap(key::ESCAPE, 20);
    ASSERT_TRUE(galleryController()->isOptionWindowOpen());
    EXPECT_TRUE(gallery()->getDramaPart()->isPaused());
    tap(key::OK, 20);
    EXPECT_FALSE(galleryController()->isOptionWindowOpen());
    EXPECT_FALSE(gallery()->getDramaPart()->isPaused());
    EXPECT_EQ(shownLine(), "DRAMA_011_01_02");

    // Read to the end: the part goes, the selection and the characters come back, the wear too.
    std::vector<std::string> lines = {shownLine()};
    ASSERT_TRUE(runUntil(
        [&] {
            if (!gallery()->isDramaRunning()) return true;
            if (waitsForOk()) tap(key::OK);
            if (gallery()->isDramaRunning() && lines.back() != shownLine()) lines.push_back(shownLine());
            return false;
        },
        1500));
    EXPECT_EQ(lines.back(), "DRAMA_011_01_06");
    EXPECT_EQ(lines.size(), 5u) << "every line from the second on";
    EXPECT_EQ(gallery()->getDramaPart(), nullptr);
    EXPECT_EQ(galleryController()->getFinishedDramaCount(), 1);
    runFrames(20);
    EXPECT_TRUE(galleryController()->isSituationWindowOpen());
    EXPECT_FALSE(window->isOpen());
    EXPECT_EQ(data->getEquippedWear(), 0) << "the chosen wear is worn for the replay only";
    EXPECT_EQ(data->getPlayerCharacter()->getAnimationVariant(), 0);
    ASSERT_NE(gallery()->getPlayer()->getAnimation(), nullptr);
    EXPECT_TRUE(gallery()->getPlayer()->getAnimation()->isVisible());
    EXPECT_EQ(selection()->getWear(), 1) << "the choice stays for the next replay";

    // It plays again from its beginning; then the hub, with the save as it was.
    tap(key::OK, 20);
    ASSERT_TRUE(gallery()->isDramaRunning());
    EXPECT_EQ(gallery()->getDramaPart()->getAnimationNames(), std::vector<std::string>{"catch"})
        << "from its first animation";
    tap(key::CANCEL, 20);
    taps(key::DOWN, 5);
    tap(key::OK);
    ASSERT_TRUE(isOn(SceneId::WORLD_MAP));
    EXPECT_EQ(data->getEquippedWear(), 0);
    data->saveProgress();
    EXPECT_EQ(readSave(), before);
}

}  // namespace
