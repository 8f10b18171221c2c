#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace engine {

// Base64 with the standard alphabet and '=' padding, as tile layers and particle definitions store
// binary data. White space between characters (line breaks, indentation) is ignored.
class Base64 {
public:
    // False, with `out` emptied, for a character outside the alphabet, misplaced padding or a
    // dangling final character.
    static bool decode(std::string_view text, std::vector<uint8_t>& out);
};

}  // namespace engine
