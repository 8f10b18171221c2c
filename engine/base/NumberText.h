#pragma once

#include <string>
#include <string_view>

namespace engine {

// Locale-independent number reading and printing, lenient like C's atoi/atof:
// leading white space is skipped, the longest numeric prefix is read, anything else gives 0.
class NumberText {
public:
    static int leadingInt(std::string_view text);
    static long long leadingLong(std::string_view text);
    static double leadingDouble(std::string_view text);
    // Strict whole-text reads: false if the text is not exactly one number in range.
    static bool parseInt(std::string_view text, int& out);
    static bool parseDouble(std::string_view text, double& out);
    // Shortest text that reads back to the same double ("0.5", "12", "-3.25").
    static std::string format(double value);
};

}  // namespace engine
