#pragma once

#include "engine/base/RefPtr.h"
#include "engine/physics/EventListenerPhysicsContact.h"

namespace engine {
class PhysicsContact;
}  // namespace engine

namespace vastomer {

// The physics contacts of a menu screen's small stage (the shop, the status room, the gallery),
// handed to the characters standing on it so that they land and stay on its floor. The screens
// have no sensors and nothing to fight: every contact goes to the character that takes part in it.
class StageContactRouter {
public:
    static constexpr int PRIORITY = -254;

    StageContactRouter() = default;
    ~StageContactRouter();
    StageContactRouter(const StageContactRouter&) = delete;
    StageContactRouter& operator=(const StageContactRouter&) = delete;

    // Registers the listener and sets the running world's speed to 1.
    void install();
    void uninstall();
    bool isInstalled() const { return static_cast<bool>(listener_); }

    static bool onContactBegin(engine::PhysicsContact& contact);
    static void onContactSeparate(engine::PhysicsContact& contact);

private:
    engine::RefPtr<engine::EventListenerPhysicsContact> listener_;
};

}  // namespace vastomer
