#pragma once

#include <istream>
#include <string>
#include <vector>

namespace synth {

// One meaningful line of a source: its number in the file and its words. A word that begins with '#'
// starts a comment that runs to the end of the line.
struct SourceLine {
    int number = 0;
    std::vector<std::string> words;
};

// Reads a source text line by line, skipping blank and comment-only lines, and remembers the file name so
// that every error can point at "file:line".
class SourceReader {
public:
    SourceReader(std::istream& in, std::string file);

    // Fills `line` with the next non-empty line; false at the end of the text.
    bool next(SourceLine& line);

    const std::string& file() const { return file_; }
    // Number of the last line read (the end of the file once next() returned false).
    int lastLine() const { return lineNumber_; }

    [[noreturn]] void fail(int line, const std::string& message) const;

private:
    std::istream& in_;
    std::string file_;
    int lineNumber_ = 0;
};

}  // namespace synth
