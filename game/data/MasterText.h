#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vastomer {

// One data line of a table file: its physical line number, its text and its comma-separated fields.
struct MasterLine {
    int number = 0;
    std::string text;
    std::vector<std::string> fields;
};

// What the leading-number rule found at the start of a field.
struct LeadingInt {
    enum class Status { OK, NOT_A_NUMBER, OUT_OF_RANGE };
    Status status = Status::NOT_A_NUMBER;
    int value = 0;
    bool trailing = false;  // characters follow the number (they are ignored)
};

// The text rules shared by every table under "master/" (and by the stage tables): carriage returns
// removed, lines cut at line feeds, empty lines and lines starting with "//" skipped, fields cut at
// commas with empty fields dropped, numbers read from the start of a field.
class MasterText {
public:
    // The data lines of a table file, with their physical line numbers (1-based).
    static std::vector<MasterLine> readLines(std::string_view content);
    // Cuts text at one character and drops the empty pieces.
    static std::vector<std::string> split(std::string_view text, char separator);
    // Removes spaces, tabs, vertical tabs, carriage returns and line feeds at both ends.
    static std::string trim(std::string_view text);
    static bool startsWith(std::string_view text, std::string_view prefix);

    // Optional white space, optional sign, decimal digits; anything after the digits is ignored.
    static LeadingInt leadingInt(std::string_view text);
    // Like leadingInt, for a decimal number with an optional fraction.
    static bool leadingFloat(std::string_view text, float& out, bool& trailing);
    // The whole text matches ^[-+]?[0-9]*.?[0-9]+$ where the dot stands for any one character
    // except a line break (the game's number test for markers, save values and list files).
    static bool isNumber(std::string_view text);
    // Decimal text of an integer, independent of the locale.
    static std::string intText(long long value);
};

}  // namespace vastomer
