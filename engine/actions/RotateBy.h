#pragma once

#include "engine/actions/ActionInterval.h"

namespace engine {

// Turns the target by `degrees` (clockwise) over the duration; the angle is not wrapped.
class RotateBy : public ActionInterval {
public:
    static RotateBy* create(float duration, float degrees);

    void startWithTarget(Node* target) override;
    void update(float t) override;

private:
    RotateBy() = default;
    float delta_ = 0.0f;
    float start_ = 0.0f;
};

}  // namespace engine
