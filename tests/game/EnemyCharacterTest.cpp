// Creatures on the tests' map: how they are made, start acting and are struck by Quorin's melee
// bodies, bullets and healing bodies; their invincibility after a hit (a boss's is longer); the stun
// after a grapple scene; and their defeat, which sinks and fades them out.
#include <gtest/gtest.h>

#include "engine/physics/PhysicsBody.h"
#include "game/character/BulletCharacter.h"
#include "game/character/EnemyFactory.h"
#include "tests/support/CreatureFixture.h"

using namespace vastomer;

namespace {

constexpr int SPROUTLING = 1;
constexpr int WISP = 2;
constexpr int GATE_TOAD = 100;

// A body as Quorin's melee attack or a healing attack makes it: a node named and tagged with a weapon.
engine::Node* meleeBody(engine::Node* parent, const std::string& name, int weapon) {
    engine::Node* node = engine::Node::create();
    node->setContentSize(engine::Size(20, 20));
    node->setTag(weapon);
    auto* body = engine::PhysicsBody::createBox(engine::Size(20, 20));
    body->setDynamic(false);
    body->setCollisionBitmask(0);
    body->setName(name);
    node->setPhysicsBody(body);
    parent->addChild(node);
    return node;
}

}  // namespace

class EnemyCharacterTest : public CreatureFixture {
protected:
    // Runs frames until the creature's damage motion is over; false after `limit` frames.
    bool recover(EnemyCharacter* enemy, int limit = 200) {
        for (int i = 0; i < limit && enemy->isShowing(CharacterAnimState::DAMAGE); ++i)
            runFrames(1);
        return !enemy->isShowing(CharacterAnimState::DAMAGE);
    }
    // Strikes the creature with a body named `name` (the contact as the play controller hands it on).
    void strike(EnemyCharacter* enemy, engine::Node* body) {
        enemy->onContactBegin(shapeOf(enemy), shapeOf(body), -1.0f, 0.0f);
    }
};

TEST_F(EnemyCharacterTest, ACreatureIsMadeFromItsRecordWithItsInterpreter) {
    EnemyCharacter* sproutling = spawnEnemy(SPROUTLING, {100, 60});
    ASSERT_NE(sproutling, nullptr);
    EXPECT_EQ(sproutling->getTag(), 0);
    EXPECT_EQ(sproutling->getHp(), 12);
    EXPECT_EQ(sproutling->getInvincibleFrames(), EnemyCharacter::COMMON_INVINCIBLE_FRAMES);
    ASSERT_NE(sproutling->getPattern(), nullptr);
    EXPECT_EQ(sproutling->getPattern()->getParent(), sproutling);
    EXPECT_EQ(sproutling->getPattern()->getOwner(), sproutling);
    EXPECT_EQ(sproutling->getPattern()->getAiId(), 1);
    EXPECT_TRUE(sproutling->getPattern()->isHalted()) << "it acts once it has landed";
    ASSERT_TRUE(settle(sproutling));
    EXPECT_FALSE(sproutling->getPattern()->isHalted());
    EXPECT_EQ(sproutling->getPattern()->getSavedPosition(), sproutling->getBasePosition());

    // A flyer never lands: it starts acting where it is put.
    EnemyCharacter* wisp = spawnEnemy(WISP, {300, 150});
    ASSERT_NE(wisp, nullptr);
    runFrames(2);
    EXPECT_FALSE(wisp->getPattern()->isHalted());
    EXPECT_EQ(wisp->getPattern()->getSavedPosition(), engine::Vec2(300, 150));

    testing::internal::CaptureStderr();
    EXPECT_EQ(EnemyFactory::create(4242, 0, "enemy", 0), nullptr);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("character 4242 has no record"), std::string::npos);
}

TEST_F(EnemyCharacterTest, ABossStaysInvincibleTwiceAsLongAfterAHit) {
    EnemyCharacter* common = spawnEnemy(SPROUTLING, {100, 60});
    EnemyCharacter* boss = spawnEnemy(GATE_TOAD, {400, 100});
    boss->setIsBoss(true);
    ASSERT_TRUE(settle(common));
    ASSERT_TRUE(settle(boss));
    EXPECT_EQ(common->getInvincibleFrames(), 20);
    EXPECT_EQ(boss->getInvincibleFrames(), 40);
    for (EnemyCharacter* enemy : {common, boss}) {
        enemy->setActionLocked(true);  // standing still, so nothing but the hit plays
        enemy->damage(1);
        EXPECT_TRUE(enemy->isShowing(CharacterAnimState::DAMAGE));
        ASSERT_TRUE(recover(enemy));
        const int frames = enemy->getInvincibleTimer();
        EXPECT_EQ(frames, enemy == boss ? 40 : 20);
        const int hp = enemy->getHp();
        enemy->damage(1);
        EXPECT_EQ(enemy->getHp(), hp) << "no damage while invincible";
        runFrames(frames + 1);
        enemy->damage(1);
        EXPECT_EQ(enemy->getHp(), hp - 1);
    }
}

