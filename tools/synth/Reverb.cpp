#include "tools/synth/Reverb.h"

#include <cmath>

namespace synth {

namespace {

// Delay lengths in frames at 44.1 kHz, chosen to share no common factors.
constexpr std::size_t COMB_FRAMES[] = {1116, 1188, 1277, 1356, 1422, 1491};
constexpr std::size_t ALL_PASS_FRAMES[] = {556, 441, 341, 225};
constexpr std::size_t RIGHT_SPREAD = 23;
constexpr double DAMPING = 0.3;
constexpr double INPUT_GAIN = 0.08;

struct Line {
    std::vector<float> buffer;
    std::size_t at = 0;
    float store = 0.0f;

    explicit Line(std::size_t frames) : buffer(frames, 0.0f) {}
    float read() const { return buffer[at]; }
    void write(float value) {
        buffer[at] = value;
        at = at + 1 == buffer.size() ? 0 : at + 1;
    }
};

}  // namespace

Reverb::Reverb(double decaySeconds, double sampleRate)
    : decaySeconds_(decaySeconds), sampleRate_(sampleRate) {}

void Reverb::apply(const std::vector<float>& send, StereoBuffer& out, bool wrap) const {
    applySide(send, out.left, wrap, 0);
    applySide(send, out.right, wrap, RIGHT_SPREAD);
}

void Reverb::applySide(const std::vector<float>& send, std::vector<float>& out, bool wrap,
                       std::size_t spread) const {
    const std::size_t frames = send.size();
    if (frames == 0) return;
    const double scale = sampleRate_ / 44100.0;
    std::vector<Line> combs;
    std::vector<float> feedback;
    for (const auto length : COMB_FRAMES) {
        const auto size = static_cast<std::size_t>(static_cast<double>(length + spread) * scale);
        combs.emplace_back(size);
        // Each trip round the comb loses what brings the sound down 60 dB over the decay time.
        feedback.push_back(static_cast<float>(
            std::pow(10.0, -3.0 * static_cast<double>(size) / (decaySeconds_ * sampleRate_))));
    }
    std::vector<Line> allPasses;
    for (const auto length : ALL_PASS_FRAMES) {
        allPasses.emplace_back(static_cast<std::size_t>(static_cast<double>(length + spread) * scale));
    }
    const std::size_t passes = wrap ? 2 : 1;
    for (std::size_t n = 0; n < passes * frames; ++n) {
        const std::size_t i = n % frames;
        const auto input = static_cast<float>(send[i] * INPUT_GAIN);
        float sum = 0.0f;
        for (std::size_t c = 0; c < combs.size(); ++c) {
            Line& comb = combs[c];
            const float delayed = comb.read();
            comb.store = static_cast<float>(delayed * (1.0 - DAMPING) + comb.store * DAMPING);
            comb.write(input + comb.store * feedback[c]);
            sum += delayed;
        }
        for (auto& allPass : allPasses) {
            const float delayed = allPass.read();
            allPass.write(sum + delayed * 0.5f);
            sum = delayed - sum;
        }
        if (n + frames >= passes * frames) out[i] += sum;
    }
}

}  // namespace synth
