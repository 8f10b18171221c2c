#include "game/data/MasterText.h"

#include <charconv>
#include <climits>

#include "engine/base/NumberText.h"

namespace vastomer {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isTrimmed(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\r' || c == '\n';
}

// Where the number starts: after the white space the C library skips.
std::size_t skipSpace(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (isTrimmed(text[i]) || text[i] == '\f'))
        ++i;
    return i;
}

}  // namespace

std::vector<MasterLine> MasterText::readLines(std::string_view content) {
    std::vector<MasterLine> lines;
    int number = 0;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string_view::npos) end = content.size();
        ++number;
        std::string text;
        text.reserve(end - start);
        for (std::size_t i = start; i < end; ++i)
            if (content[i] != '\r') text.push_back(content[i]);
        start = end + 1;
        if (text.empty() || startsWith(text, "//")) continue;
        MasterLine line;
        line.number = number;
        line.fields = split(text, ',');
        line.text = std::move(text);
        lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<std::string> MasterText::split(std::string_view text, char separator) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) end = text.size();
        if (end > start) pieces.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

std::string MasterText::trim(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isTrimmed(text[begin]))
        ++begin;
    while (end > begin && isTrimmed(text[end - 1]))
        --end;
    return std::string(text.substr(begin, end - begin));
}

bool MasterText::startsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

LeadingInt MasterText::leadingInt(std::string_view text) {
    LeadingInt result;
    std::size_t i = skipSpace(text);
    std::size_t digits = i;
    if (digits < text.size() && (text[digits] == '+' || text[digits] == '-')) ++digits;
    if (digits >= text.size() || !isDigit(text[digits])) return result;
    std::size_t end = digits;
    while (end < text.size() && isDigit(text[end]))
        ++end;
    long long value = engine::NumberText::leadingLong(text.substr(i, end - i));
    result.trailing = end < text.size();
    if (value < INT_MIN || value > INT_MAX) {
        result.status = LeadingInt::Status::OUT_OF_RANGE;
        return result;
    }
    result.status = LeadingInt::Status::OK;
    result.value = static_cast<int>(value);
    return result;
}

bool MasterText::leadingFloat(std::string_view text, float& out, bool& trailing) {
    std::size_t i = skipSpace(text);
    std::size_t end = i;
    if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
    std::size_t digitsBefore = 0;
    std::size_t digitsAfter = 0;
    while (end < text.size() && isDigit(text[end]))
        ++end, ++digitsBefore;
    if (end < text.size() && text[end] == '.') {
        std::size_t afterDot = end + 1;
        while (afterDot < text.size() && isDigit(text[afterDot]))
            ++afterDot, ++digitsAfter;
        if (digitsAfter > 0 || digitsBefore > 0) end = afterDot;
    }
    if (digitsBefore == 0 && digitsAfter == 0) return false;
    out = static_cast<float>(engine::NumberText::leadingDouble(text.substr(i, end - i)));
    trailing = end < text.size();
    return true;
}

bool MasterText::isNumber(std::string_view text) {
    std::size_t begin = 0;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) begin = 1;
    std::size_t end = text.size();
    while (end > begin && isDigit(text[end - 1]))
        --end;
    if (end == text.size()) return false;  // must end with a digit
    if (end == begin) return true;
    // What comes before the last run of digits: digits, then at most one other character.
    char single = text[end - 1];
    if (single == '\n' || single == '\r') return false;
    for (std::size_t i = begin; i + 1 < end; ++i)
        if (!isDigit(text[i])) return false;
    return true;
}

std::string MasterText::intText(long long value) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    return std::string(buffer, result.ptr);
}

}  // namespace vastomer
