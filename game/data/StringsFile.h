#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vastomer {

// One key line of a ".strings" file.
struct StringsEntry {
    int line = 0;  // physical line, from 1
    std::string key;
    std::string text;       // "" when the line has no text
    bool hasText = false;   // the line had a second piece
    int ignoredPieces = 0;  // pieces after the text (a text cannot hold a semicolon)
};

// The ".strings" format: lines at line feeds; empty lines and lines starting with "//" skipped; a line
// is cut at semicolons with empty pieces dropped, the first piece is the key and the second the text
// (further pieces are ignored, so a text holds no semicolon). Texts are kept byte for byte, carriage
// returns and backslash sequences included.
class StringsFile {
public:
    static std::vector<StringsEntry> parse(std::string_view content);
    // Puts the entries into `table`; a key met again replaces the earlier text.
    static void addTo(const std::vector<StringsEntry>& entries, std::map<std::string, std::string>& table);
};

}  // namespace vastomer
