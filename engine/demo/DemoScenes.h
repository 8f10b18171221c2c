#pragma once

#include <string>

#include "engine/scene/Scene.h"

namespace engine_demo {

// The demo's scenes, by name: "showcase" (sprites, text, nine-slice, perspective),
// "actions" (timed actions), "perspective" (a plane at position Z 230 followed by a camera),
// "tilemap" and "particles" (see DemoMapScenes).
class DemoScenes {
public:
    static engine::Scene* create(const std::string& name);

private:
    static engine::Scene* showcase();
    static engine::Scene* actions();
    static engine::Scene* perspective();
};

}  // namespace engine_demo
