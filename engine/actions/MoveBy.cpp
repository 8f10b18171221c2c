#include "engine/actions/MoveBy.h"

#include "engine/scene/Node.h"

namespace engine {

MoveBy* MoveBy::create(float duration, const Vec2& delta) {
    auto* action = new MoveBy();
    action->initWithDuration(duration, delta, 0.0f, false);
    action->autorelease();
    return action;
}

MoveBy* MoveBy::create(float duration, const Vec2& delta, float deltaZ) {
    auto* action = new MoveBy();
    action->initWithDuration(duration, delta, deltaZ, true);
    action->autorelease();
    return action;
}

bool MoveBy::initWithDuration(float duration, const Vec2& delta, float deltaZ, bool moveZ) {
    ActionInterval::initWithDuration(duration);
    delta_ = delta;
    deltaZ_ = deltaZ;
    moveZ_ = moveZ;
    return true;
}

void MoveBy::startWithTarget(Node* target) {
    ActionInterval::startWithTarget(target);
    previousPosition_ = startPosition_ = target->getPosition();
    previousZ_ = startZ_ = target->getPositionZ();
}

void MoveBy::update(float t) {
    if (!target_) return;
    Vec2 current = target_->getPosition();
    startPosition_ += current - previousPosition_;
    Vec2 next = startPosition_ + delta_ * t;
    target_->setPosition(next);
    previousPosition_ = next;
    if (moveZ_) {
        float currentZ = target_->getPositionZ();
        startZ_ += currentZ - previousZ_;
        float nextZ = startZ_ + deltaZ_ * t;
        target_->setPositionZ(nextZ);
        previousZ_ = nextZ;
    }
}

}  // namespace engine
