#pragma once

#include "engine/actions/ActionInterval.h"

namespace engine {

// Scales the target linearly from its scale at start to the given one (x, y and z).
class ScaleTo : public ActionInterval {
public:
    static ScaleTo* create(float duration, float scale);
    static ScaleTo* create(float duration, float scaleX, float scaleY);

    void startWithTarget(Node* target) override;
    void update(float t) override;

private:
    ScaleTo() = default;
    float startX_ = 1, startY_ = 1, startZ_ = 1;
    float endX_ = 1, endY_ = 1, endZ_ = 1;
};

}  // namespace engine
