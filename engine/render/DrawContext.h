#pragma once

#include "engine/base/AffineTransform.h"

namespace engine {

// Where something is drawn: its local-to-world transform, its accumulated position Z, and the global
// z order its draw is sorted by (its own when set, else the nearest ancestor's, else 0). The scene
// graph builds one per node as it walks the tree; the renderer only reads it.
struct DrawContext {
    AffineTransform transform;
    float z = 0.0f;
    float globalZOrder = 0.0f;
};

}  // namespace engine
