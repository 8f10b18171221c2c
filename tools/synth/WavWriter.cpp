#include "tools/synth/WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace synth {

namespace {

void put(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.put(static_cast<char>((value >> (8 * i)) & 0xFFu));
}

std::uint32_t toPcm(float sample) {
    const long value = std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f);
    return static_cast<std::uint32_t>(static_cast<std::uint16_t>(static_cast<std::int16_t>(value)));
}

}  // namespace

void WavWriter::save(const std::string& path, const StereoBuffer& audio, bool stereo, int sampleRate) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::uint32_t channels = stereo ? 2 : 1;
    const auto dataBytes = static_cast<std::uint32_t>(audio.frames() * channels * 2);
    out.write("RIFF", 4);
    put(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    put(out, 16, 4);
    put(out, 1, 2);  // integer PCM
    put(out, channels, 2);
    put(out, static_cast<std::uint32_t>(sampleRate), 4);
    put(out, static_cast<std::uint32_t>(sampleRate) * channels * 2, 4);
    put(out, channels * 2, 2);
    put(out, 16, 2);
    out.write("data", 4);
    put(out, dataBytes, 4);
    for (std::size_t i = 0; i < audio.frames(); ++i) {
        put(out, toPcm(audio.left[i]), 2);
        if (stereo) put(out, toPcm(audio.right[i]), 2);
    }
    if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace synth
