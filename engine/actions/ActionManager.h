#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

namespace engine {

class Action;
class Node;

// Steps every running action once a frame, target by target in the order targets first got an action.
// It retains each target and action while it holds them, so a node that removes itself from inside
// one of its actions stays valid until the frame ends.
class ActionManager {
public:
    ActionManager();
    ~ActionManager();
    ActionManager(const ActionManager&) = delete;
    ActionManager& operator=(const ActionManager&) = delete;

    void addAction(Action* action, Node* target, bool paused);
    void removeAction(Action* action);
    void removeActionByTag(int tag, const Node* target);
    void removeAllActionsFromTarget(const Node* target);
    void removeAllActions();
    Action* getActionByTag(int tag, const Node* target) const;
    std::size_t getNumberOfRunningActionsInTarget(const Node* target) const;
    std::size_t getNumberOfRunningActions() const;

    void pauseTarget(const Node* target);
    void resumeTarget(const Node* target);

    void update(float dt);

private:
    struct Element {
        Node* target;
        std::vector<Action*> actions;  // null slots are removed actions awaiting compaction
        bool paused;
    };

    Element* find(const Node* target) const;
    // Whether the manager is stepping `action` (on the node it was started on).
    bool isRunning(const Action* action) const;
    void detachAction(Element* element, std::size_t index);
    void compact();

    std::vector<std::unique_ptr<Element>> elements_;
    std::unordered_map<const Node*, Element*> lookup_;
    bool updating_ = false;
};

}  // namespace engine
