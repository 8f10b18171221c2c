#include "tools/rig/RigParser.h"

#include <algorithm>
#include <set>
#include <sstream>

#include "tools/rig/RigValues.h"

namespace rig {

namespace {

std::vector<std::string> words(const std::string& line) {
    std::string text = line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '#' && (i == 0 || text[i - 1] == ' ' || text[i - 1] == '\t')) {
            text.resize(i);
            break;
        }
    }
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string word; in >> word;)
        out.push_back(word);
    return out;
}

const std::set<std::string> BLEND_WORDS = {"COLOR", "ADD", "SUB", "MULTI", "SCREEN", "EXCLUTION"};

// Far beyond any motion (a minute at 60 frames a second) and any wardrobe: a slip of the keyboard
// must not make the tool write gigabytes of scripts or run for hours.
constexpr int MAX_MOTION_FRAMES = 3600;
constexpr std::size_t MAX_WEARS = 32;

}  // namespace

RigParser::RigParser(const std::string& text) {
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
        lines_.push_back(line);
    }
}

Rig RigParser::parse(const std::string& text) {
    return RigParser(text).run();
}

bool RigParser::nextLine(std::vector<std::string>& out) {
    while (next_ < lines_.size()) {
        line_ = static_cast<int>(++next_);
        out = words(lines_[next_ - 1]);
        if (!out.empty()) return true;
    }
    return false;
}

Rig RigParser::run() {
    std::vector<std::string> w;
    while (nextLine(w)) {
        if (w[0] == "rig") {
            readRig(w);
        } else if (w[0] == "pose") {
            readPose(w);
        } else if (w[0] == "motion") {
            readMotion(w);
        } else {
            throw RigError(line_, "expected rig, pose or motion, not '" + w[0] + "'");
        }
    }
    if (!rigRead_) throw RigError(line_, "no rig block");
    return rig_;
}

void RigParser::readRig(const std::vector<std::string>& header) {
    if (rigRead_) throw RigError(line_, "a second rig block (one rig a file)");
    if (header.size() != 2) throw RigError(line_, "write: rig NAME");
    rigRead_ = true;
    rig_.name = header[1];
    std::vector<std::string> w;
    while (nextLine(w)) {
        const std::string& what = w[0];
        if (what == "end") return;
        if (what == "size" && w.size() == 3) {
            rig_.width = RigValues::integer(w[1], line_);
            rig_.height = RigValues::integer(w[2], line_);
        } else if (what == "interval" && w.size() == 2) {
            rig_.interval = RigValues::number(w[1], line_);
        } else if (what == "ground" && w.size() == 2) {
            rig_.ground = RigValues::number(w[1], line_);
        } else if (what == "root" && w.size() == 3) {
            rig_.root = Vec{RigValues::number(w[1], line_), RigValues::number(w[2], line_)};
        } else if (what == "wears" && w.size() >= 2) {
            rig_.wears.clear();
            if (w.size() - 1 > MAX_WEARS)
                throw RigError(line_, "more than " + std::to_string(MAX_WEARS) + " wears");
            for (std::size_t i = 1; i < w.size(); ++i) {
                rig_.wears.push_back(RigValues::integer(w[i], line_));
                if (rig_.wears.back() < 0 || rig_.wears.back() > 999)
                    throw RigError(line_, "a wear number runs from 0 to 999, not " + w[i]);
            }
        } else if (what == "sheet" && w.size() == 5) {
            if (rig_.findSheet(w[1])) throw RigError(line_, "sheet '" + w[1] + "' defined twice");
            rig_.sheets.push_back(
                Sheet{w[1], w[2], RigValues::integer(w[3], line_), RigValues::integer(w[4], line_)});
            if (rig_.sheets.back().cellWidth < 1 || rig_.sheets.back().cellHeight < 1)
                throw RigError(line_, "cell sizes must be 1 or more");
        } else if (what == "part") {
            readPart(w);
        } else {
            throw RigError(
                line_,
                "in a rig: size W H, interval S, root X Y, ground Y, wears N..., sheet NAME PICTURE W H, "
                "part NAME ..., or end");
        }
    }
    throw RigError(line_, "rig block without end");
}

