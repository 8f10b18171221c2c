#pragma once

#include <string>

#include "engine/events/Event.h"

namespace engine {

// An event identified by name, carrying a pointer the sender and listeners agree on.
class EventCustom : public Event {
public:
    explicit EventCustom(std::string name, void* userData = nullptr)
        : Event(Type::CUSTOM), name_(std::move(name)), userData_(userData) {}

    const std::string& getEventName() const { return name_; }
    void* getUserData() const { return userData_; }
    void setUserData(void* data) { userData_ = data; }

private:
    std::string name_;
    void* userData_;
};

}  // namespace engine
