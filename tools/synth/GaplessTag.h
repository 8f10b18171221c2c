#pragma once

#include <vector>

namespace synth {

// Reads and changes the encoder delay and padding stored in the LAME header at the start of an MP3 (the
// samples a player drops at each end so that the decoded sound is exactly what was encoded).
//
// Loops use this to give the encoder some context: the end of the loop is encoded before its start and the
// start again after its end, and the header is told to drop those extra samples. The decoded file then
// begins and ends with samples the encoder saw inside the music, not at the edge of silence.
class GaplessTag {
public:
    // False if the bytes hold no LAME header at the start.
    static bool read(const std::vector<unsigned char>& mp3, int& delay, int& padding);
    // Adds `extra` samples to both the delay and the padding and refreshes the header's checksum.
    // Throws std::runtime_error if there is no header or the values no longer fit (4095 at most).
    static void widen(std::vector<unsigned char>& mp3, int extra);

private:
    static long findDelayField(const std::vector<unsigned char>& mp3);
};

}  // namespace synth
