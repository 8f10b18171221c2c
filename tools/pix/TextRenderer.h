#pragma once

#include <map>
#include <string>
#include <utility>

#include "tools/pix/Image.h"

struct _TTF_Font;

namespace pix {

// Renders text with a TrueType font, without smoothing, so that it sits on the pixel grid.
class TextRenderer {
public:
    TextRenderer() = default;
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    // One line of UTF-8 text in the colour; throws PixError (without a place) on failure.
    Image render(const std::string& fontFile, int pixelSize, const std::string& text, Rgba colour);

private:
    _TTF_Font* open(const std::string& fontFile, int pixelSize);

    bool started_ = false;
    std::map<std::pair<std::string, int>, _TTF_Font*> fonts_;
};

}  // namespace pix
