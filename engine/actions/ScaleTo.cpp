#include "engine/actions/ScaleTo.h"

#include "engine/scene/Node.h"

namespace engine {

ScaleTo* ScaleTo::create(float duration, float scale) {
    auto* action = new ScaleTo();
    action->initWithDuration(duration);
    action->endX_ = action->endY_ = action->endZ_ = scale;
    action->autorelease();
    return action;
}

ScaleTo* ScaleTo::create(float duration, float scaleX, float scaleY) {
    auto* action = new ScaleTo();
    action->initWithDuration(duration);
    action->endX_ = scaleX;
    action->endY_ = scaleY;
    action->endZ_ = 1.0f;
    action->autorelease();
    return action;
}

void ScaleTo::startWithTarget(Node* target) {
    ActionInterval::startWithTarget(target);
    startX_ = target->getScaleX();
    startY_ = target->getScaleY();
    startZ_ = target->getScaleZ();
}

void ScaleTo::update(float t) {
    if (!target_) return;
    target_->setScale(startX_ + (endX_ - startX_) * t, startY_ + (endY_ - startY_) * t);
    target_->setScaleZ(startZ_ + (endZ_ - startZ_) * t);
}

}  // namespace engine
