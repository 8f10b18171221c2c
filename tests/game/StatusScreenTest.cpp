// The status room, driven by keys: the lists and their scrolling, previews and equipping, the
// meditation, and the numbers it shows.
#include "engine/scene/Label.h"
#include "game/character/PlayerCharacter.h"
#include "game/data/DataManager.h"
#include "game/menu/StatusScene.h"
#include "game/play/LustGauge.h"
#include "tests/support/HubFixture.h"

using vastomer::DataManager;
using vastomer::SceneId;
using vastomer::StatusScene;
namespace key = hubtest;

namespace {

class StatusScreenTest : public HubFixture {
protected:
    StatusScene* status() const { return shown<StatusScene>(); }
    // Equipped line of the save file written now.
    std::string equippedLine() {
        DataManager::getInstance()->saveProgress();
        std::string text = readSave();
        std::size_t at = text.find("equipped:");
        return at == std::string::npos ? "" : text.substr(at, text.find('\n', at) - at);
    }
};

TEST_F(StatusScreenTest, EquippingAFirearmChangesTheSavesEquippedLineAndThePlayer) {
    writeSave(key::saveText({{"weapon", "0,10,11,1,"}}));
    ASSERT_NE(startAt(SceneId::STATUS), nullptr);
    tap(key::DOWN);
    tap(key::OK, 20);
    ASSERT_EQ(status()->getPage(), StatusScene::SHOT_LIST);
    EXPECT_EQ(StatusScene::itemsOf(StatusScene::SHOT_LIST), (std::vector<int>{10, 11}));
    EXPECT_EQ(StatusScene::itemsOf(StatusScene::GRAPPLE_LIST), (std::vector<int>{0, 1}));
    tap(key::DOWN);
    EXPECT_EQ(status()->selectedItemId(), 11);
    clearSounds();
    tap(key::OK);
    EXPECT_EQ(lastSound(), "chari13_b.mp3");
    EXPECT_EQ(equippedLine(), "equipped:0,11,0");
    EXPECT_EQ(DataManager::getInstance()->getPlayerCharacter()->getShotWeaponId(), 11);
    EXPECT_EQ(DataManager::getInstance()->getPlayerCharacter()->getAmmoMax(), 20);
}

TEST_F(StatusScreenTest, APreviewedWearShowsAtOnceAndCancelPutsBackTheWornOne) {
    writeSave(key::saveText({{"wear", "0,1,"}}));
    ASSERT_NE(startAt(SceneId::STATUS), nullptr);
    EXPECT_EQ(status()->getHpLabel()->getString(), "100");
    taps(key::DOWN, 2);
    tap(key::OK, 20);
    tap(key::DOWN);
    EXPECT_EQ(status()->getHpLabel()->getString(), "110") << "the Shrine Vestment's bonus";
    EXPECT_EQ(status()->getWearNameLabel()->getString(), "Shrine Vestment");
    tap(key::CANCEL, 20);
    EXPECT_EQ(status()->getPage(), StatusScene::MENU);
    EXPECT_EQ(status()->getCursor(), 2) << "back on the item that opened the list";
    EXPECT_EQ(status()->getHpLabel()->getString(), "100");
    EXPECT_EQ(status()->getWearNameLabel()->getString(), "Travel Coat");
    EXPECT_EQ(DataManager::getInstance()->getEquippedWear(), 0);
}

TEST_F(StatusScreenTest, MoreThanEightWearScrollsWithTheCursorOnTheLastRow) {
    writeSave(key::saveText({{"wear", "0,1,2,3,4,5,6,7,8,"}}));
    ASSERT_NE(startAt(SceneId::STATUS), nullptr);
    taps(key::DOWN, 2);
    tap(key::OK, 20);
    EXPECT_EQ(status()->getListCount(), 9);
    EXPECT_EQ(status()->getShownCount(), 8);
    taps(key::DOWN, 8);
    EXPECT_EQ(status()->getCursor(), 8);
    EXPECT_EQ(status()->getListFirst(), 1);
    EXPECT_EQ(status()->selectedItemId(), 8);
    ASSERT_EQ(status()->getListLabels().size(), 8u);
    EXPECT_EQ(status()->getListLabels().front()->getTag(), 1);
    tap(key::DOWN);
    EXPECT_EQ(status()->getCursor(), 0) << "wraps to the first";
    EXPECT_EQ(status()->getListFirst(), 0);
}

TEST_F(StatusScreenTest, AnEmptyListNeitherMovesNorEquips) {
    // Progress whose weapons are all firearms leaves the melee list empty (a save file always holds
    // the first weapons, so the state is set directly).
    writeSave(key::saveText());
    ASSERT_NE(startAt(SceneId::STATUS), nullptr);
    vastomer::ProgressState state = DataManager::getInstance()->getProgressState();
    state.ownedWeapons = {10};
    DataManager::getInstance()->restoreProgressState(state);
    tap(key::OK, 20);
    ASSERT_EQ(status()->getPage(), StatusScene::GRAPPLE_LIST);
    EXPECT_EQ(status()->getListCount(), 0);
    tap(key::DOWN);
    tap(key::UP);
    EXPECT_EQ(status()->getCursor(), 0);
    EXPECT_EQ(status()->selectedItemId(), -1);
    clearSounds();
    tap(key::OK);
    EXPECT_EQ(lastSound(), "cursor22.mp3");
    EXPECT_EQ(DataManager::getInstance()->getEquippedWeapon1(), 0);
}

TEST_F(StatusScreenTest, MeditationEmptiesResolveAndCancellingLeavesIt) {
    writeSave(key::saveText({{"clp", "300"}}));
    ASSERT_NE(startAt(SceneId::STATUS), nullptr);
    taps(key::DOWN, 3);
    tap(key::OK, 20);
    ASSERT_EQ(status()->getPage(), StatusScene::MEDITATION);
    EXPECT_EQ(status()->dialogChoice(), 0);
    tap(key::CANCEL, 20);
    EXPECT_EQ(status()->getPage(), StatusScene::MENU);
    EXPECT_EQ(status()->getCursor(), 3);
    EXPECT_EQ(DataManager::getInstance()->getLp(), 300);

    tap(key::OK, 20);
    tap(key::DOWN);
    EXPECT_EQ(status()->dialogChoice(), 1);
    tap(key::OK, 20);
    EXPECT_EQ(status()->getPage(), StatusScene::MENU);
    EXPECT_EQ(DataManager::getInstance()->getLp(), 300);

    tap(key::OK, 20);
    clearSounds();
    tap(key::OK, 90);
    EXPECT_EQ(DataManager::getInstance()->getLp(), 0);
    EXPECT_EQ(status()->getLpGauge()->getLastValue(), 0);
    EXPECT_EQ(status()->getPage(), StatusScene::MENU);
    EXPECT_EQ(status()->getCursor(), 3);
    EXPECT_EQ(sounds().front(), "power21.mp3");
}

TEST_F(StatusScreenTest, SpiritReadsInWholePerCentsAndFullResolveGrantsTheGown) {
    EXPECT_EQ(StatusScene::spPercentText(0, 300), "0%");
    EXPECT_EQ(StatusScene::spPercentText(150, 300), "50%");
    EXPECT_EQ(StatusScene::spPercentText(299, 300), "99%");
    EXPECT_EQ(StatusScene::spPercentText(300, 300), "100%");
    writeSave(key::saveText({{"cmp", "75"}, {"clp", "500"}}));
    ASSERT_NE(startAt(SceneId::STATUS), nullptr);
    EXPECT_EQ(status()->getSpLabel()->getString(), "25%");
    EXPECT_TRUE(DataManager::getInstance()->hasWear(StatusScene::FULL_RESOLVE_WEAR));
}

TEST_F(StatusScreenTest, BackLeavesForTheHub) {
    writeSave(key::saveText());
    ASSERT_NE(startAt(SceneId::STATUS), nullptr);
    taps(key::UP, 1);
    EXPECT_EQ(status()->getCursor(), 4);
    tap(key::OK);
    EXPECT_TRUE(runUntil([this] { return sceneId() == static_cast<int>(SceneId::WORLD_MAP); }, 120));
}

}  // namespace
