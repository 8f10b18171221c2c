#include "tools/synth/Oscillator.h"

#include <cmath>

namespace synth {

namespace {

constexpr double TWO_PI = 6.28318530717958647692;

// Correction that rounds off a unit jump at phase 0 over one sample either side.
double polyBlep(double phase, double increment) {
    if (phase < increment) {
        const double t = phase / increment;
        return t + t - t * t - 1.0;
    }
    if (phase > 1.0 - increment) {
        const double t = (phase - 1.0) / increment;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

}  // namespace

Oscillator::Oscillator(Wave wave, double phase, std::uint32_t seed)
    : wave_(wave), phase_(phase), noise_(seed) {
    held_ = noise_.nextSample();
}

float Oscillator::next(double increment, double duty) {
    double value = 0.0;
    switch (wave_) {
        case Wave::Square: {
            // High for `duty` of the period, centred so that the wave carries no DC whatever the duty.
            value = (phase_ < duty ? 1.0 : -1.0) - (2.0 * duty - 1.0);
            value += polyBlep(phase_, increment);
            double fall = phase_ - duty;
            if (fall < 0.0) fall += 1.0;
            value -= polyBlep(fall, increment);
            break;
        }
        case Wave::Triangle:
            value = 4.0 * std::fabs(phase_ - 0.5) - 1.0;
            break;
        case Wave::Saw:
            value = 2.0 * phase_ - 1.0 - polyBlep(phase_, increment);
            break;
        case Wave::Sine:
            value = std::sin(TWO_PI * phase_);
            break;
        case Wave::Noise:
            value = held_;
            break;
    }
    phase_ += increment;
    if (phase_ >= 1.0) {
        phase_ -= std::floor(phase_);
        held_ = noise_.nextSample();
    }
    return static_cast<float>(value);
}

}  // namespace synth
