#include "engine/actions/ActionInterval.h"

#include <algorithm>

namespace engine {

namespace {
constexpr float kMinimumDuration = 1e-6f;
}

bool ActionInterval::initWithDuration(float duration) {
    duration_ = std::max(duration, kMinimumDuration);
    elapsed_ = 0.0;
    firstTick_ = true;
    return true;
}

void ActionInterval::startWithTarget(Node* target) {
    FiniteTimeAction::startWithTarget(target);
    elapsed_ = 0.0;
    firstTick_ = true;
}

void ActionInterval::step(float dt) {
    if (firstTick_) {
        firstTick_ = false;
        elapsed_ = kMinimumDuration;
    } else {
        elapsed_ += dt;
    }
    double t =
        std::clamp(elapsed_ / std::max(static_cast<double>(duration_), double(kMinimumDuration)), 0.0, 1.0);
    update(static_cast<float>(t));
}

bool ActionInterval::isDone() const {
    return elapsed_ >= duration_;
}

}  // namespace engine
