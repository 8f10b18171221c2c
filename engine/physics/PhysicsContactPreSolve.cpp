#include "engine/physics/PhysicsContactPreSolve.h"

#include <chipmunk/chipmunk.h>

#include <cmath>

namespace engine {

float PhysicsContactPreSolve::getRestitution() const {
    return static_cast<float>(cpArbiterGetRestitution(arbiter_));
}

float PhysicsContactPreSolve::getFriction() const {
    return static_cast<float>(cpArbiterGetFriction(arbiter_));
}

Vec2 PhysicsContactPreSolve::getSurfaceVelocity() const {
    cpVect v = cpArbiterGetSurfaceVelocity(arbiter_);
    return Vec2(static_cast<float>(v.x), static_cast<float>(v.y));
}

void PhysicsContactPreSolve::setRestitution(float restitution) {
    if (std::isfinite(restitution)) cpArbiterSetRestitution(arbiter_, restitution);
}

void PhysicsContactPreSolve::setFriction(float friction) {
    if (std::isfinite(friction)) cpArbiterSetFriction(arbiter_, friction);
}

void PhysicsContactPreSolve::setSurfaceVelocity(const Vec2& velocity) {
    if (std::isfinite(velocity.x) && std::isfinite(velocity.y))
        cpArbiterSetSurfaceVelocity(arbiter_, cpv(velocity.x, velocity.y));
}

void PhysicsContactPreSolve::ignore() {
    cpArbiterIgnore(arbiter_);
}

}  // namespace engine
