#pragma once

#include <cstddef>
#include <vector>

namespace synth {

// Two channels of float samples, full scale at +-1.
struct StereoBuffer {
    std::vector<float> left;
    std::vector<float> right;

    std::size_t frames() const { return left.size(); }
    void resize(std::size_t frames) {
        left.assign(frames, 0.0f);
        right.assign(frames, 0.0f);
    }
};

}  // namespace synth
