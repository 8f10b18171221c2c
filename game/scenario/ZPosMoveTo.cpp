#include "game/scenario/ZPosMoveTo.h"

#include "engine/scene/Node.h"

namespace vastomer {

ZPosMoveTo* ZPosMoveTo::create(float duration, float z) {
    auto* action = new ZPosMoveTo();
    action->initWithDuration(duration);
    action->endZ_ = z;
    action->autorelease();
    return action;
}

void ZPosMoveTo::startWithTarget(engine::Node* target) {
    engine::ActionInterval::startWithTarget(target);
    startZ_ = target->getPositionZ();
    deltaZ_ = endZ_ - startZ_;
}

void ZPosMoveTo::update(float t) {
    if (target_) target_->setPositionZ(startZ_ + deltaZ_ * t);
}

ZPosMoveTo* ZPosMoveTo::clone() const {
    return create(duration_, endZ_);
}

}  // namespace vastomer
