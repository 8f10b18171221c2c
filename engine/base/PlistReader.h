#pragma once

#include <string>
#include <string_view>

#include "engine/base/Value.h"

namespace engine {

// Reads Apple XML property lists (as particle designers save them) into Values:
// <dict> → map, <array> → vector, <string>/<date>/<data> → text, <integer> → int (a double when it
// does not fit), <real> → double, <true/>/<false/> → bool. Numbers are read locale-independently.
class PlistReader {
public:
    // The top-level dictionary of a file (looked up through the resource search paths).
    // False with a message in `error` if the file is missing, is not XML or has no dictionary at the top.
    static bool readDictionaryFromFile(const std::string& file, ValueMap& out, std::string& error);
    static bool readDictionaryFromString(std::string_view xml, ValueMap& out, std::string& error);
};

}  // namespace engine
