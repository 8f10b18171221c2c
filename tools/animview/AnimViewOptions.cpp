#include "tools/animview/AnimViewOptions.h"

#include "engine/base/NumberText.h"

namespace animview {

namespace {

bool hexColour(const std::string& text, engine::Color3B& out) {
    std::string digits = !text.empty() && text[0] == '#' ? text.substr(1) : text;
    if (digits.size() != 6) return false;
    unsigned value = 0;
    for (char c : digits) {
        int digit = (c >= '0' && c <= '9')   ? c - '0'
                    : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                    : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                             : -1;
        if (digit < 0) return false;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    out = engine::Color3B(static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
                          static_cast<uint8_t>(value));
    return true;
}

}  // namespace

std::vector<engine::LaunchOptions::Declared> AnimViewOptions::declared() {
    return {{"file", true, true},    {"loop", false, false}, {"scale", true, false}, {"bg", true, false},
            {"facing", true, false}, {"shot", true, true},   {"strip", true, false}, {"columns", true, false},
            {"margin", true, false}, {"guide", true, false}};
}

std::string AnimViewOptions::usage() {
    return "usage: quorin-animview --file NAME.cma [--file WEAPON.cma]... [options]\n"
           "Plays animation scripts on a plain background, centred, and takes pictures of their frames.\n"
           "  --file NAME       a script, by its resource name (anime/PLAYER_WAIT_0.cma) or a path;\n"
           "                    several are drawn over each other, as a body and its weapon\n"
           "  --loop            play looping (default: once, keeping the last frame)\n"
           "  --scale N         draw N times larger (default 4)\n"
           "  --bg RRGGBB       background colour (default b0b0b0)\n"
           "  --facing left|right  right mirrors the art, as a character facing right\n"
           "  --shot K:FILE     PNG of the screen when animation frame K (from 0) is first drawn\n"
           "  --strip FILE      PNG of every frame of the first script, side by side, then quit\n"
           "  --columns N       frames a row in the strip (default 8)\n"
           "  --margin N        animation pixels shown around the script's size in a strip tile (default "
           "16)\n"
           "  --guide Y         draw a line across at height Y (animation pixels; -20 is Quorin's ground)\n"
           "engine options: --headless --frames N --screenshot FRAME:FILE --res DIR\n";
}

bool AnimViewOptions::read(const engine::LaunchOptions& launch, AnimViewOptions& out, std::string& error) {
    auto found = launch.extra.find("file");
    if (found != launch.extra.end()) out.files = found->second;
    if (out.files.empty()) {
        error = "name a script with --file";
        return false;
    }
    out.loop = launch.has("loop");
    if (launch.has("scale")) {
        double scale = 0.0;
        if (!engine::NumberText::parseDouble(launch.value("scale"), scale) || scale <= 0.0 || scale > 64.0) {
            error = "--scale needs a number above 0";
            return false;
        }
        out.scale = static_cast<float>(scale);
    }
    if (launch.has("bg") && !hexColour(launch.value("bg"), out.background)) {
        error = "--bg needs a colour RRGGBB";
        return false;
    }
    if (launch.has("facing")) {
        const std::string facing = launch.value("facing");
        if (facing != "left" && facing != "right") {
            error = "--facing is left or right";
            return false;
        }
        out.facingRight = facing == "right";
    }
    auto shots = launch.extra.find("shot");
    if (shots != launch.extra.end()) {
        for (const std::string& shot : shots->second) {
            auto colon = shot.find(':');
            int frame = -1;
            if (colon == std::string::npos || !engine::NumberText::parseInt(shot.substr(0, colon), frame) ||
                frame < 0 || colon + 1 >= shot.size()) {
                error = "--shot needs K:FILE (animation frames count from 0), not '" + shot + "'";
                return false;
            }
            out.frameShots.emplace_back(frame, shot.substr(colon + 1));
        }
    }
    out.strip = launch.value("strip");
    if (launch.has("columns") &&
        (!engine::NumberText::parseInt(launch.value("columns"), out.columns) || out.columns < 1)) {
        error = "--columns needs a whole number above 0";
        return false;
    }
    if (launch.has("margin") && (!engine::NumberText::parseInt(launch.value("margin"), out.margin) ||
                                 out.margin < 0 || out.margin > 200)) {
        error = "--margin needs a whole number from 0 to 200";
        return false;
    }
    if (launch.has("guide")) {
        double y = 0.0;
        if (!engine::NumberText::parseDouble(launch.value("guide"), y)) {
            error = "--guide needs a number";
            return false;
        }
        out.guide = true;
        out.guideY = static_cast<float>(y);
    }
    return true;
}

}  // namespace animview
