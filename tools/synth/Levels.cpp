#include "tools/synth/Levels.h"

#include <algorithm>
#include <cmath>

namespace synth {

double Levels::toDb(double amplitude) {
    return amplitude > 1e-10 ? 20.0 * std::log10(amplitude) : -200.0;
}

Levels Levels::measure(const std::vector<float>& samples) {
    Levels levels;
    if (samples.empty()) return levels;
    double peak = 0.0;
    double energy = 0.0;
    for (const float sample : samples) {
        const double value = sample;
        peak = std::max(peak, std::fabs(value));
        energy += value * value;
    }
    levels.peakDb = toDb(peak);
    levels.rmsDb = toDb(std::sqrt(energy / static_cast<double>(samples.size())));
    return levels;
}

}  // namespace synth
