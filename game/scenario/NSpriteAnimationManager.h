#pragma once

#include <string>

#include "engine/base/SingletonSlot.h"
#include "game/scenario/AnimationScriptCache.h"

namespace vastomer {

// Builds the ".cma" file names of characters' motions, weapons, bullets and effects, and keeps the
// scripts parsed so far.
class NSpriteAnimationManager {
public:
    // Motion numbers: the character animation states, 1 WAIT to 18 FLING.
    static constexpr int FIRST_MOTION = 1;
    static constexpr int LAST_MOTION = 18;

    // The one instance, made on first use (GameServices makes and destroys it in the program's order).
    static NSpriteAnimationManager* getInstance();
    static void destroyInstance();

    NSpriteAnimationManager(const NSpriteAnimationManager&) = delete;
    NSpriteAnimationManager& operator=(const NSpriteAnimationManager&) = delete;

    // "anime/" + ("PLAYER_" for character 0, else the id in 4 digits + "_") + motion word + variant
    // + ("_" + number when number > -1) + ".cma"; a motion outside 1-18 adds no word.
    std::string getCharacterAnimationFile(int characterId, int motion, int variant, int number = -1) const;
    // "anime/WEAPON_" + weapon id in 4 digits + "_" + number in 2 digits + ("_JUMP" when jumping) + ".cma".
    std::string getWeaponAnimationFile(int weaponId, int number, bool jumping) const;
    // "anime/BULLET_" + bullet id in 4 digits + ".cma".
    std::string getBulletAnimationFile(int bulletId) const;
    // "anime/EFFECT_" + effect id in 4 digits + ".cma".
    std::string getEffectAnimationFile(int effectId) const;

    // The parsed animation scripts of this run.
    AnimationScriptCache& getScriptCache() { return scriptCache_; }

    // "WAIT_" ... "FLING_" for motions 1-18, "" for any other number.
    static const char* motionWord(int motion);
    // The number in at least `digits` digits, zero-padded ("0012"; "-012" for negatives).
    static std::string padded(int number, int digits);

private:
    friend class engine::SingletonSlot<NSpriteAnimationManager>;
    NSpriteAnimationManager() = default;

    AnimationScriptCache scriptCache_;
};

}  // namespace vastomer
