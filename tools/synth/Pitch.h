#pragma once

#include <optional>
#include <string_view>

namespace synth {

// Pitches are kept as MIDI note numbers (A4 = 69, fractions allowed) in equal temperament with A4 = 440 Hz.
class Pitch {
public:
    // Reads a note name at the start of `text`: a letter A-G, an optional '#' or 'b', and an octave 0-9
    // ("C4" is middle C, "F#3", "Bb5"). Sets `used` to the characters taken. Empty if there is no note name.
    static std::optional<int> readName(std::string_view text, std::size_t& used);

    static double toHz(double midi);
    static double fromHz(double hz);
};

}  // namespace synth
