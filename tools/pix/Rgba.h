#pragma once

#include <cstdint>

namespace pix {

// One straight-alpha colour as it is stored in the PNG files.
struct Rgba {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;

    bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
    bool operator!=(const Rgba& o) const { return !(*this == o); }
    bool transparent() const { return a == 0; }
};

}  // namespace pix
