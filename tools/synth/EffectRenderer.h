#pragma once

#include <vector>

#include "tools/synth/SoundEffect.h"

namespace synth {

// Plays every voice of a sound effect once and mixes them into one mono track.
class EffectRenderer {
public:
    static std::vector<float> render(const SoundEffect& effect, double sampleRate);
};

}  // namespace synth
