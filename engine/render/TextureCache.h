#pragma once

#include <map>
#include <set>
#include <string>

#include "engine/base/RefPtr.h"
#include "engine/render/Texture2D.h"

struct SDL_Renderer;

namespace engine {

// Textures shared by path: every sprite of the same file uses one texture.
class TextureCache {
public:
    explicit TextureCache(SDL_Renderer* renderer) : renderer_(renderer) {}

    // Loads through the resource search paths; null if it cannot (missing, or not a picture). Each
    // such path is reported on stderr once a run, with the path, however often it is asked for.
    Texture2D* addImage(const std::string& path);
    // As addImage, but a picture that cannot be had is replaced by the placeholder: content with a
    // missing or damaged picture still shows where it would be, and nothing downstream meets null.
    Texture2D* addImageOrPlaceholder(const std::string& path);
    // A 16 × 16 magenta and black checker board no content uses, made on first use.
    Texture2D* getPlaceholder();
    static constexpr const char* PLACEHOLDER_KEY = "<missing picture>";
    Texture2D* getTextureForKey(const std::string& path) const;
    // Registers a texture made in memory under a key of the caller's choice.
    void addTexture(const std::string& key, Texture2D* texture);
    void removeTextureForKey(const std::string& key);
    void removeAllTextures();
    std::size_t getTextureCount() const { return textures_.size(); }
    SDL_Renderer* getRenderer() const { return renderer_; }

private:
    void reportOnce(const std::string& path, const std::string& message);

    SDL_Renderer* renderer_;
    std::map<std::string, RefPtr<Texture2D>> textures_;
    std::set<std::string> reported_;
};

}  // namespace engine
