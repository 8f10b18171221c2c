// What a creature's defeat is worth on the play screen (the tests' stage 1): the score (ten times
// for a boss), the Spirit of its attack, the situations of its grapple events; paid once, also when
// the boss's defeat sweeps the map afterwards, and not at all for a fall into a pit. And the group
// boss, which loses a point for every minion felled.
#include <gtest/gtest.h>

#include "engine/physics/PhysicsBody.h"
#include "game/character/BulletCharacter.h"
#include "game/character/EnemyCharacter.h"
#include "tests/support/PlayFixture.h"

using namespace vastomer;

namespace {

constexpr int SPROUTLING = 1;
constexpr int BULB = 21;
constexpr int GATE_TOAD = 100;
constexpr int CHOIR = 101;

}  // namespace

class CreatureRewardTest : public PlayFixture {
protected:
    void SetUp() override {
        PlayFixture::SetUp();
        ASSERT_NE(startStage(1), nullptr);
        ASSERT_TRUE(runUntilPlayable());
        data_ = DataManager::getInstance();
    }

    std::vector<EnemyCharacter*> creatures(int id) {
        std::vector<EnemyCharacter*> found;
        for (CharacterSprite* character : map()->getCharacters())
            if (auto* enemy = dynamic_cast<EnemyCharacter*>(character))
                if (enemy->getCharacterId() == id) found.push_back(enemy);
        return found;
    }
    EnemyCharacter* place(int id, const engine::Vec2& position) {
        EnemyCharacter* enemy = EnemyCharacter::create(id, 0, "enemy", 0);
        enemy->setPosition(position);
        map()->getCharacterLayer()->addChild(enemy);
        map()->addCharacter(enemy);
        return enemy;
    }
    // What the boss's defeat does to the map: every body named "enemy" or "enemyBullet" is defeated.
    void sweep() {
        std::vector<engine::RefPtr<CharacterSprite>> swept;
        for (engine::Node* node : map()->getCharacterLayer()->getChildren()) {
            engine::PhysicsBody* body = node->getPhysicsBody();
            auto* character = dynamic_cast<CharacterSprite*>(node);
            if (character && body && (body->getName() == "enemy" || body->getName() == "enemyBullet"))
                swept.emplace_back(character);
        }
        for (auto& character : swept)
            character->die();
    }
    // Runs frames until the defeated creatures have finished their defeat motion.
    void fallen(int frames = 80) { runFrames(frames); }

    DataManager* data_ = nullptr;
};

TEST_F(CreatureRewardTest, ADefeatPaysScoreSpiritAndSituationsOnce) {
    std::vector<EnemyCharacter*> sproutlings = creatures(SPROUTLING);
    ASSERT_EQ(sproutlings.size(), 1u) << "the marker's creature";
    EnemyCharacter* sproutling = sproutlings.front();
    EXPECT_FALSE(data_->isSituationUnlocked(1));
    const int score = data_->getScore();
    const int sp = data_->getSp();
    sproutling->die();
    EXPECT_EQ(data_->getScore(), score + 60);
    EXPECT_EQ(data_->getTotalScore(), score + 60);
    EXPECT_EQ(data_->getSp(), sp + 50) << "its attack 5 gives 5 x 10";
    EXPECT_TRUE(data_->isSituationUnlocked(1)) << "the situation of its grapple event";
    EXPECT_EQ(scene()->getPlayInterface()->getPendingScore(), 60);
    EXPECT_TRUE(sproutling->hasPaidRewards());

    sproutling->die();
    EXPECT_EQ(data_->getScore(), score + 60) << "a second defeat pays nothing";
    EXPECT_EQ(data_->getSp(), sp + 50);

    // The boss falls: the sweep takes the fallen Sproutling again, and a live one and its shot.
    EnemyCharacter* other = place(SPROUTLING, {300, 80});
    BulletCharacter* seed = BulletCharacter::create(20, "enemyBullet");
    seed->setPosition(400, 200);
    seed->setActionLocked(true);
    map()->getCharacterLayer()->addChild(seed);
    runFrames(2);
    sweep();
    EXPECT_TRUE(other->isDefeated());
    EXPECT_TRUE(seed->isDefeated());
    EXPECT_EQ(data_->getScore(), score + 120) << "each creature paid once";
    EXPECT_EQ(data_->getSp(), sp + 100);
}

TEST_F(CreatureRewardTest, ABossIsWorthTenTimesItsScore) {
    EnemyCharacter* toad = place(GATE_TOAD, {400, 120});
    toad->setIsBoss(true);
    const int score = data_->getScore();
    toad->die();
    EXPECT_EQ(data_->getScore(), score + 1500);
}

TEST_F(CreatureRewardTest, ACreatureThatFallsIntoAPitPaysNothing) {
    EnemyCharacter* sproutling = place(SPROUTLING, {752, 40});  // over the pit, above the net
    const int score = data_->getScore();
    const int sp = data_->getSp();
    for (int i = 0; i < 120 && !sproutling->isDefeated(); ++i)
        runFrames(1);
    ASSERT_TRUE(sproutling->isDefeated()) << "the net under the pit ends it";
    EXPECT_LT(sproutling->getPositionY(), 0.0f);
    EXPECT_FALSE(sproutling->hasPaidRewards());
    EXPECT_EQ(data_->getScore(), score);
    EXPECT_EQ(data_->getSp(), sp);
}

class GroupBossTest : public CreatureRewardTest {
protected:
    void SetUp() override {
        CreatureRewardTest::SetUp();
        // The hall of the tests: two Bulbs, the Choir, two more Bulbs.
        ASSERT_TRUE(map()->loadMap("data/map/group_boss.tmx"));
        map()->buildCollision();
        map()->readObjects();
        runFrames(60);
        choir_ = map()->getBoss();
        ASSERT_NE(choir_, nullptr);
        choir_->setActionLocked(true);  // it would raise more Bulbs
        bulbs_ = creatures(BULB);
        ASSERT_EQ(bulbs_.size(), 4u);
    }

    CharacterSprite* choir_ = nullptr;
    std::vector<EnemyCharacter*> bulbs_;
};

TEST_F(GroupBossTest, TheChoirFloatsUntouchableAndLosesAPointForEveryBulbFelled) {
    EXPECT_EQ(choir_->getCharacterId(), CHOIR);
    EXPECT_EQ(choir_->getHp(), 20);
    EXPECT_TRUE(choir_->isFloating());
    EXPECT_FALSE(choir_->isGravityActive());
    EXPECT_EQ(choir_->getPositionY(), 72.0f) << "it floats where its marker is";
    EXPECT_EQ(choir_->getPhysicsBody()->getCollisionBitmask(), 0);
    EXPECT_EQ(choir_->getPhysicsBody()->getContactTestBitmask(), 0);

    bulbs_[0]->die();
    fallen();
    EXPECT_EQ(choir_->getHp(), 19);
    // Two at once: the second point is not lost to the first one's hurt motion or invincibility.
    bulbs_[1]->die();
    bulbs_[2]->die();
    fallen();
    EXPECT_EQ(choir_->getHp(), 17);
    bulbs_[3]->die();
    fallen();
    EXPECT_EQ(choir_->getHp(), 16);
}

TEST_F(GroupBossTest, TheLastPointFellsTheChoirWhichPaysTenTimesItsScore) {
    const int score = data_->getScore();
    choir_->setHp(1);
    bulbs_[0]->die();
    fallen();
    EXPECT_EQ(choir_->getHp(), 0);
    runFrames(1);
    EXPECT_TRUE(choir_->isDefeated());
    EXPECT_EQ(data_->getScore(), score + 50 + 2200);
}
