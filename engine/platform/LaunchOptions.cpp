#include "engine/platform/LaunchOptions.h"

#include <charconv>

namespace engine {

namespace {

bool parseFrame(const std::string& text, uint64_t& out) {
    if (text.empty()) return false;
    auto result = std::from_chars(text.data(), text.data() + text.size(), out);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

}  // namespace

std::string LaunchOptions::value(const std::string& name) const {
    auto found = extra.find(name);
    return found == extra.end() || found->second.empty() ? std::string() : found->second.back();
}

bool LaunchOptions::parse(int argc, const char* const argv[], const std::vector<Declared>& declared,
                          LaunchOptions& out, std::string& error) {
    static const std::vector<Declared> common = {{"headless", false, false}, {"help", false, false},
                                                 {"frames", true, false},    {"screenshot", true, true},
                                                 {"res", true, false},       {"data-dir", true, false},
                                                 {"lang", true, false}};
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "-h") arg = "--help";
        if (arg.rfind("--", 0) != 0) {
            error = "unexpected argument '" + arg + "'";
            return false;
        }
        std::string name = arg.substr(2);
        std::string value;
        bool inlineValue = false;
        if (auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
            inlineValue = true;
        }
        const Declared* option = nullptr;
        for (const auto* list : {&common, &declared})
            for (const Declared& d : *list)
                if (d.name == name) option = &d;
        if (!option) {
            error = "unknown option '--" + name + "'";
            return false;
        }
        if (option->takesValue && !inlineValue) {
            if (i + 1 >= argc) {
                error = "option '--" + name + "' needs a value";
                return false;
            }
            value = argv[++i];
        } else if (!option->takesValue && inlineValue) {
            error = "option '--" + name + "' takes no value";
            return false;
        }
        if (name == "headless") {
            out.headless = true;
        } else if (name == "help") {
            out.help = true;
        } else if (name == "frames") {
            if (!parseFrame(value, out.frames) || out.frames == 0) {
                error = "--frames needs a positive whole number, not '" + value + "'";
                return false;
            }
        } else if (name == "screenshot") {
            auto colon = value.find(':');
            uint64_t frame = 0;
            if (colon == std::string::npos || !parseFrame(value.substr(0, colon), frame) || frame == 0 ||
                colon + 1 >= value.size()) {
                error = "--screenshot needs FRAME:FILE (frames count from 1), not '" + value + "'";
                return false;
            }
            out.screenshots.emplace_back(frame, value.substr(colon + 1));
        } else if (name == "res") {
            out.resourceRoot = value;
        } else if (name == "data-dir") {
            out.dataDir = value;
        } else if (name == "lang") {
            out.language = value;
        } else {
            auto& values = out.extra[name];
            if (!option->repeatable) values.clear();
            values.push_back(value);
        }
    }
    return true;
}

}  // namespace engine
