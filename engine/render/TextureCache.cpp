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
        std::fprintf(stderr, "texture not found: %s\n", path.c_str());
        return nullptr;
    }
    auto found = textures_.find(fullPath);
    if (found != textures_.end()) return found->second.get();
    SDL_Surface* surface = IMG_Load(fullPath.c_str());
    if (!surface) {
        std::fprintf(stderr, "cannot read picture %s: %s\n", fullPath.c_str(), IMG_GetError());
        return nullptr;
    }
    Texture2D* texture = Texture2D::createWithSurface(renderer_, surface, fullPath);
    SDL_FreeSurface(surface);
    if (!texture) return nullptr;
    textures_[fullPath] = texture;
    return texture;
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
