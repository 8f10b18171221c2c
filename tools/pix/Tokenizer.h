#pragma once

#include <string>
#include <vector>

#include "tools/pix/PixError.h"

namespace pix {

// Splits a source line into words. A word in double quotes may hold spaces (\" and \\ escape).
// A comment starts at a "#" that begins the line or follows a space, and is itself followed by
// a space or the end of the line; so "#1a2b3c" is a colour, "# note" is a comment.
class Tokenizer {
public:
    static std::vector<std::string> split(const std::string& line, const SourcePos& pos);
    static std::string stripComment(const std::string& line);
};

}  // namespace pix
