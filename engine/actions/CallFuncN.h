#pragma once

#include <functional>

#include "engine/actions/ActionInstant.h"

namespace engine {

// Calls a function with the action's target when it runs.
class CallFuncN : public ActionInstant {
public:
    static CallFuncN* create(const std::function<void(Node*)>& function);
    void update(float t) override;

private:
    CallFuncN() = default;
    std::function<void(Node*)> function_;
};

}  // namespace engine
