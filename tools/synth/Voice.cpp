#include "tools/synth/Voice.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/synth/Envelope.h"
#include "tools/synth/Filter.h"
#include "tools/synth/Noise.h"
#include "tools/synth/Oscillator.h"
#include "tools/synth/Pitch.h"

namespace synth {

namespace {

constexpr double TWO_PI = 6.28318530717958647692;
// Pitch, duty and cutoffs change at this many frames: smooth to the ear, cheap to compute.
constexpr std::size_t CONTROL_FRAMES = 32;

double sweep(double start, double end, double progress) {
    return start + (end - start) * progress;
}

// Cutoffs sweep evenly in pitch rather than in Hz.
double sweepHz(double start, double end, double progress) {
    return start * std::pow(end / start, progress);
}

struct UnisonSlot {
    Oscillator oscillator;
    double ratio;  // frequency multiplier from the detune
    double increment;
    float left;
    float right;
};

// The oscillators of one note, spread evenly across the detune and the stereo width, each starting at a
// random phase (a lone oscillator starts at phase 0, so short blips begin the same way every time).
std::vector<UnisonSlot> unisonSlots(const VoicePatch& patch, std::uint32_t seed) {
    Noise phases(seed ^ (patch.seed * 0x2545F491u));
    std::vector<UnisonSlot> slots;
    const int count = patch.unison;
    const double gain = 1.0 / std::sqrt(static_cast<double>(count));
    for (int i = 0; i < count; ++i) {
        const double position = count > 1 ? static_cast<double>(i) / (count - 1) * 2.0 - 1.0 : 0.0;
        const double phase = count > 1 ? phases.nextUnit() : 0.0;
        const double pan = position * patch.spread;
        slots.push_back({Oscillator(patch.wave, phase, phases.nextBits() | 1u),
                         std::exp2(position * patch.detune / 2400.0), 0.0,
                         static_cast<float>(gain * std::sqrt(0.5 * (1.0 - pan))),
                         static_cast<float>(gain * std::sqrt(0.5 * (1.0 + pan)))});
    }
    return slots;
}

// One filter per side, following the same cutoff.
struct FilterPair {
    FilterPair(Filter::Mode mode, double resonance) : left(mode, resonance), right(mode, resonance) {}
    void setCutoff(double hz, double sampleRate) {
        left.setCutoff(hz, sampleRate);
        right.setCutoff(hz, sampleRate);
    }
    Filter left;
    Filter right;
};

}  // namespace

Voice::Voice(const VoicePatch& patch, double sampleRate) : patch_(patch), sampleRate_(sampleRate) {}

std::size_t Voice::frames(double gate) const {
    const double release = std::max(patch_.release, 0.0005);
    return static_cast<std::size_t>(std::ceil((patch_.delay + gate + release) * sampleRate_));
}

double Voice::pitchOffset(double seconds) const {
    const double local = patch_.repeat > 0.0 ? std::fmod(seconds, patch_.repeat) : seconds;
    double offset = patch_.transpose;
    if (patch_.slideSeconds > 0.0)
        offset += patch_.slideSemitones * std::min(local / patch_.slideSeconds, 1.0);
    if (!patch_.arpeggio.empty()) {
        const auto count = patch_.arpeggio.size();
        auto step = static_cast<std::size_t>(local / patch_.arpeggioStep);
        step = patch_.arpeggioLoops ? step % count : std::min(step, count - 1);
        offset += patch_.arpeggio[step];
    }
    if (patch_.vibratoDepth > 0.0) {
        const double fadeIn = patch_.vibratoDelay > 0.0 ? std::min(seconds / patch_.vibratoDelay, 1.0) : 1.0;
        offset += patch_.vibratoDepth * fadeIn * std::sin(TWO_PI * patch_.vibratoRate * seconds);
    }
    return offset;
}

void Voice::render(const VoiceNote& note, StereoBuffer& out) const {
    const std::size_t total = frames(note.gate);
    out.resize(total);
    const auto start = static_cast<std::size_t>(std::lround(patch_.delay * sampleRate_));
    const std::size_t length = total > start ? total - start : 0;
    if (length == 0) return;

    std::vector<UnisonSlot> slots = unisonSlots(patch_, note.seed);
    const bool stereo = patch_.unison > 1 && patch_.spread > 0.0;

    const Envelope envelope(patch_.attack, patch_.decay, patch_.sustain, patch_.release, note.gate);
    FilterPair lowPass(Filter::Mode::LowPass, patch_.resonance);
    FilterPair highPass(Filter::Mode::HighPass, patch_.resonance);
    const double amplitude = patch_.volume * note.velocity;
    const double incrementLimit = patch_.wave == Wave::Noise ? 1.0 : 0.49;
    const double lengthSeconds = static_cast<double>(length) / sampleRate_;

    for (std::size_t block = 0; block < length; block += CONTROL_FRAMES) {
        const double seconds = static_cast<double>(block) / sampleRate_;
        const double progress = std::min(seconds / lengthSeconds, 1.0);
        const double hz = Pitch::toHz(note.midi + pitchOffset(seconds));
        const double duty = sweep(patch_.duty, patch_.dutyEnd, progress);
        for (auto& slot : slots)
            slot.increment = std::min(hz * slot.ratio / sampleRate_, incrementLimit);
        if (patch_.lowpass > 0.0)
            lowPass.setCutoff(sweepHz(patch_.lowpass, patch_.lowpassEnd, progress), sampleRate_);
        if (patch_.highpass > 0.0) {
            highPass.setCutoff(sweepHz(patch_.highpass, patch_.highpassEnd, progress), sampleRate_);
        }
        const std::size_t blockEnd = std::min(block + CONTROL_FRAMES, length);
        for (std::size_t i = block; i < blockEnd; ++i) {
            float left = 0.0f;
            float right = 0.0f;
            for (auto& slot : slots) {
                const float value = slot.oscillator.next(slot.increment, duty);
                left += value * slot.left;
                right += value * slot.right;
            }
            if (!stereo) left = right = (left + right) * static_cast<float>(std::sqrt(0.5));
            if (patch_.lowpass > 0.0) {
                left = lowPass.left.process(left);
                if (stereo) right = lowPass.right.process(right);
            }
            if (patch_.highpass > 0.0) {
                left = highPass.left.process(left);
                if (stereo) right = highPass.right.process(right);
            }
            if (!stereo) right = left;
            const auto level =
                static_cast<float>(amplitude * envelope.level(static_cast<double>(i) / sampleRate_));
            out.left[start + i] = left * level;
            out.right[start + i] = right * level;
        }
    }
}

}  // namespace synth
