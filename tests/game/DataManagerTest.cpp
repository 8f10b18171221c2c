// The data manager over the game's real tables and over fixtures: look-ups, rules fed by the progress,
// progress operations and the progress as JSON.
#include <gtest/gtest.h>

#include "tests/support/DataFixture.h"

using namespace vastomer;

class DataManagerTest : public DataFixture {};

TEST_F(DataManagerTest, TheRealTablesHoldTheFirstCast) {
    useRealTables();
    testing::internal::CaptureStderr();
    DataManager* data = start();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");  // the shipped content reads without a problem
    ASSERT_NE(data, nullptr);

    CharacterMaster quorin = data->getCharacterMaster(0);
    EXPECT_EQ(quorin.name, "player");
    EXPECT_EQ(quorin.hp, 100);
    EXPECT_EQ(data->getCharacterMaster(200).name, "SHOPOWNER");
    for (int boss : {100, 102}) {
        EXPECT_GE(data->getCharacterMaster(boss).hp, 300);
        EXPECT_LE(data->getCharacterMaster(boss).hp, 600);
    }
    // The Choir of Bulbs is a group boss: nothing strikes it, each minion felled costs it one point,
    // so its hit points count the minions the fight needs rather than blows.
    EXPECT_GE(data->getCharacterMaster(101).hp, 16);
    EXPECT_LE(data->getCharacterMaster(101).hp, 24);
    for (int id : {0, 1, 2, 3})
        EXPECT_FALSE(data->getWeaponMaster(id).hasBullet) << id;
    for (int id : {10, 11, 12, 13})
        EXPECT_TRUE(data->getWeaponMaster(id).hasBullet) << id;
    EXPECT_EQ(data->getWeaponMaster(10).magazineSize, 8);
    EXPECT_EQ(data->getWeaponMaster(11).magazineSize, 20);
    EXPECT_EQ(data->getWeaponMaster(12).trait, "heavy");
    EXPECT_EQ(data->getBulletMaster(data->getWeaponMaster(13).bulletId).hp, 0);
    const char* effects[] = {"none",   "saintfield", "mpincrup", "powerarmor", "buttnaked",
                             "lustup", "speedup",    "jumpup",   "autoheal"};
    for (int id = 0; id <= 8; ++id)
        EXPECT_EQ(data->getWearMaster(id).effect, effects[id]) << id;

    EXPECT_EQ(data->getStageNumbers(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(data->getStageRecord(2).requiredProgress, 1);
    EXPECT_EQ(data->getStageRecord(3).nextStage, -1);
    EXPECT_EQ(data->getStageRecord(1).parts, (std::set<int>{1, 2, 3, 4}));
    EXPECT_EQ(data->getStageRecord(1).bossPart, 4);

    for (int i = 0; i < data->getShopLineupCount(); ++i) {
        ShopLineupEntry item = data->getShopLineupEntry(i);
        EXPECT_GE(item.price, 1500);
        EXPECT_LE(item.price, 12000);
    }
    EXPECT_GT(data->getSituationCount(), 0);
    EXPECT_GE(data->getMasterTables().getHintCount(), 2);
}

TEST_F(DataManagerTest, RankKeysOfWeaponsAndTheirBullets) {
    useRealTables();
    DataManager* data = start();
    EXPECT_EQ(data->weaponPowerRankKey(2), "STATUS_WEAPON_S");     // Great Mallet, power 24
    EXPECT_EQ(data->weaponIntervalRankKey(3), "STATUS_WEAPON_S");  // Twin Daggers, interval 10
    EXPECT_EQ(data->weaponPowerRankKey(12), "STATUS_WEAPON_A");    // Scatter Cannon's bullet, power 18
    EXPECT_EQ(data->weaponPowerRankKey(99), "");
    EXPECT_EQ(data->weaponIntervalRankKey(99), "");
}

TEST_F(DataManagerTest, RulesReadTheDifficultyAndTheEquippedWear) {
    writeFixtureTables();
    DataManager* data = start();
    EXPECT_EQ(data->adjustDamageTaken(4), 4);
    data->setEquippedWear(1);  // saintfield
    EXPECT_EQ(data->adjustDamageTaken(4), 3);
    data->setDifficulty(2);
    EXPECT_EQ(data->adjustDamageTaken(4), 4);  // 6 × 0.75
    data->setDifficulty(0);
    EXPECT_EQ(data->adjustDamageDealt(5), 10);  // no player character: never boosted
    EXPECT_EQ(data->spGainFor(6), 60);
    EXPECT_EQ(data->lpGain(), 5);
    data->setLp(300);
    EXPECT_EQ(data->lpTier(), 250);

    EXPECT_EQ(data->getCombine(5, 0).dramaNo, 5);
    data->setEquippedWear(3);  // powerarmor: nothing can catch her
    EXPECT_EQ(data->getCombine(5, 0).dramaNo, -1);
    EXPECT_EQ(data->spGainFor(6), 120);
    EXPECT_EQ(data->getCombinesOf(5).size(), 1u);  // the table itself is unchanged
}

TEST_F(DataManagerTest, PickHintNeverShowsTheSpareLastLine) {
    writeFixtureTables();
    DataManager* data = start();
    EXPECT_EQ(data->pickHint().scriptNo, -1) << "both hints need stage 1 cleared";
    data->recordStageScore(1, 3000);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(data->pickHint().scriptNo, 1);
}

TEST_F(DataManagerTest, RandomBelowIsTheSharedCounterSource) {
    writeFixtureTables();
    DataManager* data = start();
    std::vector<int> first;
    for (int i = 0; i < 5; ++i)
        first.push_back(data->randomBelow(100));
    EXPECT_EQ(data->randomBelow(0), 0);
    EXPECT_EQ(data->randomBelow(-1), 0);

    resetSingletons();
    data = start();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(data->randomBelow(100), first[static_cast<std::size_t>(i)]);
}

TEST_F(DataManagerTest, ProgressOperations) {
    writeFixtureTables();
    DataManager* data = start();
    EXPECT_FALSE(data->addWeapon(0));
    EXPECT_TRUE(data->addWeapon(12));
    EXPECT_TRUE(data->hasWeapon(12));
    EXPECT_EQ(data->getOwnedWeapons(), (std::vector<int>{0, 10, 12}));
    EXPECT_TRUE(data->addWear(3));
    EXPECT_FALSE(data->addWear(3));
    EXPECT_EQ(data->getOwnedWear(), (std::vector<int>{0, 3}));

    EXPECT_EQ(data->getStageScore(7), 0);
    EXPECT_TRUE(data->recordStageScore(7, 0));  // no entry yet: stored
    EXPECT_FALSE(data->recordStageScore(7, 0));
    EXPECT_TRUE(data->recordStageScore(7, 10));

    data->setSp(-4);
    EXPECT_EQ(data->getSp(), 0);
    data->setSp(1000);
    EXPECT_EQ(data->getSp(), DataManager::kSpMax);
    data->setLp(501);
    EXPECT_EQ(data->getLp(), DataManager::kLpMax);
    data->addScore(2147483000);
    data->addScore(2147483000);
    EXPECT_EQ(data->getTotalScore(), 2147483647);
    data->setScore(-10);
    EXPECT_EQ(data->getScore(), 0);

    EXPECT_FALSE(data->getTutorialFlag(7));
    data->setTutorialFlag(-1, true);  // out of range: ignored
    data->setTutorialFlag(5, true);
    EXPECT_TRUE(data->getTutorialFlag(5));

    EXPECT_FALSE(data->isSituationUnlocked(5));
    data->setSituationUnlocked(5);
    EXPECT_TRUE(data->isSituationUnlocked(5));
    data->setSituationUnlocked(5, false);
    EXPECT_FALSE(data->isSituationUnlocked(5));

    EXPECT_EQ(data->getUserVar("none"), 0);
    data->setUserVar("seen", 4);
    EXPECT_EQ(data->getUserVar("seen"), 4);
    data->eraseUserVar("seen");
    EXPECT_EQ(data->getUserVar("seen"), 0);
}

TEST_F(DataManagerTest, ResetKeepsProgressAndReadScripts) {
    writeFixtureTables();
    DataManager* data = start();
    data->setProgress(2);
    data->markRead("scenario/opening.bks");
    data->addWeapon(11);
    data->setEquippedWeapon1(11);
    data->setUserVar("x", 1);
    data->recordStageScore(1, 900);
    data->setDifficulty(2);
    data->setCurrentStage(3);
    data->resetProgress();
    EXPECT_EQ(data->getProgress(), 2);
    EXPECT_TRUE(data->isRead("scenario/opening.bks"));
    EXPECT_EQ(data->getOwnedWeapons(), (std::vector<int>{0, 10}));
    EXPECT_EQ(data->getEquippedWeapon1(), 0);
    EXPECT_EQ(data->getUserVar("x"), 0);
    EXPECT_EQ(data->getStageScore(1), 0);
    EXPECT_EQ(data->getDifficulty(), 2);
    EXPECT_EQ(data->getCurrentStage(), 0);
}

TEST_F(DataManagerTest, ProgressJsonNamesEveryField) {
    writeFixtureTables();
    DataManager* data = start();
    data->setSituationUnlocked(101);
    data->setUserVar("door", 1);
    data->markRead("scenario/opening.bks");
    nlohmann::json json = data->getProgressJson();
    for (const char* field : {"progress",     "tutorialFlags", "stageBestScores", "situations",
                              "score",        "totalScore",    "equippedWeapon1", "equippedWeapon2",
                              "equippedWear", "ownedWeapons",  "ownedWear",       "sp",
                              "lp",           "userVars",      "readScripts",     "language",
                              "currentStage", "currentPart",   "previousPart",    "hp",
                              "difficulty",   "retryFromBoss", "isNewGame"})
        EXPECT_TRUE(json.contains(field)) << field;
    EXPECT_EQ(json["stageBestScores"], nlohmann::json({{"1", 0}, {"2", 0}, {"3", 0}}));
    EXPECT_EQ(json["situations"]["101"], true);
    EXPECT_EQ(json["userVars"]["door"], 1);
    EXPECT_EQ(json["readScripts"], nlohmann::json({"scenario/opening.bks"}));
    EXPECT_EQ(json["tutorialFlags"].size(), 7u);
    EXPECT_EQ(json["language"], "en");
    EXPECT_EQ(json["isNewGame"], true);
}
