#pragma once

#include <set>
#include <string>
#include <vector>

#include "tools/pix/Document.h"

namespace pix {

// Reads picture sources (see README.md) into a Document.
class Parser {
public:
    explicit Parser(Document& document) : document_(document) {}

    // Reads a file and the files it includes; throws PixError naming file and line.
    void parseFile(const std::string& path);
    // Reads source text held in memory; "name" stands for the file in messages.
    void parseText(const std::string& text, const std::string& name, const std::string& dir);

private:
    struct Line {
        std::vector<std::string> words;
        SourcePos pos;
        std::string raw;
    };

    void parseLines(const std::vector<Line>& lines, const std::string& dir, bool included, int depth);
    std::size_t parsePalette(const std::vector<Line>& lines, std::size_t i);
    std::size_t parseGrid(const std::vector<Line>& lines, std::size_t i, const std::string& defaultPalette);
    std::size_t parsePicture(const std::vector<Line>& lines, std::size_t i, const std::string& defaultPalette,
                             bool included);
    void includeFile(const std::string& path, const SourcePos& from, int depth);
    static std::vector<Line> splitLines(const std::string& text, const std::string& name);

    Document& document_;
    std::set<std::string> included_;
};

}  // namespace pix
