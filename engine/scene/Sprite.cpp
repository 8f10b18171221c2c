#include "engine/scene/Sprite.h"

#include "engine/render/Renderer.h"
#include "engine/render/TextureCache.h"
#include "engine/scene/Director.h"

namespace engine {

namespace {

template <typename Init>
Sprite* makeSprite(Sprite* sprite, Init init) {
    if (init(sprite)) {
        sprite->autorelease();
        return sprite;
    }
    delete sprite;
    return nullptr;
}

}  // namespace

Sprite::Sprite() {
    anchorPoint_ = Vec2::ANCHOR_MIDDLE;
}

Sprite* Sprite::create() {
    return makeSprite(new Sprite(), [](Sprite* s) { return s->init(); });
}

Sprite* Sprite::create(const std::string& file) {
    return makeSprite(new Sprite(), [&](Sprite* s) { return s->initWithFile(file); });
}

Sprite* Sprite::create(const std::string& file, const Rect& rect) {
    return makeSprite(new Sprite(), [&](Sprite* s) { return s->initWithFile(file, rect); });
}

Sprite* Sprite::createWithTexture(Texture2D* texture) {
    if (!texture) return nullptr;
    return createWithTexture(texture, Rect(Vec2::ZERO, texture->getContentSize()));
}

Sprite* Sprite::createWithTexture(Texture2D* texture, const Rect& rect) {
    if (!texture) return nullptr;
    return makeSprite(new Sprite(), [&](Sprite* s) { return s->initWithTexture(texture, rect); });
}

Sprite* Sprite::createWithSpriteFrame(SpriteFrame* frame) {
    if (!frame) return nullptr;
    return createWithTexture(frame->getTexture(), frame->getRect());
}

bool Sprite::init() {
    return initWithTexture(nullptr, Rect::ZERO);
}

bool Sprite::initWithTexture(Texture2D* texture, const Rect& rect) {
    if (!Node::init()) return false;
    anchorPoint_ = Vec2::ANCHOR_MIDDLE;
    setTexture(texture);
    setTextureRect(rect);
    return true;
}

bool Sprite::initWithFile(const std::string& file) {
    Texture2D* texture = Director::getInstance()->getTextureCache()->addImageOrPlaceholder(file);
    if (!texture) return false;
    return initWithTexture(texture, Rect(Vec2::ZERO, texture->getContentSize()));
}

bool Sprite::initWithFile(const std::string& file, const Rect& rect) {
    TextureCache* cache = Director::getInstance()->getTextureCache();
    if (Texture2D* texture = cache->addImage(file)) return initWithTexture(texture, rect);
    // The placeholder stretched over the part of the picture that was asked for.
    Texture2D* placeholder = cache->getPlaceholder();
    if (!placeholder || !initWithTexture(placeholder, Rect(Vec2::ZERO, placeholder->getContentSize())))
        return false;
    setContentSize(rect.size);
    return true;
}

void Sprite::setTexture(Texture2D* texture) {
    texture_ = texture;
}

void Sprite::setTexture(const std::string& file) {
    Texture2D* texture = Director::getInstance()->getTextureCache()->addImage(file);
    if (!texture) return;
    setTexture(texture);
    setTextureRect(Rect(Vec2::ZERO, texture->getContentSize()));
}

void Sprite::setTextureRect(const Rect& rect) {
    textureRect_ = rect;
    setContentSize(rect.size);
}

void Sprite::setSpriteFrame(SpriteFrame* frame) {
    if (!frame) return;
    setTexture(frame->getTexture());
    setTextureRect(frame->getRect());
}

SpriteFrame* Sprite::getSpriteFrame() const {
    return SpriteFrame::createWithTexture(texture_, textureRect_);
}

void Sprite::draw(Renderer& renderer, const DrawContext& context) {
    if (contentSize_.width <= 0.0f || contentSize_.height <= 0.0f) return;
    Color4B color(displayedColor_, displayedOpacity_);
    renderer.drawRect(context, Rect(Vec2::ZERO, contentSize_), texture_, textureRect_, flippedX_, flippedY_,
                      color, blendFunc_);
}

}  // namespace engine
