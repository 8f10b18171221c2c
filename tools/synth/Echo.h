#pragma once

#include <cstddef>
#include <vector>

#include "tools/synth/StereoBuffer.h"

namespace synth {

// A ping-pong echo: repeats alternate left and right, each one softer and darker than the one before.
class Echo {
public:
    Echo(std::size_t delayFrames, double feedback);

    // Adds the echoes of the mono `send` to `out` (same length). With `wrap` the send is a loop: the echo
    // runs over it twice and keeps the second pass, so repeats of the loop's end sound at its start.
    void apply(const std::vector<float>& send, StereoBuffer& out, bool wrap) const;

private:
    std::size_t delayFrames_;
    double feedback_;
};

}  // namespace synth
