#include "engine/actions/RepeatForever.h"

#include <cmath>

namespace engine {

RepeatForever* RepeatForever::create(ActionInterval* action) {
    auto* repeat = new RepeatForever();
    repeat->inner_ = action;
    repeat->autorelease();
    return repeat;
}

void RepeatForever::startWithTarget(Node* target) {
    ActionInterval::startWithTarget(target);
    inner_->startWithTarget(target);
}

void RepeatForever::step(float dt) {
    RefPtr<ActionInterval> keep = inner_;
    inner_->step(dt);
    if (inner_->isDone() && inner_->getDuration() > 0.0f && target_) {
        double duration = inner_->getDuration();
        double overshoot = inner_->getElapsed() - duration;
        if (overshoot > duration) overshoot = std::fmod(overshoot, duration);
        inner_->startWithTarget(target_);
        inner_->step(0.0f);
        inner_->step(static_cast<float>(overshoot));
    }
}

}  // namespace engine
