#include "engine/events/EventDispatcher.h"

#include <algorithm>
#include <unordered_map>

#include "engine/base/RefPtr.h"
#include "engine/events/EventCustom.h"
#include "engine/events/EventListener.h"
#include "engine/events/EventListenerKeyboard.h"
#include "engine/scene/Director.h"
#include "engine/scene/Node.h"
#include "engine/scene/Scene.h"

namespace engine {

namespace {

// Visit order of every node in the running scene (children behind, node, children in front).
void numberNodes(Node* node, std::unordered_map<const Node*, int>& order, int& next) {
    node->sortAllChildren();
    const auto& children = node->getChildren();
    std::size_t i = 0;
    for (; i < children.size() && children[i]->getLocalZOrder() < 0; ++i)
        numberNodes(children[i], order, next);
    order[node] = next++;
    for (; i < children.size(); ++i)
        numberNodes(children[i], order, next);
}

}  // namespace

EventDispatcher::~EventDispatcher() {
    removeAllEventListeners();
}

void EventDispatcher::attach(EventListener* listener) {
    listener->retain();
    listener->registered_ = true;
    listener->order_ = nextOrder_++;
    listeners_.push_back(listener);
}

void EventDispatcher::addEventListenerWithFixedPriority(EventListener* listener, int priority) {
    if (!listener || listener->registered_ || priority == 0) return;
    listener->fixedPriority_ = priority;
    listener->node_ = nullptr;
    listener->paused_ = false;
    attach(listener);
}

void EventDispatcher::addEventListenerWithSceneGraphPriority(EventListener* listener, Node* node) {
    if (!listener || !node || listener->registered_) return;
    listener->fixedPriority_ = 0;
    listener->node_ = node;
    listener->paused_ = !node->isRunning();
    attach(listener);
}

void EventDispatcher::removeEventListener(EventListener* listener) {
    if (!listener || !listener->registered_) return;
    listener->registered_ = false;
    if (!dispatching_) purgeRemoved();
}

void EventDispatcher::removeEventListenersForTarget(const Node* node) {
    for (EventListener* listener : listeners_)
        if (listener->node_ == node) {
            listener->registered_ = false;
            listener->node_ = nullptr;
        }
    if (!dispatching_) purgeRemoved();
}

void EventDispatcher::removeAllEventListeners() {
    for (EventListener* listener : listeners_)
        listener->registered_ = false;
    if (!dispatching_) purgeRemoved();
}

void EventDispatcher::pauseEventListenersForTarget(const Node* node) {
    for (EventListener* listener : listeners_)
        if (listener->node_ == node) listener->paused_ = true;
}

void EventDispatcher::resumeEventListenersForTarget(const Node* node) {
    for (EventListener* listener : listeners_)
        if (listener->node_ == node) listener->paused_ = false;
}

void EventDispatcher::purgeRemoved() {
    std::vector<EventListener*> removed;
    auto end = std::remove_if(listeners_.begin(), listeners_.end(), [&](EventListener* listener) {
        if (listener->registered_) return false;
        removed.push_back(listener);
        return true;
    });
    listeners_.erase(end, listeners_.end());
    for (EventListener* listener : removed)
        listener->release();
}

void EventDispatcher::dispatchEvent(Event* event) {
    if (event->getType() == Event::Type::KEYBOARD) {
        dispatchEvent(event, EventListenerKeyboard::LISTENER_ID);
    } else {
        dispatchEvent(event, static_cast<EventCustom*>(event)->getEventName());
    }
}

void EventDispatcher::dispatchEvent(Event* event, const std::string& listenerID) {
    std::vector<EventListener*> negative, graph, positive;
    for (EventListener* listener : listeners_) {
        if (!listener->registered_ || listener->listenerID_ != listenerID) continue;
        if (listener->node_) {
            graph.push_back(listener);
        } else if (listener->fixedPriority_ < 0) {
            negative.push_back(listener);
        } else {
            positive.push_back(listener);
        }
    }
    auto byPriority = [](const EventListener* a, const EventListener* b) {
        if (a->fixedPriority_ != b->fixedPriority_) return a->fixedPriority_ < b->fixedPriority_;
        return a->order_ < b->order_;
    };
    std::stable_sort(negative.begin(), negative.end(), byPriority);
    std::stable_sort(positive.begin(), positive.end(), byPriority);
    if (!graph.empty()) {
        std::unordered_map<const Node*, int> order;
        int next = 0;
        Director* director = Director::peekInstance();
        if (director && director->getRunningScene()) numberNodes(director->getRunningScene(), order, next);
        auto rank = [&](const EventListener* l) {
            auto it = order.find(l->node_);
            return it == order.end() ? -1 : it->second;
        };
        std::stable_sort(graph.begin(), graph.end(), [&](const EventListener* a, const EventListener* b) {
            int ra = rank(a), rb = rank(b);
            if (ra != rb) return ra > rb;
            return a->order_ < b->order_;
        });
    }

    std::vector<RefPtr<EventListener>> ordered;
    ordered.reserve(negative.size() + graph.size() + positive.size());
    for (auto* group : {&negative, &graph, &positive})
        for (EventListener* listener : *group)
            ordered.emplace_back(listener);

    ++dispatching_;
    for (auto& listener : ordered) {
        if (event->isStopped()) break;
        if (!listener->registered_ || !listener->enabled_ || listener->paused_) continue;
        RefPtr<Node> keepNode(listener->node_);
        event->setCurrentTarget(listener->node_);
        listener->onEvent(event);
    }
    --dispatching_;
    if (!dispatching_) purgeRemoved();
}

void EventDispatcher::dispatchCustomEvent(const std::string& name, void* userData) {
    EventCustom event(name, userData);
    dispatchEvent(&event, name);
}

}  // namespace engine
