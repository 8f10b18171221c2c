#pragma once

#include "engine/base/Ref.h"

namespace engine {

class Node;

// Base of every action. The action manager calls `startWithTarget` when the action is run,
// `step` once a frame, and `stop` when it finishes on its own.
class Action : public Ref {
public:
    static constexpr int INVALID_TAG = -1;

    virtual void startWithTarget(Node* target);
    virtual void stop();
    virtual void step(float dt);
    // t runs from 0 to 1 over the action's duration.
    virtual void update(float t);
    virtual bool isDone() const { return true; }

    Node* getTarget() const { return target_; }
    void setTarget(Node* target) { target_ = target; }
    Node* getOriginalTarget() const { return originalTarget_; }
    void setOriginalTarget(Node* target) { originalTarget_ = target; }
    int getTag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

protected:
    Action() = default;

    Node* target_ = nullptr;
    Node* originalTarget_ = nullptr;
    int tag_ = INVALID_TAG;
};

// An action with a known duration in seconds (instant actions have duration 0).
class FiniteTimeAction : public Action {
public:
    float getDuration() const { return duration_; }
    void setDuration(float duration) { duration_ = duration; }

protected:
    FiniteTimeAction() = default;
    float duration_ = 0.0f;
};

}  // namespace engine
