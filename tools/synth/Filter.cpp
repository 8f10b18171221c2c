#include "tools/synth/Filter.h"

#include <algorithm>
#include <cmath>

namespace synth {

namespace {

constexpr double PI = 3.14159265358979323846;

}  // namespace

// Resonance 0 gives a Butterworth response (no peak); towards 1 the peak at the cutoff grows sharp.
Filter::Filter(Mode mode, double resonance)
    : mode_(mode), damping_(std::sqrt(2.0) * (1.0 - 0.9 * resonance)) {}

void Filter::setCutoff(double hz, double sampleRate) {
    const double limited = std::clamp(hz, 10.0, sampleRate * 0.45);
    const double g = std::tan(PI * limited / sampleRate);
    a1_ = 1.0 / (1.0 + g * (g + damping_));
    a2_ = g * a1_;
    a3_ = g * a2_;
}

float Filter::process(float input) {
    const double v3 = input - state2_;
    const double v1 = a1_ * state1_ + a2_ * v3;
    const double v2 = state2_ + a2_ * state1_ + a3_ * v3;
    state1_ = 2.0 * v1 - state1_;
    state2_ = 2.0 * v2 - state2_;
    if (mode_ == Mode::LowPass) return static_cast<float>(v2);
    return static_cast<float>(input - damping_ * v1 - v2);
}

}  // namespace synth
