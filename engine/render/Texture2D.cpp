#include "engine/render/Texture2D.h"

#include <SDL.h>

#include <algorithm>

namespace engine {

Texture2D* Texture2D::createWithSurface(SDL_Renderer* renderer, SDL_Surface* surface,
                                        const std::string& key) {
    if (!renderer || !surface || surface->w <= 0 || surface->h <= 0) return nullptr;
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
    if (!converted) return nullptr;
    int w = converted->w;
    int h = converted->h;
    // One extra column and row repeating the edge: SDL's software triangle path spreads a quad's
    // texture coordinates over (size − 1) texels, so with the padding it can reach every real texel.
    SDL_Surface* padded = SDL_CreateRGBSurfaceWithFormat(0, w + 1, h + 1, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!padded) {
        SDL_FreeSurface(converted);
        return nullptr;
    }
    for (int y = 0; y <= h; ++y) {
        const auto* source = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(converted->pixels) +
                                                             static_cast<std::ptrdiff_t>(std::min(y, h - 1)) *
                                                                 converted->pitch);
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(padded->pixels) +
                                              static_cast<std::ptrdiff_t>(y) * padded->pitch);
        for (int x = 0; x < w; ++x)
            row[x] = source[x];
        row[w] = source[w - 1];
    }
    SDL_FreeSurface(converted);
    SDL_Texture* sdlTexture = SDL_CreateTextureFromSurface(renderer, padded);
    SDL_FreeSurface(padded);
    if (!sdlTexture) return nullptr;
    SDL_SetTextureBlendMode(sdlTexture, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(sdlTexture, SDL_ScaleModeLinear);
    auto* texture = new Texture2D();
    texture->texture_ = sdlTexture;
    texture->width_ = w;
    texture->height_ = h;
    texture->key_ = key;
    texture->autorelease();
    return texture;
}

Texture2D::~Texture2D() {
    if (texture_) SDL_DestroyTexture(texture_);
}

void Texture2D::setAliasTexParameters() {
    aliased_ = true;
    SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
}

void Texture2D::setAntiAliasTexParameters() {
    aliased_ = false;
    SDL_SetTextureScaleMode(texture_, SDL_ScaleModeLinear);
}

}  // namespace engine
