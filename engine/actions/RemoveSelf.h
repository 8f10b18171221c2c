#pragma once

#include "engine/actions/ActionInstant.h"

namespace engine {

// Removes its target from the target's parent (with cleanup by default).
class RemoveSelf : public ActionInstant {
public:
    static RemoveSelf* create(bool cleanup = true);
    void update(float t) override;

private:
    RemoveSelf() = default;
    bool cleanup_ = true;
};

}  // namespace engine
