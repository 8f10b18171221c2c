#pragma once

#include <string>

#include "engine/base/Geometry.h"
#include "engine/scene/Sprite.h"

namespace vastomer {

// One picture of a HUD gauge: anchored at its lower-left corner, drawn without smoothing. A missing
// picture gives an empty sprite (nothing drawn, size 0) so that the gauge still works.
class GaugePicture {
public:
    static engine::Sprite* create(const std::string& image, const engine::Vec2& position);
};

}  // namespace vastomer
