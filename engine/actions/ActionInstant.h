#pragma once

#include "engine/actions/Action.h"

namespace engine {

// An action that does its work on its first step and is then done.
class ActionInstant : public FiniteTimeAction {
public:
    void step(float dt) override;
    // Subclasses call this first from their own update: it marks the action done.
    void update(float t) override;
    bool isDone() const override { return done_; }
    void startWithTarget(Node* target) override;

protected:
    ActionInstant() = default;
    bool done_ = false;
};

}  // namespace engine
