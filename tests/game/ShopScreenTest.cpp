// Mr. Kettle's shop, driven by keys: the tutorial before the window, the categories, the price rule
// and ownership, and the way back to the hub.
#include "game/data/DataManager.h"
#include "game/menu/ShopController.h"
#include "game/menu/ShopScene.h"
#include "game/menu/ShopWindow.h"
#include "tests/support/HubFixture.h"

using vastomer::DataManager;
using vastomer::SceneId;
using vastomer::ShopController;
using vastomer::ShopScene;
using vastomer::ShopWindow;
namespace key = hubtest;

namespace {

// Chain Sickle (weapon 1) is the first melee weapon of the line-up, at 3,000 points.
constexpr int SICKLE = 1;
constexpr int SICKLE_PRICE = 3000;

class ShopScreenTest : public HubFixture {
protected:
    ShopWindow* window() const {
        ShopScene* scene = shown<ShopScene>();
        return scene ? scene->getShopWindow() : nullptr;
    }
    // From the category list: into the melee weapons, onto the first item, and OK on it.
    void askForTheSickle() {
        tap(key::OK);
        ASSERT_EQ(window()->getWindowState(), ShopWindow::ITEMS);
        ASSERT_EQ(window()->highlightedItem(), SICKLE);
        tap(key::OK, 20);
    }
};

TEST_F(ShopScreenTest, TheLineUpSortsWeaponsByWhetherTheyFireAndEndsEachListWithBack) {
    writeSave(key::saveText());
    ASSERT_NE(startAt(SceneId::SHOP), nullptr);
    EXPECT_EQ(ShopWindow::itemsOf(ShopWindow::GRAPPLE_WEAPONS), (std::vector<int>{1, 3, 2, -1}));
    EXPECT_EQ(ShopWindow::itemsOf(ShopWindow::SHOT_WEAPONS), (std::vector<int>{11, 12, 13, -1}));
    EXPECT_EQ(ShopWindow::itemsOf(ShopWindow::WEAR), (std::vector<int>{4, 1, 2, 6, 7, 5, 3, -1}));
    EXPECT_EQ(ShopWindow::itemsOf(ShopWindow::BACK), (std::vector<int>{-1}));
}

TEST_F(ShopScreenTest, EveryItemOfTheLineUpIsPricedInTheDesignsRange) {
    writeSave(key::saveText());
    ASSERT_NE(startAt(SceneId::SHOP), nullptr);
    DataManager* data = DataManager::getInstance();
    ASSERT_GT(data->getShopLineupCount(), 0);
    for (int i = 0; i < data->getShopLineupCount(); ++i) {
        vastomer::ShopLineupEntry entry = data->getShopLineupEntry(i);
        EXPECT_GE(entry.price, 1500) << "item " << entry.itemId;
        EXPECT_LE(entry.price, 12000) << "item " << entry.itemId;
        if (entry.isWear)
            EXPECT_NE(data->getWearMaster(entry.itemId).id, -1) << "wear " << entry.itemId;
        else
            EXPECT_NE(data->getWeaponMaster(entry.itemId).id, -1) << "weapon " << entry.itemId;
    }
}

TEST_F(ShopScreenTest, APurchaseAtExactlyThePriceIsRefusedAndOnePointMoreSells) {
    writeSave(key::saveText({{"score", std::to_string(SICKLE_PRICE) + ":9000"}}));
    ASSERT_NE(startAt(SceneId::SHOP), nullptr);
    askForTheSickle();
    ASSERT_EQ(window()->getWindowState(), ShopWindow::CONFIRM);
    clearSounds();
    tap(key::OK, 20);
    DataManager* data = DataManager::getInstance();
    EXPECT_EQ(lastSound(), "cursor22.mp3");
    EXPECT_FALSE(data->hasWeapon(SICKLE));
    EXPECT_EQ(data->getScore(), SICKLE_PRICE);

    data->setScore(SICKLE_PRICE + 1);
    clearSounds();
    tap(key::OK, 20);
    EXPECT_EQ(lastSound(), "coin06.mp3");
    EXPECT_TRUE(data->hasWeapon(SICKLE));
    EXPECT_EQ(data->getScore(), 1);
    EXPECT_EQ(data->getTotalScore(), 9000) << "spending never lowers the total";
    EXPECT_EQ(window()->getWindowState(), ShopWindow::ITEMS);
    EXPECT_EQ(window()->getScoreText(), "1");
    EXPECT_TRUE(window()->isOwnedMarkShown());
}

TEST_F(ShopScreenTest, AnOwnedItemIsMarkedAndCannotBeBoughtAgain) {
    writeSave(key::saveText({{"weapon", "0,10,1,"}, {"score", "50000:50000"}}));
    ASSERT_NE(startAt(SceneId::SHOP), nullptr);
    tap(key::OK);
    EXPECT_TRUE(window()->isOwnedMarkShown());
    clearSounds();
    tap(key::OK, 20);
    EXPECT_EQ(window()->getWindowState(), ShopWindow::ITEMS) << "no dialog for an owned item";
    EXPECT_EQ(lastSound(), "cursor22.mp3");
    EXPECT_EQ(ShopWindow::purchase(*DataManager::getInstance(), SICKLE, false), ShopWindow::Purchase::OWNED);
    EXPECT_EQ(ShopWindow::purchase(*DataManager::getInstance(), 0, false),
              ShopWindow::Purchase::NOT_FOR_SALE);
    EXPECT_EQ(DataManager::getInstance()->getScore(), 50000);
}

TEST_F(ShopScreenTest, CancelClosesTheDialogThenTheListThenLeavesForTheHub) {
    writeSave(key::saveText({{"score", "50000:50000"}}));
    ASSERT_NE(startAt(SceneId::SHOP), nullptr);
    askForTheSickle();
    tap(key::CANCEL, 20);
    EXPECT_EQ(window()->getWindowState(), ShopWindow::ITEMS);
    tap(key::CANCEL);
    EXPECT_EQ(window()->getWindowState(), ShopWindow::CATEGORIES);
    EXPECT_FALSE(DataManager::getInstance()->hasWeapon(SICKLE));
    tap(key::CANCEL);
    EXPECT_TRUE(runUntil([this] { return sceneId() == static_cast<int>(SceneId::WORLD_MAP); }, 120));
}

TEST_F(ShopScreenTest, TheCursorWrapsAndTheBackCategoryLeaves) {
    writeSave(key::saveText());
    ASSERT_NE(startAt(SceneId::SHOP), nullptr);
    tap(key::UP);
    EXPECT_EQ(window()->getCategoryIndex(), ShopWindow::BACK);
    tap(key::RIGHT);
    EXPECT_EQ(window()->getCategoryIndex(), ShopWindow::GRAPPLE_WEAPONS);
    tap(key::LEFT);
    tap(key::OK);
    EXPECT_TRUE(runUntil([this] { return sceneId() == static_cast<int>(SceneId::WORLD_MAP); }, 120));
}

TEST_F(ShopScreenTest, TheTutorialComesFirstAndOnlyOnce) {
    writeSave(key::saveText({{"tutorialflags", "1,0,0,0,0,0,0"}}));
    ASSERT_NE(startAt(SceneId::SHOP, 2), nullptr);
    ShopController* shop = controller<ShopController>();
    ASSERT_NE(shop, nullptr);
    EXPECT_TRUE(runUntil([shop] { return shop->isTutorialStarted(); }, 30));
    EXPECT_FALSE(shop->isWindowOpened()) << "the window waits for the tutorial";
    // The scene is read through to its end.
    EXPECT_TRUE(runUntil(
        [this, shop] {
            if (shop->isWindowOpened()) return true;
            tap(key::OK, 2);
            return false;
        },
        2000));
    EXPECT_TRUE(DataManager::getInstance()->getTutorialFlag(ShopController::TUTORIAL_FLAG));

    // Back to the shop: straight to the window.
    DataManager::getInstance()->saveProgress();
    resetGame();
    SetUp();
    ASSERT_NE(startAt(SceneId::SHOP, 2), nullptr);
    ShopController* again = controller<ShopController>();
    EXPECT_TRUE(runUntil([again] { return again->isWindowOpened(); }, 10));
    EXPECT_FALSE(again->isTutorialStarted());
}

}  // namespace
