#include "tests/support/Picture.h"

#include <SDL_image.h>

namespace testsupport {

Picture Picture::fromFile(const std::string& path) {
    SDL_Surface* loaded = IMG_Load(path.c_str());
    Picture picture = fromSurface(loaded);
    SDL_FreeSurface(loaded);
    return picture;
}

Picture Picture::fromPng(const std::vector<std::uint8_t>& bytes) {
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    SDL_Surface* loaded = stream ? IMG_LoadPNG_RW(stream) : nullptr;
    if (stream) SDL_RWclose(stream);
    Picture picture = fromSurface(loaded);
    SDL_FreeSurface(loaded);
    return picture;
}

Picture Picture::fromSurface(const SDL_Surface* surface) {
    Picture picture;
    if (surface == nullptr) return picture;
    picture.width_ = surface->w;
    picture.height_ = surface->h;
    picture.pixels_.reserve(static_cast<std::size_t>(surface->w) * static_cast<std::size_t>(surface->h));
    for (int y = 0; y < surface->h; ++y)
        for (int x = 0; x < surface->w; ++x)
            picture.pixels_.push_back(readPixel(surface, x, y));
    return picture;
}

Pixel Picture::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return Pixel{0, 0, 0, 0};
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

std::vector<std::uint8_t> Picture::rgbaBytes() const {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(pixels_.size() * 4);
    for (const Pixel& pixel : pixels_) {
        bytes.push_back(pixel.r);
        bytes.push_back(pixel.g);
        bytes.push_back(pixel.b);
        bytes.push_back(pixel.a);
    }
    return bytes;
}

}  // namespace testsupport
