#include "game/data/StringsFile.h"

namespace vastomer {

namespace {

bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \t\r\v\f") == std::string_view::npos;
}

}  // namespace

std::vector<StringsEntry> StringsFile::parse(std::string_view content) {
    // A byte-order mark some editors put first is not part of the first key.
    if (content.substr(0, 3) == "\xEF\xBB\xBF") content.remove_prefix(3);
    std::vector<StringsEntry> entries;
    int lineNumber = 0;
    std::size_t start = 0;
    while (start <= content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string_view::npos) end = content.size();
        std::string_view line = content.substr(start, end - start);
        ++lineNumber;
        start = end + 1;
        // Lines holding only white space (a carriage return, say) count as empty.
        if (isBlank(line) || line.substr(0, 2) == "//") continue;
        std::vector<std::string_view> pieces;
        std::size_t from = 0;
        while (from <= line.size()) {
            std::size_t cut = line.find(';', from);
            if (cut == std::string_view::npos) cut = line.size();
            if (cut > from) pieces.push_back(line.substr(from, cut - from));
            from = cut + 1;
        }
        if (pieces.empty()) continue;
        StringsEntry entry;
        entry.line = lineNumber;
        entry.key = std::string(pieces[0]);
        entry.hasText = pieces.size() >= 2;
        if (entry.hasText) entry.text = std::string(pieces[1]);
        entry.ignoredPieces = pieces.size() > 2 ? static_cast<int>(pieces.size() - 2) : 0;
        entries.push_back(std::move(entry));
    }
    return entries;
}

void StringsFile::addTo(const std::vector<StringsEntry>& entries, std::map<std::string, std::string>& table) {
    for (const auto& entry : entries)
        table[entry.key] = entry.text;
}

}  // namespace vastomer
