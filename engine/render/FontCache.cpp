#include "engine/render/FontCache.h"

#include <ft2build.h>
#include FT_FREETYPE_H

namespace engine {

namespace {
constexpr std::size_t kMaxOpenFaces = 48;
}

FontCache& FontCache::getInstance() {
    static FontCache cache;
    return cache;
}

FontCache::~FontCache() {
    clear();
    if (library_) FT_Done_FreeType(library_);
}

FontFace* FontCache::getFace(const std::string& fullPath, int pixelSize) {
    if (fullPath.empty() || pixelSize <= 0) return nullptr;
    Key key{fullPath, pixelSize};
    auto found = faces_.find(key);
    if (found != faces_.end()) {
        ages_.splice(ages_.begin(), ages_, found->second.age);
        return found->second.face.get();
    }
    if (!library_ && FT_Init_FreeType(&library_) != 0) return nullptr;
    std::unique_ptr<FontFace> face(FontFace::open(library_, fullPath, pixelSize));
    if (!face) return nullptr;
    if (faces_.size() >= kMaxOpenFaces) {
        faces_.erase(ages_.back());
        ages_.pop_back();
    }
    ages_.push_front(key);
    FontFace* result = face.get();
    faces_[key] = Entry{std::move(face), ages_.begin()};
    return result;
}

void FontCache::clear() {
    faces_.clear();
    ages_.clear();
}

}  // namespace engine
