#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tools/content/ContentRegistry.h"

namespace content {

// The command line of quorin-content:
//   check [--res DIR]            every registered check over the resource tree; exit 1 on problems
//   dump KIND FILE [--res DIR]   what the game's loader reads from FILE, as JSON on stdout
//   dryrun SCRIPT...|--all [--brief] [--frames N] [--res DIR]
//                                the story scripts played headless (ScenarioDryRun.h)
// DIR is the resource root (the folder holding res/); by default the built tree next to the program.
class ContentTool {
public:
    explicit ContentTool(const ContentRegistry& registry) : registry_(registry) {}

    // Exit status: 0 done, 1 problems found, FILE unreadable or a script that cannot finish, 2 wrong
    // usage (or a script not found).
    int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) const;
    std::string usage() const;

private:
    int check(std::ostream& out, std::ostream& err) const;
    int dump(const std::string& kind, const std::string& file, std::ostream& out, std::ostream& err) const;
    ContentContext makeContext() const;

    const ContentRegistry& registry_;
};

}  // namespace content
