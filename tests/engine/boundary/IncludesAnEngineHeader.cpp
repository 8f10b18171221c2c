// Compiled with the engine's include folders only: rooted engine includes resolve, and so do the
// libraries the engine's headers use.
#include "engine/render/Renderer.h"
#include "engine/scene/Node.h"

int main() {
    engine::DrawContext context;
    return context.z == 0.0f ? 0 : 1;
}
