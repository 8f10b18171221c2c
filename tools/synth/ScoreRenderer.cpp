#include "tools/synth/ScoreRenderer.h"

#include <algorithm>
#include <cmath>

#include "tools/synth/Echo.h"
#include "tools/synth/Reverb.h"
#include "tools/synth/Voice.h"

namespace synth {

namespace {

constexpr double QUARTER_PI = 0.78539816339744830962;
// Room after the last note of a single pass for releases, echoes and the reverb to die away.
constexpr double TAIL_SECONDS = 4.0;

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
    const auto frameAt = [&](std::int64_t tick) {
        return static_cast<std::size_t>(std::llround(score_.seconds(tick - originTick) * sampleRate_));
    };
    const std::size_t tail =
        loop ? 0 : static_cast<std::size_t>((TAIL_SECONDS + score_.reverbSeconds) * sampleRate_);
    const std::size_t frames = frameAt(score_.endTick) + tail;
    Buses buses;
    buses.mix.resize(frames);
    buses.echo.assign(frames, 0.0f);
    buses.reverb.assign(frames, 0.0f);

    bool anyEcho = false;
    bool anyReverb = false;
    for (std::size_t e = 0; e < score_.events.size(); ++e) {
        const NoteEvent& event = score_.events[e];
        if (event.tick < originTick) continue;  // the intro is not part of the loop
        mixNote(e, frameAt(event.tick), loop, buses);
        const Instrument& instrument = score_.instruments[static_cast<std::size_t>(event.instrument)];
        anyEcho |= instrument.echo > 0.0;
        anyReverb |= instrument.reverb > 0.0;
    }
    if (anyEcho) {
        const std::int64_t echoTicks = std::llround(score_.echoBeats * Score::TICKS_PER_BEAT);
        const auto delay = static_cast<std::size_t>(std::llround(score_.seconds(echoTicks) * sampleRate_));
        Echo(delay, score_.echoFeedback).apply(buses.echo, buses.mix, loop);
    }
    if (anyReverb) Reverb(score_.reverbSeconds, sampleRate_).apply(buses.reverb, buses.mix, loop);
    scaleToPeak(buses.mix);
    return std::move(buses.mix);
}

void ScoreRenderer::mixNote(std::size_t index, std::size_t start, bool wrap, Buses& buses) const {
    const NoteEvent& event = score_.events[index];
    const Instrument& instrument = score_.instruments[static_cast<std::size_t>(event.instrument)];
    const std::size_t frames = buses.mix.frames();
    const double panAngle = (instrument.pan + 1.0) * QUARTER_PI;  // constant power
    const auto toLeft = static_cast<float>(std::cos(panAngle));
    const auto toRight = static_cast<float>(std::sin(panAngle));
    const auto toEcho = static_cast<float>(instrument.echo);
    const auto toReverb = static_cast<float>(instrument.reverb);

    StereoBuffer sound;
    for (const auto& layer : instrument.layers) {
        VoiceNote note;
        note.midi = event.midi ? *event.midi : layer.pitch.value_or(69.0);
        note.gate = score_.seconds(event.length) * instrument.gate;
        note.velocity = event.velocity;
        note.seed = static_cast<std::uint32_t>(index + 1);
        Voice(layer, sampleRate_).render(note, sound);
        const std::size_t length = wrap ? sound.frames() : std::min(sound.frames(), frames - start);
        for (std::size_t i = 0, at = start % frames; i < length; ++i) {
            const float left = sound.left[i];
            const float right = sound.right[i];
            buses.mix.left[at] += left * toLeft;
            buses.mix.right[at] += right * toRight;
            const float middle = 0.5f * (left + right);
            buses.echo[at] += middle * toEcho;
            buses.reverb[at] += middle * toReverb;
            at = at + 1 == frames ? 0 : at + 1;
        }
    }
}

void ScoreRenderer::scaleToPeak(StereoBuffer& track) const {
    float peak = 0.0f;
    for (std::size_t i = 0; i < track.frames(); ++i) {
        peak = std::max({peak, std::fabs(track.left[i]), std::fabs(track.right[i])});
    }
    if (peak <= 0.0f) return;
    const auto scale = static_cast<float>(std::pow(10.0, score_.peakDb / 20.0) / peak);
    for (std::size_t i = 0; i < track.frames(); ++i) {
        track.left[i] *= scale;
        track.right[i] *= scale;
    }
}

}  // namespace synth
