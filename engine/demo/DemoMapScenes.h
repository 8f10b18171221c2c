#pragma once

#include "engine/scene/Scene.h"

namespace engine_demo {

// Demo scenes for tile maps and particles. Files come from the command line (--map FILE,
// --particles FILE) or the environment (QUORIN_DEMO_MAP, QUORIN_DEMO_PARTICLES).
class DemoMapScenes {
public:
    // The map on a plane at position Z 230, the camera following a point that tours it.
    static engine::Scene* tilemap();
    // The given particle definition circling the screen, and built-in emitters showing the three
    // position types and a self-removing burst.
    static engine::Scene* particles();
};

}  // namespace engine_demo
