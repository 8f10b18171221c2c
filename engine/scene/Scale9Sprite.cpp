#include "engine/scene/Scale9Sprite.h"

#include <algorithm>

#include "engine/base/BlendFunc.h"
#include "engine/render/Renderer.h"
#include "engine/render/TextureCache.h"
#include "engine/scene/Director.h"

namespace engine {
namespace ui {

Scale9Sprite::Scale9Sprite() {
    anchorPoint_ = Vec2::ANCHOR_MIDDLE;
}

Scale9Sprite* Scale9Sprite::create(const std::string& file, const Rect& rect, const Rect& capInsets) {
    auto* sprite = new Scale9Sprite();
    if (sprite->init() && sprite->initWithFile(file, rect, capInsets)) {
        sprite->autorelease();
        return sprite;
    }
    delete sprite;
    return nullptr;
}

Scale9Sprite* Scale9Sprite::create(const Rect& capInsets, const std::string& file) {
    return create(file, Rect::ZERO, capInsets);
}

Scale9Sprite* Scale9Sprite::createWithTexture(Texture2D* texture, const Rect& rect, const Rect& capInsets) {
    auto* sprite = new Scale9Sprite();
    if (sprite->init() && sprite->initWithTexture(texture, rect, capInsets)) {
        sprite->autorelease();
        return sprite;
    }
    delete sprite;
    return nullptr;
}

bool Scale9Sprite::initWithFile(const std::string& file, const Rect& rect, const Rect& capInsets) {
    return initWithTexture(Director::getInstance()->getTextureCache()->addImage(file), rect, capInsets);
}

bool Scale9Sprite::initWithTexture(Texture2D* texture, const Rect& rect, const Rect& capInsets) {
    if (!texture) return false;
    texture_ = texture;
    rect_ = rect.equals(Rect::ZERO) ? Rect(Vec2::ZERO, texture->getContentSize()) : rect;
    setCapInsets(capInsets);
    setContentSize(rect_.size);
    return true;
}

void Scale9Sprite::setCapInsets(const Rect& capInsets) {
    const float w0 = rect_.size.width, h0 = rect_.size.height;
    Rect insets = capInsets;
    if (insets.equals(Rect::ZERO)) {
        insets = Rect(w0 / 3.0f, h0 / 3.0f, w0 / 3.0f, h0 / 3.0f);
    } else {
        // Out-of-range insets are pulled back inside the picture.
        insets.origin.x = std::clamp(insets.origin.x, 0.0f, w0);
        insets.origin.y = std::clamp(insets.origin.y, 0.0f, h0);
        insets.size.width = std::clamp(insets.size.width, 1.0f, std::max(1.0f, w0 - insets.origin.x));
        insets.size.height = std::clamp(insets.size.height, 1.0f, std::max(1.0f, h0 - insets.origin.y));
    }
    capInsets_ = insets;
    left_ = insets.origin.x;
    top_ = insets.origin.y;
    right_ = std::max(0.0f, w0 - insets.origin.x - insets.size.width);
    bottom_ = std::max(0.0f, h0 - insets.origin.y - insets.size.height);
}

void Scale9Sprite::draw(Renderer& renderer, const DrawContext& context) {
    if (!texture_) return;
    const float W = contentSize_.width, H = contentSize_.height;
    if (W <= 0.0f || H <= 0.0f) return;
    // Caps shrink to half the size each when the box is too small for them.
    float left = left_, right = right_, top = top_, bottom = bottom_;
    if (W < left + right) left = right = W * 0.5f;
    if (H < top + bottom) top = bottom = H * 0.5f;
    if (flippedX_) std::swap(left, right);
    if (flippedY_) std::swap(top, bottom);

    // Destination columns and rows (y up, bottom row first).
    const float xs[4] = {0.0f, left, W - right, W};
    const float ys[4] = {0.0f, bottom, H - top, H};
    // Source slices in texture pixels (y down, so the bottom row comes from the picture's bottom).
    const Rect& r = rect_;
    float sl = left_, sr = right_, st = top_, sb = bottom_;
    float us[4] = {r.getMinX(), r.getMinX() + sl, r.getMaxX() - sr, r.getMaxX()};
    float vs[4] = {r.getMaxY(), r.getMaxY() - sb, r.getMinY() + st, r.getMinY()};
    if (flippedX_) std::reverse(us, us + 4);
    if (flippedY_) std::reverse(vs, vs + 4);

    Color4B color(displayedColor_, displayedOpacity_);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            if (xs[col + 1] - xs[col] <= 0.0f || ys[row + 1] - ys[row] <= 0.0f) continue;
            Vec2 corners[4] = {{xs[col], ys[row]},
                               {xs[col + 1], ys[row]},
                               {xs[col + 1], ys[row + 1]},
                               {xs[col], ys[row + 1]}};
            Vec2 texels[4] = {{us[col], vs[row]},
                              {us[col + 1], vs[row]},
                              {us[col + 1], vs[row + 1]},
                              {us[col], vs[row + 1]}};
            renderer.drawQuad(context, corners, texture_, texels, color, BlendFunc::ALPHA_NON_PREMULTIPLIED);
        }
    }
}

}  // namespace ui
}  // namespace engine
