#pragma once

#include <initializer_list>
#include <vector>

#include "engine/actions/ActionInterval.h"
#include "engine/base/RefPtr.h"

namespace engine {

// Runs actions together for the longest one's duration; shorter ones are padded with a delay,
// so every action receives the same t.
class Spawn : public ActionInterval {
public:
    static Spawn* create(std::initializer_list<FiniteTimeAction*> actions);
    static Spawn* create(const std::vector<FiniteTimeAction*>& actions);
    static Spawn* createWithTwoActions(FiniteTimeAction* first, FiniteTimeAction* second);

    void startWithTarget(Node* target) override;
    void stop() override;
    void update(float t) override;

private:
    Spawn() = default;

    RefPtr<FiniteTimeAction> one_;
    RefPtr<FiniteTimeAction> two_;
};

}  // namespace engine
