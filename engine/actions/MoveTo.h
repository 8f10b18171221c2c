#pragma once

#include "engine/actions/MoveBy.h"

namespace engine {

// MoveBy whose delta is the distance from the target's position at start to `position`.
class MoveTo : public MoveBy {
public:
    static MoveTo* create(float duration, const Vec2& position);
    static MoveTo* create(float duration, const Vec2& position, float positionZ);

    void startWithTarget(Node* target) override;

private:
    MoveTo() = default;
    Vec2 endPosition_;
    float endZ_ = 0.0f;
};

}  // namespace engine
