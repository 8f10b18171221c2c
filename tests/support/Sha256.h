#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// SHA-256 of bytes, as 64 lower-case hexadecimal digits. Pinned results (state dumps, frames) are
// written down as these digests, so a change in behaviour shows as a changed digest.
class Sha256 {
public:
    static std::string hex(const std::string& bytes);
    static std::string hex(const std::vector<std::uint8_t>& bytes);
    static std::string hex(const std::uint8_t* data, std::size_t size);
};

}  // namespace testsupport
