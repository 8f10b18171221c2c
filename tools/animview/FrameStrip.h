#pragma once

#include <string>

#include "engine/base/Geometry.h"

struct SDL_Surface;

namespace animview {

// Pictures of successive animation frames laid out in rows, written as one PNG.
class FrameStrip {
public:
    FrameStrip() = default;
    ~FrameStrip();
    FrameStrip(const FrameStrip&) = delete;
    FrameStrip& operator=(const FrameStrip&) = delete;

    // Tiles of `tile` pixels, `columns` a row, `count` in all; a thin line separates them.
    bool begin(int tileWidth, int tileHeight, int columns, int count);
    // Copies the area of `frame` (y down) centred on (centreX, centreY) into tile `index`.
    void capture(SDL_Surface* frame, int centreX, int centreY, int index);
    bool save(const std::string& path) const;
    bool isActive() const { return surface_ != nullptr; }

private:
    SDL_Surface* surface_ = nullptr;
    int tileWidth_ = 0;
    int tileHeight_ = 0;
    int columns_ = 1;
};

}  // namespace animview
