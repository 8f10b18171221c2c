#include "engine/physics/PhysicsContact.h"

namespace engine {

PhysicsContact::PhysicsContact(PhysicsShape* shapeA, PhysicsShape* shapeB, EventCode code,
                               const PhysicsContactData* data, void** userDataSlot, cpArbiter* arbiter)
    : EventCustom(EVENT_NAME),
      shapeA_(shapeA),
      shapeB_(shapeB),
      code_(code),
      data_(data),
      userDataSlot_(userDataSlot),
      arbiter_(arbiter) {}

}  // namespace engine
