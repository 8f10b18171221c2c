#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/pix/Image.h"

namespace pix {

// Encodes 8-bit RGBA PNG files with zlib.
class PngWriter {
public:
    static std::vector<std::uint8_t> encode(const Image& image);
    // Writes through a temporary file and a rename, so a failed run leaves no half-written PNG.
    static void write(const Image& image, const std::string& path);
};

}  // namespace pix
