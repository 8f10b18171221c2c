#pragma once

#include "engine/actions/ActionInterval.h"

namespace engine {

// Waits for its duration and does nothing else.
class DelayTime : public ActionInterval {
public:
    static DelayTime* create(float duration);
    void update(float t) override;

private:
    DelayTime() = default;
};

}  // namespace engine
