#include "tools/synth/Pitch.h"

#include <cmath>

namespace synth {

std::optional<int> Pitch::readName(std::string_view text, std::size_t& used) {
    // Semitones above C for the letters A to G.
    constexpr int LETTER_OFFSETS[] = {9, 11, 0, 2, 4, 5, 7};
    if (text.empty() || text[0] < 'A' || text[0] > 'G') return std::nullopt;
    int semitone = LETTER_OFFSETS[text[0] - 'A'];
    std::size_t i = 1;
    if (i < text.size() && text[i] == '#') {
        ++semitone;
        ++i;
    } else if (i < text.size() && text[i] == 'b') {
        --semitone;
        ++i;
    }
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return std::nullopt;
    const int octave = text[i] - '0';
    used = i + 1;
    return (octave + 1) * 12 + semitone;
}

double Pitch::toHz(double midi) {
    return 440.0 * std::exp2((midi - 69.0) / 12.0);
}

double Pitch::fromHz(double hz) {
    return 69.0 + 12.0 * std::log2(hz / 440.0);
}

}  // namespace synth
