#include "tools/pix/Image.h"

#include <cmath>
#include <cstddef>

namespace pix {

Image::Image(int width, int height, Rgba fill)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

Rgba Image::at(int x, int y) const {
    if (!contains(x, y)) return Rgba{};
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

void Image::set(int x, int y, Rgba c) {
    if (!contains(x, y)) return;
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] = c;
}

void Image::blend(int x, int y, Rgba c) {
    if (!contains(x, y) || c.a == 0) return;
    set(x, y, c.a == 255 ? c : over(at(x, y), c));
}

Rgba Image::over(Rgba dst, Rgba src) {
    const double sa = src.a / 255.0;
    const double da = dst.a / 255.0;
    const double oa = sa + da * (1.0 - sa);
    if (oa <= 0.0) return Rgba{};
    auto mix = [&](int s, int d) {
        return static_cast<std::uint8_t>(std::lround((s * sa + d * da * (1.0 - sa)) / oa));
    };
    return Rgba{mix(src.r, dst.r), mix(src.g, dst.g), mix(src.b, dst.b),
                static_cast<std::uint8_t>(std::lround(oa * 255.0))};
}

Image Image::scaled(int factor) const {
    if (factor <= 1) return *this;
    Image out(width_ * factor, height_ * factor);
    for (int y = 0; y < out.height_; ++y) {
        for (int x = 0; x < out.width_; ++x)
            out.set(x, y, at(x / factor, y / factor));
    }
    return out;
}

Image Image::halved() const {
    Image out((width_ + 1) / 2, (height_ + 1) / 2);
    for (int y = 0; y < out.height_; ++y) {
        for (int x = 0; x < out.width_; ++x)
            out.set(x, y, at(x * 2, y * 2));
    }
    return out;
}

Image Image::flipped(bool horizontal, bool vertical) const {
    Image out(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            out.set(horizontal ? width_ - 1 - x : x, vertical ? height_ - 1 - y : y, at(x, y));
        }
    }
    return out;
}

Image Image::rotated(int quarterTurns) const {
    const int turns = ((quarterTurns % 4) + 4) % 4;
    if (turns == 0) return *this;
    if (turns == 2) return flipped(true, true);
    Image out(height_, width_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (turns == 1) {
                out.set(height_ - 1 - y, x, at(x, y));
            } else {
                out.set(y, width_ - 1 - x, at(x, y));
            }
        }
    }
    return out;
}

Image Image::cropped(int x, int y, int w, int h) const {
    Image out(w, h);
    for (int yy = 0; yy < h; ++yy) {
        for (int xx = 0; xx < w; ++xx)
            out.set(xx, yy, at(x + xx, y + yy));
    }
    return out;
}

}  // namespace pix
