#pragma once

#include "engine/actions/Action.h"

namespace engine {

// An action that runs over time. The first step ignores its dt (the action starts at t = 0);
// afterwards t = elapsed / duration, and the action is done once elapsed reaches the duration.
// Game code derives from it for actions of its own and overrides `update(t)`.
class ActionInterval : public FiniteTimeAction {
public:
    bool initWithDuration(float duration);
    void startWithTarget(Node* target) override;
    void step(float dt) override;
    bool isDone() const override;
    double getElapsed() const { return elapsed_; }

protected:
    ActionInterval() = default;

    double elapsed_ = 0.0;
    bool firstTick_ = true;
};

}  // namespace engine
