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

PhysicsNodeLink::Ancestry PhysicsNodeLink::ancestryOf(const Node& node) {
    Ancestry ancestry;
    const PhysicsBody* own = node.getPhysicsBody();
    for (const Node* p = node.getParent(); p; p = p->getParent()) {
        ancestry.parentToWorld = p->getNodeToParentTransform().concat(ancestry.parentToWorld);
        ancestry.rotation += p->getRotation();
        ancestry.scaleX *= p->getScaleX();
        ancestry.scaleY *= p->getScaleY();
        ++ancestry.depth;
        const PhysicsBody* body = p->getPhysicsBody();
        if (body && own && body->getWorld() && body->getWorld() == own->getWorld()) ancestry.underBody = true;
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
    if (turned) node_->setRotation(static_cast<float>(-angle / kRadiansPerDegree) - ancestry.rotation);
    if (moved) {
        Vec2 inParent =
            ancestry.parentToWorld.inverse().apply(Vec2(static_cast<float>(p.x), static_cast<float>(p.y)));
        // Where the content centre sits relative to the node's position (anchor, scale, rotation).
        Vec2 offset = node_->getNodeToParentTransform().apply(centre_) - node_->getPosition();
        node_->setPosition(inParent - offset);
    }
    // The node may have refused or altered the values (an override): remember what it holds.
    if (node_) remember(ancestry);
}

}  // namespace engine
