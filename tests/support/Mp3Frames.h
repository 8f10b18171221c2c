#pragma once

// Hand-built MPEG audio frames for the audio tests: silent (all-zero side information means no
// coded audio), so any decoder plays them as silence.

#include <cstddef>
#include <cstdint>
#include <string>

namespace testsupport {

// One MPEG audio frame: the 4 header bytes, then zeros up to `length` bytes. All-zero side information
// means no coded audio, which decodes as silence.
inline std::string mpegFrame(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, int length) {
    std::string frame(static_cast<std::size_t>(length), '\0');
    frame[0] = static_cast<char>(0xFF);
    frame[1] = static_cast<char>(b1);
    frame[2] = static_cast<char>(b2);
    frame[3] = static_cast<char>(b3);
    return frame;
}

// MPEG-1 layer III, 128 kbit/s, 44100 Hz, mono, no padding: 417 bytes and 1152 samples per frame.
constexpr int LAYER3_FRAME_BYTES = 417;
inline std::string layer3Frame() {
    return mpegFrame(0xFB, 0x90, 0xC0, LAYER3_FRAME_BYTES);
}

inline std::string silentMp3(int frames) {
    std::string data;
    for (int i = 0; i < frames; ++i)
        data += layer3Frame();
    return data;
}

// A first frame carrying an "Info" tag (as an encoder writes for constant bit rate) with the optional
// fields given by `flags`, followed by an encoder extension holding the gapless delay and padding.
inline std::string infoTagFrame(std::uint32_t flags, int delay, int padding,
                                const char* encoder = "LAME3.100") {
    std::string frame = layer3Frame();
    std::size_t at = 4 + 17;  // after the header and a mono MPEG-1 side information block
    frame.replace(at, 4, "Info");
    for (int i = 0; i < 4; ++i)
        frame[at + 4 + i] = static_cast<char>((flags >> (24 - 8 * i)) & 0xFF);
    at += 8 + ((flags & 1) ? 4 : 0) + ((flags & 2) ? 4 : 0) + ((flags & 4) ? 100 : 0) + ((flags & 8) ? 4 : 0);
    for (std::size_t i = 0; i < 9 && encoder[i] != '\0'; ++i)
        frame[at + i] = encoder[i];
    frame[at + 21] = static_cast<char>(delay >> 4);
    frame[at + 22] = static_cast<char>(((delay & 0x0F) << 4) | (padding >> 8));
    frame[at + 23] = static_cast<char>(padding & 0xFF);
    return frame;
}

}  // namespace testsupport
