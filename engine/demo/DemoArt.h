#pragma once

#include "engine/base/Color.h"
#include "engine/render/Texture2D.h"

namespace engine_demo {

// The font of every caption: a font file given by the build (an absolute path).
inline constexpr const char* DEMO_FONT = ENGINE_DEMO_FONT;

// Pictures drawn in memory, so the demo needs no files besides a font.
class DemoArt {
public:
    // A checkerboard of two colours, `cell` pixels per square.
    static engine::Texture2D* checker(int width, int height, int cell, engine::Color4B a, engine::Color4B b);
    // A filled disc with a dark rim on a transparent square.
    static engine::Texture2D* disc(int size, engine::Color4B fill);
    // A framed panel for nine-slice tests: border, inner line and a flat centre.
    static engine::Texture2D* panel(int size, engine::Color4B border, engine::Color4B centre);
    // An arrow pointing right (to show rotation and flips).
    static engine::Texture2D* arrow(int width, int height, engine::Color4B color);
};

}  // namespace engine_demo
