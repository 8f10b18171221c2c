#pragma once

namespace vastomer {

// The motion a character shows. The value is also the motion number of the animation file
// ("anime/PLAYER_RUN_0.cma" is RUN for the player in wear 0); NONE adds no motion word.
enum class CharacterAnimState : int {
    NONE = 0,
    WAIT = 1,
    WALK = 2,
    RUN = 3,
    JUMPPRE = 4,
    JUMP = 5,
    FALLING = 6,
    LANDING = 7,
    DAMAGE = 8,
    DOWN = 9,
    ATTACK = 10,
    GRAPPLE = 11,
    GRAPPLE_JUMP = 12,
    SHOOT = 13,
    SHOOT_JUMP = 14,
    SHOOT_FULL = 15,
    SHOOT_FULL_JUMP = 16,
    ENTICE = 17,
    FLING = 18,
};

}  // namespace vastomer
