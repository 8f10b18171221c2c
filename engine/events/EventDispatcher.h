#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace engine {

class Event;
class EventListener;
class Node;

// Delivers events to listeners in priority order: fixed priorities below 0 (ascending),
// then listeners attached to nodes (front-most node first), then fixed priorities above 0.
// Listeners with equal priority are called in the order they were added.
class EventDispatcher {
public:
    EventDispatcher() = default;
    ~EventDispatcher();
    EventDispatcher(const EventDispatcher&) = delete;
    EventDispatcher& operator=(const EventDispatcher&) = delete;

    // `priority` must not be 0 (0 is the node-attached band).
    void addEventListenerWithFixedPriority(EventListener* listener, int priority);
    void addEventListenerWithSceneGraphPriority(EventListener* listener, Node* node);
    void removeEventListener(EventListener* listener);
    void removeEventListenersForTarget(const Node* node);
    void removeAllEventListeners();
    void pauseEventListenersForTarget(const Node* node);
    void resumeEventListenersForTarget(const Node* node);

    // Sends the event to every listener whose id matches (keyboard events: the keyboard id;
    // custom events: their name).
    void dispatchEvent(Event* event);
    void dispatchEvent(Event* event, const std::string& listenerID);
    void dispatchCustomEvent(const std::string& name, void* userData = nullptr);

    std::size_t getListenerCount() const { return listeners_.size(); }

private:
    void attach(EventListener* listener);
    void purgeRemoved();

    std::vector<EventListener*> listeners_;
    uint64_t nextOrder_ = 0;
    int dispatching_ = 0;
};

}  // namespace engine
