#include "engine/actions/CallFunc.h"

#include "engine/base/RefPtr.h"
#include "engine/scene/Node.h"

namespace engine {

CallFunc* CallFunc::create(const std::function<void()>& function) {
    auto* action = new CallFunc();
    action->function_ = function;
    action->autorelease();
    return action;
}

void CallFunc::update(float t) {
    ActionInstant::update(t);
    if (!function_) return;
    RefPtr<Node> keepTarget(target_);
    // Copy first: the function may stop this action and so destroy the stored one.
    std::function<void()> function = function_;
    function();
}

}  // namespace engine
