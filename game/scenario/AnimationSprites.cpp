#include "game/scenario/AnimationSprites.h"

#include <algorithm>

#include "engine/render/TextureCache.h"
#include "engine/scene/Director.h"

namespace vastomer {

namespace {

engine::Texture2D* loadTexture(const AnimationImage& image, const std::string& folder, engine::Rect& rect) {
    engine::Texture2D* texture =
        engine::Director::getInstance()->getTextureCache()->addImage(folder + image.file);
    if (!texture) return nullptr;
    if (image.isWholePicture()) {
        rect = engine::Rect(engine::Vec2::ZERO, texture->getContentSize());
        return texture;
    }
    return AnimationSprites::cellRect(image, texture->getPixelsWide(), texture->getPixelsHigh(), rect)
               ? texture
               : nullptr;
}

uint8_t channel(int value) {
    return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

// z truncated towards zero; a z beyond the int range (or not a number) is held at the range's ends.
int zOrder(float z) {
    if (!(z == z)) return 0;
    if (z >= 2147483520.0f) return 2147483520;
    if (z <= -2147483520.0f) return -2147483520;
    return static_cast<int>(z);
}

}  // namespace

bool AnimationSprites::cellRect(const AnimationImage& image, int pictureWidth, int pictureHeight,
                                engine::Rect& out) {
    if (image.cellWidth < 1 || image.cellHeight < 1 || image.cellIndex < 0) return false;
    const int columns = pictureWidth / image.cellWidth;
    if (columns < 1) return false;
    const int column = image.cellIndex % columns;
    const int row = image.cellIndex / columns;
    // In 64 bits: a large index or cell height must fail the check, not wrap past it.
    if ((static_cast<long long>(row) + 1) * image.cellHeight > pictureHeight) return false;
    out =
        engine::Rect(static_cast<float>(column * image.cellWidth), static_cast<float>(row * image.cellHeight),
                     static_cast<float>(image.cellWidth), static_cast<float>(image.cellHeight));
    return true;
}

engine::Sprite* AnimationSprites::create(const AnimationImage& image, const std::string& folder) {
    engine::Rect rect;
    engine::Texture2D* texture = loadTexture(image, folder, rect);
    return texture ? engine::Sprite::createWithTexture(texture, rect) : nullptr;
}

bool AnimationSprites::setImage(engine::Sprite* sprite, const AnimationImage& image,
                                const std::string& folder) {
    engine::Rect rect;
    engine::Texture2D* texture = loadTexture(image, folder, rect);
    if (!texture) return false;
    sprite->setTexture(texture);
    sprite->setTextureRect(rect);
    return true;
}

// The factor pairs of the blend words. The software renderer draws them with its nearest mode
// (Renderer::blendModeFor): ADD, MULTI, SCREEN and EXCLUTION additive, SUB modulate.
bool AnimationSprites::blendFuncFor(int mode, engine::BlendFunc& out) {
    using namespace engine::gl;
    switch (mode) {
        case 1:  // COLOR: the colour fields tint; the sprite blends normally
            out = engine::BlendFunc::ALPHA_NON_PREMULTIPLIED;
            return true;
        case 2:  // ADD
            out = engine::BlendFunc::ADDITIVE;
            return true;
        case 3:  // SUB
            out = engine::BlendFunc{ZERO, ONE_MINUS_SRC_COLOR};
            return true;
        case 4:  // MULTI
        case 5:  // SCREEN
            out = engine::BlendFunc{ONE_MINUS_DST_COLOR, ONE};
            return true;
        case 6:  // EXCLUTION
            out = engine::BlendFunc{ONE_MINUS_DST_COLOR, ONE_MINUS_SRC_COLOR};
            return true;
        default:
            return false;
    }
}

void AnimationSprites::applyProperties(engine::Sprite* sprite, const AnimationElement& e) {
    if (engine::Texture2D* texture = sprite->getTexture()) texture->setAliasTexParameters();
    sprite->setAnchorPoint(engine::Vec2(e.anchorX, e.anchorY));
    sprite->setPosition(e.x, e.y);
    sprite->setFlippedX(e.flipX);
    sprite->setFlippedY(e.flipY);
    sprite->setRotation(e.rotation);
    sprite->setScaleX(e.scaleX);
    sprite->setScaleY(e.scaleY);
    sprite->setLocalZOrder(zOrder(e.z));
    engine::BlendFunc blend;
    if (blendFuncFor(e.blendMode, blend)) sprite->setBlendFunc(blend);
    sprite->setColor(engine::Color3B(channel(e.red), channel(e.green), channel(e.blue)));
    sprite->setOpacity(channel(e.opacity));
}

}  // namespace vastomer
