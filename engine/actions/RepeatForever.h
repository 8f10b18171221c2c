#pragma once

#include "engine/actions/ActionInterval.h"
#include "engine/base/RefPtr.h"

namespace engine {

// Repeats an interval action without end; each restart carries the overshoot time over.
class RepeatForever : public ActionInterval {
public:
    static RepeatForever* create(ActionInterval* action);

    void startWithTarget(Node* target) override;
    void step(float dt) override;
    bool isDone() const override { return false; }
    ActionInterval* getInnerAction() const { return inner_; }

private:
    RepeatForever() = default;
    RefPtr<ActionInterval> inner_;
};

}  // namespace engine
