// Quorin's equipment effects, her defeat and recovery, the special and entice modes at their SP and
// LP edges, and what creatures' bodies and bullets do to her, in play on stage 1.
#include "engine/physics/PhysicsBody.h"
#include "game/character/BulletCharacter.h"
#include "tests/support/PlayFixture.h"

using namespace vastomer;

namespace {

class PlayerCharacterStateTest : public PlayFixture {
protected:
    void SetUp() override {
        PlayFixture::SetUp();
        ASSERT_NE(startStage(1), nullptr);
        ASSERT_TRUE(runUntilPlayable());
        runFrames(5);
    }

    // Equips and revives with it, as the status screen does.
    void equip(int wear, int shotWeapon = 10) {
        DataManager* data = DataManager::getInstance();
        data->setEquippedWear(wear);
        data->setEquippedWeapon2(shotWeapon);
        player()->setAnimationVariant(0);
        player()->setShotWeaponId(shotWeapon);
        player()->reset();
    }
};

}  // namespace

TEST_F(PlayerCharacterStateTest, WearAndHeavyWeaponsSetTheMotionValues) {
    equip(0);
    EXPECT_FLOAT_EQ(player()->getMoveSpeed(), 9.0f);
    EXPECT_FLOAT_EQ(player()->getJumpPower(), 9.0f);
    EXPECT_FLOAT_EQ(player()->getMoveAcceleration(), 2.0f);
    EXPECT_EQ(player()->getWeaponOffset(), engine::Vec2::ZERO);

    equip(6);  // speedup: the run cap (moveSpeed x 8 + 120) a quarter higher
    EXPECT_FLOAT_EQ(player()->getMoveSpeed() * 8.0f + 120.0f, 1.25f * (9.0f * 8.0f + 120.0f));
    equip(7);  // jumpup
    EXPECT_FLOAT_EQ(player()->getJumpPower(), 13.5f);
    EXPECT_FLOAT_EQ(player()->getMoveYMax(), 13.5f);
    EXPECT_FLOAT_EQ(player()->getMoveSpeed(), 9.0f);

    equip(0, 12);  // the Scatter Cannon is heavy
    EXPECT_FLOAT_EQ(player()->getJumpPower(), 2.25f);
    EXPECT_FLOAT_EQ(player()->getMoveAcceleration(), 0.5f);
    EXPECT_FLOAT_EQ(player()->getMoveSpeed(), 1.5f);
    EXPECT_EQ(player()->getAmmoMax(), 4);

    equip(3, 12);  // the Steam Armor carries it
    EXPECT_FLOAT_EQ(player()->getJumpPower(), 9.0f);
    EXPECT_FLOAT_EQ(player()->getMoveSpeed(), 9.0f);
    EXPECT_FLOAT_EQ(player()->getMoveAcceleration(), 2.0f);
    EXPECT_TRUE(player()->isPowerArmorLook());
    EXPECT_EQ(player()->getWeaponOffset(), engine::Vec2(-12.0f, 16.0f));
}

TEST_F(PlayerCharacterStateTest, AutoHealGivesOnePointEveryThirtyFourFrames) {
    equip(8);
    ASSERT_TRUE(runUntilPlayable());
    EXPECT_EQ(player()->getAutoHealCounter() >= 0, true);
    player()->setHp(50);
    for (int i = 0; i < 40 && player()->getHp() == 50; ++i)
        runFrames(1);
    ASSERT_EQ(player()->getHp(), 51);
    runFrames(33);
    EXPECT_EQ(player()->getHp(), 51);
    runFrames(1);
    EXPECT_EQ(player()->getHp(), 52);
    player()->setHp(player()->getMaxHp());
    runFrames(40);
    EXPECT_EQ(player()->getHp(), player()->getMaxHp()) << "never above the maximum";
}

