#include "engine/actions/Animate.h"

#include <cmath>

#include "engine/scene/Sprite.h"

namespace engine {

Animate* Animate::create(Animation* animation) {
    if (!animation) return nullptr;
    auto* animate = new Animate();
    animate->initWithDuration(animation->getDuration() * static_cast<float>(animation->getLoops()));
    animate->animation_ = animation;
    float total = animation->getTotalDelayUnits();
    float accumulated = 0.0f;
    for (const auto& frame : animation->getFrames()) {
        animate->splitTimes_.push_back(total > 0.0f ? accumulated / total : 0.0f);
        accumulated += frame.delayUnits;
    }
    animate->autorelease();
    return animate;
}

void Animate::startWithTarget(Node* target) {
    ActionInterval::startWithTarget(target);
    auto* sprite = dynamic_cast<Sprite*>(target);
    if (animation_->getRestoreOriginalFrame() && sprite) originalFrame_ = sprite->getSpriteFrame();
    nextFrame_ = 0;
    executedLoops_ = 0;
    currentFrame_ = -1;
}

void Animate::stop() {
    auto* sprite = dynamic_cast<Sprite*>(target_);
    if (animation_->getRestoreOriginalFrame() && sprite && originalFrame_)
        sprite->setSpriteFrame(originalFrame_);
    ActionInterval::stop();
}

void Animate::update(float t) {
    auto* sprite = dynamic_cast<Sprite*>(target_);
    if (!sprite) return;
    if (t < 1.0f) {
        t *= static_cast<float>(animation_->getLoops());
        auto loop = static_cast<unsigned int>(t);
        if (loop > executedLoops_) {
            nextFrame_ = 0;
            executedLoops_++;
        }
        t = std::fmod(t, 1.0f);
    }
    const auto& frames = animation_->getFrames();
    for (std::size_t i = nextFrame_; i < frames.size(); ++i) {
        if (splitTimes_[i] > t) break;
        BlendFunc blend = sprite->getBlendFunc();
        sprite->setSpriteFrame(frames[i].spriteFrame);
        sprite->setBlendFunc(blend);
        currentFrame_ = static_cast<int>(i);
        nextFrame_ = i + 1;
    }
}

}  // namespace engine
