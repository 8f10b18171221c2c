#pragma once

#include "engine/actions/ActionInterval.h"
#include "engine/base/RefPtr.h"
#include "engine/scene/Node.h"

namespace engine {

// Runs an action on another node while being owned (and stopped) by the node that runs this one.
// The other node is retained, so it stays valid even if something removes it meanwhile.
class TargetedAction : public ActionInterval {
public:
    static TargetedAction* create(Node* target, FiniteTimeAction* action);

    void startWithTarget(Node* target) override;
    void stop() override;
    void update(float t) override;
    Node* getForcedTarget() const { return forcedTarget_; }

private:
    TargetedAction() = default;
    RefPtr<Node> forcedTarget_;
    RefPtr<FiniteTimeAction> action_;
};

}  // namespace engine
