#pragma once

#include <string>
#include <vector>

#include "tools/synth/StereoBuffer.h"

namespace synth {

// Encodes 44.1 kHz audio to MP3 with LAME (constant bit rate). The first frame carries the Xing/LAME
// header with the encoder delay and padding, so players that honour it give back exactly the samples that
// went in, which is what makes the music loop without a gap.
class Mp3Writer {
public:
    static constexpr int SAMPLE_RATE = 44100;

    // Samples of context the encoder gets on each side of a loop (see GaplessTag).
    static constexpr int LOOP_CONTEXT = 1152;

    // Mono from audio.left when `stereo` is false. A `loop` is encoded with its own end before it and its
    // own start after it, marked in the header to be dropped, so the decoded edges meet without a click.
    static std::vector<unsigned char> encode(const StereoBuffer& audio, bool stereo, int kbps, bool loop);
    // Writes through a temporary file and a rename, so a failed build never leaves half a file behind.
    // Creates the folder if needed.
    static void save(const std::string& path, const std::vector<unsigned char>& bytes);
};

}  // namespace synth
