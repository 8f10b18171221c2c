#pragma once

#include <list>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "engine/render/FontFace.h"

namespace engine {

// Open font faces, one per (file, pixel size); the least recently used close when the cache is full.
class FontCache {
public:
    static FontCache& getInstance();

    // Null if the file cannot be opened. `fullPath` is an already resolved path.
    FontFace* getFace(const std::string& fullPath, int pixelSize);
    void clear();
    std::size_t size() const { return faces_.size(); }

private:
    FontCache() = default;
    ~FontCache();

    using Key = std::pair<std::string, int>;
    struct Entry {
        std::unique_ptr<FontFace> face;
        std::list<Key>::iterator age;
    };
    FT_Library library_ = nullptr;
    std::map<Key, Entry> faces_;
    std::list<Key> ages_;  // most recently used first
};

}  // namespace engine
