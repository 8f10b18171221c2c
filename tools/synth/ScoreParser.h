#pragma once

#include <istream>
#include <string>

#include "tools/synth/Score.h"

namespace synth {

// Reads a ".mus" score: settings (tempo, meter, grid, echo, reverb, peak), instrument blocks, pattern blocks,
// and the "play"/"loop" lines that lay the patterns out in time. See README.md for the format.
class ScoreParser {
public:
    // Throws SourceError naming `file` and the line at fault.
    static Score parse(std::istream& in, const std::string& file);
};

}  // namespace synth
