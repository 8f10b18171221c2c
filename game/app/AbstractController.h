#pragma once

#include "engine/scene/Node.h"

namespace vastomer {

class NLayer;

// Base of every screen's controller: reads input and drives its screen in update while active.
// A controller clears `active` itself just before it asks for a scene change, so it acts once.
class AbstractController : public engine::Node {
public:
    bool init() override;

    virtual bool isActive() const { return active_; }
    void setActive(bool active) { active_ = active; }
    // Each controller keeps the screen it drives, as its own screen class.
    virtual void setScene(NLayer* scene);
    // Called when the screen has been uncovered; by default starts the per-frame update.
    virtual void start();
    // Called when the screen is being replaced; controllers that scheduled updates unschedule them.
    virtual void stop();

protected:
    AbstractController() = default;

private:
    bool active_ = true;
};

}  // namespace vastomer
