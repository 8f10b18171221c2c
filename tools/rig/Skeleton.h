#pragma once

#include <vector>

#include "tools/rig/RigModel.h"

namespace rig {

// Where one part's sprite is at one frame, ready to be written.
struct SpriteState {
    int x = 0;  // joint position from the node's origin, whole pixels, y up
    int y = 0;
    int rotation = 0;  // whole degrees, clockwise
    double scaleX = 1.0;
    double scaleY = 1.0;
    int z = 0;
    int cell = 0;
    bool visible = true;
    int opacity = 255;
    int tint = 0xFFFFFF;
    bool flip = false;

    bool operator==(const SpriteState& o) const {
        return x == o.x && y == o.y && rotation == o.rotation && scaleX == o.scaleX && scaleY == o.scaleY &&
               z == o.z && cell == o.cell && visible == o.visible && opacity == o.opacity && tint == o.tint &&
               flip == o.flip;
    }
    bool operator!=(const SpriteState& o) const { return !(*this == o); }
};

// Forward kinematics: each part turns about its joint by its parent's angle plus its own, and its
// joint hangs where the parent's turned frame puts it.
class Skeleton {
public:
    explicit Skeleton(const Rig& rig) : rig_(rig) {}

    // One state per part of the rig, in the rig's order. With `plant`, the whole figure is moved
    // up or down so that the lowest tip of a part stands on the rig's ground.
    std::vector<SpriteState> pose(const PoseValues& values, bool plant = false) const;

private:
    const Rig& rig_;
};

}  // namespace rig
