#include "engine/scene/SpriteFrame.h"

#include "engine/render/TextureCache.h"
#include "engine/scene/Director.h"

namespace engine {

SpriteFrame* SpriteFrame::create(const std::string& file, const Rect& rect) {
    Texture2D* texture = Director::getInstance()->getTextureCache()->addImage(file);
    return texture ? createWithTexture(texture, rect) : nullptr;
}

SpriteFrame* SpriteFrame::createWithTexture(Texture2D* texture, const Rect& rect) {
    if (!texture) return nullptr;
    auto* frame = new SpriteFrame();
    frame->texture_ = texture;
    frame->rect_ = rect;
    frame->autorelease();
    return frame;
}

}  // namespace engine
