#include "tools/synth/SourceReader.h"

#include "tools/synth/SourceError.h"

namespace synth {

SourceReader::SourceReader(std::istream& in, std::string file) : in_(in), file_(std::move(file)) {}

bool SourceReader::next(SourceLine& line) {
    std::string text;
    while (std::getline(in_, text)) {
        ++lineNumber_;
        line.number = lineNumber_;
        line.words.clear();
        std::string word;
        for (const char c : text) {
            if (c == ' ' || c == '\t' || c == '\r') {
                if (!word.empty()) line.words.push_back(word);
                word.clear();
            } else if (c == '#' && word.empty()) {
                break;  // a comment: '#' at the start of a word (inside a word it is a sharp, as in F#4)
            } else {
                word += c;
            }
        }
        if (!word.empty()) line.words.push_back(word);
        if (!line.words.empty()) return true;
    }
    return false;
}

void SourceReader::fail(int line, const std::string& message) const {
    throw SourceError(file_, line, message);
}

}  // namespace synth
