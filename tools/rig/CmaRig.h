#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "tools/rig/RigModel.h"

namespace rig {

// The quorin-rig command line: reads rig sources and writes the ".cma" scripts their motions name.
//   quorin-rig [--out-dir DIR] [--list FILE] [--check] SOURCE.rig...
// Exit status 0 when all went well, 1 when a source is wrong ("file:line: message"; nothing is
// written then), 2 for a wrong command line.
class CmaRig {
public:
    int run(const std::vector<std::string>& args, std::ostream& err) const;

    // Every script a rig makes: file name (without folder) → text. Throws RigError.
    static std::map<std::string, std::string> generate(const Rig& rig, const std::string& sourceName);
};

}  // namespace rig
