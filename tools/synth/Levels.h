#pragma once

#include <cstddef>
#include <vector>

namespace synth {

// Loudness figures of a rendered sound, in dB relative to full scale.
struct Levels {
    double peakDb = -200.0;
    double rmsDb = -200.0;

    static Levels measure(const std::vector<float>& samples);
    static double toDb(double amplitude);
};

}  // namespace synth
