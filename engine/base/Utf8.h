#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace engine {

// UTF-8 helpers. Malformed bytes decode as U+FFFD, one per bad byte, so counting never stalls.
class Utf8 {
public:
    static std::u32string decode(std::string_view text);
    static std::string encode(char32_t codePoint);
    static std::string encode(const std::u32string& text);
    static std::size_t length(std::string_view text);
    // The characters of `text` one by one, each as its own UTF-8 string.
    static std::vector<std::string> split(std::string_view text);
};

}  // namespace engine
