#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace synth {

enum class Wave { Square, Triangle, Saw, Sine, Noise };

// Everything that shapes one synthesiser voice: the layer of a sound effect or of a music instrument.
// Times are in seconds, pitches in MIDI note numbers, intervals in semitones.
struct VoicePatch {
    Wave wave = Wave::Square;
    double duty = 0.5;  // square only: share of the period spent high
    double dutyEnd = 0.5;

    std::optional<double> pitch;  // used when a note gives none (effects, drum steps)
    double transpose = 0.0;
    double slideSemitones = 0.0;  // pitch glide, reached after slideSeconds, then held
    double slideSeconds = 0.0;
    double vibratoDepth = 0.0;     // semitones either way
    double vibratoRate = 0.0;      // Hz
    double vibratoDelay = 0.0;     // the vibrato fades in over this time
    std::vector<double> arpeggio;  // intervals stepped through every arpeggioStep seconds
    double arpeggioStep = 0.0;
    bool arpeggioLoops = false;
    double repeat = 0.0;  // restart the slide and arpeggio this often (0: never)

    double attack = 0.002;
    double decay = 0.0;
    double sustain = 1.0;
    double hold = 0.0;  // effects only: time at the sustain level before the release
    double release = 0.05;

    double lowpass = 0.0;  // cutoff in Hz, 0 for none; sweeps to lowpassEnd over the sound
    double lowpassEnd = 0.0;
    double highpass = 0.0;
    double highpassEnd = 0.0;
    double resonance = 0.0;  // 0 (smooth) to 1 (sharp peak at the cutoff)

    double volume = 1.0;
    double delay = 0.0;  // start later than the note

    int unison = 1;          // oscillators per note
    double detune = 0.0;     // cents between the lowest and highest oscillator
    double spread = 0.0;     // stereo width of the oscillators, 0 to 1
    std::uint32_t seed = 1;  // noise and unison phases
};

}  // namespace synth
