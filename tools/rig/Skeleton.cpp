#include "tools/rig/Skeleton.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace rig {

namespace {

constexpr double PI = 3.14159265358979323846;

double get(const std::map<std::string, double>& values, const std::string& key, double fallback) {
    auto found = values.find(key);
    return found == values.end() ? fallback : found->second;
}

int getInt(const std::map<std::string, int>& values, const std::string& key, int fallback) {
    auto found = values.find(key);
    return found == values.end() ? fallback : found->second;
}

// A vector turned clockwise (on a y-up screen) by `degrees`.
Vec turned(const Vec& v, double degrees) {
    const double r = degrees * PI / 180.0;
    return Vec{v.x * std::cos(r) + v.y * std::sin(r), -v.x * std::sin(r) + v.y * std::cos(r)};
}

int rounded(double value) {
    return static_cast<int>(std::lround(value));
}

}  // namespace

std::vector<SpriteState> Skeleton::pose(const PoseValues& values, bool plant) const {
    const auto& c = values.continuous;
    const auto& d = values.discrete;
    const Vec rootAt{rig_.root.x + get(c, "root.x", 0.0), rig_.root.y + get(c, "root.y", 0.0)};
    const double rootAngle = get(c, "spin", 0.0);
    const double globalAlpha = get(c, "alpha", 255.0);
    const int tint = getInt(d, "tint", 0xFFFFFF);

    std::vector<Vec> joints(rig_.parts.size());
    std::vector<double> angles(rig_.parts.size());
    std::vector<SpriteState> states(rig_.parts.size());
    for (std::size_t i = 0; i < rig_.parts.size(); ++i) {
        const Part& part = rig_.parts[i];
        Vec parentJoint = rootAt;
        double parentAngle = rootAngle;
        if (part.parent != "root") {
            const int p = rig_.partIndex(part.parent);
            parentJoint = joints[static_cast<std::size_t>(p)];
            parentAngle = angles[static_cast<std::size_t>(p)];
        }
        const Vec offset{part.at.x + get(c, part.name + ".move.x", 0.0),
                         part.at.y + get(c, part.name + ".move.y", 0.0)};
        const Vec step = turned(offset, parentAngle);
        joints[i] = Vec{parentJoint.x + step.x, parentJoint.y + step.y};
        angles[i] = parentAngle + part.angle + get(c, part.name, 0.0);
    }

    if (plant) {
        double lowest = 0.0;
        bool found = false;
        for (std::size_t i = 0; i < rig_.parts.size(); ++i) {
            const Part& part = rig_.parts[i];
            if (!part.hasTip) continue;
            for (double x : {part.tip.x, part.tipEnd}) {
                const Vec tip = turned(Vec{x - part.pivot.x, part.pivot.y - part.tip.y}, angles[i]);
                const double y = joints[i].y + tip.y;
                if (!found || y < lowest) lowest = y;
                found = true;
            }
        }
        if (found)
            for (Vec& joint : joints)
                joint.y += rig_.ground - lowest;
    }

    for (std::size_t i = 0; i < rig_.parts.size(); ++i) {
        const Part& part = rig_.parts[i];
        SpriteState& s = states[i];
        s.x = rounded(joints[i].x);
        s.y = rounded(joints[i].y);
        s.rotation = rounded(angles[i]);
        s.rotation = ((s.rotation % 360) + 360) % 360;
        if (s.rotation > 180) s.rotation -= 360;
        s.scaleX = std::round(part.scale.x * get(c, part.name + ".scale.x", 1.0) * 100.0) / 100.0;
        s.scaleY = std::round(part.scale.y * get(c, part.name + ".scale.y", 1.0) * 100.0) / 100.0;
        s.z = part.z;
        s.cell = getInt(d, part.name + ".cell", part.cell);
        s.visible = getInt(d, part.name + ".show", part.hidden ? 0 : 1) != 0;
        const double alpha = get(c, part.name + ".alpha", 255.0) * globalAlpha / 255.0;
        s.opacity = std::clamp(rounded(alpha), 0, 255);
        s.tint = tint;
        s.flip = getInt(d, part.name + ".flip", 0) != 0;
    }
    return states;
}

}  // namespace rig
