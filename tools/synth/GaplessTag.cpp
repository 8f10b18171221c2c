#include "tools/synth/GaplessTag.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace synth {

namespace {

// Layout of the LAME header, counted from the "LAME" version string inside the first frame.
constexpr long DELAY_OFFSET = 21;     // 12 bits delay, 12 bits padding
constexpr long CHECKSUM_OFFSET = 34;  // CRC-16 of every byte of the frame before it
constexpr int LARGEST_VALUE = 4095;
// The header sits inside the first frame; no frame of ours is longer than this.
constexpr std::size_t SEARCH_BYTES = 2048;

unsigned crc16(const unsigned char* data, std::size_t size) {
    unsigned crc = 0;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1u) != 0 ? (crc >> 1) ^ 0xA001u : crc >> 1;
    }
    return crc;
}

}  // namespace

long GaplessTag::findDelayField(const std::vector<unsigned char>& mp3) {
    const std::size_t limit = std::min(mp3.size(), SEARCH_BYTES);
    const char* begin = reinterpret_cast<const char*>(mp3.data());
    for (std::size_t i = 0; i + CHECKSUM_OFFSET + 2 <= limit; ++i) {
        if (std::memcmp(begin + i, "LAME", 4) == 0) return static_cast<long>(i) + DELAY_OFFSET;
    }
    return -1;
}

bool GaplessTag::read(const std::vector<unsigned char>& mp3, int& delay, int& padding) {
    const long at = findDelayField(mp3);
    if (at < 0) return false;
    const auto* field = mp3.data() + at;
    delay = (field[0] << 4) | (field[1] >> 4);
    padding = ((field[1] & 0x0F) << 8) | field[2];
    return true;
}

void GaplessTag::widen(std::vector<unsigned char>& mp3, int extra) {
    int delay = 0;
    int padding = 0;
    if (!read(mp3, delay, padding)) throw std::runtime_error("no LAME header to mark the loop's edges in");
    delay += extra;
    padding += extra;
    if (delay > LARGEST_VALUE || padding > LARGEST_VALUE)
        throw std::runtime_error("loop edges too wide for the LAME header");
    const auto at = static_cast<std::size_t>(findDelayField(mp3));
    mp3[at] = static_cast<unsigned char>(delay >> 4);
    mp3[at + 1] = static_cast<unsigned char>(((delay & 0x0F) << 4) | (padding >> 8));
    mp3[at + 2] = static_cast<unsigned char>(padding & 0xFF);
    const std::size_t checksum = at - DELAY_OFFSET + CHECKSUM_OFFSET;
    const unsigned crc = crc16(mp3.data(), checksum);
    mp3[checksum] = static_cast<unsigned char>(crc >> 8);
    mp3[checksum + 1] = static_cast<unsigned char>(crc & 0xFF);
}

}  // namespace synth
