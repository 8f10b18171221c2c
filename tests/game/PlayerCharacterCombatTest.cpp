// Quorin's weapons in play: the grapple combo and its lapse, the magazine and reload, the full draw
// and the quick shot, and what the weapon animations' events make.
#include "engine/physics/PhysicsBody.h"
#include "game/character/BulletCharacter.h"
#include "tests/support/PlayFixture.h"

using namespace vastomer;

namespace {

class PlayerCharacterCombatTest : public PlayFixture {
protected:
    void SetUp() override {
        PlayFixture::SetUp();
        ASSERT_NE(startStage(1), nullptr);
        ASSERT_TRUE(runUntilPlayable());
        runFrames(5);
    }

    // Waits until the player may attack again, then presses OK for one frame.
    void attackWhenReady() {
        for (int i = 0; i < 400 && (player()->isAttacking() || player()->getAttackCooldown() > 0); ++i)
            runFrames(1);
        press(playtest::OK, 1);
    }

    std::string weaponFile() const { return player()->getWeaponNode()->getFileName(); }
    std::string bodyFile() const { return player()->getAnimation()->getFileName(); }
};

}  // namespace

TEST_F(PlayerCharacterCombatTest, FourGrappleAttacksInARowPlayOneTwoThreeThenOneAgain) {
    std::vector<std::string> weapons;
    std::vector<std::string> bodies;
    for (int i = 0; i < 4; ++i) {
        attackWhenReady();
        weapons.push_back(weaponFile());
        bodies.push_back(bodyFile());
    }
    EXPECT_EQ(weapons, (std::vector<std::string>{"anime/WEAPON_0000_01.cma", "anime/WEAPON_0000_02.cma",
                                                 "anime/WEAPON_0000_03.cma", "anime/WEAPON_0000_01.cma"}));
    EXPECT_EQ(bodies,
              (std::vector<std::string>{"anime/PLAYER_GRAPPLE_0_1.cma", "anime/PLAYER_GRAPPLE_0_2.cma",
                                        "anime/PLAYER_GRAPPLE_0_3.cma", "anime/PLAYER_GRAPPLE_0_1.cma"}));
}

TEST_F(PlayerCharacterCombatTest, TheComboLapsesAfterTwiceTheCooldown) {
    attackWhenReady();
    EXPECT_EQ(player()->getComboStep(), 1);
    EXPECT_EQ(player()->getChainLimit(), 48) << "the Iron Fan's interval is 24";
    runFrames(60);
    EXPECT_EQ(player()->getComboStep(), 0);
    EXPECT_FALSE(player()->isAttackChain());
    attackWhenReady();
    EXPECT_EQ(weaponFile(), "anime/WEAPON_0000_01.cma");
}

TEST_F(PlayerCharacterCombatTest, TheGrappleSwingMakesAShortLivedMeleeBodyTaggedWithTheWeapon) {
    attackWhenReady();
    int tag = -2;
    int lived = 0;
    for (int i = 0; i < 40; ++i) {
        runFrames(1);
        if (engine::Node* found = player()->getChildByName("grappleBody")) {
            tag = found->getTag();
            ASSERT_NE(found->getPhysicsBody(), nullptr);
            EXPECT_EQ(found->getPhysicsBody()->getName(), "grappleBody");
            EXPECT_EQ(found->getPhysicsBody()->getCollisionBitmask(), 0) << "a sensor: it stops nothing";
            ++lived;
        }
    }
    EXPECT_EQ(lived, 4) << "the swing's event makes a body that lives the frames it gives";
    EXPECT_EQ(tag, 0) << "tagged with the weapon in hand";
}

