#pragma once

#include "tools/synth/LineCursor.h"
#include "tools/synth/VoicePatch.h"

namespace synth {

// Reads the voice settings shared by sound effects and instruments ("wave square", "attack 0.01",
// "lowpass 4000 to 800", ...). See README.md for the full list.
class PatchParser {
public:
    // Applies the line to `patch` if its key is a voice setting; false if the key is not one.
    static bool apply(LineCursor& line, VoicePatch& patch);
};

}  // namespace synth
