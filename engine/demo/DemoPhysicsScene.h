#pragma once

#include "engine/scene/Scene.h"

namespace engine_demo {

// A physics scene: a heavy crate falls onto the ground and lands (it turns green when its contact
// begins), a handful of small boxes tumble off a tilted ledge, a kinematic platform glides along,
// and the shapes' outlines are drawn over the sprites.
class DemoPhysicsScene {
public:
    static engine::Scene* create();
};

}  // namespace engine_demo
