#include "tools/pix/Palette.h"

namespace pix {

bool Palette::find(char letter, Rgba& colour) const {
    auto it = colours_.find(letter);
    if (it != colours_.end()) {
        colour = it->second;
        return true;
    }
    if (letter == '.') {
        colour = Rgba{};
        return true;
    }
    return false;
}

bool Palette::has(char letter) const {
    Rgba unused;
    return find(letter, unused);
}

namespace {
int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
}  // namespace

bool Palette::parseHex(const std::string& text, Rgba& colour) {
    if (text.size() != 7 && text.size() != 9) return false;
    if (text[0] != '#') return false;
    int bytes[4] = {0, 0, 0, 255};
    for (std::size_t i = 0; i * 2 + 1 < text.size(); ++i) {
        const int hi = hexDigit(text[1 + i * 2]);
        const int lo = hexDigit(text[2 + i * 2]);
        if (hi < 0 || lo < 0) return false;
        bytes[i] = hi * 16 + lo;
    }
    colour = Rgba{static_cast<std::uint8_t>(bytes[0]), static_cast<std::uint8_t>(bytes[1]),
                  static_cast<std::uint8_t>(bytes[2]), static_cast<std::uint8_t>(bytes[3])};
    return true;
}

}  // namespace pix
