#include "tools/synth/Echo.h"

#include <algorithm>

namespace synth {

namespace {

// How much of the high end each repeat keeps (one-pole low-pass in the feedback path).
constexpr double DARKENING = 0.45;

}  // namespace

Echo::Echo(std::size_t delayFrames, double feedback)
    : delayFrames_(std::max<std::size_t>(delayFrames, 1)), feedback_(feedback) {}

void Echo::apply(const std::vector<float>& send, StereoBuffer& out, bool wrap) const {
    const std::size_t frames = send.size();
    if (frames == 0) return;
    std::vector<float> left(delayFrames_, 0.0f), right(delayFrames_, 0.0f);
    double dark = 0.0;
    std::size_t at = 0;
    const std::size_t passes = wrap ? 2 : 1;
    for (std::size_t n = 0; n < passes * frames; ++n) {
        const std::size_t i = n % frames;
        const float outLeft = left[at];
        const float outRight = right[at];
        dark += (1.0 - DARKENING) * (outRight - dark);
        left[at] = static_cast<float>(send[i] + feedback_ * dark);
        right[at] = static_cast<float>(feedback_ * outLeft);
        at = at + 1 == delayFrames_ ? 0 : at + 1;
        if (n + frames >= passes * frames) {
            out.left[i] += outLeft;
            out.right[i] += outRight;
        }
    }
}

}  // namespace synth
