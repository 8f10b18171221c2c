#include "engine/audio/Mp3Info.h"

#include <cstdint>
#include <cstring>

namespace engine {

namespace {

// Bit rates in kbit/s by bit-rate index: MPEG-1 layers I, II, III; MPEG-2/2.5 layer I; MPEG-2/2.5 II and III.
const int kBitRates[5][16] = {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
                              {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
                              {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
                              {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
                              {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}};

// Sample rates by rate index for MPEG-1; MPEG-2 halves them, MPEG-2.5 quarters them.
const int kSampleRates[3] = {44100, 48000, 32000};

enum Version { MPEG1, MPEG2, MPEG25 };

struct FrameHeader {
    Version version = MPEG1;
    int layer = 0;
    int sampleRate = 0;
    int length = 0;          // bytes, header included
    int samples = 0;         // per channel
    int sideInfoOffset = 0;  // where the side information ends, from the frame start
    bool sameStream(const FrameHeader& other) const {
        return version == other.version && layer == other.layer && sampleRate == other.sampleRate;
    }
};

bool readHeader(const unsigned char* p, std::size_t available, FrameHeader& header) {
    if (available < 4 || p[0] != 0xFF || (p[1] & 0xE0) != 0xE0) return false;
    int versionBits = (p[1] >> 3) & 3;
    int layerBits = (p[1] >> 1) & 3;
    int bitRateIndex = p[2] >> 4;
    int rateIndex = (p[2] >> 2) & 3;
    if (versionBits == 1 || layerBits == 0 || bitRateIndex == 0 || bitRateIndex == 15 || rateIndex == 3)
        return false;  // reserved values, or free format (which has no length in the header)
    header.version = versionBits == 3 ? MPEG1 : (versionBits == 2 ? MPEG2 : MPEG25);
    header.layer = 4 - layerBits;
    bool mpeg1 = header.version == MPEG1;
    int table = mpeg1 ? header.layer - 1 : (header.layer == 1 ? 3 : 4);
    long bitRate = kBitRates[table][bitRateIndex] * 1000L;
    header.sampleRate = kSampleRates[rateIndex] >> (mpeg1 ? 0 : (header.version == MPEG2 ? 1 : 2));
    int padding = (p[2] >> 1) & 1;
    if (header.layer == 1) {
        header.length = static_cast<int>((12 * bitRate / header.sampleRate + padding) * 4);
        header.samples = 384;
    } else {
        bool half = header.layer == 3 && !mpeg1;  // MPEG-2/2.5 layer III frames hold half the samples
        header.length = static_cast<int>((half ? 72 : 144) * bitRate / header.sampleRate + padding);
        header.samples = half ? 576 : 1152;
    }
    bool mono = (p[3] >> 6) == 3;
    bool crc = (p[1] & 1) == 0;
    int sideInfo = mpeg1 ? (mono ? 17 : 32) : (mono ? 9 : 17);
    header.sideInfoOffset = 4 + (crc ? 2 : 0) + sideInfo;
    return true;
}

std::size_t skipId3v2(const unsigned char* p, std::size_t size) {
    if (size < 10 || std::memcmp(p, "ID3", 3) != 0) return 0;
    // Tag size: four 7-bit bytes, header excluded; a footer adds ten more bytes.
    std::size_t tagSize = (static_cast<std::size_t>(p[6] & 0x7F) << 21) | ((p[7] & 0x7F) << 14) |
                          ((p[8] & 0x7F) << 7) | (p[9] & 0x7F);
    std::size_t total = 10 + tagSize + ((p[5] & 0x10) ? 10 : 0);
    return total < size ? total : size;
}

std::uint32_t bigEndian32(const unsigned char* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

}  // namespace

Mp3Info Mp3Info::fromBytes(std::string_view bytes) {
    Mp3Info info;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t pos = skipId3v2(data, size);
    FrameHeader stream;
    bool locked = false;  // true while frames follow each other without gaps

    while (pos + 4 <= size) {
        FrameHeader header;
        bool valid = readHeader(data + pos, size - pos, header);
        if (valid && locked && !header.sameStream(stream)) valid = false;
        if (valid && !locked) {
            // Off the beat, a header must be confirmed by the next one (or end the file exactly), so
            // that stray 0xFF bytes in tags or junk are not taken for frames.
            // A frame that runs past the end has no next header to look at.
            std::size_t next = pos + header.length;
            FrameHeader following;
            valid = next == size || (next < size && readHeader(data + next, size - next, following) &&
                                     following.sameStream(header));
            if (valid && info.started() && !header.sameStream(stream)) valid = false;
        }
        if (!valid) {
            locked = false;
            ++pos;
            continue;
        }
        if (pos + header.length > size) break;  // a cut-off last frame holds no complete audio

        bool first = !info.started();
        if (first) {
            stream = header;
            info.sampleRate_ = header.sampleRate;
            info.samplesPerFrame_ = header.samples;
        }
        if (first && header.layer == 3 &&
            info.readInfoTag(data + pos, header.length, header.sideInfoOffset)) {
            // The tag frame is silence that a decoder skips.
        } else {
            ++info.frameCount_;
        }
        locked = true;
        pos += header.length;
    }
    return info;
}

bool Mp3Info::readInfoTag(const unsigned char* frame, int length, int tagOffset) {
    const int vbriOffset = 4 + 32;
    if (length >= vbriOffset + 4 && std::memcmp(frame + vbriOffset, "VBRI", 4) == 0) {
        hasInfoTag_ = true;
        return true;
    }
    if (length < tagOffset + 8) return false;
    const unsigned char* tag = frame + tagOffset;
    if (std::memcmp(tag, "Xing", 4) != 0 && std::memcmp(tag, "Info", 4) != 0) return false;
    hasInfoTag_ = true;

    // Optional fields by flag: frame count, byte count, 100-byte seek table, quality.
    std::uint32_t flags = bigEndian32(tag + 4);
    int offset = tagOffset + 8 + ((flags & 1) ? 4 : 0) + ((flags & 2) ? 4 : 0) + ((flags & 4) ? 100 : 0) +
                 ((flags & 8) ? 4 : 0);
    // The encoder's extension: a 9-byte version string, then at byte 21 the delay and the padding in
    // samples, 12 bits each.
    if (length < offset + 24) return true;
    const unsigned char* ext = frame + offset;
    if (std::memcmp(ext, "LAME", 4) != 0 && std::memcmp(ext, "Lavf", 4) != 0 &&
        std::memcmp(ext, "Lavc", 4) != 0)
        return true;
    encoderDelay_ = (ext[21] << 4) | (ext[22] >> 4);
    encoderPadding_ = ((ext[22] & 0x0F) << 8) | ext[23];
    return true;
}

long long Mp3Info::getSampleCount() const {
    long long samples = frameCount_ * samplesPerFrame_ - encoderDelay_ - encoderPadding_;
    return samples > 0 ? samples : 0;
}

double Mp3Info::getSeconds() const {
    return sampleRate_ > 0 ? static_cast<double>(getSampleCount()) / sampleRate_ : 0.0;
}

long long Mp3Info::getTicksAt60() const {
    if (sampleRate_ <= 0) return 0;
    return (getSampleCount() * 60 + sampleRate_ - 1) / sampleRate_;
}

}  // namespace engine
