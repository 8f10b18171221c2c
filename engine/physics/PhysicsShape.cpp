#include "engine/physics/PhysicsShape.h"

#include <chipmunk/chipmunk.h>
#include <chipmunk/chipmunk_unsafe.h>

#include <algorithm>
#include <cmath>

#include "engine/base/RefPtr.h"
#include "engine/physics/PhysicsBody.h"

namespace engine {

namespace {

bool finite(float v) {
    return std::isfinite(v);
}

}  // namespace

PhysicsShape* PhysicsShape::createBox(const Size& size, const PhysicsMaterial& material, const Vec2& offset) {
    auto* shape = new PhysicsShape(size, material, offset);
    shape->autorelease();
    return shape;
}

PhysicsShape::PhysicsShape(const Size& size, const PhysicsMaterial& material, const Vec2& offset)
    : size_(finite(size.width) && finite(size.height) ? Size(std::fabs(size.width), std::fabs(size.height))
                                                      : Size::ZERO),
      offset_(finite(offset.x) && finite(offset.y) ? offset : Vec2::ZERO),
      material_(material) {
    if (!finite(material_.density) || material_.density < 0.0f) material_.density = 0.0f;
    if (!finite(material_.restitution)) material_.restitution = 0.0f;
    if (!finite(material_.friction)) material_.friction = 0.0f;
}

PhysicsShape::~PhysicsShape() {
    detach();
}

float PhysicsShape::getMoment() const {
    float mass = getMass();
    return mass * (size_.width * size_.width + size_.height * size_.height) / 12.0f +
           mass * offset_.lengthSquared();
}

std::array<Vec2, 4> PhysicsShape::getPoints() const {
    // Scaling a box about the body's origin gives a box again; ordering its corners from the
    // extremes keeps them counter-clockwise whatever the signs of the scale (a mirrored node).
    float x0 = scaleX_ * (offset_.x - size_.width * 0.5f), x1 = scaleX_ * (offset_.x + size_.width * 0.5f);
    float y0 = scaleY_ * (offset_.y - size_.height * 0.5f), y1 = scaleY_ * (offset_.y + size_.height * 0.5f);
    float left = std::min(x0, x1), right = std::max(x0, x1);
    float bottom = std::min(y0, y1), top = std::max(y0, y1);
    return {Vec2(left, bottom), Vec2(right, bottom), Vec2(right, top), Vec2(left, top)};
}

bool PhysicsShape::isSolid() const {
    float w = size_.width * scaleX_, h = size_.height * scaleY_;
    return finite(w) && finite(h) && w != 0.0f && h != 0.0f;
}

// ---------------------------------------------------------------- masks

bool PhysicsShape::shouldNotify(const PhysicsShape& a, const PhysicsShape& b) {
    return (a.category_ & b.contactTest_) != 0 && (a.contactTest_ & b.category_) != 0;
}

bool PhysicsShape::shouldCollide(const PhysicsShape& a, const PhysicsShape& b) {
    if (a.group_ != 0 && a.group_ == b.group_) return a.group_ > 0;
    return (a.category_ & b.collision_) != 0 && (b.category_ & a.collision_) != 0;
}

template <typename Change>
void PhysicsShape::change(Change&& apply) {
    if (body_) {
        body_->change(std::forward<Change>(apply));
    } else {
        apply();
    }
}

void PhysicsShape::setCategoryBitmask(int bitmask) {
    RefPtr<PhysicsShape> self(this);
    change([self, bitmask] { self->category_ = bitmask; });
}

void PhysicsShape::setCollisionBitmask(int bitmask) {
    RefPtr<PhysicsShape> self(this);
    change([self, bitmask] { self->collision_ = bitmask; });
}

void PhysicsShape::setContactTestBitmask(int bitmask) {
    RefPtr<PhysicsShape> self(this);
    change([self, bitmask] { self->contactTest_ = bitmask; });
}

void PhysicsShape::setGroup(int group) {
    RefPtr<PhysicsShape> self(this);
    change([self, group] {
        self->group_ = group;
        self->applyFilter();
    });
}

void PhysicsShape::applyFilter() {
    if (!shape_) return;
    // Only negative groups are left to the library (it drops such pairs before any callback);
    // everything else is decided when a contact begins.
    cpGroup group = group_ < 0 ? static_cast<cpGroup>(static_cast<intptr_t>(group_)) : CP_NO_GROUP;
    cpShapeSetFilter(shape_, cpShapeFilterNew(group, CP_ALL_CATEGORIES, CP_ALL_CATEGORIES));
}

// ---------------------------------------------------------------- library side

void PhysicsShape::attach(PhysicsBody* body) {
    detach();
    body_ = body;
    scaleX_ = body->scaleX_;
    scaleY_ = body->scaleY_;
    if (size_.width == 0.0f || size_.height == 0.0f) return;  // never reaches the library
    std::array<Vec2, 4> points = getPoints();
    cpVect verts[4];
    for (std::size_t i = 0; i < 4; ++i)
        verts[i] = cpv(points[i].x, points[i].y);
    if (!isSolid()) {
        // Squashed flat by the node's scale: built unscaled, re-shaped once it has area again.
        float sx = scaleX_, sy = scaleY_;
        scaleX_ = scaleY_ = 1.0f;
        points = getPoints();
        for (std::size_t i = 0; i < 4; ++i)
            verts[i] = cpv(points[i].x, points[i].y);
        scaleX_ = sx;
        scaleY_ = sy;
    }
    shape_ = cpPolyShapeNewRaw(body->getCPBody(), 4, verts, 0.0);
    cpShapeSetUserData(shape_, this);
    cpShapeSetElasticity(shape_, material_.restitution);
    cpShapeSetFriction(shape_, material_.friction);
    applyFilter();
}

void PhysicsShape::detach() {
    leaveSpace();
    if (shape_) {
        cpShapeFree(shape_);
        shape_ = nullptr;
    }
    body_ = nullptr;
}

void PhysicsShape::setScale(float scaleX, float scaleY) {
    if (!finite(scaleX) || !finite(scaleY)) return;
    if (scaleX == scaleX_ && scaleY == scaleY_) return;
    scaleX_ = scaleX;
    scaleY_ = scaleY;
    if (!shape_) return;
    if (!isSolid()) {
        if (inSpace_) {
            cpSpaceRemoveShape(space_, shape_);
            inSpace_ = false;
        }
        return;
    }
    std::array<Vec2, 4> points = getPoints();
    cpVect verts[4];
    for (std::size_t i = 0; i < 4; ++i)
        verts[i] = cpv(points[i].x, points[i].y);
    cpPolyShapeSetVertsRaw(shape_, 4, verts);
    if (space_ && !inSpace_) {
        cpSpaceAddShape(space_, shape_);
        inSpace_ = true;
    }
}

void PhysicsShape::enterSpace(cpSpace* space) {
    space_ = space;
    if (shape_ && !inSpace_ && isSolid()) {
        cpSpaceAddShape(space_, shape_);
        inSpace_ = true;
    }
}

void PhysicsShape::leaveSpace() {
    if (inSpace_) {
        inSpace_ = false;
        cpSpaceRemoveShape(space_, shape_);
    }
    space_ = nullptr;
}

}  // namespace engine
