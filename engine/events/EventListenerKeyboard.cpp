#include "engine/events/EventListenerKeyboard.h"

#include "engine/events/EventKeyboard.h"

namespace engine {

EventListenerKeyboard* EventListenerKeyboard::create() {
    auto* listener = new EventListenerKeyboard();
    listener->autorelease();
    return listener;
}

void EventListenerKeyboard::onEvent(Event* event) {
    auto* key = static_cast<EventKeyboard*>(event);
    // Copy: the callback may replace or destroy the stored function.
    auto callback = key->isPressed() ? onKeyPressed : onKeyReleased;
    if (callback) callback(key->getKeyCode(), event);
}

}  // namespace engine
