#pragma once

#include <cstdint>

#include "engine/actions/ActionInterval.h"

namespace engine {

// Fades the target's opacity linearly from its value at start to `opacity` (truncated to a byte).
class FadeTo : public ActionInterval {
public:
    static FadeTo* create(float duration, uint8_t opacity);
    static FadeTo* createFadeIn(float duration) { return create(duration, 255); }
    static FadeTo* createFadeOut(float duration) { return create(duration, 0); }

    void startWithTarget(Node* target) override;
    void update(float t) override;

private:
    FadeTo() = default;
    uint8_t fromOpacity_ = 255;
    uint8_t toOpacity_ = 255;
};

}  // namespace engine
