#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <SDL.h>

#include "tests/support/Pixel.h"

namespace testsupport {

// A picture read for comparison: a PNG file, PNG bytes in memory, or a copy of a surface (a drawn
// frame). It owns its pixels, so it outlives whatever it was read from.
class Picture {
public:
    Picture() = default;
    static Picture fromFile(const std::string& path);
    static Picture fromPng(const std::vector<std::uint8_t>& bytes);
    static Picture fromSurface(const SDL_Surface* surface);

    // False when the file or bytes could not be decoded; such a picture is 0 × 0.
    bool loaded() const { return width_ > 0 && height_ > 0; }
    int width() const { return width_; }
    int height() const { return height_; }

    // The pixel at (x, y), y down from the top row as files store it; outside reads transparent.
    Pixel at(int x, int y) const;
    // The pixel at (x, yUp), y up from the bottom row as the engine places things.
    Pixel atUp(int x, int yUp) const { return at(x, height_ - 1 - yUp); }

    // Every pixel as R, G, B, A bytes, row by row from the top: what a picture's hash covers.
    std::vector<std::uint8_t> rgbaBytes() const;

private:
    int width_ = 0, height_ = 0;
    std::vector<Pixel> pixels_;
};

}  // namespace testsupport
