#include "engine/base/NumberText.h"

#include <charconv>
#include <climits>
#include <cmath>

namespace engine {

namespace {

std::string_view skipSpace(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' ||
                               text[i] == '\v' || text[i] == '\f'))
        ++i;
    return text.substr(i);
}

// from_chars does not accept a leading '+'.
std::string_view dropPlus(std::string_view text, bool& hadPlus) {
    hadPlus = !text.empty() && text[0] == '+' && text.size() > 1 && text[1] != '-' && text[1] != '+';
    return hadPlus ? text.substr(1) : text;
}

}  // namespace

long long NumberText::leadingLong(std::string_view text) {
    bool plus = false;
    std::string_view t = dropPlus(skipSpace(text), plus);
    long long value = 0;
    auto result = std::from_chars(t.data(), t.data() + t.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return (!t.empty() && t[0] == '-') ? LLONG_MIN : LLONG_MAX;
    return result.ec == std::errc() ? value : 0;
}

int NumberText::leadingInt(std::string_view text) {
    long long v = leadingLong(text);
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

double NumberText::leadingDouble(std::string_view text) {
    bool plus = false;
    std::string_view t = dropPlus(skipSpace(text), plus);
    double value = 0.0;
    auto result = std::from_chars(t.data(), t.data() + t.size(), value);
    if (result.ec == std::errc::result_out_of_range) return 0.0;
    return result.ec == std::errc() ? value : 0.0;
}

bool NumberText::parseInt(std::string_view text, int& out) {
    bool plus = false;
    std::string_view t = dropPlus(text, plus);
    if (t.empty()) return false;
    int value = 0;
    auto result = std::from_chars(t.data(), t.data() + t.size(), value);
    if (result.ec != std::errc() || result.ptr != t.data() + t.size()) return false;
    out = value;
    return true;
}

bool NumberText::parseDouble(std::string_view text, double& out) {
    bool plus = false;
    std::string_view t = dropPlus(text, plus);
    if (t.empty()) return false;
    double value = 0.0;
    auto result = std::from_chars(t.data(), t.data() + t.size(), value);
    if (result.ec != std::errc() || result.ptr != t.data() + t.size() || !std::isfinite(value)) return false;
    out = value;
    return true;
}

std::string NumberText::format(double value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    return std::string(buffer, result.ptr);
}

}  // namespace engine
