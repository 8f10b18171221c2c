#pragma once

#include <vector>

#include "tools/synth/VoicePatch.h"

namespace synth {

// A sound effect: one or more voices started together (each may have its own delay), then scaled by gain.
struct SoundEffect {
    std::vector<VoicePatch> voices;
    double gainDb = 0.0;
};

}  // namespace synth
