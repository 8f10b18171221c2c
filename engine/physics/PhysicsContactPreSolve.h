#pragma once

#include "engine/base/Geometry.h"

struct cpArbiter;

namespace engine {

// What a pre-solve listener may read and change about a contact for the current step.
class PhysicsContactPreSolve {
public:
    explicit PhysicsContactPreSolve(cpArbiter* arbiter) : arbiter_(arbiter) {}

    float getRestitution() const;
    float getFriction() const;
    Vec2 getSurfaceVelocity() const;
    void setRestitution(float restitution);
    void setFriction(float friction);
    void setSurfaceVelocity(const Vec2& velocity);
    // Ignores the pair until it separates.
    void ignore();

private:
    cpArbiter* arbiter_;
};

}  // namespace engine
