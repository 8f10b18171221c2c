#include "game/play/GaugePicture.h"

#include "engine/render/Texture2D.h"

namespace vastomer {

engine::Sprite* GaugePicture::create(const std::string& image, const engine::Vec2& position) {
    engine::Sprite* sprite = engine::Sprite::create(image);
    if (!sprite) sprite = engine::Sprite::create();
    if (engine::Texture2D* texture = sprite->getTexture()) texture->setAliasTexParameters();
    sprite->setAnchorPoint(engine::Vec2::ZERO);
    sprite->setPosition(position);
    return sprite;
}

}  // namespace vastomer
