#pragma once

#include "engine/actions/ActionInterval.h"

namespace vastomer {

// Moves a node's position Z to a target value over a duration (the depth plane's zoom in and out).
class ZPosMoveTo : public engine::ActionInterval {
public:
    static ZPosMoveTo* create(float duration, float z);

    void startWithTarget(engine::Node* target) override;
    void update(float t) override;
    // A new action with the same duration and target Z.
    ZPosMoveTo* clone() const;
    // A move to an absolute Z has no reverse: null, as for the engine's move-to.
    ZPosMoveTo* reverse() const { return nullptr; }

    float getEndZ() const { return endZ_; }
    float getStartZ() const { return startZ_; }
    float getDeltaZ() const { return deltaZ_; }

private:
    ZPosMoveTo() = default;

    float endZ_ = 0.0f;
    float startZ_ = 0.0f;
    float deltaZ_ = 0.0f;
};

}  // namespace vastomer
