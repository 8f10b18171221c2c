#include "engine/actions/RemoveSelf.h"

#include "engine/base/RefPtr.h"
#include "engine/scene/Node.h"

namespace engine {

RemoveSelf* RemoveSelf::create(bool cleanup) {
    auto* action = new RemoveSelf();
    action->cleanup_ = cleanup;
    action->autorelease();
    return action;
}

void RemoveSelf::update(float t) {
    ActionInstant::update(t);
    if (!target_) return;
    RefPtr<Node> keepTarget(target_);
    target_->removeFromParentAndCleanup(cleanup_);
}

}  // namespace engine
