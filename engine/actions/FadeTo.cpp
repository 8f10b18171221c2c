#include "engine/actions/FadeTo.h"

#include "engine/scene/Node.h"

namespace engine {

FadeTo* FadeTo::create(float duration, uint8_t opacity) {
    auto* action = new FadeTo();
    action->initWithDuration(duration);
    action->toOpacity_ = opacity;
    action->autorelease();
    return action;
}

void FadeTo::startWithTarget(Node* target) {
    ActionInterval::startWithTarget(target);
    fromOpacity_ = target->getOpacity();
}

void FadeTo::update(float t) {
    if (!target_) return;
    float value = fromOpacity_ + (static_cast<float>(toOpacity_) - fromOpacity_) * t;
    target_->setOpacity(static_cast<uint8_t>(value));
}

}  // namespace engine
