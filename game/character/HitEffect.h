#pragma once

namespace vastomer {

class CharacterSprite;
class CompositeAnimation;

// The spark shown on a character where an attack hits it: an "anime/EFFECT_" animation added to the
// character at z 30, played once and then removed.
class HitEffect {
public:
    static constexpr int Z = 30;

    // Places the effect at the character's centre, moved a random amount below width / `spread`
    // towards the side the contact normal `nx` points to (in world terms), and up or down by up to
    // half that. `spread` is 8 for melee hits and 4 for bullets. Null when nothing could be shown.
    static CompositeAnimation* show(CharacterSprite* target, int effectId, float nx, int spread);
};

}  // namespace vastomer
