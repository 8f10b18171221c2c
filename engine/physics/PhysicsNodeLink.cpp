#include "engine/physics/PhysicsNodeLink.h"

#include <chipmunk/chipmunk.h>

#include <cmath>

#include "engine/physics/PhysicsBody.h"
#include "engine/scene/Node.h"

namespace engine {

namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

bool sameLinear(const AffineTransform& x, const AffineTransform& y) {
    return x.a == y.a && x.b == y.b && x.c == y.c && x.d == y.d;
}

bool sameTransform(const AffineTransform& x, const AffineTransform& y) {
    return sameLinear(x, y) && x.tx == y.tx && x.ty == y.ty;
}

bool finite(double v) {
    return std::isfinite(v);
}

}  // namespace

PhysicsNodeLink::Ancestry PhysicsNodeLink::ancestryOf(const Node* parent, const PhysicsWorld* world) {
    Ancestry ancestry;
    for (const Node* p = parent; p; p = p->getParent()) {
        ancestry.parentToWorld = p->getNodeToParentTransform().concat(ancestry.parentToWorld);
        ancestry.rotation += p->getRotation();
        ancestry.scaleX *= p->getScaleX();
        ancestry.scaleY *= p->getScaleY();
        ++ancestry.depth;
        const PhysicsBody* body = p->getPhysicsBody();
        if (body && world && body->getWorld() == world) ancestry.underBody = true;
    }
    return ancestry;
}

void PhysicsNodeLink::attach(Node* node) {
    node_ = node;
    const Size& size = node->getContentSize();
    centre_ = Vec2(size.width * 0.5f, size.height * 0.5f);
    synced_ = false;
}

void PhysicsNodeLink::detach() {
    node_ = nullptr;
    synced_ = false;
}

void PhysicsNodeLink::remember(const Ancestry& ancestry) {
    local_ = node_->getNodeToParentTransform();
    parent_ = ancestry.parentToWorld;
    rotation_ = ancestry.rotation + node_->getRotation();
    synced_ = true;
}

Vec2 PhysicsNodeLink::centreOffset() const {
    // From the node's position to its content centre in the parent's space: the scaled and turned
    // distance from the anchor, plus the anchor itself when the anchor is ignored for placement.
    AffineTransform t = node_->getNodeToParentTransform();
    Vec2 offset = t.applyToVector(centre_ - node_->getAnchorPointInPoints());
    if (node_->isIgnoreAnchorPointForPosition()) offset += node_->getAnchorPointInPoints();
    return offset;
}

void PhysicsNodeLink::placeBody(cpBody* body, const Ancestry& ancestry) {
    if (!node_) return;
    const AffineTransform local = node_->getNodeToParentTransform();
    const AffineTransform& parent = ancestry.parentToWorld;
    if (!synced_ || !sameTransform(local, local_) || !sameLinear(parent, parent_)) {
        // The game placed the node (or turned or scaled an ancestor): the body goes where it is.
        Vec2 world = parent.concat(local).apply(centre_);
        if (finite(world.x) && finite(world.y)) cpBodySetPosition(body, cpv(world.x, world.y));
        float rotation = ancestry.rotation + node_->getRotation();
        if (!synced_ || rotation != rotation_) {
            double angle = -static_cast<double>(rotation) * kRadiansPerDegree;
            if (finite(angle)) cpBodySetAngle(body, angle);
        }
    } else if (parent.tx != parent_.tx || parent.ty != parent_.ty) {
        // Only the ancestors slid: shift by exactly their translation.
        cpVect p = cpBodyGetPosition(body);
        p.x += static_cast<double>(parent.tx) - static_cast<double>(parent_.tx);
        p.y += static_cast<double>(parent.ty) - static_cast<double>(parent_.ty);
        if (finite(p.x) && finite(p.y)) cpBodySetPosition(body, p);
    }
    remember(ancestry);
    cpVect p = cpBodyGetPosition(body);
    stepX_ = p.x;
    stepY_ = p.y;
    stepAngle_ = cpBodyGetAngle(body);
}

void PhysicsNodeLink::placeNode(cpBody* body, const Ancestry& ancestry) {
    if (!node_ || !synced_) return;
    cpVect p = cpBodyGetPosition(body);
    double angle = cpBodyGetAngle(body);
    bool moved = p.x != stepX_ || p.y != stepY_;
    bool turned = angle != stepAngle_;
    if (!moved && !turned) return;
    // Values a float cannot tell apart from the node's own are not written (a resting body
    // shivers by far less than that).
    if (turned) {
        float rotation = static_cast<float>(-angle / kRadiansPerDegree) - ancestry.rotation;
        if (rotation != node_->getRotation()) node_->setRotation(rotation);
    }
    if (moved) {
        Vec2 inParent =
            ancestry.parentToWorld.inverse().apply(Vec2(static_cast<float>(p.x), static_cast<float>(p.y)));
        Vec2 position = inParent - centreOffset();
        if (position != node_->getPosition()) node_->setPosition(position);
    }
    // The node may have refused or altered the values (an override): remember what it holds.
    if (node_) remember(ancestry);
}

}  // namespace engine
