#pragma once

#include <SDL.h>
#include <SDL_image.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "engine/base/Color.h"

// Files of the tile-map and particle tests: the shared sample files, and this folder's own fixtures.
inline std::string sharedTestFile(const std::string& name) {
    return std::string(QUORIN_TESTDATA_DIR) + "/" + name;
}

// By full path: __FILE__ may be relative to the build folder (ccache's base_dir rewrites it).
inline std::string engineTestFile(const std::string& name) {
    return std::string(ENGINE_TEST_DATA_DIR) + "/" + name;
}

// Writes `text` to a fresh file in a temporary folder and returns its path.
inline std::string writeTempFile(const std::string& name, const std::string& text) {
    static int counter = 0;
    std::string dir = "/tmp/quorin_maps_" + std::to_string(getpid()) + "_" + std::to_string(counter++);
    std::string command = "mkdir -p " + dir;
    if (std::system(command.c_str()) != 0) return "";
    std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

inline std::string readTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A picture read with SDL_image, for comparing drawn frames with the source pixels.
class Picture {
public:
    explicit Picture(const std::string& path) {
        if (SDL_Surface* loaded = IMG_Load(path.c_str())) {
            surface_ = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
            SDL_FreeSurface(loaded);
        }
    }
    ~Picture() { SDL_FreeSurface(surface_); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    bool loaded() const { return surface_ != nullptr; }
    int width() const { return surface_->w; }
    int height() const { return surface_->h; }
    // Pixel (x, y), y down from the top, as the file stores it.
    engine::Color4B at(int x, int y) const {
        Uint32 v = static_cast<const Uint32*>(surface_->pixels)[y * (surface_->pitch / 4) + x];
        return engine::Color4B(static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8),
                               static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 24));
    }

private:
    SDL_Surface* surface_ = nullptr;
};

// `top` drawn over `below` with `top`'s alpha scaled by opacity / 255 (straight alpha blending).
inline engine::Color4B blendOver(engine::Color4B top, engine::Color4B below, int opacity = 255) {
    int a = top.a * opacity / 255;
    auto mix = [a](int s, int d) { return static_cast<uint8_t>((s * a + d * (255 - a)) / 255); };
    return engine::Color4B(mix(top.r, below.r), mix(top.g, below.g), mix(top.b, below.b), 255);
}