void RigParser::readPart(const std::vector<std::string>& w) {
    if (w.size() < 2) throw RigError(line_, "write: part NAME key=value...");
    Part part;
    part.name = w[1];
    part.line = line_;
    if (part.name == "root" || rig_.findPart(part.name))
        throw RigError(line_, "part name '" + part.name + "' taken");
    bool hasSheet = false, hasParent = false;
    for (std::size_t i = 2; i < w.size(); ++i) {
        if (w[i] == "hidden") {
            part.hidden = true;
            continue;
        }
        std::string key, value;
        if (!RigValues::splitToken(w[i], key, value))
            throw RigError(line_, "'" + w[i] + "' is not key=value");
        if (key == "sheet") {
            if (!rig_.findSheet(value)) throw RigError(line_, "no sheet '" + value + "'");
            part.sheet = value;
            hasSheet = true;
        } else if (key == "cell") {
            part.cell = RigValues::integer(value, line_);
        } else if (key == "pivot") {
            part.pivot = RigValues::pair(value, line_);
        } else if (key == "parent") {
            if (value != "root" && !rig_.findPart(value))
                throw RigError(line_, "parent '" + value + "' is not an earlier part");
            part.parent = value;
            hasParent = true;
        } else if (key == "at") {
            part.at = RigValues::pair(value, line_);
        } else if (key == "tip" || key == "sole") {
            // tip=X,Y is one point; sole=X1-X2,Y the bottom edge from X1 to X2
            std::size_t dash = value.find('-', 1);
            std::size_t comma = value.find(',');
            if (key == "sole" && dash != std::string::npos && comma != std::string::npos && dash < comma) {
                part.tip = RigValues::pair(value.substr(0, dash) + value.substr(comma), line_);
                part.tipEnd = RigValues::number(value.substr(dash + 1, comma - dash - 1), line_);
            } else if (key == "tip") {
                part.tip = RigValues::pair(value, line_);
                part.tipEnd = part.tip.x;
            } else {
                throw RigError(line_, "write sole=X1-X2,Y");
            }
            part.hasTip = true;
        } else if (key == "angle") {
            part.angle = RigValues::number(value, line_);
        } else if (key == "z") {
            part.z = RigValues::integer(value, line_);
        } else if (key == "layer") {
            part.layer = value;
        } else if (key == "blend") {
            if (!BLEND_WORDS.count(value)) throw RigError(line_, "unknown blend word '" + value + "'");
            part.blend = value;
        } else if (key == "scale") {
            part.scale = value.find(',') == std::string::npos
                             ? Vec{RigValues::number(value, line_), RigValues::number(value, line_)}
                             : RigValues::pair(value, line_);
        } else {
            throw RigError(line_, "unknown part setting '" + key + "'");
        }
    }
    if (!hasSheet || !hasParent) throw RigError(line_, "a part needs sheet= and parent=");
    rig_.parts.push_back(part);
}

void RigParser::readPose(const std::vector<std::string>& header) {
    if (!rigRead_) throw RigError(line_, "poses come after the rig block");
    if (header.size() != 2 && !(header.size() == 4 && header[2] == "from"))
        throw RigError(line_, "write: pose NAME [from BASE]");
    if (rig_.poses.count(header[1])) throw RigError(line_, "pose '" + header[1] + "' defined twice");
    PoseValues values;
    if (header.size() == 4) {
        auto base = rig_.poses.find(header[3]);
        if (base == rig_.poses.end()) throw RigError(line_, "no earlier pose '" + header[3] + "'");
        values = base->second;
    }
    std::vector<std::string> w;
    while (nextLine(w)) {
        if (w[0] == "end") {
            rig_.poses[header[1]] = values;
            return;
        }
        for (const std::string& token : w)
            if (!RigValues::poseToken(rig_, token, values, line_))
                throw RigError(line_, "'" + token + "' is not a pose value");
    }
    throw RigError(line_, "pose block without end");
}

void RigParser::readKey(Motion& motion, const std::vector<std::string>& w, Ease defaultEase) {
    if (w.size() < 2) throw RigError(line_, "write: key FRAME [POSE] [values...] [ease=E]");
    Key key;
    key.line = line_;
    key.frame = RigValues::integer(w[1], line_);
    key.ease = defaultEase;
    for (std::size_t i = 2; i < w.size(); ++i) {
        if (w[i].rfind("ease=", 0) == 0) {
            key.ease = RigValues::ease(w[i].substr(5), line_);
        } else if (w[i].find('=') == std::string::npos) {
            auto pose = rig_.poses.find(w[i]);
            if (pose == rig_.poses.end()) throw RigError(line_, "no pose '" + w[i] + "'");
            for (const auto& [channel, value] : pose->second.continuous)
                key.values.continuous[channel] = value;
            for (const auto& [channel, value] : pose->second.discrete)
                key.values.discrete[channel] = value;
        } else {
            RigValues::poseToken(rig_, w[i], key.values, line_);
        }
    }
    motion.keys.push_back(key);
}

