#pragma once

#include "engine/base/AffineTransform.h"

namespace engine {

// Where something is drawn: its local-to-world transform and its accumulated position Z. The scene
// graph builds one per node as it walks the tree; the renderer only reads it.
struct DrawContext {
    AffineTransform transform;
    float z = 0.0f;
};

}  // namespace engine
