#include "tools/rig/RigValues.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "tools/rig/RigParser.h"

namespace rig {

// "key=value" → key and value; false without "=".
bool RigValues::splitToken(const std::string& token, std::string& key, std::string& value) {
    std::size_t eq = token.find('=');
    if (eq == std::string::npos || eq == 0) return false;
    key = token.substr(0, eq);
    value = token.substr(eq + 1);
    return true;
}

double RigValues::number(const std::string& text, int line) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
        throw RigError(line, "'" + text + "' is not a number");
    return value;
}

int RigValues::integer(const std::string& text, int line) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end)
        throw RigError(line, "'" + text + "' is not a whole number");
    return value;
}

Vec RigValues::pair(const std::string& text, int line) {
    std::size_t comma = text.find(',');
    if (comma == std::string::npos) throw RigError(line, "'" + text + "' is not a pair X,Y");
    return Vec{number(text.substr(0, comma), line), number(text.substr(comma + 1), line)};
}

Ease RigValues::ease(const std::string& text, int line) {
    if (text == "linear") return Ease::LINEAR;
    if (text == "in") return Ease::IN;
    if (text == "out") return Ease::OUT;
    if (text == "inout") return Ease::INOUT;
    if (text == "step") return Ease::STEP;
    if (text == "spline") return Ease::SPLINE;
    throw RigError(line, "unknown ease '" + text + "' (linear, in, out, inout, step, spline)");
}

bool RigValues::poseToken(const Rig& rig, const std::string& token, PoseValues& values, int line) {
    std::string key, value;
    if (!splitToken(token, key, value)) return false;
    if (key == "root") {
        Vec v = pair(value, line);
        values.continuous["root.x"] = v.x;
        values.continuous["root.y"] = v.y;
        return true;
    }
    if (key == "spin" || key == "alpha") {
        values.continuous[key] = number(value, line);
        return true;
    }
    if (key == "tint") {
        std::vector<int> rgb;
        std::size_t start = 0;
        while (start <= value.size()) {
            std::size_t comma = std::min(value.find(',', start), value.size());
            rgb.push_back(integer(value.substr(start, comma - start), line));
            start = comma + 1;
        }
        if (rgb.size() != 3) throw RigError(line, "tint needs R,G,B");
        for (int& c : rgb)
            c = std::clamp(c, 0, 255);
        values.discrete["tint"] = (rgb[0] << 16) | (rgb[1] << 8) | rgb[2];
        return true;
    }
    std::size_t dot = key.find('.');
    std::string partName = key.substr(0, dot);
    if (!rig.findPart(partName)) throw RigError(line, "no part '" + partName + "' (in '" + token + "')");
    if (dot == std::string::npos) {
        values.continuous[partName] = number(value, line);
        return true;
    }
    std::string what = key.substr(dot + 1);
    if (what == "move" || what == "scale") {
        Vec v = what == "scale" && value.find(',') == std::string::npos
                    ? Vec{number(value, line), number(value, line)}
                    : pair(value, line);
        values.continuous[key + ".x"] = v.x;
        values.continuous[key + ".y"] = v.y;
    } else if (what == "alpha") {
        values.continuous[key] = number(value, line);
    } else if (what == "cell") {
        values.discrete[key] = integer(value, line);
    } else if (what == "show" || what == "flip") {
        int flag = integer(value, line);
        if (flag != 0 && flag != 1) throw RigError(line, key + " takes 0 or 1");
        values.discrete[key] = flag;
    } else {
        throw RigError(line, "unknown pose value '" + what + "' (move, scale, alpha, cell, show, flip)");
    }
    return true;
}

}  // namespace rig