TEST_F(PlayerCharacterStateTest, ADefeatWithoutDramaLeavesHerDownAHundredFramesThenSheRecovers) {
    player()->damage(200);
    EXPECT_EQ(player()->getHp(), 0);
    runFrames(1);
    ASSERT_TRUE(player()->isDefeated());
    EXPECT_TRUE(player()->isFrozen());
    int frames = 0;
    while (player()->getReviveTimer() == 0 && frames < 300) {
        runFrames(1);
        ++frames;
    }
    ASSERT_EQ(player()->getReviveTimer(), PlayerCharacter::REVIVE_FRAMES) << "after the down motion";
    runFrames(99);
    EXPECT_TRUE(player()->isDefeated());
    runFrames(1);
    EXPECT_FALSE(player()->isDefeated());
    EXPECT_EQ(player()->getHp(), player()->getMaxHp());
    // 150 frames of invincibility, the frame of the recovery among them.
    EXPECT_EQ(player()->getInvincibleTimer(), PlayerCharacter::RECOVER_INVINCIBLE_FRAMES - 1);
    EXPECT_FALSE(player()->isFrozen());
    runFrames(2);
    EXPECT_EQ(scene()->getPlayInterface()->getHpGauge()->getValue(), player()->getMaxHp());
    EXPECT_FALSE(controller()->isGameOverShown());
}

TEST_F(PlayerCharacterStateTest, InSteamArmorTheEndOfTheDownMotionIsGameOverAtOnce) {
    equip(3);
    ASSERT_TRUE(runUntilPlayable());
    player()->damage(200);
    for (int i = 0; i < 300 && !controller()->isGameOverShown(); ++i)
        runFrames(1);
    EXPECT_TRUE(controller()->isGameOverShown());
    EXPECT_EQ(player()->getReviveTimer(), 0) << "no getting up by herself";
    EXPECT_TRUE(player()->isPaused());
}

TEST_F(PlayerCharacterStateTest, SpecialModeNeedsTwoSpDrainsOnePerFrameAndEnds) {
    DataManager* data = DataManager::getInstance();
    data->setSp(1);
    press(playtest::BUTTON5, 1);
    EXPECT_FALSE(player()->isBoosted()) << "1 SP is not enough";
    data->setSp(3);
    press(playtest::BUTTON5, 1);
    ASSERT_TRUE(player()->isBoosted());
    runFrames(1);
    EXPECT_EQ(data->getSp(), 2);
    runFrames(1);
    EXPECT_EQ(data->getSp(), 1);
    runFrames(1);
    EXPECT_EQ(data->getSp(), 0);
    EXPECT_FALSE(player()->isBoosted()) << "the mode ends on the frame SP falls below 1";
    EXPECT_FALSE(player()->hasSpecialEffects());
    EXPECT_FLOAT_EQ(scene()->getPlayInterface()->getSpGauge()->getValue(), 0.0f);
}

TEST_F(PlayerCharacterStateTest, EnticeModeNeedsMoreThanFourHundredFiftyLpAndToggles) {
    DataManager* data = DataManager::getInstance();
    data->setLp(450);
    press(playtest::BUTTON6, 1);
    EXPECT_FALSE(player()->isEnticing());
    data->setLp(451);
    press(playtest::BUTTON6, 1);
    EXPECT_TRUE(player()->isEnticing());
    EXPECT_TRUE(player()->getEnticeEffect()->isVisible());
    press(playtest::OK, 1);
    EXPECT_FALSE(player()->isAttacking()) << "no attacks while enticing";
    press(playtest::BUTTON6, 1);
    EXPECT_FALSE(player()->isEnticing());
    EXPECT_FALSE(player()->getEnticeEffect()->isVisible());
}

