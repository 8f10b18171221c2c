#include "engine/physics/EventListenerPhysicsContact.h"

#include "engine/physics/PhysicsContact.h"
#include "engine/physics/PhysicsContactPostSolve.h"
#include "engine/physics/PhysicsContactPreSolve.h"

namespace engine {

EventListenerPhysicsContact::EventListenerPhysicsContact() : EventListener(PhysicsContact::EVENT_NAME) {}

EventListenerPhysicsContact* EventListenerPhysicsContact::create() {
    auto* listener = new EventListenerPhysicsContact();
    listener->autorelease();
    return listener;
}

bool EventListenerPhysicsContact::hitTest(PhysicsShape* /*shapeA*/, PhysicsShape* /*shapeB*/) const {
    return true;
}

void EventListenerPhysicsContact::onEvent(Event* event) {
    auto* contact = static_cast<PhysicsContact*>(event);
    if (!hitTest(contact->getShapeA(), contact->getShapeB())) return;
    // Callbacks are copied first: a callback may replace itself while it runs.
    switch (contact->getEventCode()) {
        case PhysicsContact::EventCode::BEGIN: {
            auto callback = onContactBegin;
            contact->setResult(callback ? callback(*contact) : true);
            break;
        }
        case PhysicsContact::EventCode::PRESOLVE: {
            auto callback = onContactPreSolve;
            PhysicsContactPreSolve solve(contact->getArbiter());
            contact->setResult(callback ? callback(*contact, solve) : true);
            break;
        }
        case PhysicsContact::EventCode::POSTSOLVE: {
            auto callback = onContactPostSolve;
            if (callback) callback(*contact, PhysicsContactPostSolve(contact->getArbiter()));
            break;
        }
        case PhysicsContact::EventCode::SEPARATE: {
            auto callback = onContactSeparate;
            if (callback) callback(*contact);
            break;
        }
        case PhysicsContact::EventCode::NONE:
            break;
    }
}

}  // namespace engine
