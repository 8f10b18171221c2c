#pragma once

#include <cstdint>
#include <ostream>

#include <SDL.h>
#include <gtest/gtest.h>

namespace testsupport {

// One colour as tests compare it: 8-bit channels, straight alpha.
struct Pixel {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;

    bool operator==(const Pixel& other) const {
        return r == other.r && g == other.g && b == other.b && a == other.a;
    }
    bool operator!=(const Pixel& other) const { return !(*this == other); }
};

std::ostream& operator<<(std::ostream& out, const Pixel& pixel);

// The one pixel reader of the tests: the colour at (x, y) of a surface in any pixel format, y down
// from the top row. Coordinates outside the surface read as transparent black.
Pixel readPixel(const SDL_Surface* surface, int x, int y);

// Colour channels within a tolerance (drawing goes through 8-bit blending); alpha is not compared.
::testing::AssertionResult colorNear(const Pixel& actual, const Pixel& expected, int tolerance = 2);

// `top` drawn over the opaque `below` with `top`'s alpha scaled by opacity / 255 (straight alpha).
Pixel blendOver(const Pixel& top, const Pixel& below, int opacity = 255);

}  // namespace testsupport
