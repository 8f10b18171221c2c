#pragma once

#include <cstdint>
#include <vector>

#include "tools/synth/Score.h"
#include "tools/synth/StereoBuffer.h"

namespace synth {

// Plays a score into a stereo track: every note through its instrument's voices, then the echo and the
// reverb, then scaled to the score's peak level.
class ScoreRenderer {
public:
    ScoreRenderer(const Score& score, double sampleRate);

    // Exactly one pass of the loop (the part after "loop"). Whatever rings past the loop's end (releases,
    // echoes, reverb) is folded into its start, so the track plays on seamlessly when repeated.
    StereoBuffer renderLoop() const;
    // The whole score from the top, once, with the tails after the end: for listening outside the game.
    StereoBuffer renderOnce() const;

private:
    // The dry mix and the mono sends to the echo and the reverb, all of the track's length.
    struct Buses {
        StereoBuffer mix;
        std::vector<float> echo;
        std::vector<float> reverb;
    };

    StereoBuffer render(bool loop) const;
    // Adds one note, every layer of its instrument, from frame `start` on; `wrap` folds what runs past the
    // end back to the start, otherwise it is cut.
    void mixNote(std::size_t index, std::size_t start, bool wrap, Buses& buses) const;
    void scaleToPeak(StereoBuffer& track) const;

    const Score& score_;
    double sampleRate_;
};

}  // namespace synth
