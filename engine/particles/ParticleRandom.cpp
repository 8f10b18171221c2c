#include "engine/particles/ParticleRandom.h"

namespace engine {

namespace {
constexpr uint64_t kMultiplier = 6364136223846793005ull;
constexpr uint64_t kIncrement = 1442695040888963407ull;
}  // namespace

void ParticleRandom::setSeed(uint64_t seed) {
    seed_ = seed;
    state_ = 0;
    next();
    state_ += seed;
    next();
}

uint32_t ParticleRandom::next() {
    uint64_t old = state_;
    state_ = old * kMultiplier + kIncrement;
    auto xorShifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
    auto rotation = static_cast<uint32_t>(old >> 59u);
    return (xorShifted >> rotation) | (xorShifted << ((32u - rotation) & 31u));
}

float ParticleRandom::minusOneToOne() {
    // 24 bits fill a float's mantissa exactly.
    return static_cast<float>(next() >> 8) * (2.0f / 16777216.0f) - 1.0f;
}

}  // namespace engine
