#include "engine/scene/Animation.h"

namespace engine {

Animation* Animation::create() {
    auto* animation = new Animation();
    animation->autorelease();
    return animation;
}

Animation* Animation::createWithSpriteFrames(const std::vector<SpriteFrame*>& frames, float delayPerUnit,
                                             unsigned int loops) {
    Animation* animation = create();
    for (SpriteFrame* frame : frames)
        animation->addSpriteFrame(frame);
    animation->delayPerUnit_ = delayPerUnit;
    animation->loops_ = loops;
    return animation;
}

void Animation::addSpriteFrame(SpriteFrame* frame) {
    if (!frame) return;
    frames_.push_back(Frame{frame, 1.0f});
    totalDelayUnits_ += 1.0f;
}

void Animation::addSpriteFrameWithFile(const std::string& file) {
    SpriteFrame* probe = SpriteFrame::create(file, Rect::ZERO);
    if (!probe) return;
    addSpriteFrame(SpriteFrame::createWithTexture(probe->getTexture(),
                                                  Rect(Vec2::ZERO, probe->getTexture()->getContentSize())));
}

void Animation::addSpriteFrameWithTexture(Texture2D* texture, const Rect& rect) {
    addSpriteFrame(SpriteFrame::createWithTexture(texture, rect));
}

}  // namespace engine
