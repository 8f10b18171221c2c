#pragma once

#include <string>

namespace engine {

class Node;

// Something that happened, handed to the listeners registered for its kind.
class Event {
public:
    enum class Type { KEYBOARD, CUSTOM };

    explicit Event(Type type) : type_(type) {}
    virtual ~Event() = default;

    Type getType() const { return type_; }
    // Stops the event from reaching further listeners.
    void stopPropagation() { stopped_ = true; }
    bool isStopped() const { return stopped_; }
    // The node of the listener being called (null for fixed-priority listeners).
    Node* getCurrentTarget() const { return currentTarget_; }
    void setCurrentTarget(Node* target) { currentTarget_ = target; }

private:
    Type type_;
    bool stopped_ = false;
    Node* currentTarget_ = nullptr;
};

}  // namespace engine
