#include "tools/rig/CmaWriter.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "tools/rig/PoseSampler.h"
#include "tools/rig/RigParser.h"
#include "tools/rig/Skeleton.h"

namespace rig {

namespace {

std::string colour(int value) {
    return value == 255 ? "-" : std::to_string(value);
}

std::string anchor(const Part& part, const Sheet& sheet) {
    return CmaWriter::decimal(part.pivot.x / sheet.cellWidth, 4) + "," +
           CmaWriter::decimal((sheet.cellHeight - part.pivot.y) / sheet.cellHeight, 4);
}

// PAINT and CHANGE: frame,WORD,id,image,x,y,z,sx,sy,ax,ay,rot,flipx,flipy,blend,r,g,b,a
// MOVE:             frame,MOVE,id,-,x,y,z,sx,sy,ax,ay,rot,blend,r,g,b,a,flipx,flipy
std::string spriteLine(int frame, const char* word, int id, const std::string& image, const Part& part,
                       const Sheet& sheet, const SpriteState& s) {
    const bool move = std::string(word) == "MOVE";
    const std::string blend = part.blend.empty() ? "0" : part.blend;
    const int opacity = s.visible ? s.opacity : 0;
    const std::string flips = std::string(s.flip ? "true" : "false") + ",false";
    const std::string colours = blend + "," + colour((s.tint >> 16) & 0xFF) + "," +
                                colour((s.tint >> 8) & 0xFF) + "," + colour(s.tint & 0xFF) + "," +
                                colour(opacity);
    std::string line = std::to_string(frame) + "," + word + "," + std::to_string(id) + "," +
                       (move ? "-" : image) + "," + std::to_string(s.x) + "," + std::to_string(s.y) + "," +
                       std::to_string(s.z) + "," + CmaWriter::decimal(s.scaleX, 2) + "," +
                       CmaWriter::decimal(s.scaleY, 2) + "," + anchor(part, sheet) + "," +
                       std::to_string(s.rotation) + ",";
    line += move ? colours + "," + flips : flips + "," + colours;
    return line + "\n";
}

}  // namespace

std::string CmaWriter::decimal(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    long long units = std::llround(value * scale);
    const bool negative = units < 0;
    if (negative) units = -units;
    const long long whole = units / static_cast<long long>(scale);
    long long fraction = units % static_cast<long long>(scale);
    std::string text = (negative ? "-" : "") + std::to_string(whole);
    if (fraction != 0) {
        std::string digits = std::to_string(fraction);
        digits.insert(0, static_cast<std::size_t>(decimals) - digits.size(), '0');
        while (!digits.empty() && digits.back() == '0')
            digits.pop_back();
        text += "." + digits;
    }
    return text;
}

std::string CmaWriter::picture(const Sheet& sheet, int wear) {
    std::string name = sheet.picture;
    const std::string mark = "{wear}";
    for (std::size_t at = name.find(mark); at != std::string::npos; at = name.find(mark))
        name.replace(at, mark.size(), std::to_string(wear));
    return name;
}

std::string CmaWriter::write(const Rig& rig, const Motion& motion, const std::string& layer, int wear,
                             const std::string& fileName, const std::string& sourceName) {
    const double interval = motion.interval > 0.0 ? motion.interval : rig.interval;
    std::string out = fileName + "," + std::to_string(rig.width) + "," + std::to_string(rig.height) + "," +
                      decimal(interval, 7) + "\n";
    out += "// Made by quorin-rig from " + sourceName + ", motion " + motion.name + ", layer " + layer +
           (motion.loop ? " (a loop)" : "") + ". Edit the source, not this file.\n";

    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < rig.parts.size(); ++i)
        if (rig.parts[i].layer == layer) order.push_back(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return rig.parts[a].z < rig.parts[b].z; });

    PoseSampler sampler(rig, motion);
    Skeleton skeleton(rig);
    std::vector<std::optional<SpriteState>> previous(rig.parts.size());
    int soundId = 0;
    for (int frame = 0; frame < motion.length; ++frame) {
        const std::vector<SpriteState> states = skeleton.pose(sampler.sample(frame), motion.plant);
        bool wrote = false;
        for (std::size_t i : order) {
            const Part& part = rig.parts[i];
            const Sheet& sheet = *rig.findSheet(part.sheet);
            SpriteState state = states[i];
            const int id = static_cast<int>(i) + 1;
            const std::string image = picture(sheet, wear) + ":" + std::to_string(sheet.cellWidth) + ":" +
                                      std::to_string(sheet.cellHeight) + ":" + std::to_string(state.cell);
            if (!previous[i]) {
                if (!state.visible || state.opacity == 0) continue;
                out += spriteLine(frame, "PAINT", id, image, part, sheet, state);
            } else if (state != *previous[i]) {
                const char* word = state.cell != previous[i]->cell ? "CHANGE" : "MOVE";
                out += spriteLine(frame, word, id, image, part, sheet, state);
            } else {
                continue;
            }
            wrote = true;
            previous[i] = state;
        }
        for (const Event& event : motion.events) {
            if (event.frame != frame || event.layer != layer) continue;
            if (event.sound)
                out += std::to_string(frame) + ",PLAYSE," + std::to_string(++soundId) + "," + event.first +
                       "," + event.second + "\n";
            else
                out += std::to_string(frame) + ",FUNC," + event.first + "," + event.second + "\n";
            wrote = true;
        }
        if (frame == motion.length - 1 && !wrote) {
            // Nothing changes on the last frame: hold the frontmost painted part, so that the script
            // still lasts the motion's full length.
            for (auto it = order.rbegin(); it != order.rend(); ++it) {
                if (!previous[*it]) continue;
                const Part& part = rig.parts[*it];
                out += spriteLine(frame, "MOVE", static_cast<int>(*it) + 1, "", part,
                                  *rig.findSheet(part.sheet), *previous[*it]);
                break;
            }
        }
    }
    bool painted = false;
    for (std::size_t i : order)
        painted = painted || previous[i].has_value();
    if (!painted)
        throw RigError(motion.line, "layer '" + layer + "' shows nothing in motion '" + motion.name + "'");
    return out;
}

}  // namespace rig
