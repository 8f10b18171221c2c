#include "engine/base/Utf8.h"

namespace engine {

namespace {

constexpr char32_t REPLACEMENT = 0xFFFD;

// Decodes one character at `i`; returns the number of bytes used (at least 1).
std::size_t decodeOne(std::string_view text, std::size_t i, char32_t& out) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i);
    if (lead < 0x80) {
        out = lead;
        return 1;
    }
    std::size_t extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07, minimum = 0x10000;
    } else {
        out = REPLACEMENT;
        return 1;
    }
    if (i + extra >= text.size()) {
        out = REPLACEMENT;
        return 1;
    }
    for (std::size_t k = 1; k <= extra; ++k) {
        unsigned char c = byte(i + k);
        if ((c & 0xC0) != 0x80) {
            out = REPLACEMENT;
            return 1;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        out = REPLACEMENT;
        return 1;
    }
    out = cp;
    return extra + 1;
}

}  // namespace

std::u32string Utf8::decode(std::string_view text) {
    std::u32string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t cp = 0;
        i += decodeOne(text, i, cp);
        result.push_back(cp);
    }
    return result;
}

std::string Utf8::encode(char32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
    return out;
}

std::string Utf8::encode(const std::u32string& text) {
    std::string out;
    for (char32_t cp : text)
        out += encode(cp);
    return out;
}

std::size_t Utf8::length(std::string_view text) {
    return decode(text).size();
}

std::vector<std::string> Utf8::split(std::string_view text) {
    std::vector<std::string> parts;
    for (std::size_t i = 0; i < text.size();) {
        char32_t cp = 0;
        std::size_t n = decodeOne(text, i, cp);
        parts.emplace_back(text.substr(i, n));
        i += n;
    }
    return parts;
}

}  // namespace engine