TEST_F(EnemyCharacterTest, QuorinsMeleeBodyHurtsOnceAMotionAndHealingBodiesHeal) {
    EnemyCharacter* vine = spawnEnemy(3, {200, 60});  // the Vine Lasher: 30 HP, rooted
    ASSERT_TRUE(settle(vine));
    vine->setActionLocked(true);
    engine::Node* fan = meleeBody(map_->getCharacterLayer(), "grappleBody", 0);  // Iron Fan, power 12
    const int hp = vine->getHp();
    strike(vine, fan);
    EXPECT_EQ(vine->getHp(), hp - 12);
    EXPECT_TRUE(vine->isShowing(CharacterAnimState::DAMAGE));
    strike(vine, fan);
    EXPECT_EQ(vine->getHp(), hp - 12) << "no second hit while it shows its damage motion";

    ASSERT_TRUE(recover(vine));
    engine::Node* heal = meleeBody(map_->getCharacterLayer(), "enemyHeal", 31);  // power 10
    strike(vine, heal);
    EXPECT_EQ(vine->getHp(), hp - 2);
    heal->setTag(77);  // no such weapon: nothing happens
    strike(vine, heal);
    EXPECT_EQ(vine->getHp(), hp - 2);
}

TEST_F(EnemyCharacterTest, QuorinsShotsAreSpentOnACreatureButArrowsPierce) {
    EnemyCharacter* vine = spawnEnemy(3, {200, 60});
    ASSERT_TRUE(settle(vine));
    vine->setActionLocked(true);
    BulletCharacter* shot = BulletCharacter::create(1, "bulletBody");   // Pocket Pistol: 1 point, power 6
    BulletCharacter* arrow = BulletCharacter::create(4, "bulletBody");  // Spirit Bow: 0 points, power 12
    for (BulletCharacter* bullet : {shot, arrow}) {
        bullet->setPosition(400, 300);
        bullet->setActionLocked(true);
        map_->getCharacterLayer()->addChild(bullet);
    }
    engine::WeakRef<BulletCharacter> spent(shot);
    const int hp = vine->getHp();
    strike(vine, shot);
    EXPECT_EQ(vine->getHp(), hp - 6);
    runFrames(1);
    EXPECT_FALSE(spent) << "the shot lost its one point";
    ASSERT_TRUE(recover(vine));
    runFrames(vine->getInvincibleTimer() + 1);
    strike(vine, arrow);
    EXPECT_EQ(vine->getHp(), hp - 18);
    EXPECT_FALSE(arrow->isDefeated()) << "an arrow goes on through";
}

TEST_F(EnemyCharacterTest, AStunHoldsTheCreatureInItsHurtMotionAndEndsAnAttack) {
    EnemyCharacter* vine = spawnEnemy(3, {200, 60});
    ASSERT_TRUE(settle(vine));
    vine->attack(1);
    ASSERT_TRUE(vine->isAttacking());
    vine->setStunTimer(50);
    runFrames(1);
    EXPECT_TRUE(vine->isShowing(CharacterAnimState::DAMAGE));
    EXPECT_FALSE(vine->isAttacking()) << "the attack is cut short";
    const int step = vine->getPattern()->getStep();
    runFrames(30);
    EXPECT_TRUE(vine->isShowing(CharacterAnimState::DAMAGE)) << "the hurt motion holds";
    EXPECT_EQ(vine->getPattern()->getStep(), step) << "it does not act";
    runFrames(25);
    EXPECT_EQ(vine->getStunTimer(), 0);
    EXPECT_FALSE(vine->isShowing(CharacterAnimState::DAMAGE));
    EXPECT_FALSE(vine->getAnimation()->isLocked());
}

TEST_F(EnemyCharacterTest, ADefeatedCreatureSinksFiveUnitsAsItFadesOverTenFrames) {
    EnemyCharacter* sproutling = spawnEnemy(SPROUTLING, {100, 60});
    ASSERT_TRUE(settle(sproutling));
    engine::WeakRef<EnemyCharacter> alive(sproutling);
    sproutling->damage(100);
    runFrames(1);
    EXPECT_TRUE(sproutling->isDefeated()) << "no hit points left: the next frame defeats it";
    EXPECT_TRUE(sproutling->isShowing(CharacterAnimState::DOWN));
    for (int i = 0; i < 300 && sproutling->getFadeCounter() < 0; ++i)
        runFrames(1);
    ASSERT_EQ(sproutling->getFadeCounter(), EnemyCharacter::FADE_FRAMES);
    const float y = sproutling->getPositionY();
    std::vector<int> opacity;
    for (int i = 0; i < EnemyCharacter::FADE_FRAMES; ++i) {
        runFrames(1);
        opacity.push_back(sproutling->getAnimation()->getOpacity());
    }
    EXPECT_EQ(opacity, (std::vector<int>{229, 204, 178, 153, 127, 102, 76, 51, 25, 0}));
    EXPECT_NEAR(sproutling->getPositionY(), y - 5.0f, 0.01f);
    EXPECT_TRUE(alive);
    runFrames(2);
    EXPECT_FALSE(alive) << "then it leaves the map";
}
