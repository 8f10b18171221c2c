#pragma once

#include "engine/events/Event.h"
#include "engine/events/KeyCode.h"

namespace engine {

// One key going down or up. Key repeats are never delivered.
class EventKeyboard : public Event {
public:
    EventKeyboard(KeyCode code, bool pressed) : Event(Type::KEYBOARD), code_(code), pressed_(pressed) {}

    KeyCode getKeyCode() const { return code_; }
    bool isPressed() const { return pressed_; }

private:
    KeyCode code_;
    bool pressed_;
};

}  // namespace engine
