#pragma once

#include <vector>

#include "VoicePatch.h"

namespace kettledrum {

// A sound effect: one or more voices started together (each may have its own delay), then scaled by gain.
struct SoundEffect {
    std::vector<VoicePatch> voices;
    double gainDb = 0.0;
};

}  // namespace kettledrum
