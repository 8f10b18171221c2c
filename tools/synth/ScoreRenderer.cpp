#include "ScoreRenderer.h"

#include <algorithm>
#include <cmath>

#include "Echo.h"
#include "Reverb.h"
#include "Voice.h"

namespace kettledrum {

namespace {

constexpr double kQuarterPi = 0.78539816339744830962;
// Room after the last note of a single pass for releases, echoes and the reverb to die away.
constexpr double kTailSeconds = 4.0;

}  // namespace

ScoreRenderer::ScoreRenderer(const Score& score, double sampleRate)
    : score_(score), sampleRate_(sampleRate) {}

StereoBuffer ScoreRenderer::renderLoop() const {
    return render(true);
}

StereoBuffer ScoreRenderer::renderOnce() const {
    return render(false);
}

StereoBuffer ScoreRenderer::render(bool loop) const {
    const std::int64_t originTick = loop ? score_.loopTick : 0;
    const auto origin = [&](std::int64_t tick) {
        return std::llround(score_.seconds(tick - originTick) * sampleRate_);
    };
    const auto frames = static_cast<std::size_t>(
        origin(score_.endTick) +
        (loop ? 0 : std::llround((kTailSeconds + score_.reverbSeconds) * sampleRate_)));
    StereoBuffer mix;
    mix.resize(frames);
    std::vector<float> echoSend(frames, 0.0f), reverbSend(frames, 0.0f);
    bool anyEcho = false;
    bool anyReverb = false;

    StereoBuffer sound;
    for (std::size_t e = 0; e < score_.events.size(); ++e) {
        const NoteEvent& event = score_.events[e];
        if (event.tick < originTick) continue;
        const Instrument& instrument = score_.instruments[static_cast<std::size_t>(event.instrument)];
        const auto start = static_cast<std::size_t>(origin(event.tick));
        const double panAngle = (instrument.pan + 1.0) * kQuarterPi;
        const auto toLeft = static_cast<float>(std::cos(panAngle));
        const auto toRight = static_cast<float>(std::sin(panAngle));
        const auto toEcho = static_cast<float>(instrument.echo);
        const auto toReverb = static_cast<float>(instrument.reverb);
        anyEcho |= instrument.echo > 0.0;
        anyReverb |= instrument.reverb > 0.0;
        for (const auto& layer : instrument.layers) {
            NoteSpec note;
            note.midi = event.midi ? *event.midi : layer.pitch.value_or(69.0);
            note.gate = score_.seconds(event.length) * instrument.gate;
            note.velocity = event.velocity;
            note.seed = static_cast<std::uint32_t>(e + 1);
            Voice(layer, sampleRate_).render(note, sound);
            for (std::size_t i = 0, at = start % frames; i < sound.frames(); ++i) {
                if (!loop && start + i >= frames) break;
                const float left = sound.left[i];
                const float right = sound.right[i];
                mix.left[at] += left * toLeft;
                mix.right[at] += right * toRight;
                const float middle = 0.5f * (left + right);
                echoSend[at] += middle * toEcho;
                reverbSend[at] += middle * toReverb;
                at = at + 1 == frames ? 0 : at + 1;  // a loop's tails wrap round to its start
            }
        }
    }
    if (anyEcho) {
        const auto delay = static_cast<std::size_t>(std::llround(
            score_.seconds(std::llround(score_.echoBeats * Score::kTicksPerBeat)) * sampleRate_));
        Echo(delay, score_.echoFeedback).apply(echoSend, mix, loop);
    }
    if (anyReverb) Reverb(score_.reverbSeconds, sampleRate_).apply(reverbSend, mix, loop);

    float peak = 0.0f;
    for (std::size_t i = 0; i < frames; ++i)
        peak = std::max({peak, std::fabs(mix.left[i]), std::fabs(mix.right[i])});
    if (peak > 0.0f) {
        const auto scale = static_cast<float>(std::pow(10.0, score_.peakDb / 20.0) / peak);
        for (std::size_t i = 0; i < frames; ++i) {
            mix.left[i] *= scale;
            mix.right[i] *= scale;
        }
    }
    return mix;
}

}  // namespace kettledrum