void RigParser::readMotion(const std::vector<std::string>& header) {
    if (!rigRead_) throw RigError(line_, "motions come after the rig block");
    if (header.size() < 2) throw RigError(line_, "write: motion NAME length=N [interval=S] [loop] [ease=E]");
    Motion motion;
    motion.name = header[1];
    motion.line = line_;
    Ease defaultEase = Ease::INOUT;
    for (std::size_t i = 2; i < header.size(); ++i) {
        std::string key, value;
        if (header[i] == "loop") {
            motion.loop = true;
        } else if (header[i] == "plant") {
            motion.plant = true;
        } else if (RigValues::splitToken(header[i], key, value) && key == "length") {
            motion.length = RigValues::integer(value, line_);
        } else if (key == "interval") {
            motion.interval = RigValues::number(value, line_);
        } else if (key == "ease") {
            defaultEase = RigValues::ease(value, line_);
        } else {
            throw RigError(line_, "unknown motion setting '" + header[i] + "'");
        }
    }
    if (motion.length < 1) throw RigError(line_, "a motion needs length=N (frames, 1 or more)");
    if (motion.length > MAX_MOTION_FRAMES)
        throw RigError(line_, "length=" + std::to_string(motion.length) + " is more than " +
                                  std::to_string(MAX_MOTION_FRAMES) + " frames");
    PoseValues every;
    std::vector<std::string> w;
    while (nextLine(w)) {
        if (w[0] == "end") {
            // Values of "every" lines fill in what a key does not give itself.
            for (Key& key : motion.keys) {
                for (const auto& [channel, value] : every.continuous)
                    key.values.continuous.emplace(channel, value);
                for (const auto& [channel, value] : every.discrete)
                    key.values.discrete.emplace(channel, value);
            }
            checkMotion(motion);
            rig_.motions.push_back(motion);
            return;
        }
        if (w[0] == "key") {
            readKey(motion, w, defaultEase);
        } else if (w[0] == "every" && w.size() >= 2) {
            for (std::size_t i = 1; i < w.size(); ++i)
                if (!RigValues::poseToken(rig_, w[i], every, line_))
                    throw RigError(line_, "'" + w[i] + "' is not a pose value");
        } else if (w[0] == "at" && w.size() >= 3) {
            Change change;
            change.line = line_;
            change.frame = RigValues::integer(w[1], line_);
            PoseValues values;
            for (std::size_t i = 2; i < w.size(); ++i)
                if (!RigValues::poseToken(rig_, w[i], values, line_))
                    throw RigError(line_, "'" + w[i] + "' is not a pose value");
            if (!values.continuous.empty())
                throw RigError(line_, "an at line changes cell, show, flip or tint only");
            change.discrete = values.discrete;
            motion.changes.push_back(change);
        } else if ((w[0] == "se" && (w.size() == 4 || w.size() == 5)) || (w[0] == "func" && w.size() == 5)) {
            Event event;
            event.line = line_;
            event.frame = RigValues::integer(w[1], line_);
            event.layer = w[2];
            event.sound = w[0] == "se";
            event.first = w[3];
            if (event.sound) {
                if (event.first.find('/') == std::string::npos && event.first.find('.') == std::string::npos)
                    event.first = "audio/se/" + event.first + ".mp3";
                event.second = w.size() == 5 ? w[4] : "1";
                RigValues::number(event.second, line_);
            } else {
                event.second = w[4];
            }
            if (event.first.find(',') != std::string::npos || event.second.find(',') != std::string::npos)
                throw RigError(line_, "event texts cannot hold commas");
            motion.events.push_back(event);
        } else if (w[0] == "output" && w.size() >= 3) {
            Output output;
            output.line = line_;
            output.layer = w[1];
            output.names.assign(w.begin() + 2, w.end());
            motion.outputs.push_back(output);
        } else {
            throw RigError(
                line_,
                "in a motion: key, every, at, se FRAME LAYER SOUND [VOLUME], func FRAME LAYER A B, "
                "output LAYER NAME..., or end");
        }
    }
    throw RigError(line_, "motion block without end");
}

void RigParser::checkMotion(const Motion& motion) const {
    if (motion.keys.empty() || motion.keys.front().frame != 0)
        throw RigError(motion.line, "motion '" + motion.name + "' needs a key at frame 0");
    for (std::size_t i = 0; i < motion.keys.size(); ++i) {
        const Key& key = motion.keys[i];
        if (key.frame >= motion.length) throw RigError(key.line, "key frame beyond length");
        if (i > 0 && key.frame <= motion.keys[i - 1].frame)
            throw RigError(key.line, "key frames must increase");
    }
    for (const Change& change : motion.changes)
        if (change.frame < 0 || change.frame >= motion.length)
            throw RigError(change.line, "frame out of the motion");
    std::set<std::string> layers;
    for (const Part& part : rig_.parts)
        layers.insert(part.layer);
    for (const Event& event : motion.events) {
        if (event.frame < 0 || event.frame >= motion.length)
            throw RigError(event.line, "frame out of the motion");
        if (!layers.count(event.layer)) throw RigError(event.line, "no layer '" + event.layer + "'");
    }
    if (motion.outputs.empty()) throw RigError(motion.line, "motion '" + motion.name + "' has no output");
    for (const Output& output : motion.outputs)
        if (!layers.count(output.layer)) throw RigError(output.line, "no layer '" + output.layer + "'");
}

}  // namespace rig
