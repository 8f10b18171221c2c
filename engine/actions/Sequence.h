#pragma once

#include <initializer_list>
#include <vector>

#include "engine/actions/ActionInterval.h"
#include "engine/base/RefPtr.h"

namespace engine {

// Runs actions one after the other. Longer lists nest to the left: ((a0, a1), a2), ...
// Crossing from one action to the next finishes the first (update(1), stop) and starts the next
// in the same frame, so a chain of instant actions runs completely in one frame.
class Sequence : public ActionInterval {
public:
    static Sequence* create(std::initializer_list<FiniteTimeAction*> actions);
    static Sequence* create(const std::vector<FiniteTimeAction*>& actions);
    static Sequence* createWithTwoActions(FiniteTimeAction* first, FiniteTimeAction* second);

    void startWithTarget(Node* target) override;
    void stop() override;
    void update(float t) override;

private:
    Sequence() = default;

    RefPtr<FiniteTimeAction> actions_[2];
    float split_ = 0.0f;
    int last_ = -1;
};

}  // namespace engine
