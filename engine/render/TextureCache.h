#pragma once

#include <map>
#include <string>

#include "engine/base/RefPtr.h"
#include "engine/render/Texture2D.h"

struct SDL_Renderer;

namespace engine {

// Textures shared by path: every sprite of the same file uses one texture.
class TextureCache {
public:
    explicit TextureCache(SDL_Renderer* renderer) : renderer_(renderer) {}

    // Loads through the resource search paths; null (with a message on stderr) if it cannot.
    Texture2D* addImage(const std::string& path);
    Texture2D* getTextureForKey(const std::string& path) const;
    // Registers a texture made in memory under a key of the caller's choice.
    void addTexture(const std::string& key, Texture2D* texture);
    void removeTextureForKey(const std::string& key);
    void removeAllTextures();
    std::size_t getTextureCount() const { return textures_.size(); }
    SDL_Renderer* getRenderer() const { return renderer_; }

private:
    SDL_Renderer* renderer_;
    std::map<std::string, RefPtr<Texture2D>> textures_;
};

}  // namespace engine
