#include "engine/particles/ParticleTextures.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "engine/base/Base64.h"
#include "engine/base/Inflate.h"
#include "engine/platform/FileUtils.h"
#include "engine/render/TextureCache.h"
#include "engine/scene/Director.h"

namespace engine {

namespace {

// Larger than any particle picture; stops a damaged stream from filling memory.
constexpr std::size_t kMaxPictureBytes = 64u << 20;
constexpr int kDotSize = 32;

TextureCache* cache() {
    return Director::getInstance()->getTextureCache();
}

// Cache key naming embedded data by its content (64-bit FNV-1a of the text).
std::string embeddedKey(const std::string& data) {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : data)
        hash = (hash ^ c) * 1099511628211ull;
    char text[40];
    std::snprintf(text, sizeof text, "<embedded picture %016llx>", static_cast<unsigned long long>(hash));
    return text;
}

}  // namespace

Texture2D* ParticleTextures::fromFile(const std::string& definitionPath, const std::string& textureFileName) {
    if (textureFileName.empty()) return nullptr;
    const std::size_t slash = definitionPath.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : definitionPath.substr(0, slash + 1);
    const std::size_t nameSlash = textureFileName.rfind('/');
    const std::string name =
        nameSlash == std::string::npos ? textureFileName : textureFileName.substr(nameSlash + 1);
    const std::string path = folder + name;
    if (!FileUtils::getInstance()->isFileExist(path)) return nullptr;
    return cache()->addImage(path);
}

Texture2D* ParticleTextures::fromEmbeddedData(const std::string& base64, std::string& error) {
    const std::string key = embeddedKey(base64);
    if (Texture2D* cached = cache()->getTextureForKey(key)) return cached;
    std::vector<uint8_t> compressed;
    if (!Base64::decode(base64, compressed) || compressed.empty()) {
        error = "textureImageData is not valid base64";
        return nullptr;
    }
    std::vector<uint8_t> picture;
    if (!Inflate::decompress(compressed.data(), compressed.size(), kMaxPictureBytes, picture)) {
        error = "textureImageData is not a gzip or zlib stream";
        return nullptr;
    }
    SDL_RWops* stream = SDL_RWFromConstMem(picture.data(), static_cast<int>(picture.size()));
    SDL_Surface* surface = stream ? IMG_Load_RW(stream, 1) : nullptr;
    if (!surface) {
        error = std::string("textureImageData holds no readable picture: ") + IMG_GetError();
        return nullptr;
    }
    Texture2D* texture = Texture2D::createWithSurface(cache()->getRenderer(), surface, key);
    SDL_FreeSurface(surface);
    if (!texture) {
        error = "textureImageData: the renderer refused the picture";
        return nullptr;
    }
    cache()->addTexture(key, texture);
    return texture;
}

Texture2D* ParticleTextures::fallbackDot() {
    if (Texture2D* cached = cache()->getTextureForKey(FALLBACK_DOT_KEY)) return cached;
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, kDotSize, kDotSize, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return nullptr;
    const float centre = kDotSize * 0.5f;
    for (int y = 0; y < kDotSize; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) +
                                              static_cast<std::ptrdiff_t>(y) * surface->pitch);
        for (int x = 0; x < kDotSize; ++x) {
            // Distance from the centre, 0 there and 1 at the rim; alpha follows a smooth step down.
            const float dx = (static_cast<float>(x) + 0.5f - centre) / centre;
            const float dy = (static_cast<float>(y) + 0.5f - centre) / centre;
            const float t = std::clamp(1.0f - std::sqrt(dx * dx + dy * dy), 0.0f, 1.0f);
            const float alpha = t * t * (3.0f - 2.0f * t);
            row[x] = static_cast<Uint32>(std::lround(alpha * 255.0f)) << 24 | 0x00FFFFFFu;
        }
    }
    Texture2D* texture = Texture2D::createWithSurface(cache()->getRenderer(), surface, FALLBACK_DOT_KEY);
    SDL_FreeSurface(surface);
    if (texture) cache()->addTexture(FALLBACK_DOT_KEY, texture);
    return texture;
}

}  // namespace engine
