#include "tests/support/Pixel.h"

#include <cstring>

namespace testsupport {

std::ostream& operator<<(std::ostream& out, const Pixel& pixel) {
    return out << "(" << int(pixel.r) << "," << int(pixel.g) << "," << int(pixel.b) << "," << int(pixel.a)
               << ")";
}

Pixel readPixel(const SDL_Surface* surface, int x, int y) {
    if (surface == nullptr || x < 0 || y < 0 || x >= surface->w || y >= surface->h) return Pixel{0, 0, 0, 0};
    const int bytes = surface->format->BytesPerPixel;
    const auto* at = static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch + x * bytes;
    Uint32 value = 0;
    switch (bytes) {
        case 1:
            value = *at;
            break;
        case 2: {
            Uint16 half = 0;
            std::memcpy(&half, at, 2);
            value = half;
            break;
        }
        case 3:
            value = SDL_BYTEORDER == SDL_LIL_ENDIAN ? (at[0] | at[1] << 8 | at[2] << 16)
                                                    : (at[0] << 16 | at[1] << 8 | at[2]);
            break;
        default:
            std::memcpy(&value, at, 4);
            break;
    }
    Pixel pixel;
    SDL_GetRGBA(value, surface->format, &pixel.r, &pixel.g, &pixel.b, &pixel.a);
    return pixel;
}

::testing::AssertionResult colorNear(const Pixel& actual, const Pixel& expected, int tolerance) {
    auto off = [tolerance](int a, int b) { return a - b > tolerance || b - a > tolerance; };
    if (off(actual.r, expected.r) || off(actual.g, expected.g) || off(actual.b, expected.b))
        return ::testing::AssertionFailure() << "got " << actual << " expected " << expected;
    return ::testing::AssertionSuccess();
}

Pixel blendOver(const Pixel& top, const Pixel& below, int opacity) {
    const int a = top.a * opacity / 255;
    auto mix = [a](int s, int d) { return static_cast<std::uint8_t>((s * a + d * (255 - a)) / 255); };
    return Pixel{mix(top.r, below.r), mix(top.g, below.g), mix(top.b, below.b), 255};
}

}  // namespace testsupport
