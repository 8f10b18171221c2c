#include "engine/events/EventListenerCustom.h"

#include "engine/events/EventCustom.h"

namespace engine {

EventListenerCustom* EventListenerCustom::create(const std::string& eventName,
                                                 const std::function<void(EventCustom*)>& callback) {
    auto* listener = new EventListenerCustom(eventName, callback);
    listener->autorelease();
    return listener;
}

void EventListenerCustom::onEvent(Event* event) {
    auto callback = callback_;
    if (callback) callback(static_cast<EventCustom*>(event));
}

}  // namespace engine
