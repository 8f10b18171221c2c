#pragma once

#include <functional>
#include <string>

#include "engine/events/EventListener.h"

namespace engine {

class EventCustom;

// Listens for custom events of one name.
class EventListenerCustom : public EventListener {
public:
    static EventListenerCustom* create(const std::string& eventName,
                                       const std::function<void(EventCustom*)>& callback);
    void onEvent(Event* event) override;

protected:
    EventListenerCustom(const std::string& eventName, std::function<void(EventCustom*)> callback)
        : EventListener(eventName), callback_(std::move(callback)) {}

private:
    std::function<void(EventCustom*)> callback_;
};

}  // namespace engine
