#include "engine/actions/ActionInstant.h"

namespace engine {

void ActionInstant::startWithTarget(Node* target) {
    FiniteTimeAction::startWithTarget(target);
    done_ = false;
}

void ActionInstant::step(float /*dt*/) {
    update(1.0f);
}

void ActionInstant::update(float /*t*/) {
    done_ = true;
}

}  // namespace engine
