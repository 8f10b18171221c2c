#include "engine/actions/MoveTo.h"

#include "engine/scene/Node.h"

namespace engine {

MoveTo* MoveTo::create(float duration, const Vec2& position) {
    auto* action = new MoveTo();
    action->initWithDuration(duration, Vec2(), 0.0f, false);
    action->endPosition_ = position;
    action->autorelease();
    return action;
}

MoveTo* MoveTo::create(float duration, const Vec2& position, float positionZ) {
    auto* action = new MoveTo();
    action->initWithDuration(duration, Vec2(), 0.0f, true);
    action->endPosition_ = position;
    action->endZ_ = positionZ;
    action->autorelease();
    return action;
}

void MoveTo::startWithTarget(Node* target) {
    MoveBy::startWithTarget(target);
    delta_ = endPosition_ - target->getPosition();
    deltaZ_ = endZ_ - target->getPositionZ();
}

}  // namespace engine
