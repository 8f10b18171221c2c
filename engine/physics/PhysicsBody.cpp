#include "engine/physics/PhysicsBody.h"

#include <chipmunk/chipmunk.h>

#include <algorithm>
#include <cmath>

#include "engine/base/Misuse.h"
#include "engine/base/RefPtr.h"
#include "engine/physics/PhysicsContactHandler.h"
#include "engine/physics/PhysicsShape.h"
#include "engine/physics/PhysicsWorld.h"
#include "engine/scene/Node.h"
#include "engine/scene/Scene.h"

namespace engine {

namespace {

constexpr float kDefaultMass = 1.0f;
constexpr float kDefaultMoment = 200.0f;

bool finite(float v) {
    return std::isfinite(v);
}
bool finite(const Vec2& v) {
    return std::isfinite(v.x) && std::isfinite(v.y);
}
cpVect toCp(const Vec2& v) {
    return cpv(v.x, v.y);
}

// True when every value is finite; otherwise reports the caller's mistake.
template <typename... Values>
bool finiteOrReport(const char* where, const Values&... values) {
    if ((finite(values) && ...)) return true;
    reportMisuse(where,
                 "a value is not finite (NaN or infinity); the call is ignored, check what computed it");
    return false;
}

// Velocity step of a dynamic body: gravity (unless disabled) and forces, then the speed caps.
// Forces and torque are cleared by the library afterwards, so a force acts for one step.
// The separations found in this step are delivered first, before any velocity changes.
void integrateVelocity(cpBody* body, cpVect gravity, cpFloat damping, cpFloat dt) {
    PhysicsContactHandler* contacts = PhysicsContactHandler::of(cpBodyGetSpace(body));
    if (contacts && contacts->hasSeparations()) contacts->deliverSeparations();
    if (cpBodyGetType(body) != CP_BODY_TYPE_DYNAMIC) return;
    const auto* owner = static_cast<const PhysicsBody*>(cpBodyGetUserData(body));
    cpBodyUpdateVelocity(body, owner->isGravityEnabled() ? gravity : cpvzero, damping, dt);
    float limit = owner->getVelocityLimit();
    if (limit < PHYSICS_INFINITY) {
        cpVect v = cpBodyGetVelocity(body);
        if (cpvlengthsq(v) > static_cast<cpFloat>(limit) * limit) cpBodySetVelocity(body, cpvclamp(v, limit));
    }
    float angularLimit = owner->getAngularVelocityLimit();
    if (angularLimit < PHYSICS_INFINITY) {
        cpFloat w = cpBodyGetAngularVelocity(body);
        if (std::fabs(w) > angularLimit)
            cpBodySetAngularVelocity(body, std::clamp<cpFloat>(w, -angularLimit, angularLimit));
    }
}

}  // namespace

PhysicsBody* PhysicsBody::create() {
    auto* body = new PhysicsBody();
    body->autorelease();
    return body;
}

PhysicsBody* PhysicsBody::createBox(const Size& size, const PhysicsMaterial& material, const Vec2& offset) {
    PhysicsBody* body = create();
    body->addShape(PhysicsShape::createBox(size, material, offset));
    return body;
}

PhysicsBody::PhysicsBody() : body_(cpBodyNew(kDefaultMass, kDefaultMoment)) {
    cpBodySetUserData(body_, this);
    cpBodySetVelocityUpdateFunc(body_, integrateVelocity);
}

PhysicsBody::~PhysicsBody() {
    // A body is kept alive by its world while it is in it, so it is out of every space here.
    for (PhysicsShape* shape : shapes_) {
        shape->detach();
        shape->release();
    }
    shapes_.clear();
    cpBodyFree(body_);
}

// ---------------------------------------------------------------- deferred changes

bool PhysicsBody::isSpaceLocked() const {
    return spaceWorld_ && spaceWorld_->isLocked();
}

void PhysicsBody::change(std::function<void()> apply) {
    if (!isSpaceLocked()) {
        apply();
        return;
    }
    ++pendingChanges_;
    RefPtr<PhysicsBody> self(this);
    spaceWorld_->defer([self, apply = std::move(apply)] {
        --self->pendingChanges_;
        apply();
    });
}

void PhysicsBody::motionChange(const std::function<void()>& apply) {
    if (pendingChanges_ > 0) {
        change(apply);
    } else {
        apply();
    }
}

// ---------------------------------------------------------------- shapes

PhysicsShape* PhysicsBody::addShape(PhysicsShape* shape, bool addMassAndMoment) {
    if (!shape) {
        reportMisuse("PhysicsBody::addShape", "the shape is null; check the create() call that made it");
        return shape;
    }
    if (shape->getBody() == this) {
        reportMisuse("PhysicsBody::addShape", "the shape is already on this body");
        return shape;
    }
    RefPtr<PhysicsBody> self(this);
    RefPtr<PhysicsShape> keep(shape);
    change([self, keep, addMassAndMoment] {
        PhysicsShape* s = keep.get();
        if (PhysicsBody* previous = s->getBody()) previous->removeShape(s, false);
        s->retain();
        self->shapes_.push_back(s);
        s->attach(self.get());
        if (self->spaceWorld_) s->enterSpace(self->spaceWorld_->getSpace());
        if (addMassAndMoment) self->addMassAndMoment(s->getMass(), s->getMoment());
    });
    return shape;
}

void PhysicsBody::removeShape(PhysicsShape* shape, bool reduceMassAndMoment) {
    if (!shape) {
        reportMisuse("PhysicsBody::removeShape", "the shape is null; nothing was removed");
        return;
    }
    RefPtr<PhysicsBody> self(this);
    RefPtr<PhysicsShape> keep(shape);
    change([self, keep, reduceMassAndMoment] {
        auto it = std::find(self->shapes_.begin(), self->shapes_.end(), keep.get());
        if (it == self->shapes_.end()) {
            reportMisuse(
                "PhysicsBody::removeShape",
                "the shape is not on this body (removed already?); check PhysicsShape::getBody() first");
            return;
        }
        self->shapes_.erase(it);
        keep->detach();
        keep->release();
        if (reduceMassAndMoment) self->addMassAndMoment(-keep->getMass(), -keep->getMoment());
    });
}

void PhysicsBody::removeAllShapes(bool reduceMassAndMoment) {
    std::vector<PhysicsShape*> shapes = shapes_;
    for (PhysicsShape* shape : shapes)
        removeShape(shape, reduceMassAndMoment);
}

PhysicsShape* PhysicsBody::getShape(int tag) const {
    for (PhysicsShape* shape : shapes_)
        if (shape->getTag() == tag) return shape;
    return nullptr;
}

void PhysicsBody::setShapesScale(float scaleX, float scaleY) {
    if (scaleX == scaleX_ && scaleY == scaleY_) return;
    scaleX_ = scaleX;
    scaleY_ = scaleY;
    for (PhysicsShape* shape : shapes_)
        shape->setScale(scaleX, scaleY);
}

// ---------------------------------------------------------------- motion

void PhysicsBody::setVelocity(const Vec2& velocity) {
    if (!finiteOrReport("PhysicsBody::setVelocity", velocity)) return;
    RefPtr<PhysicsBody> self(this);
    motionChange([self, velocity] { cpBodySetVelocity(self->body_, toCp(velocity)); });
}

Vec2 PhysicsBody::getVelocity() const {
    cpVect v = cpBodyGetVelocity(body_);
    return Vec2(static_cast<float>(v.x), static_cast<float>(v.y));
}

void PhysicsBody::setAngularVelocity(float radiansPerSecond) {
    if (!finiteOrReport("PhysicsBody::setAngularVelocity", radiansPerSecond)) return;
    RefPtr<PhysicsBody> self(this);
    motionChange([self, radiansPerSecond] { cpBodySetAngularVelocity(self->body_, radiansPerSecond); });
}

float PhysicsBody::getAngularVelocity() const {
    return static_cast<float>(cpBodyGetAngularVelocity(body_));
}

void PhysicsBody::setVelocityLimit(float limit) {
    if (!(limit >= 0.0f)) {
        reportMisuse("PhysicsBody::setVelocityLimit",
                     "the limit must not be negative or NaN (PHYSICS_INFINITY: no limit)");
        return;
    }
    velocityLimit_ = std::min(limit, PHYSICS_INFINITY);
}

void PhysicsBody::setAngularVelocityLimit(float limit) {
    if (!(limit >= 0.0f)) {
        reportMisuse("PhysicsBody::setAngularVelocityLimit",
                     "the limit must not be negative or NaN (PHYSICS_INFINITY: no limit)");
        return;
    }
    angularVelocityLimit_ = std::min(limit, PHYSICS_INFINITY);
}

void PhysicsBody::applyForce(const Vec2& force, const Vec2& offset) {
    if (!finiteOrReport("PhysicsBody::applyForce", force, offset)) return;
    RefPtr<PhysicsBody> self(this);
    motionChange([self, force, offset] {
        if (cpBodyGetType(self->body_) == CP_BODY_TYPE_DYNAMIC)
            cpBodyApplyForceAtLocalPoint(self->body_, toCp(force), toCp(offset));
    });
}

void PhysicsBody::resetForces() {
    RefPtr<PhysicsBody> self(this);
    motionChange([self] {
        cpBodySetForce(self->body_, cpvzero);
        cpBodySetTorque(self->body_, 0.0);
    });
}

void PhysicsBody::applyImpulse(const Vec2& impulse, const Vec2& offset) {
    if (!finiteOrReport("PhysicsBody::applyImpulse", impulse, offset)) return;
    RefPtr<PhysicsBody> self(this);
    motionChange([self, impulse, offset] {
        if (cpBodyGetType(self->body_) == CP_BODY_TYPE_DYNAMIC)
            cpBodyApplyImpulseAtLocalPoint(self->body_, toCp(impulse), toCp(offset));
    });
}

void PhysicsBody::applyTorque(float torque) {
    if (!finiteOrReport("PhysicsBody::applyTorque", torque)) return;
    RefPtr<PhysicsBody> self(this);
    motionChange([self, torque] {
        if (cpBodyGetType(self->body_) == CP_BODY_TYPE_DYNAMIC) cpBodySetTorque(self->body_, torque);
    });
}

// ---------------------------------------------------------------- mass and type

void PhysicsBody::applyMass() {
    if (cpBodyGetType(body_) != CP_BODY_TYPE_DYNAMIC) return;
    cpBodySetMass(body_, mass_);
    cpBodySetMoment(body_, rotationEnabled_ ? static_cast<cpFloat>(moment_) : INFINITY);
}

void PhysicsBody::applyType(bool dynamic) {
    cpBodySetType(body_, dynamic ? CP_BODY_TYPE_DYNAMIC : CP_BODY_TYPE_KINEMATIC);
    applyMass();
}

void PhysicsBody::addMassAndMoment(float mass, float moment) {
    if (massDefault_) {
        mass_ = 0.0f;
        massDefault_ = false;
    }
    mass_ += mass;
    if (!(mass_ > 0.0f) || !finite(mass_)) {
        mass_ = kDefaultMass;
        massDefault_ = true;
    }
    if (momentDefault_) {
        moment_ = 0.0f;
        momentDefault_ = false;
    }
    moment_ += moment;
    if (!(moment_ > 0.0f) || !finite(moment_)) {
        moment_ = kDefaultMoment;
        momentDefault_ = true;
    }
    applyMass();
}

void PhysicsBody::setMass(float mass) {
    if (!(mass > 0.0f) || !finite(mass)) {
        reportMisuse("PhysicsBody::setMass", "the mass must be finite and above 0; it is left as it was");
        return;
    }
    mass_ = mass;
    massDefault_ = false;
    RefPtr<PhysicsBody> self(this);
    change([self] { self->applyMass(); });
}

void PhysicsBody::setMoment(float moment) {
    if (!(moment > 0.0f) || !finite(moment)) {
        reportMisuse("PhysicsBody::setMoment", "the moment must be finite and above 0; it is left as it was");
        return;
    }
    moment_ = moment;
    momentDefault_ = false;
    RefPtr<PhysicsBody> self(this);
    change([self] { self->applyMass(); });
}

void PhysicsBody::setDynamic(bool dynamic) {
    if (dynamic == dynamic_) return;
    dynamic_ = dynamic;
    RefPtr<PhysicsBody> self(this);
    change([self, dynamic] { self->applyType(dynamic); });
}

void PhysicsBody::setRotationEnable(bool enable) {
    if (enable == rotationEnabled_) return;
    rotationEnabled_ = enable;
    RefPtr<PhysicsBody> self(this);
    change([self] { self->applyMass(); });
}

// ---------------------------------------------------------------- masks

void PhysicsBody::setCategoryBitmask(int bitmask) {
    category_ = bitmask;
    for (PhysicsShape* shape : shapes_)
        shape->setCategoryBitmask(bitmask);
}

void PhysicsBody::setCollisionBitmask(int bitmask) {
    collision_ = bitmask;
    for (PhysicsShape* shape : shapes_)
        shape->setCollisionBitmask(bitmask);
}

void PhysicsBody::setContactTestBitmask(int bitmask) {
    contactTest_ = bitmask;
    for (PhysicsShape* shape : shapes_)
        shape->setContactTestBitmask(bitmask);
}

void PhysicsBody::setGroup(int group) {
    group_ = group;
    for (PhysicsShape* shape : shapes_)
        shape->setGroup(group);
}

// ---------------------------------------------------------------- placement and world

Vec2 PhysicsBody::getPosition() const {
    cpVect p = cpBodyGetPosition(body_);
    return Vec2(static_cast<float>(p.x), static_cast<float>(p.y));
}

float PhysicsBody::getRotation() const {
    return static_cast<float>(-cpBodyGetAngle(body_) * 180.0 / 3.14159265358979323846);
}

void PhysicsBody::removeFromWorld() {
    if (!world_) {
        reportMisuse(
            "PhysicsBody::removeFromWorld",
            "the body is in no world (removed already, or its node is not in a physics scene); check "
            "getWorld() first");
        return;
    }
    world_->detachBody(this);
}

void PhysicsBody::leaveWorld() {
    if (world_) world_->detachBody(this);
}

void PhysicsBody::enterSpace(PhysicsWorld* world) {
    spaceWorld_ = world;
    cpSpaceAddBody(world->getSpace(), body_);
    for (PhysicsShape* shape : shapes_)
        shape->enterSpace(world->getSpace());
    link_.invalidate();
}

void PhysicsBody::leaveSpace() {
    if (!spaceWorld_) return;
    cpSpace* space = spaceWorld_->getSpace();
    for (PhysicsShape* shape : shapes_)
        shape->leaveSpace();
    cpSpaceRemoveBody(space, body_);
    spaceWorld_ = nullptr;
}

// ---------------------------------------------------------------- node

void PhysicsBody::attachToNode(Node* node) {
    link_.attach(node);
}

void PhysicsBody::detachFromNode() {
    leaveWorld();
    link_.detach();
}

void PhysicsBody::onNodeEnter() {
    Node* node = link_.getNode();
    Scene* scene = node ? node->getScene() : nullptr;
    PhysicsWorld* world = scene ? scene->getPhysicsWorld() : nullptr;
    if (!world || world == world_) return;
    leaveWorld();
    world->addBody(this);
}

void PhysicsBody::onNodeExit() {
    leaveWorld();
}

void PhysicsBody::onNodeDestroyed() {
    leaveWorld();
    link_.detach();
}

}  // namespace engine
