#pragma once

#include <vector>

#include "tools/synth/StereoBuffer.h"

namespace synth {

// A small room: parallel damped comb filters into a chain of all-pass filters, tuned a little differently
// for each side so the tail sounds wide.
class Reverb {
public:
    Reverb(double decaySeconds, double sampleRate);

    // Adds the reverb of the mono `send` to `out` (same length). With `wrap` the send is a loop: the reverb
    // runs over it twice and keeps the second pass, so the tail of the loop's end rings into its start.
    void apply(const std::vector<float>& send, StereoBuffer& out, bool wrap) const;

private:
    void applySide(const std::vector<float>& send, std::vector<float>& out, bool wrap,
                   std::size_t spread) const;

    double decaySeconds_;
    double sampleRate_;
};

}  // namespace synth
