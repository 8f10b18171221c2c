#pragma once

#include <functional>

#include "engine/actions/ActionInstant.h"

namespace engine {

// Calls a function when it runs.
class CallFunc : public ActionInstant {
public:
    static CallFunc* create(const std::function<void()>& function);
    void update(float t) override;

private:
    CallFunc() = default;
    std::function<void()> function_;
};

}  // namespace engine
