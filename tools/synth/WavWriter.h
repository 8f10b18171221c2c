#pragma once

#include <string>

#include "tools/synth/StereoBuffer.h"

namespace synth {

// Writes 16-bit PCM WAV files: the rendered sound before encoding, for listening and inspection.
class WavWriter {
public:
    static void save(const std::string& path, const StereoBuffer& audio, bool stereo, int sampleRate);
};

}  // namespace synth
