#pragma once

#include "engine/render/DrawContext.h"

namespace engine {

class Renderer;

// Something whose drawing the renderer can queue and carry out later in the frame, sorted by global
// z order. The scene graph's nodes are drawables; the renderer knows nothing more of them.
class Drawable {
public:
    virtual ~Drawable() = default;
    virtual void draw(Renderer& renderer, const DrawContext& context) = 0;
};

}  // namespace engine
