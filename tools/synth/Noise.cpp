#include "tools/synth/Noise.h"

namespace synth {

Noise::Noise(std::uint32_t seed) {
    // Spread nearby seeds apart; xorshift must never hold zero.
    std::uint32_t mixed = seed * 0x9E3779B9u;
    mixed ^= mixed >> 16;
    mixed *= 0x85EBCA6Bu;
    mixed ^= mixed >> 13;
    state_ = mixed != 0 ? mixed : 0x6D2B79F5u;
}

std::uint32_t Noise::nextBits() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

float Noise::nextSample() {
    return static_cast<float>(nextUnit() * 2.0 - 1.0);
}

double Noise::nextUnit() {
    return static_cast<double>(nextBits() >> 8) / 16777216.0;
}

}  // namespace synth
