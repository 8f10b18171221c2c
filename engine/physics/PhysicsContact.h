#pragma once

#include "engine/base/Geometry.h"
#include "engine/events/EventCustom.h"

struct cpArbiter;

namespace engine {

class PhysicsShape;

// Geometry of a contact, in world coordinates: the unit normal points from shape A towards
// shape B; the points (usually one or two) lie on shape A's surface.
struct PhysicsContactData {
    static constexpr int POINT_MAX = 4;
    Vec2 points[POINT_MAX];
    int count = 0;
    Vec2 normal;
};

// A contact event between two shapes, sent to every EventListenerPhysicsContact. A and B are in
// the order the physics library reports the pair, which may differ between the begin and the
// separation of the same contact: read the normal with the order at hand.
class PhysicsContact : public EventCustom {
public:
    static constexpr const char* EVENT_NAME = "PhysicsContactEvent";
    enum class EventCode { NONE, BEGIN, PRESOLVE, POSTSOLVE, SEPARATE };

    PhysicsContact(PhysicsShape* shapeA, PhysicsShape* shapeB, EventCode code, const PhysicsContactData* data,
                   void** userDataSlot, cpArbiter* arbiter);

    PhysicsShape* getShapeA() const { return shapeA_; }
    PhysicsShape* getShapeB() const { return shapeB_; }
    EventCode getEventCode() const { return code_; }
    // Refreshed before each begin and pre-solve; a separation carries the last one.
    const PhysicsContactData* getContactData() const { return data_; }
    // A pointer kept with the contact from its begin to its separation.
    void* getData() const { return userDataSlot_ ? *userDataSlot_ : nullptr; }
    void setData(void* data) {
        if (userDataSlot_) *userDataSlot_ = data;
    }
    // Begin and pre-solve: whether the pair is processed. Every listener overwrites it; the last
    // listener called decides.
    bool getResult() const { return result_; }
    void setResult(bool result) { result_ = result; }
    cpArbiter* getArbiter() const { return arbiter_; }

private:
    PhysicsShape* shapeA_;
    PhysicsShape* shapeB_;
    EventCode code_;
    const PhysicsContactData* data_;
    void** userDataSlot_;
    cpArbiter* arbiter_;
    bool result_ = true;
};

}  // namespace engine
