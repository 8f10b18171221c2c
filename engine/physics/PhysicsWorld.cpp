#include "engine/physics/PhysicsWorld.h"

#include <chipmunk/chipmunk.h>
// The hasty space header lacks the C linkage guards of the others.
extern "C" {
#include <chipmunk/cpHastySpace.h>
}

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "engine/base/BlendFunc.h"
#include "engine/base/Color.h"
#include "engine/base/Misuse.h"
#include "engine/physics/PhysicsBody.h"
#include "engine/physics/PhysicsContactHandler.h"
#include "engine/physics/PhysicsShape.h"
#include "engine/render/Renderer.h"
#include "engine/scene/Node.h"

namespace engine {

namespace {

// Debian's Chipmunk is a debug build that prints a banner on standard output when the first space is
// made; the game's output (and tools reading it) should not carry it.
cpSpace* newQuietSpace() {
    std::fflush(stdout);
    int saved = ::dup(STDOUT_FILENO);
    int null = ::open("/dev/null", O_WRONLY);
    if (saved >= 0 && null >= 0) ::dup2(null, STDOUT_FILENO);
    cpSpace* space = cpHastySpaceNew();
    std::fflush(stdout);
    if (saved >= 0) {
        ::dup2(saved, STDOUT_FILENO);
        ::close(saved);
    }
    if (null >= 0) ::close(null);
    return space;
}

}  // namespace

PhysicsWorld::PhysicsWorld(Scene& scene) : scene_(scene), space_(newQuietSpace()) {
    // One solver thread: the multi-threaded solver would make runs differ.
    cpHastySpaceSetThreads(space_, 1);
    cpSpaceSetGravity(space_, cpv(gravity_.x, gravity_.y));
    contacts_ = std::make_unique<PhysicsContactHandler>(space_);
}

PhysicsWorld::~PhysicsWorld() {
    contacts_->setSilent(true);
    std::vector<PhysicsBody*> bodies;
    bodies.swap(bodies_);
    for (PhysicsBody* body : bodies) {
        body->leaveSpace();
        body->world_ = nullptr;
        body->release();
    }
    pending_.clear();
    contacts_.reset();
    cpHastySpaceFree(space_);
}

void PhysicsWorld::setGravity(const Vec2& gravity) {
    if (!std::isfinite(gravity.x) || !std::isfinite(gravity.y)) {
        reportMisuse("PhysicsWorld::setGravity",
                     "the gravity is not finite (NaN or infinity); it is left as it was");
        return;
    }
    gravity_ = gravity;
    perform([this, gravity] { cpSpaceSetGravity(space_, cpv(gravity.x, gravity.y)); });
}

void PhysicsWorld::setSpeed(float speed) {
    if (!(speed >= 0.0f) || !std::isfinite(speed)) {
        reportMisuse("PhysicsWorld::setSpeed",
                     "the speed must be finite and not negative (0 freezes the world); it is left as it was");
        return;
    }
    speed_ = speed;
}

// ---------------------------------------------------------------- bodies

PhysicsBody* PhysicsWorld::getBody(int tag) const {
    for (PhysicsBody* body : bodies_)
        if (body->getTag() == tag) return body;
    return nullptr;
}

void PhysicsWorld::addBody(PhysicsBody* body) {
    if (!body || body->world_ == this) return;
    body->world_ = this;
    RefPtr<PhysicsBody> keep(body);
    perform([this, keep] {
        if (keep->world_ != this || keep->isInSpace()) return;
        keep->retain();
        bodies_.push_back(keep.get());
        keep->enterSpace(this);
    });
}

void PhysicsWorld::removeBody(PhysicsBody* body) {
    if (!body) {
        reportMisuse("PhysicsWorld::removeBody", "the body is null; nothing was removed");
        return;
    }
    if (body->world_ != this) {
        reportMisuse(
            "PhysicsWorld::removeBody",
            "the body is not in this world (removed already, or never added); check getWorld() first");
        return;
    }
    detachBody(body);
}

void PhysicsWorld::detachBody(PhysicsBody* body) {
    body->world_ = nullptr;
    RefPtr<PhysicsBody> keep(body);
    perform([this, keep] {
        if (keep->spaceWorld_ != this) return;
        auto it = std::find(bodies_.begin(), bodies_.end(), keep.get());
        if (it != bodies_.end()) bodies_.erase(it);
        // Separations of its open contacts are collected here and delivered right after.
        keep->leaveSpace();
        keep->release();
    });
}

void PhysicsWorld::removeBody(int tag) {
    if (PhysicsBody* body = getBody(tag)) {
        removeBody(body);
    } else {
        reportMisuse("PhysicsWorld::removeBody", "no body with tag " + std::to_string(tag) +
                                                     " is in this world; check getBody(tag) first");
    }
}

void PhysicsWorld::removeAllBodies() {
    std::vector<RefPtr<PhysicsBody>> bodies(bodies_.begin(), bodies_.end());
    // A body whose leaving already waits for the step to end is on its way out.
    for (auto& body : bodies)
        if (body->world_ == this) detachBody(body.get());
}

// ---------------------------------------------------------------- deferred changes

bool PhysicsWorld::isLocked() const {
    return dispatchLock_ > 0 || cpSpaceIsLocked(space_);
}

void PhysicsWorld::defer(std::function<void()> change) {
    pending_.push_back(std::move(change));
}

void PhysicsWorld::perform(std::function<void()> change) {
    if (isLocked()) {
        defer(std::move(change));
        return;
    }
    change();
    settle();
}

void PhysicsWorld::settle() {
    if (settling_) return;
    settling_ = true;
    for (;;) {
        if (contacts_->hasSeparations()) {
            // Whatever the separation listeners ask for waits behind the changes already queued.
            ++dispatchLock_;
            contacts_->deliverSeparations();
            --dispatchLock_;
        } else if (nextPending_ < pending_.size()) {
            std::function<void()> change = std::move(pending_[nextPending_++]);
            change();
        } else {
            break;
        }
    }
    pending_.clear();
    nextPending_ = 0;
    settling_ = false;
}

// ---------------------------------------------------------------- the frame

void PhysicsWorld::update(float dt) {
    settle();
    placeBodies();
    settle();
    float step = dt * speed_;
    if (step > 0.0f && std::isfinite(step)) cpHastySpaceStep(space_, step);
    settle();
    placeNodes();
    settle();
}

void PhysicsWorld::placeBodies() {
    stepping_.clear();
    bool nested = false;
    // Siblings share their ancestry: it is worked out once per parent (bodies of one layer join
    // one after the other), unless an ancestor carries a body and may still move.
    const Node* parent = nullptr;
    PhysicsNodeLink::Ancestry ancestry;
    for (PhysicsBody* body : bodies_) {
        Node* node = body->getNode();
        if (!node) continue;
        if (node->getParent() != parent || ancestry.underBody) {
            parent = node->getParent();
            ancestry = PhysicsNodeLink::ancestryOf(parent, this);
        }
        body->setShapesScale(ancestry.scaleX * node->getScaleX(), ancestry.scaleY * node->getScaleY());
        body->getLink().placeBody(body->getCPBody(), ancestry);
        stepping_.push_back(StepEntry{body, ancestry.depth});
        nested = nested || ancestry.underBody;
    }
    // Nodes are written back parents first, so that a child body is expressed in the space of
    // its parent's new place.
    if (nested)
        std::stable_sort(stepping_.begin(), stepping_.end(),
                         [](const StepEntry& x, const StepEntry& y) { return x.depth < y.depth; });
}

void PhysicsWorld::placeNodes() {
    std::vector<StepEntry> entries;
    entries.swap(stepping_);
    const Node* parent = nullptr;
    PhysicsNodeLink::Ancestry ancestry;
    for (StepEntry& entry : entries) {
        PhysicsBody* body = entry.body.get();
        Node* node = body->getNode();
        if (body->spaceWorld_ != this || !node) continue;
        if (node->getParent() != parent || ancestry.underBody) {
            parent = node->getParent();
            ancestry = PhysicsNodeLink::ancestryOf(parent, this);
        }
        body->getLink().placeNode(body->getCPBody(), ancestry);
        // The node may have been mirrored by a contact callback.
        body->setShapesScale(ancestry.scaleX * node->getScaleX(), ancestry.scaleY * node->getScaleY());
    }
    entries.clear();
    if (stepping_.empty()) stepping_.swap(entries);  // keep the storage for the next frame
}

// ---------------------------------------------------------------- debug drawing

void PhysicsWorld::debugDraw(Renderer& renderer) const {
    if (debugDrawMask_ == DEBUGDRAW_NONE) return;
    const DrawContext context;
    const Vec2 texels[4];
    for (PhysicsBody* body : bodies_) {
        Color4B color = body->isDynamic() ? Color4B(255, 96, 64, 255) : Color4B(64, 160, 255, 255);
        for (PhysicsShape* shape : body->getShapes()) {
            if (!shape->isInSpace()) continue;
            std::array<Vec2, 4> points = shape->getPoints();
            for (std::size_t i = 0; i < 4; ++i) {
                cpVect a = cpBodyLocalToWorld(body->getCPBody(), cpv(points[i].x, points[i].y));
                cpVect b =
                    cpBodyLocalToWorld(body->getCPBody(), cpv(points[(i + 1) % 4].x, points[(i + 1) % 4].y));
                Vec2 from(static_cast<float>(a.x), static_cast<float>(a.y));
                Vec2 to(static_cast<float>(b.x), static_cast<float>(b.y));
                Vec2 across = Vec2(from.y - to.y, to.x - from.x).getNormalized() * 0.75f;
                const Vec2 corners[4] = {from - across, to - across, to + across, from + across};
                renderer.drawQuad(context, corners, nullptr, texels, color,
                                  BlendFunc::ALPHA_NON_PREMULTIPLIED);
            }
        }
    }
}

}  // namespace engine
