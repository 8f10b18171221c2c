#pragma once

#include "engine/base/Geometry.h"

struct cpArbiter;

namespace engine {

// What a post-solve listener may read about a contact after the solver ran.
class PhysicsContactPostSolve {
public:
    explicit PhysicsContactPostSolve(cpArbiter* arbiter) : arbiter_(arbiter) {}

    float getRestitution() const;
    float getFriction() const;
    Vec2 getSurfaceVelocity() const;
    // Impulse the solver applied to the pair during the step.
    Vec2 getTotalImpulse() const;

private:
    cpArbiter* arbiter_;
};

}  // namespace engine
