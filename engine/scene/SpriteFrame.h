#pragma once

#include <string>

#include "engine/base/Geometry.h"
#include "engine/base/Ref.h"
#include "engine/base/RefPtr.h"
#include "engine/render/Texture2D.h"

namespace engine {

// A rectangle of a texture (in pixels, origin at the texture's top-left) that a sprite can show.
class SpriteFrame : public Ref {
public:
    static SpriteFrame* create(const std::string& file, const Rect& rect);
    static SpriteFrame* createWithTexture(Texture2D* texture, const Rect& rect);

    Texture2D* getTexture() const { return texture_; }
    const Rect& getRect() const { return rect_; }
    Size getOriginalSize() const { return rect_.size; }

private:
    SpriteFrame() = default;
    RefPtr<Texture2D> texture_;
    Rect rect_;
};

}  // namespace engine
