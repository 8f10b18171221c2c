#pragma once

#include "engine/actions/ActionInterval.h"
#include "engine/base/Geometry.h"

namespace engine {

// Moves its target by a delta. Moves made by others while it runs are kept and add up ("stacking"):
// each update continues from wherever the target is now, not from where this action last put it.
class MoveBy : public ActionInterval {
public:
    static MoveBy* create(float duration, const Vec2& delta);
    // Moves in position Z as well.
    static MoveBy* create(float duration, const Vec2& delta, float deltaZ);

    void startWithTarget(Node* target) override;
    void update(float t) override;

protected:
    MoveBy() = default;
    bool initWithDuration(float duration, const Vec2& delta, float deltaZ, bool moveZ);

    Vec2 delta_;
    float deltaZ_ = 0.0f;
    bool moveZ_ = false;
    Vec2 startPosition_;
    Vec2 previousPosition_;
    float startZ_ = 0.0f;
    float previousZ_ = 0.0f;
};

}  // namespace engine
