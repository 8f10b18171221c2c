#include "engine/tilemap/TMXTilesetPicture.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdio>

#include "engine/platform/FileUtils.h"
#include "engine/render/TextureCache.h"
#include "engine/scene/Director.h"

namespace engine {

namespace {

// Cache key of the picture: its path, and the keyed-out colour when there is one (the plain picture
// and the keyed one are different textures).
std::string textureKey(const TMXTilesetInfo& tileset) {
    if (!tileset.hasTransparentColor) return tileset.imagePath;
    const Color3B& c = tileset.transparentColor;
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, "#transparent=%02x%02x%02x", c.r, c.g, c.b);
    return tileset.imagePath + suffix;
}

const Uint32* rowOf(const SDL_Surface* surface, int y) {
    return reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface->pixels) +
                                           static_cast<std::ptrdiff_t>(y) * surface->pitch);
}

}  // namespace

Texture2D* TMXTilesetPicture::load(TMXTilesetInfo& tileset) {
    if (!FileUtils::getInstance()->isFileExist(tileset.imagePath)) return nullptr;
    SDL_Surface* loaded = IMG_Load(tileset.imagePath.c_str());
    if (!loaded) return nullptr;
    SDL_Surface* surface = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!surface) return nullptr;
    if (tileset.hasTransparentColor) {
        // Every pixel of the transparent colour loses its alpha.
        const Color3B& c = tileset.transparentColor;
        const Uint32 rgb = static_cast<Uint32>(c.r) << 16 | static_cast<Uint32>(c.g) << 8 | c.b;
        for (int y = 0; y < surface->h; ++y) {
            auto* row = const_cast<Uint32*>(rowOf(surface, y));
            for (int x = 0; x < surface->w; ++x)
                if ((row[x] & 0x00FFFFFFu) == rgb) row[x] = 0;
        }
    }
    tileset.imageSize = Size(static_cast<float>(surface->w), static_cast<float>(surface->h));
    findOpaqueTiles(surface, tileset);

    TextureCache* cache = Director::getInstance()->getTextureCache();
    const std::string key = textureKey(tileset);
    Texture2D* texture = cache->getTextureForKey(key);
    if (!texture) {
        texture = Texture2D::createWithSurface(cache->getRenderer(), surface, key);
        if (texture) cache->addTexture(key, texture);
    }
    SDL_FreeSurface(surface);
    if (texture) texture->setAliasTexParameters();
    return texture;
}

void TMXTilesetPicture::findOpaqueTiles(SDL_Surface* argb, TMXTilesetInfo& tileset) {
    const uint32_t count = tileset.getTileCount();
    tileset.opaqueTiles.assign(count, false);
    for (uint32_t local = 0; local < count; ++local) {
        Rect rect = tileset.getRectForGid(tileset.firstGid + local);
        const int x0 = static_cast<int>(rect.getMinX()), y0 = static_cast<int>(rect.getMinY());
        const int x1 = std::min(argb->w, static_cast<int>(rect.getMaxX()));
        const int y1 = std::min(argb->h, static_cast<int>(rect.getMaxY()));
        bool opaque = x0 < x1 && y0 < y1;
        for (int y = y0; opaque && y < y1; ++y) {
            const Uint32* row = rowOf(argb, y);
            for (int x = x0; x < x1; ++x)
                if ((row[x] >> 24) != 0xFF) {
                    opaque = false;
                    break;
                }
        }
        tileset.opaqueTiles[local] = opaque;
    }
}

}  // namespace engine
