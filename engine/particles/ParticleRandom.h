#pragma once

#include <cstdint>

namespace engine {

// The random numbers of one particle system: a PCG32 generator (same sequence on every platform and
// compiler for a given seed) with its own mapping to floats.
class ParticleRandom {
public:
    static constexpr uint64_t DEFAULT_SEED = 0x5EEDC0FFEEull;

    explicit ParticleRandom(uint64_t seed = DEFAULT_SEED) { setSeed(seed); }

    void setSeed(uint64_t seed);
    uint64_t getSeed() const { return seed_; }
    uint32_t next();
    // Uniform in [-1, 1).
    float minusOneToOne();

private:
    uint64_t seed_ = 0;
    uint64_t state_ = 0;
};

}  // namespace engine
