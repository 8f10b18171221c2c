#include "engine/scene/Scheduler.h"

#include <algorithm>

#include "engine/actions/ActionManager.h"
#include "engine/base/Misuse.h"
#include "engine/base/RefPtr.h"
#include "engine/scene/Node.h"

namespace engine {

Scheduler::Scheduler() = default;
Scheduler::~Scheduler() = default;

void Scheduler::update(float dt) {
    updating_ = true;
    if (actionManager_) actionManager_->update(dt);

    for (UpdateList* list : {&negative_, &zero_, &positive_}) {
        // Entries appended while the list is walked are visited in the same pass.
        for (auto it = list->begin(); it != list->end(); ++it) {
            if (it->markedForDeletion || it->paused) continue;
            RefPtr<Node> keepAlive(it->target);
            it->target->update(dt);
        }
    }

    runTimers(dt);
    updating_ = false;
    purgeDeleted();
}

void Scheduler::runTimers(float dt) {
    for (std::size_t g = 0; g < timerGroups_.size(); ++g) {
        TimerGroup* group = timerGroups_[g].get();
        if (group->paused || !group->target) continue;
        RefPtr<Node> keepAlive(const_cast<Node*>(group->target));
        for (std::size_t t = 0; t < group->timers.size(); ++t) {
            Timer& timer = *group->timers[t];
            if (timer.cancelled) continue;
            if (fireTimer(timer, dt)) timer.cancelled = true;
            // The target may have unscheduled everything (group emptied) or been paused.
            if (group->paused || !group->target) break;
        }
    }
}

// Advances one timer; returns true when it has run out.
bool Scheduler::fireTimer(Timer& timer, float dt) {
    if (timer.elapsed < 0.0) {
        timer.elapsed = 0.0;
        timer.timesExecuted = 0;
        return false;
    }
    const bool forever = timer.repeat == REPEAT_FOREVER;
    timer.elapsed += dt;
    if (timer.useDelay) {
        if (timer.elapsed < timer.delay) return false;
        Callback callback = timer.callback;  // the callback may reschedule and replace this timer
        timer.elapsed -= timer.delay;
        timer.timesExecuted++;
        timer.useDelay = false;
        callback(static_cast<float>(timer.delay));
        if (timer.cancelled) return true;
        if (!forever && timer.timesExecuted > timer.repeat) return true;
    }
    double interval = timer.interval > 0.0 ? timer.interval : timer.elapsed;
    while (timer.elapsed >= interval) {
        Callback callback = timer.callback;
        timer.elapsed -= interval;
        timer.timesExecuted++;
        callback(static_cast<float>(interval));
        if (timer.cancelled) return true;
        if (!forever && timer.timesExecuted > timer.repeat) return true;
        if (timer.elapsed <= 0.0 || interval <= 0.0) break;
    }
    return false;
}

void Scheduler::scheduleUpdate(Node* target, int priority, bool paused) {
    if (!target) {
        reportMisuse("Scheduler::scheduleUpdate", "the target is null; schedule the update of a node");
        return;
    }
    auto found = updateLookup_.find(target);
    if (found != updateLookup_.end()) {
        UpdateEntry& entry = *found->second.entry;
        if (entry.priority == priority) {
            entry.markedForDeletion = false;
            return;
        }
        removeUpdateEntry(target);
    }
    UpdateEntry entry{target, priority, paused, false};
    UpdateList* list = priority < 0 ? &negative_ : (priority == 0 ? &zero_ : &positive_);
    UpdateList::iterator position = list->end();
    if (priority != 0) {
        // Before the first entry with a strictly greater priority: first come, first served.
        position = std::find_if(list->begin(), list->end(),
                                [priority](const UpdateEntry& e) { return e.priority > priority; });
    }
    auto inserted = list->insert(position, entry);
    updateLookup_[target] = UpdateLocation{list, inserted};
}

void Scheduler::removeUpdateEntry(const Node* target) {
    auto found = updateLookup_.find(target);
    if (found == updateLookup_.end()) return;
    if (updating_) {
        found->second.entry->markedForDeletion = true;
    } else {
        found->second.list->erase(found->second.entry);
    }
    updateLookup_.erase(found);
}

void Scheduler::unscheduleUpdate(Node* target) {
    removeUpdateEntry(target);
}

bool Scheduler::isUpdateScheduled(const Node* target) const {
    return updateLookup_.count(target) != 0;
}

Scheduler::TimerGroup* Scheduler::findTimerGroup(const Node* target) const {
    for (const auto& group : timerGroups_)
        if (group->target == target) return group.get();
    return nullptr;
}

void Scheduler::schedule(const Callback& callback, Node* target, float interval, unsigned int repeat,
                         float delay, bool paused, const std::string& key) {
    if (!target) {
        reportMisuse("Scheduler::schedule", "the target is null; schedule the callback on a node");
        return;
    }
    if (!callback) {
        reportMisuse("Scheduler::schedule", "the callback '" + key + "' is empty; pass a function to call");
        return;
    }
    TimerGroup* group = findTimerGroup(target);
    if (!group) {
        timerGroups_.push_back(std::make_unique<TimerGroup>(TimerGroup{target, paused, {}}));
        group = timerGroups_.back().get();
    }
    for (auto& existing : group->timers) {
        if (existing->key == key && !existing->cancelled) {
            // Re-scheduling an existing key resets it in place.
            existing->callback = callback;
            existing->interval = interval;
            existing->repeat = repeat;
            existing->delay = delay;
            existing->useDelay = delay > 0.0f;
            existing->elapsed = -1.0;
            existing->timesExecuted = 0;
            return;
        }
    }
    auto timer = std::make_unique<Timer>();
    timer->key = key;
    timer->callback = callback;
    timer->interval = interval;
    timer->repeat = repeat;
    timer->delay = delay;
    timer->useDelay = delay > 0.0f;
    group->timers.push_back(std::move(timer));
}

void Scheduler::unschedule(const std::string& key, const Node* target) {
    TimerGroup* group = findTimerGroup(target);
    if (!group) return;
    for (auto& timer : group->timers)
        if (timer->key == key) timer->cancelled = true;
    if (!updating_) purgeDeleted();
}

bool Scheduler::isScheduled(const std::string& key, const Node* target) const {
    TimerGroup* group = findTimerGroup(target);
    if (!group) return false;
    for (const auto& timer : group->timers)
        if (timer->key == key && !timer->cancelled) return true;
    return false;
}

void Scheduler::unscheduleAllForTarget(const Node* target) {
    removeUpdateEntry(target);
    if (TimerGroup* group = findTimerGroup(target)) {
        for (auto& timer : group->timers)
            timer->cancelled = true;
        group->target = nullptr;
    }
    if (!updating_) purgeDeleted();
}

void Scheduler::pauseTarget(const Node* target) {
    auto found = updateLookup_.find(target);
    if (found != updateLookup_.end()) found->second.entry->paused = true;
    if (TimerGroup* group = findTimerGroup(target)) group->paused = true;
}

void Scheduler::resumeTarget(const Node* target) {
    auto found = updateLookup_.find(target);
    if (found != updateLookup_.end()) found->second.entry->paused = false;
    if (TimerGroup* group = findTimerGroup(target)) group->paused = false;
}

bool Scheduler::isTargetPaused(const Node* target) const {
    auto found = updateLookup_.find(target);
    if (found != updateLookup_.end()) return found->second.entry->paused;
    TimerGroup* group = findTimerGroup(target);
    return group && group->paused;
}

void Scheduler::purgeDeleted() {
    for (UpdateList* list : {&negative_, &zero_, &positive_})
        list->remove_if([](const UpdateEntry& e) { return e.markedForDeletion; });
    for (auto& group : timerGroups_) {
        auto& timers = group->timers;
        timers.erase(std::remove_if(timers.begin(), timers.end(), [](const auto& t) { return t->cancelled; }),
                     timers.end());
    }
    timerGroups_.erase(
        std::remove_if(timerGroups_.begin(), timerGroups_.end(),
                       [](const auto& g) { return g->target == nullptr || g->timers.empty(); }),
        timerGroups_.end());
}

}  // namespace engine
