#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace engine {

// Decompresses zlib and gzip streams (the stream's header tells which), as compressed tile layers
// and embedded particle pictures use.
class Inflate {
public:
    // False, with `out` emptied, if the stream is damaged or truncated, or if it would give more than
    // `maxSize` bytes.
    static bool decompress(const uint8_t* data, std::size_t size, std::size_t maxSize,
                           std::vector<uint8_t>& out);
};

}  // namespace engine
