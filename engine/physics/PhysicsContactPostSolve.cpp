#include "engine/physics/PhysicsContactPostSolve.h"

#include <chipmunk/chipmunk.h>

namespace engine {

float PhysicsContactPostSolve::getRestitution() const {
    return static_cast<float>(cpArbiterGetRestitution(arbiter_));
}

float PhysicsContactPostSolve::getFriction() const {
    return static_cast<float>(cpArbiterGetFriction(arbiter_));
}

Vec2 PhysicsContactPostSolve::getSurfaceVelocity() const {
    cpVect v = cpArbiterGetSurfaceVelocity(arbiter_);
    return Vec2(static_cast<float>(v.x), static_cast<float>(v.y));
}

Vec2 PhysicsContactPostSolve::getTotalImpulse() const {
    cpVect j = cpArbiterTotalImpulse(arbiter_);
    return Vec2(static_cast<float>(j.x), static_cast<float>(j.y));
}

}  // namespace engine
