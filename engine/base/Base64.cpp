#include "engine/base/Base64.h"

namespace engine {

namespace {

int sextet(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

}  // namespace

bool Base64::decode(std::string_view text, std::vector<uint8_t>& out) {
    out.clear();
    out.reserve(text.size() / 4 * 3);
    uint32_t bits = 0;
    int held = 0;     // sextets collected in the current group of four
    int padding = 0;  // '=' seen; only white space and more '=' may follow
    for (char c : text) {
        if (isSpace(c)) continue;
        if (c == '=') {
            // Padding completes a group of two or three sextets.
            if (held + padding < 2 || held + padding >= 4) return out.clear(), false;
            ++padding;
            continue;
        }
        int value = sextet(c);
        if (value < 0 || padding > 0) return out.clear(), false;
        bits = (bits << 6) | static_cast<uint32_t>(value);
        if (++held == 4) {
            out.push_back(static_cast<uint8_t>(bits >> 16));
            out.push_back(static_cast<uint8_t>(bits >> 8));
            out.push_back(static_cast<uint8_t>(bits));
            bits = 0;
            held = 0;
        }
    }
    // A last group of two or three sextets carries one or two bytes (with or without padding).
    if (held == 1) return out.clear(), false;
    if (padding > 0 && held + padding != 4) return out.clear(), false;
    if (held == 2) {
        out.push_back(static_cast<uint8_t>(bits >> 4));
    } else if (held == 3) {
        out.push_back(static_cast<uint8_t>(bits >> 10));
        out.push_back(static_cast<uint8_t>(bits >> 2));
    }
    return true;
}

}  // namespace engine
