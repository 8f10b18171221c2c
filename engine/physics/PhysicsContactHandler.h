#pragma once

#include <cstdint>
#include <list>

#include "engine/base/RefPtr.h"
#include "engine/physics/PhysicsBody.h"
#include "engine/physics/PhysicsContact.h"
#include "engine/physics/PhysicsShape.h"

struct cpArbiter;
struct cpSpace;

namespace engine {

// Decides, for every pair of shapes that starts touching, whether the pair reports contacts and
// whether it collides (PhysicsShape::shouldNotify / shouldCollide, evaluated once at the first
// contact), and sends the contact events of reporting pairs to the contact listeners.
//
// A reporting pair keeps a record (its shapes and bodies, kept alive, and the last contact data)
// from its begin to its separation, so a separation is always delivered for a delivered begin, even
// when begin returned false or one of the bodies was removed.
//
// The library hands separations over in an order that depends on memory addresses. They are
// collected and delivered in the order the contacts began: within a step, just before velocities are
// integrated (the first body's velocity update asks for them, which is where the library would have
// called them anyway); after a removal, once the removal is over.
//
// The handler is the space's user data, so that a body's velocity update can find it.
class PhysicsContactHandler {
public:
    explicit PhysicsContactHandler(cpSpace* space);
    ~PhysicsContactHandler();
    PhysicsContactHandler(const PhysicsContactHandler&) = delete;
    PhysicsContactHandler& operator=(const PhysicsContactHandler&) = delete;

    bool hasSeparations() const { return !separated_.empty(); }
    void deliverSeparations();
    // The handler of the space a body is in (called from inside a step).
    static PhysicsContactHandler* of(cpSpace* space);
    // While silent, contacts are ended without events (the world is being destroyed).
    void setSilent(bool silent) { silent_ = silent; }
    std::size_t getOpenContactCount() const { return open_.size(); }

private:
    struct Record {
        std::uint64_t serial = 0;
        RefPtr<PhysicsShape> shapeA, shapeB;
        RefPtr<PhysicsBody> bodyA, bodyB;
        PhysicsContactData data;
        void* userData = nullptr;
        std::list<Record>::iterator self;
    };

    static unsigned char onBegin(cpArbiter* arbiter, cpSpace* space, void* handler);
    static unsigned char onPreSolve(cpArbiter* arbiter, cpSpace* space, void* handler);
    static void onPostSolve(cpArbiter* arbiter, cpSpace* space, void* handler);
    static void onSeparate(cpArbiter* arbiter, cpSpace* space, void* handler);

    bool begin(cpArbiter* arbiter);
    bool dispatch(Record& record, PhysicsContact::EventCode code, cpArbiter* arbiter);
    // Reads the normal and points as seen from `shapeA` (the library may report a pair in either
    // order from one step to the next; the contact keeps the order it began with).
    static void readContactData(cpArbiter* arbiter, const PhysicsShape* shapeA, PhysicsContactData& data);

    std::list<Record> open_;
    std::list<Record> separated_;
    std::uint64_t nextSerial_ = 0;
    bool silent_ = false;
};

}  // namespace engine
