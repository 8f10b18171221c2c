#include "engine/actions/RotateBy.h"

#include "engine/scene/Node.h"

namespace engine {

RotateBy* RotateBy::create(float duration, float degrees) {
    auto* action = new RotateBy();
    action->initWithDuration(duration);
    action->delta_ = degrees;
    action->autorelease();
    return action;
}

void RotateBy::startWithTarget(Node* target) {
    ActionInterval::startWithTarget(target);
    start_ = target->getRotation();
}

void RotateBy::update(float t) {
    if (target_) target_->setRotation(start_ + delta_ * t);
}

}  // namespace engine
