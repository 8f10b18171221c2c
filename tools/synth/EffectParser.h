#pragma once

#include <istream>
#include <string>

#include "tools/synth/SoundEffect.h"

namespace synth {

// Reads a ".sfx" source: voice settings, "voice" to start another layer, "gain" for the whole sound.
class EffectParser {
public:
    // Throws SourceError naming `file` and the line at fault.
    static SoundEffect parse(std::istream& in, const std::string& file);
};

}  // namespace synth