TEST_F(PlayerCharacterStateTest, ABodyContactHurtsAndReplacesTheLastBulletHit) {
    // A creature's bolt (bullet 22) lands on her first, then the creature itself walks into her.
    CharacterSprite* creature = CharacterSprite::create(1, 0, "enemy", 0);
    creature->setPosition(player()->getPosition() + engine::Vec2(60.0f, 10.0f));
    map()->getCharacterLayer()->addChild(creature);
    map()->addCharacter(creature, true);
    BulletCharacter* bolt = BulletCharacter::create(22, "enemyBullet");
    ASSERT_NE(bolt, nullptr);
    bolt->setOwner(creature);
    bolt->setShooterId(creature->getCharacterId());
    bolt->setActionLocked(true);
    bolt->setPosition(player()->getPosition());
    map()->getCharacterLayer()->addChild(bolt);
    engine::WeakRef<BulletCharacter> spent(bolt);
    runFrames(2);
    EXPECT_EQ(player()->getHp(), 92) << "the bolt's power 8";
    EXPECT_FALSE(spent) << "a shot of 1 point is spent on her";
    EXPECT_EQ(player()->getLastAttackerId(), 1);
    EXPECT_EQ(player()->getLastAttackBulletId(), 22);
    EXPECT_EQ(player()->getLastAttackWeaponId(), -1);
    EXPECT_EQ(controller()->getContactEnemy(), creature);

    runFrames(120);  // the damage motion and the invincibility pass
    creature->setPosition(player()->getPosition() + engine::Vec2(14.0f, 0.0f));
    runFrames(2);
    EXPECT_EQ(player()->getHp(), 87) << "the creature's contact damage 5";
    EXPECT_EQ(player()->getLastAttackerId(), 1);
    EXPECT_EQ(player()->getLastAttackBulletId(), -1) << "a body contact leaves no stale bullet behind";
    EXPECT_EQ(player()->getLastAttackWeaponId(), 0) << "its key is the creature's variant";
}

TEST_F(PlayerCharacterStateTest, ASecondHitDuringTheHurtMotionDoesNotKeepHerFrozen) {
    player()->damage(5);
    ASSERT_TRUE(player()->isFrozen()) << "the hurt motion holds her";
    runFrames(3);
    // A creature pressing on her again before the motion ends: no damage, and the motion goes on.
    player()->damage(5);
    EXPECT_EQ(player()->getHp(), 95);
    EXPECT_TRUE(player()->isShowing(CharacterAnimState::DAMAGE));
    runFrames(120);
    EXPECT_FALSE(player()->isFrozen()) << "the end of the hurt motion gives her the controls back";
}

TEST_F(PlayerCharacterStateTest, GrappleEventsAreAskedForWithTheKeyTheyWereFoundBy) {
    // The Spore Pod (5) catches her with its spore (bullet 21): the event (5, 21) allows bullets.
    CharacterSprite* pod = CharacterSprite::create(5, 0, "enemy", 0);
    pod->setPosition(player()->getPosition() + engine::Vec2(200.0f, 20.0f));
    map()->getCharacterLayer()->addChild(pod);
    map()->addCharacter(pod, true);
    auto shoot = [this, pod] {
        BulletCharacter* spore = BulletCharacter::create(21, "enemyBullet");
        spore->setOwner(pod);
        spore->setShooterId(5);
        spore->setActionLocked(true);
        spore->setPosition(player()->getPosition());
        map()->getCharacterLayer()->addChild(spore);
        return engine::WeakRef<BulletCharacter>(spore);
    };
    player()->setHp(1);
    auto first = shoot();
    runFrames(2);
    ASSERT_EQ(player()->getHp(), 0);
    if (first) first->removeFromParent();
    for (int i = 0; i < 200 && controller()->getLastDramaRequest().count == 0; ++i)
        runFrames(1);
    // Her defeat looks the event up by the bullet that felled her and hands that key on.
    EXPECT_EQ(controller()->getLastDramaRequest().count, 1);
    EXPECT_EQ(controller()->getLastDramaRequest().enemyId, 5);
    EXPECT_EQ(controller()->getLastDramaRequest().kind, 21);
    EXPECT_FALSE(controller()->getLastDramaRequest().entice);
    // (The drama part that now plays holds the stage: a second catch waits until it ends.)
}
