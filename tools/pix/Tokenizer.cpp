#include "tools/pix/Tokenizer.h"

namespace pix {

namespace {
bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}
}  // namespace

std::string Tokenizer::stripComment(const std::string& line) {
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '\\') {
                ++i;
            } else if (c == '"') {
                quoted = false;
            }
            continue;
        }
        if (c == '"') {
            quoted = true;
        } else if (c == '#' && (i == 0 || isSpace(line[i - 1])) &&
                   (i + 1 == line.size() || isSpace(line[i + 1]))) {
            return line.substr(0, i);
        }
    }
    return line;
}

std::vector<std::string> Tokenizer::split(const std::string& line, const SourcePos& pos) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        if (isSpace(line[i])) {
            ++i;
            continue;
        }
        std::string word;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char c = line[i++];
                if (c == '\\' && i < line.size()) {
                    word += line[i++];
                } else if (c == '"') {
                    closed = true;
                    break;
                } else {
                    word += c;
                }
            }
            if (!closed) throw PixError(pos, "unterminated quoted text");
        } else {
            while (i < line.size() && !isSpace(line[i]))
                word += line[i++];
        }
        words.push_back(word);
    }
    return words;
}

}  // namespace pix
