#include "engine/actions/CallFuncN.h"

#include "engine/base/RefPtr.h"
#include "engine/scene/Node.h"

namespace engine {

CallFuncN* CallFuncN::create(const std::function<void(Node*)>& function) {
    auto* action = new CallFuncN();
    action->function_ = function;
    action->autorelease();
    return action;
}

void CallFuncN::update(float t) {
    ActionInstant::update(t);
    if (!function_) return;
    RefPtr<Node> keepTarget(target_);
    std::function<void(Node*)> function = function_;
    function(keepTarget.get());
}

}  // namespace engine
