#pragma once

#include <functional>
#include <string>

#include "engine/base/Ref.h"

namespace engine {

class Event;
class Node;

// Receives events of one kind (its listener id). Registered either with a fixed priority or
// attached to a node, in which case it is paused while the node is not in the running scene.
class EventListener : public Ref {
public:
    const std::string& getListenerID() const { return listenerID_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool isEnabled() const { return enabled_; }
    bool isRegistered() const { return registered_; }
    int getFixedPriority() const { return fixedPriority_; }
    Node* getAssociatedNode() const { return node_; }
    bool isPaused() const { return paused_; }

    // Delivers the event to the listener's callbacks.
    virtual void onEvent(Event* event) = 0;

protected:
    explicit EventListener(std::string listenerID) : listenerID_(std::move(listenerID)) {}

private:
    friend class EventDispatcher;

    std::string listenerID_;
    bool enabled_ = true;
    bool registered_ = false;
    bool paused_ = false;
    int fixedPriority_ = 0;
    Node* node_ = nullptr;
    uint64_t order_ = 0;
};

}  // namespace engine
