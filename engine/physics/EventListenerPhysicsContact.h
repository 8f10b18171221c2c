#pragma once

#include <functional>

#include "engine/events/EventListener.h"

namespace engine {

class PhysicsContact;
class PhysicsContactPostSolve;
class PhysicsContactPreSolve;
class PhysicsShape;

// Receives the contact events of the running scene's physics world. Every listener sees every
// contact of pairs whose masks ask for reports. For begin and pre-solve, each listener called
// overwrites the contact's result (a listener without the callback writes true): the last
// listener dispatched decides whether the pair collides.
class EventListenerPhysicsContact : public EventListener {
public:
    static EventListenerPhysicsContact* create();
    void onEvent(Event* event) override;

    std::function<bool(PhysicsContact&)> onContactBegin;
    std::function<bool(PhysicsContact&, PhysicsContactPreSolve&)> onContactPreSolve;
    std::function<void(PhysicsContact&, const PhysicsContactPostSolve&)> onContactPostSolve;
    std::function<void(PhysicsContact&)> onContactSeparate;

protected:
    EventListenerPhysicsContact();
    // Whether this listener takes the contact between these shapes (all of them here).
    virtual bool hitTest(PhysicsShape* shapeA, PhysicsShape* shapeB) const;
};

}  // namespace engine
