#pragma once

#include <string>

#include "engine/base/Color.h"

struct SDL_Surface;

namespace engine {

// Renders a label's text into a straight-alpha ARGB picture at a given on-screen pixel size:
// each line's glyph outlines are drawn in the outline colour, then the glyphs are filled on top.
class TextRasterizer {
public:
    struct Request {
        std::string fontPath;  // resolved path of the TrueType file
        int pixelSize = 12;    // face size on screen
        int outline = 0;       // outline width on screen, 0 for none
        std::u32string text;
        float maxLineWidth = 0;  // on-screen pixels, 0 for no wrapping
        float lineAdvance = 0;   // distance between line tops on screen
        int alignment = 0;       // 0 left, 1 centre, 2 right
        Color4B fill;
        Color4B outlineColor;
    };
    struct Result {
        SDL_Surface* surface = nullptr;  // the caller frees it
        // Where the text block's top-left corner (line boxes include the outline) lies in the picture;
        // glyphs may reach beyond the block, so the picture can be larger.
        int originX = 0;
        int originY = 0;
    };

    // No surface when the font cannot be opened or nothing would be drawn.
    static Result render(const Request& request);
};

}  // namespace engine
