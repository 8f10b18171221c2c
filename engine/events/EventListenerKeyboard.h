#pragma once

#include <functional>

#include "engine/events/EventListener.h"
#include "engine/events/KeyCode.h"

namespace engine {

class EventListenerKeyboard : public EventListener {
public:
    static constexpr const char* LISTENER_ID = "__keyboard";

    static EventListenerKeyboard* create();
    void onEvent(Event* event) override;

    std::function<void(KeyCode, Event*)> onKeyPressed;
    std::function<void(KeyCode, Event*)> onKeyReleased;

private:
    EventListenerKeyboard() : EventListener(LISTENER_ID) {}
};

}  // namespace engine
