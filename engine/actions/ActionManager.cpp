#include "engine/actions/ActionManager.h"

#include <algorithm>

#include "engine/actions/Action.h"
#include "engine/base/Misuse.h"
#include "engine/scene/Node.h"

namespace engine {

ActionManager::ActionManager() = default;

ActionManager::~ActionManager() {
    removeAllActions();
}

ActionManager::Element* ActionManager::find(const Node* target) const {
    auto it = lookup_.find(target);
    return it == lookup_.end() ? nullptr : it->second;
}

void ActionManager::addAction(Action* action, Node* target, bool paused) {
    if (!action) {
        reportMisuse("ActionManager::addAction", "the action is null; check the create() call that made it");
        return;
    }
    if (!target) {
        reportMisuse("ActionManager::addAction",
                     "the target is null; run the action on a node with Node::runAction()");
        return;
    }
    if (isRunning(action)) {
        reportMisuse("ActionManager::addAction",
                     "the action is already running; an action runs on one node at a time, so create another "
                     "(or wait until it is done)");
        return;
    }
    Element* element = find(target);
    if (!element) {
        elements_.push_back(std::make_unique<Element>(Element{target, {}, paused}));
        element = elements_.back().get();
        lookup_[target] = element;
        target->retain();
    }
    action->retain();
    element->actions.push_back(action);
    action->startWithTarget(target);
}

bool ActionManager::isRunning(const Action* action) const {
    const Element* element = find(action->getOriginalTarget());
    return element &&
           std::find(element->actions.begin(), element->actions.end(), action) != element->actions.end();
}

void ActionManager::detachAction(Element* element, std::size_t index) {
    Action* action = element->actions[index];
    element->actions[index] = nullptr;
    // Released at the end of the frame: the action may be the one running right now.
    action->autorelease();
}

void ActionManager::removeAction(Action* action) {
    if (!action) return;
    Node* target = action->getOriginalTarget();
    Element* element = find(target);
    if (!element) return;
    auto& actions = element->actions;
    auto it = std::find(actions.begin(), actions.end(), action);
    if (it != actions.end()) detachAction(element, static_cast<std::size_t>(it - actions.begin()));
    if (!updating_) compact();
}

void ActionManager::removeActionByTag(int tag, const Node* target) {
    Element* element = find(target);
    if (!element) return;
    for (std::size_t i = 0; i < element->actions.size(); ++i) {
        Action* action = element->actions[i];
        if (action && action->getTag() == tag) {
            detachAction(element, i);
            break;
        }
    }
    if (!updating_) compact();
}

void ActionManager::removeAllActionsFromTarget(const Node* target) {
    Element* element = find(target);
    if (!element) return;
    for (std::size_t i = 0; i < element->actions.size(); ++i)
        if (element->actions[i]) detachAction(element, i);
    if (!updating_) compact();
}

void ActionManager::removeAllActions() {
    for (auto& element : elements_)
        for (std::size_t i = 0; i < element->actions.size(); ++i)
            if (element->actions[i]) detachAction(element.get(), i);
    if (!updating_) compact();
}

Action* ActionManager::getActionByTag(int tag, const Node* target) const {
    Element* element = find(target);
    if (!element) return nullptr;
    for (Action* action : element->actions)
        if (action && action->getTag() == tag) return action;
    return nullptr;
}

std::size_t ActionManager::getNumberOfRunningActionsInTarget(const Node* target) const {
    Element* element = find(target);
    if (!element) return 0;
    return static_cast<std::size_t>(std::count_if(element->actions.begin(), element->actions.end(),
                                                  [](Action* a) { return a != nullptr; }));
}

std::size_t ActionManager::getNumberOfRunningActions() const {
    std::size_t count = 0;
    for (const auto& element : elements_)
        count += getNumberOfRunningActionsInTarget(element->target);
    return count;
}

void ActionManager::pauseTarget(const Node* target) {
    if (Element* element = find(target)) element->paused = true;
}

void ActionManager::resumeTarget(const Node* target) {
    if (Element* element = find(target)) element->paused = false;
}

void ActionManager::update(float dt) {
    updating_ = true;
    // Targets and actions added during the pass are appended and stepped in the same pass.
    for (std::size_t e = 0; e < elements_.size(); ++e) {
        Element* element = elements_[e].get();
        if (element->paused) continue;
        for (std::size_t i = 0; i < element->actions.size(); ++i) {
            Action* action = element->actions[i];
            if (!action) continue;
            action->step(dt);
            // The step may have removed the action (slot cleared) or every action of the target.
            if (i < element->actions.size() && element->actions[i] == action && action->isDone()) {
                action->stop();
                if (i < element->actions.size() && element->actions[i] == action) detachAction(element, i);
            }
            if (element->paused) break;
        }
    }
    updating_ = false;
    compact();
}

void ActionManager::compact() {
    std::vector<Node*> released;
    for (auto& element : elements_) {
        auto& actions = element->actions;
        actions.erase(std::remove(actions.begin(), actions.end(), nullptr), actions.end());
    }
    auto end =
        std::remove_if(elements_.begin(), elements_.end(), [&](const std::unique_ptr<Element>& element) {
            if (!element->actions.empty()) return false;
            lookup_.erase(element->target);
            released.push_back(element->target);
            return true;
        });
    elements_.erase(end, elements_.end());
    // Dropping the last reference may destroy a target, which calls back into this manager.
    for (Node* target : released)
        target->autorelease();
}

}  // namespace engine
