#pragma once

#include <stdexcept>
#include <string>

namespace pix {

// Where a definition or an operation was written.
struct SourcePos {
    std::string file;
    int line = 0;

    std::string str() const { return file + ":" + std::to_string(line); }
};

// Every failure of the tool; the message starts with "file:line: " when a source line is to blame.
class PixError : public std::runtime_error {
public:
    explicit PixError(const std::string& message) : std::runtime_error(message) {}
    PixError(const SourcePos& pos, const std::string& message)
        : std::runtime_error(pos.str() + ": " + message) {}
};

}  // namespace pix
