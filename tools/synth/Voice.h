#pragma once

#include <cstdint>

#include "tools/synth/StereoBuffer.h"
#include "tools/synth/VoicePatch.h"

namespace synth {

// One note of one patch: its pitch (MIDI number), how long the key is held and how hard.
struct VoiceNote {
    double midi = 69.0;
    double gate = 0.0;  // seconds
    double velocity = 1.0;
    std::uint32_t seed = 1;
};

// Renders the complete sound of a single note: oscillators, pitch movement, filters and envelope, from the
// patch's delay to the end of its release.
class Voice {
public:
    Voice(const VoicePatch& patch, double sampleRate);

    // Length of the note's sound in frames, delay and release included.
    std::size_t frames(double gate) const;
    // Replaces `out` with the note's sound, frames(note.gate) long.
    void render(const VoiceNote& note, StereoBuffer& out) const;

private:
    double pitchOffset(double seconds) const;

    const VoicePatch& patch_;
    double sampleRate_;
};

}  // namespace synth
