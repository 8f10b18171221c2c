#include "engine/actions/Action.h"

namespace engine {

void Action::startWithTarget(Node* target) {
    originalTarget_ = target;
    target_ = target;
}

void Action::stop() {
    target_ = nullptr;
}

void Action::step(float /*dt*/) {}

void Action::update(float /*t*/) {}

}  // namespace engine
