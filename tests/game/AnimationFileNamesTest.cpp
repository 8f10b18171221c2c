// The animation file names characters, weapons, bullets and effects ask for.
#include <gtest/gtest.h>

#include "game/scenario/NSpriteAnimationManager.h"

using vastomer::NSpriteAnimationManager;

namespace {

TEST(AnimationFileNamesTest, CharacterMotionsWeaponsBulletsAndEffects) {
    const NSpriteAnimationManager* names = NSpriteAnimationManager::getInstance();
    EXPECT_EQ(names, NSpriteAnimationManager::getInstance());
    EXPECT_EQ(names->getCharacterAnimationFile(0, 2, 0), "anime/PLAYER_WALK_0.cma");
    EXPECT_EQ(names->getCharacterAnimationFile(12, 2, 0), "anime/0012_WALK_0.cma");
    EXPECT_EQ(names->getCharacterAnimationFile(12, 1, 0), "anime/0012_WAIT_0.cma");
    EXPECT_EQ(names->getCharacterAnimationFile(0, 3, 2), "anime/PLAYER_RUN_2.cma");
    EXPECT_EQ(names->getCharacterAnimationFile(0, 11, 0, 3), "anime/PLAYER_GRAPPLE_0_3.cma");
    EXPECT_EQ(names->getCharacterAnimationFile(1, 10, 0, 0), "anime/0001_ATTACK_0_0.cma");
    EXPECT_EQ(names->getCharacterAnimationFile(102, 16, 1), "anime/0102_SHOOT_FULL_JUMP_1.cma");
    EXPECT_EQ(names->getCharacterAnimationFile(0, 19, 0), "anime/PLAYER_0.cma") << "no word outside 1-18";
    EXPECT_EQ(names->getCharacterAnimationFile(12345, 18, 0), "anime/12345_FLING_0.cma");
    EXPECT_EQ(names->getWeaponAnimationFile(0, 1, false), "anime/WEAPON_0000_01.cma");
    EXPECT_EQ(names->getWeaponAnimationFile(10, 0, true), "anime/WEAPON_0010_00_JUMP.cma");
    EXPECT_EQ(names->getBulletAnimationFile(1), "anime/BULLET_0001.cma");
    EXPECT_EQ(names->getEffectAnimationFile(9001), "anime/EFFECT_9001.cma");
    const char* words[] = {
        "WAIT_",    "WALK_",       "RUN_",        "JUMPPRE_",         "JUMP_",    "FALLING_",
        "LANDING_", "DAMAGE_",     "DOWN_",       "ATTACK_",          "GRAPPLE_", "GRAPPLE_JUMP_",
        "SHOOT_",   "SHOOT_JUMP_", "SHOOT_FULL_", "SHOOT_FULL_JUMP_", "ENTICE_",  "FLING_"};
    for (int motion = 1; motion <= 18; ++motion)
        EXPECT_STREQ(NSpriteAnimationManager::motionWord(motion), words[motion - 1]);
}

}  // namespace
