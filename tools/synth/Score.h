#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/synth/VoicePatch.h"

namespace synth {

// A music instrument: one or more voice layers per note, placed in the stereo field and sent to the echo and
// the reverb.
struct Instrument {
    std::string name;
    std::vector<VoicePatch> layers;
    double pan = 0.0;     // -1 left to 1 right
    double gate = 1.0;    // share of the written length the key is held
    double echo = 0.0;    // send to the score's echo
    double reverb = 0.0;  // send to the score's reverb
};

// One note (or drum step) on the score's timeline. Time is counted in ticks, TICKS_PER_BEAT to a beat, so
// bar lengths add up exactly.
struct NoteEvent {
    int instrument = 0;
    std::int64_t tick = 0;
    std::int64_t length = 0;
    std::optional<double> midi;  // none for steps: each layer plays its own pitch
    double velocity = 1.0;
};

// A whole music source: tempo, effects, instruments and the notes of one loop (and its intro).
struct Score {
    static constexpr std::int64_t TICKS_PER_BEAT = 96;

    double tempo = 0.0;  // beats per minute
    int meter = 4;       // beats per bar
    double echoBeats = 0.75;
    double echoFeedback = 0.35;
    double reverbSeconds = 1.8;
    double peakDb = -3.0;  // the finished track is scaled so its loudest sample sits here

    std::vector<Instrument> instruments;
    std::vector<NoteEvent> events;  // in the order written
    std::int64_t loopTick = 0;      // where the loop starts; before it is the intro
    std::int64_t endTick = 0;

    double secondsPerTick() const { return 60.0 / (tempo * TICKS_PER_BEAT); }
    double seconds(std::int64_t ticks) const { return static_cast<double>(ticks) * secondsPerTick(); }
    // Frames from the loop start to `tick` (negative inside the intro).
    std::int64_t frameOf(std::int64_t tick, double sampleRate) const {
        return std::llround(seconds(tick - loopTick) * sampleRate);
    }
    std::size_t loopFrames(double sampleRate) const {
        return static_cast<std::size_t>(frameOf(endTick, sampleRate));
    }
};

}  // namespace synth
