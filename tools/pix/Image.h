#pragma once

#include <vector>

#include "tools/pix/Rgba.h"

namespace pix {

// A rectangle of straight-alpha pixels, row by row from the top-left corner.
class Image {
public:
    Image() = default;
    Image(int width, int height, Rgba fill = Rgba{});

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0 || height_ == 0; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Outside the image: transparent.
    Rgba at(int x, int y) const;
    // Outside the image: ignored.
    void set(int x, int y, Rgba c);
    // Source-over compositing of c onto the pixel.
    void blend(int x, int y, Rgba c);

    const std::vector<Rgba>& pixels() const { return pixels_; }

    Image scaled(int factor) const;
    Image halved() const;
    Image flipped(bool horizontal, bool vertical) const;
    // Quarter turns clockwise (0 to 3).
    Image rotated(int quarterTurns) const;
    Image cropped(int x, int y, int w, int h) const;

    static Rgba over(Rgba dst, Rgba src);

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Rgba> pixels_;
};

}  // namespace pix
