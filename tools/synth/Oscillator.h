#pragma once

#include "tools/synth/Noise.h"
#include "tools/synth/VoicePatch.h"

namespace synth {

// One band-limited oscillator. Square and saw use polynomial corrections at their jumps (PolyBLEP) so high
// notes stay clean; noise holds a new random value at `frequency` steps per second.
class Oscillator {
public:
    Oscillator(Wave wave, double phase, std::uint32_t seed);

    // Next sample for a phase step of `increment` (frequency / sample rate, below 0.5) and a square duty.
    float next(double increment, double duty);

private:
    Wave wave_;
    double phase_;
    Noise noise_;
    float held_ = 0.0f;
};

}  // namespace synth
