#pragma once

#include <climits>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace engine {

class ActionManager;
class Node;

// Runs, once a frame: the action manager, then node updates by priority (negative, zero, positive;
// equal priorities in the order they were scheduled), then interval and one-shot callbacks.
class Scheduler {
public:
    static constexpr unsigned int REPEAT_FOREVER = UINT_MAX - 1;
    using Callback = std::function<void(float)>;

    Scheduler();
    ~Scheduler();
    Scheduler(const Scheduler&) = delete;
    Scheduler& operator=(const Scheduler&) = delete;

    void setActionManager(ActionManager* manager) { actionManager_ = manager; }
    void update(float dt);

    // Per-frame `update` of a node. Scheduling again with the same priority is ignored;
    // with another priority the entry moves.
    void scheduleUpdate(Node* target, int priority, bool paused);
    void unscheduleUpdate(Node* target);
    bool isUpdateScheduled(const Node* target) const;

    // Interval callbacks. The first pass after scheduling only starts the clock; then the callback
    // fires after `delay` (if any) and every `interval` (0 = every frame), `repeat` + 1 times in all.
    void schedule(const Callback& callback, Node* target, float interval, unsigned int repeat, float delay,
                  bool paused, const std::string& key);
    void unschedule(const std::string& key, const Node* target);
    bool isScheduled(const std::string& key, const Node* target) const;

    void unscheduleAllForTarget(const Node* target);
    void pauseTarget(const Node* target);
    void resumeTarget(const Node* target);
    bool isTargetPaused(const Node* target) const;

private:
    struct UpdateEntry {
        Node* target;
        int priority;
        bool paused;
        bool markedForDeletion;
    };
    using UpdateList = std::list<UpdateEntry>;
    struct UpdateLocation {
        UpdateList* list;
        UpdateList::iterator entry;
    };
    struct Timer {
        std::string key;
        Callback callback;
        double interval;
        double delay;
        unsigned int repeat;
        double elapsed = -1.0;
        unsigned int timesExecuted = 0;
        bool useDelay = false;
        bool cancelled = false;
    };
    struct TimerGroup {
        const Node* target;
        bool paused;
        std::vector<std::unique_ptr<Timer>> timers;
    };

    void removeUpdateEntry(const Node* target);
    void runTimers(float dt);
    static bool fireTimer(Timer& timer, float dt);
    TimerGroup* findTimerGroup(const Node* target) const;
    void purgeDeleted();

    ActionManager* actionManager_ = nullptr;
    UpdateList negative_;
    UpdateList zero_;
    UpdateList positive_;
    std::unordered_map<const Node*, UpdateLocation> updateLookup_;
    // Timer groups in the order their targets were first scheduled (never by pointer value).
    std::vector<std::unique_ptr<TimerGroup>> timerGroups_;
    bool updating_ = false;
};

}  // namespace engine
