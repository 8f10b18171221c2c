#include "engine/physics/PhysicsContactHandler.h"

#include <chipmunk/chipmunk.h>

#include <algorithm>

#include "engine/events/EventDispatcher.h"
#include "engine/scene/Director.h"
#include "engine/scene/Node.h"

namespace engine {

PhysicsContactHandler::PhysicsContactHandler(cpSpace* space) {
    cpCollisionHandler* handler = cpSpaceAddDefaultCollisionHandler(space);
    handler->beginFunc = &PhysicsContactHandler::onBegin;
    handler->preSolveFunc = &PhysicsContactHandler::onPreSolve;
    handler->postSolveFunc = &PhysicsContactHandler::onPostSolve;
    handler->separateFunc = &PhysicsContactHandler::onSeparate;
    handler->userData = this;
    cpSpaceSetUserData(space, this);
}

PhysicsContactHandler* PhysicsContactHandler::of(cpSpace* space) {
    return space ? static_cast<PhysicsContactHandler*>(cpSpaceGetUserData(space)) : nullptr;
}

PhysicsContactHandler::~PhysicsContactHandler() = default;

// ---------------------------------------------------------------- library callbacks

cpBool PhysicsContactHandler::onBegin(cpArbiter* arbiter, cpSpace* /*space*/, void* handler) {
    return static_cast<PhysicsContactHandler*>(handler)->begin(arbiter) ? cpTrue : cpFalse;
}

cpBool PhysicsContactHandler::onPreSolve(cpArbiter* arbiter, cpSpace* /*space*/, void* handler) {
    auto* record = static_cast<Record*>(cpArbiterGetUserData(arbiter));
    if (!record) return cpTrue;
    readContactData(arbiter, record->shapeA.get(), record->data);
    auto* self = static_cast<PhysicsContactHandler*>(handler);
    return self->dispatch(*record, PhysicsContact::EventCode::PRESOLVE, arbiter) ? cpTrue : cpFalse;
}

void PhysicsContactHandler::onPostSolve(cpArbiter* arbiter, cpSpace* /*space*/, void* handler) {
    auto* record = static_cast<Record*>(cpArbiterGetUserData(arbiter));
    if (!record) return;
    static_cast<PhysicsContactHandler*>(handler)->dispatch(*record, PhysicsContact::EventCode::POSTSOLVE,
                                                           arbiter);
}

void PhysicsContactHandler::onSeparate(cpArbiter* arbiter, cpSpace* /*space*/, void* handler) {
    auto* record = static_cast<Record*>(cpArbiterGetUserData(arbiter));
    if (!record) return;
    cpArbiterSetUserData(arbiter, nullptr);
    auto* self = static_cast<PhysicsContactHandler*>(handler);
    self->separated_.splice(self->separated_.end(), self->open_, record->self);
}

// ---------------------------------------------------------------- decisions and dispatch

bool PhysicsContactHandler::begin(cpArbiter* arbiter) {
    cpShape *a = nullptr, *b = nullptr;
    cpArbiterGetShapes(arbiter, &a, &b);
    auto* shapeA = static_cast<PhysicsShape*>(cpShapeGetUserData(a));
    auto* shapeB = static_cast<PhysicsShape*>(cpShapeGetUserData(b));
    if (!shapeA || !shapeB) return true;
    bool collide = PhysicsShape::shouldCollide(*shapeA, *shapeB);
    if (!PhysicsShape::shouldNotify(*shapeA, *shapeB) || silent_) return collide;

    open_.emplace_back();
    Record& record = open_.back();
    record.self = std::prev(open_.end());
    record.serial = nextSerial_++;
    record.shapeA = shapeA;
    record.shapeB = shapeB;
    record.bodyA = shapeA->getBody();
    record.bodyB = shapeB->getBody();
    cpArbiterSetUserData(arbiter, &record);
    readContactData(arbiter, record.shapeA.get(), record.data);
    bool accepted = dispatch(record, PhysicsContact::EventCode::BEGIN, arbiter);
    // Rejected pairs (by the masks or by the listeners) are ignored by the solver until they
    // separate; the separation is still delivered.
    return collide && accepted;
}

bool PhysicsContactHandler::dispatch(Record& record, PhysicsContact::EventCode code, cpArbiter* arbiter) {
    Director* director = Director::peekInstance();
    if (!director || silent_) return true;
    // The listeners may remove these nodes; they stay valid until the frame ends.
    RefPtr<Node> nodeA(record.bodyA ? record.bodyA->getNode() : nullptr);
    RefPtr<Node> nodeB(record.bodyB ? record.bodyB->getNode() : nullptr);
    PhysicsContact contact(record.shapeA.get(), record.shapeB.get(), code, &record.data, &record.userData,
                           arbiter);
    director->getEventDispatcher()->dispatchEvent(&contact);
    return contact.getResult();
}

void PhysicsContactHandler::deliverSeparations() {
    while (!separated_.empty()) {
        std::list<Record> batch;
        batch.splice(batch.end(), separated_);
        batch.sort([](const Record& x, const Record& y) { return x.serial < y.serial; });
        for (Record& record : batch)
            dispatch(record, PhysicsContact::EventCode::SEPARATE, nullptr);
    }
}

void PhysicsContactHandler::readContactData(cpArbiter* arbiter, const PhysicsShape* shapeA,
                                            PhysicsContactData& data) {
    cpShape *a = nullptr, *b = nullptr;
    cpArbiterGetShapes(arbiter, &a, &b);
    const bool flipped = shapeA && a && static_cast<const PhysicsShape*>(cpShapeGetUserData(a)) != shapeA;
    cpContactPointSet set = cpArbiterGetContactPointSet(arbiter);
    data.count = std::min(set.count, PhysicsContactData::POINT_MAX);
    const float sign = flipped ? -1.0f : 1.0f;
    data.normal = Vec2(sign * static_cast<float>(set.normal.x), sign * static_cast<float>(set.normal.y));
    for (int i = 0; i < data.count; ++i) {
        const cpVect& p = flipped ? set.points[i].pointB : set.points[i].pointA;
        data.points[i] = Vec2(static_cast<float>(p.x), static_cast<float>(p.y));
    }
}

}  // namespace engine