TEST_F(PlayerCharacterCombatTest, ShotsEmptyTheMagazineThenTheNextPressReloads) {
    PlayInterface* hud = scene()->getPlayInterface();
    press(playtest::BUTTON3, 1);
    ASSERT_TRUE(player()->getWeaponMode());
    EXPECT_TRUE(hud->isShowingShotWeapon());
    for (int shot = 1; shot <= 8; ++shot) {
        attackWhenReady();
        EXPECT_EQ(player()->getAmmo(), 8 - shot);
    }
    EXPECT_EQ(hud->getAmmoLabel()->getString(), "0");
    EXPECT_EQ(hud->getAmmoLabel()->getTextColor().r, 255);
    EXPECT_EQ(hud->getAmmoLabel()->getTextColor().g, 0) << "an empty magazine shows red";

    attackWhenReady();
    EXPECT_TRUE(player()->isReloading());
    EXPECT_FALSE(player()->isAttacking()) << "the press reloads instead of shooting";
    EXPECT_TRUE(hud->isReloadBlinking());
    const int left = player()->getAttackCooldown();
    EXPECT_EQ(left, 60);
    press(playtest::OK, 1);
    EXPECT_TRUE(player()->isReloading());
    EXPECT_EQ(player()->getAttackCooldown(), left - 1) << "a second press changes nothing";
    runFrames(60);
    EXPECT_FALSE(player()->isReloading());
    EXPECT_EQ(player()->getAmmo(), 8);
    EXPECT_EQ(hud->getAmmoLabel()->getString(), "8");
    EXPECT_FALSE(hud->isReloadBlinking());
}

TEST_F(PlayerCharacterCombatTest, TheFirstShotIsAFullDrawAndQuickFollowUpsAreNot) {
    press(playtest::BUTTON3, 1);
    attackWhenReady();
    EXPECT_EQ(bodyFile(), "anime/PLAYER_SHOOT_FULL_0_1.cma");
    EXPECT_EQ(weaponFile(), "anime/WEAPON_0010_00.cma");
    attackWhenReady();
    EXPECT_EQ(bodyFile(), "anime/PLAYER_SHOOT_0_1.cma");
    EXPECT_EQ(weaponFile(), "anime/WEAPON_0010_01.cma");
    runFrames(player()->getChainLimit() + 5);
    attackWhenReady();
    EXPECT_EQ(bodyFile(), "anime/PLAYER_SHOOT_FULL_0_1.cma");
}

TEST_F(PlayerCharacterCombatTest, AShotFiresABulletFromTheMuzzleTheWayQuorinFaces) {
    press(playtest::RIGHT, 2);
    runFrames(20);
    press(playtest::BUTTON3, 1);
    const int shotsBefore = DataManager::getInstance()->getShotCount();
    attackWhenReady();
    BulletCharacter* bullet = nullptr;
    for (int i = 0; i < 30 && !bullet; ++i) {
        runFrames(1);
        for (engine::Node* node : map()->getCharacterLayer()->getChildren())
            if (auto* found = dynamic_cast<BulletCharacter*>(node)) bullet = found;
    }
    ASSERT_NE(bullet, nullptr);
    EXPECT_EQ(bullet->getSpawnKind(), "bulletBody");
    EXPECT_EQ(bullet->getBulletId(), 1);
    EXPECT_FALSE(bullet->isFacingLeft());
    EXPECT_GT(bullet->getPositionX(), player()->getPositionX()) << "in front of her";
    EXPECT_EQ(bullet->getOwner(), player());
    EXPECT_EQ(bullet->getShooterId(), 0);
    EXPECT_EQ(DataManager::getInstance()->getShotCount(), shotsBefore + 1);
    const float x = bullet->getPositionX();
    runFrames(10);
    EXPECT_GT(bullet->getPositionX(), x + 20.0f) << "it flies on";
}

TEST_F(PlayerCharacterCombatTest, StopWalkKeepsTheCrouchAndTheAimedGun) {
    player()->jumpPress();
    EXPECT_TRUE(player()->isShowing(CharacterAnimState::JUMPPRE));
    player()->stopWalk();
    EXPECT_TRUE(player()->isShowing(CharacterAnimState::JUMPPRE));
    player()->setJumpHeld(false);
    player()->setJumpCharge(0);
    runFrames(2);

    player()->walk(false, true);
    ASSERT_TRUE(player()->isShowing(CharacterAnimState::RUN));
    player()->setFireHeld(true);
    player()->stopWalk();
    EXPECT_TRUE(player()->isShowing(CharacterAnimState::RUN)) << "OK held with ammunition keeps the picture";
    EXPECT_FLOAT_EQ(player()->getMoveX(), 0.0f);
}
