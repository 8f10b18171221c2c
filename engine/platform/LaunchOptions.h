#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace engine {

// Command-line options every program on the engine understands, plus options a program declares
// for itself. Values are given as "--name VALUE" or "--name=VALUE".
struct LaunchOptions {
    struct Declared {
        std::string name;  // without the leading dashes
        bool takesValue = true;
        bool repeatable = false;
    };

    bool headless = false;
    bool help = false;
    uint64_t frames = 0;  // 0: run until the program ends
    std::vector<std::pair<uint64_t, std::string>> screenshots;
    std::string resourceRoot;
    std::string dataDir;
    std::string language;
    // Declared options that were given, by name; flags have an empty value.
    std::map<std::string, std::vector<std::string>> extra;

    // False with a message in `error` for an unknown option, a missing or malformed value.
    static bool parse(int argc, const char* const argv[], const std::vector<Declared>& declared,
                      LaunchOptions& out, std::string& error);

    bool has(const std::string& name) const { return extra.count(name) != 0; }
    std::string value(const std::string& name) const;
};

}  // namespace engine
