#include "engine/render/TextureCache.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>

#include "engine/platform/FileUtils.h"

namespace engine {

Texture2D* TextureCache::addImage(const std::string& path) {
    if (path.empty()) return nullptr;
    std::string fullPath = FileUtils::getInstance()->fullPathForFilename(path);
    if (fullPath.empty()) {
        reportOnce(path, "texture not found: " + path);
        return nullptr;
    }
    auto found = textures_.find(fullPath);
    if (found != textures_.end()) return found->second.get();
    SDL_Surface* surface = IMG_Load(fullPath.c_str());
    if (!surface) {
        reportOnce(fullPath, "cannot read picture " + fullPath + ": " + IMG_GetError());
        return nullptr;
    }
    Texture2D* texture = Texture2D::createWithSurface(renderer_, surface, fullPath);
    SDL_FreeSurface(surface);
    if (!texture) return nullptr;
    textures_[fullPath] = texture;
    return texture;
}

Texture2D* TextureCache::addImageOrPlaceholder(const std::string& path) {
    Texture2D* texture = addImage(path);
    return texture ? texture : getPlaceholder();
}

Texture2D* TextureCache::getPlaceholder() {
    if (Texture2D* made = getTextureForKey(PLACEHOLDER_KEY)) return made;
    constexpr int SIZE = 16, SQUARE = 4;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, SIZE, SIZE, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return nullptr;
    for (int y = 0; y < SIZE; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < SIZE; ++x)
            row[x] = ((x / SQUARE + y / SQUARE) % 2 == 0) ? 0xFFFF00FFu : 0xFF000000u;
    }
    Texture2D* texture = Texture2D::createWithSurface(renderer_, surface, PLACEHOLDER_KEY);
    SDL_FreeSurface(surface);
    if (!texture) return nullptr;
    texture->setAliasTexParameters();
    textures_[PLACEHOLDER_KEY] = texture;
    return texture;
}

void TextureCache::reportOnce(const std::string& path, const std::string& message) {
    if (!reported_.insert(path).second) return;
    std::fprintf(stderr, "%s\n", message.c_str());
}

Texture2D* TextureCache::getTextureForKey(const std::string& path) const {
    auto found = textures_.find(path);
    if (found != textures_.end()) return found->second.get();
    std::string fullPath = FileUtils::getInstance()->fullPathForFilename(path);
    found = textures_.find(fullPath);
    return found == textures_.end() ? nullptr : found->second.get();
}

void TextureCache::addTexture(const std::string& key, Texture2D* texture) {
    if (texture) textures_[key] = texture;
}

void TextureCache::removeTextureForKey(const std::string& key) {
    textures_.erase(key);
}

void TextureCache::removeAllTextures() {
    textures_.clear();
}

}  // namespace engine
