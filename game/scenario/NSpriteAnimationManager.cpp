#include "game/scenario/NSpriteAnimationManager.h"

namespace vastomer {

namespace {

constexpr const char* kMotionWords[] = {
    "WAIT_",    "WALK_",       "RUN_",        "JUMPPRE_",         "JUMP_",    "FALLING_",
    "LANDING_", "DAMAGE_",     "DOWN_",       "ATTACK_",          "GRAPPLE_", "GRAPPLE_JUMP_",
    "SHOOT_",   "SHOOT_JUMP_", "SHOOT_FULL_", "SHOOT_FULL_JUMP_", "ENTICE_",  "FLING_"};

}  // namespace

NSpriteAnimationManager* NSpriteAnimationManager::getInstance() {
    return engine::SingletonSlot<NSpriteAnimationManager>::get();
}

void NSpriteAnimationManager::destroyInstance() {
    engine::SingletonSlot<NSpriteAnimationManager>::destroy();
}

const char* NSpriteAnimationManager::motionWord(int motion) {
    return motion >= FIRST_MOTION && motion <= LAST_MOTION ? kMotionWords[motion - FIRST_MOTION] : "";
}

std::string NSpriteAnimationManager::padded(int number, int digits) {
    const bool negative = number < 0;
    std::string text =
        std::to_string(negative ? -static_cast<long long>(number) : static_cast<long long>(number));
    const int width = negative ? digits - 1 : digits;
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    return negative ? "-" + text : text;
}

std::string NSpriteAnimationManager::getCharacterAnimationFile(int characterId, int motion, int variant,
                                                               int number) const {
    std::string file = "anime/";
    file += characterId == 0 ? std::string("PLAYER_") : padded(characterId, 4) + "_";
    file += motionWord(motion);
    file += std::to_string(variant);
    if (number > -1) file += "_" + std::to_string(number);
    return file + ".cma";
}

std::string NSpriteAnimationManager::getWeaponAnimationFile(int weaponId, int number, bool jumping) const {
    return "anime/WEAPON_" + padded(weaponId, 4) + "_" + padded(number, 2) + (jumping ? "_JUMP" : "") +
           ".cma";
}

std::string NSpriteAnimationManager::getBulletAnimationFile(int bulletId) const {
    return "anime/BULLET_" + padded(bulletId, 4) + ".cma";
}

std::string NSpriteAnimationManager::getEffectAnimationFile(int effectId) const {
    return "anime/EFFECT_" + padded(effectId, 4) + ".cma";
}

}  // namespace vastomer
