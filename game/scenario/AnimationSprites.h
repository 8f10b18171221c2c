#pragma once

#include <string>

#include "engine/base/BlendFunc.h"
#include "engine/base/Geometry.h"
#include "engine/scene/Sprite.h"
#include "game/scenario/AnimationElement.h"

namespace vastomer {

// How a composite animation turns its elements into sprites: pictures and cells, the sprite
// properties, and the blend words.
class AnimationSprites {
public:
    // A sprite showing the image (the whole picture or one cell), picture file = folder + file.
    // Null when the picture cannot be loaded or the cell lies outside it.
    static engine::Sprite* create(const AnimationImage& image, const std::string& folder);
    // Gives an existing sprite the image's texture and cell; false (sprite unchanged) as for create.
    static bool setImage(engine::Sprite* sprite, const AnimationImage& image, const std::string& folder);
    // The texture rectangle (top-left origin) of a cell counted row by row over a picture; false when
    // the grid does not fit the picture or the cell is beyond its last row.
    static bool cellRect(const AnimationImage& image, int pictureWidth, int pictureHeight, engine::Rect& out);

    // Filtering, anchor, position, flips, rotation, scale, z order, blend, colour and opacity.
    static void applyProperties(engine::Sprite* sprite, const AnimationElement& element);
    // The blend function of a mode; false for mode 0 (the sprite keeps what it has).
    static bool blendFuncFor(int mode, engine::BlendFunc& out);
};

}  // namespace vastomer
