#pragma once

#include <string>

#include "engine/base/Geometry.h"
#include "engine/base/Ref.h"

struct SDL_Texture;
struct SDL_Surface;
struct SDL_Renderer;

namespace engine {

// A picture uploaded to the renderer. Pixels are straight (not premultiplied) alpha. The uploaded
// texture carries one padding column and row beyond the picture (see the renderer).
class Texture2D : public Ref {
public:
    // Takes a copy of the surface's pixels; null if the renderer refuses it.
    static Texture2D* createWithSurface(SDL_Renderer* renderer, SDL_Surface* surface, const std::string& key);
    ~Texture2D() override;

    SDL_Texture* getSDLTexture() const { return texture_; }
    int getPixelsWide() const { return width_; }
    int getPixelsHigh() const { return height_; }
    Size getContentSize() const { return Size(static_cast<float>(width_), static_cast<float>(height_)); }
    const std::string& getPath() const { return key_; }

    // Nearest-neighbour sampling for every sprite sharing this texture.
    void setAliasTexParameters();
    // Smooth (linear) sampling, the default.
    void setAntiAliasTexParameters();
    bool isAliased() const { return aliased_; }

private:
    Texture2D() = default;

    SDL_Texture* texture_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    bool aliased_ = false;
    std::string key_;
};

}  // namespace engine
