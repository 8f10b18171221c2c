#pragma once

#include <string>

#include "engine/render/Texture2D.h"

namespace engine {

// Where particle pictures come from, all shared through the director's texture cache.
class ParticleTextures {
public:
    // The picture a definition names, looked for in the definition's own folder (any folder part of
    // the name is replaced by it); null if there is no such file.
    static Texture2D* fromFile(const std::string& definitionPath, const std::string& textureFileName);
    // A picture stored in the definition: base64 of a gzip or zlib compressed image file. Shared by
    // content (definitions embedding the same data get one texture). Null, with the reason in
    // `error`, if it cannot be decoded.
    static Texture2D* fromEmbeddedData(const std::string& base64, std::string& error);
    // The built-in soft round dot (white, alpha falling off towards the rim) for definitions whose
    // picture cannot be found.
    static Texture2D* fallbackDot();

    static constexpr const char* FALLBACK_DOT_KEY = "<particle dot>";
};

}  // namespace engine
