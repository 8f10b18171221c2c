#include "engine/actions/TargetedAction.h"

namespace engine {

TargetedAction* TargetedAction::create(Node* target, FiniteTimeAction* action) {
    auto* targeted = new TargetedAction();
    targeted->initWithDuration(action->getDuration());
    targeted->forcedTarget_ = target;
    targeted->action_ = action;
    targeted->autorelease();
    return targeted;
}

void TargetedAction::startWithTarget(Node* target) {
    ActionInterval::startWithTarget(target);
    action_->startWithTarget(forcedTarget_);
}

void TargetedAction::stop() {
    action_->stop();
    ActionInterval::stop();
}

void TargetedAction::update(float t) {
    RefPtr<FiniteTimeAction> keep = action_;
    action_->update(t);
}

}  // namespace engine
