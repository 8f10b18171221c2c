#pragma once

#include <cstdint>

namespace synth {

// A small seeded random generator (xorshift32), so the same source always renders the same bytes.
class Noise {
public:
    explicit Noise(std::uint32_t seed);

    std::uint32_t nextBits();
    // Uniform in [-1, 1).
    float nextSample();
    // Uniform in [0, 1).
    double nextUnit();

private:
    std::uint32_t state_;
};

}  // namespace synth
