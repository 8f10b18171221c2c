#include "tools/animview/FrameStrip.h"

#include <algorithm>

#include <SDL.h>
#include <SDL_image.h>

namespace animview {

namespace {
constexpr int GAP = 2;
}

FrameStrip::~FrameStrip() {
    if (surface_) SDL_FreeSurface(surface_);
}

bool FrameStrip::begin(int tileWidth, int tileHeight, int columns, int count) {
    tileWidth_ = tileWidth;
    tileHeight_ = tileHeight;
    columns_ = std::max(1, std::min(columns, count));
    const int rows = (count + columns_ - 1) / columns_;
    const int width = columns_ * (tileWidth + GAP) - GAP;
    const int height = rows * (tileHeight + GAP) - GAP;
    surface_ = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!surface_) return false;
    SDL_FillRect(surface_, nullptr, SDL_MapRGB(surface_->format, 40, 36, 56));
    return true;
}

void FrameStrip::capture(SDL_Surface* frame, int centreX, int centreY, int index) {
    if (!surface_ || !frame) return;
    SDL_Rect from{centreX - tileWidth_ / 2, centreY - tileHeight_ / 2, tileWidth_, tileHeight_};
    SDL_Rect to{(index % columns_) * (tileWidth_ + GAP), (index / columns_) * (tileHeight_ + GAP), tileWidth_,
                tileHeight_};
    SDL_BlitSurface(frame, &from, surface_, &to);
}

bool FrameStrip::save(const std::string& path) const {
    return surface_ && IMG_SavePNG(surface_, path.c_str()) == 0;
}

}  // namespace animview
