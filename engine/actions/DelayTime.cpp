#include "engine/actions/DelayTime.h"

namespace engine {

DelayTime* DelayTime::create(float duration) {
    auto* action = new DelayTime();
    action->initWithDuration(duration);
    action->autorelease();
    return action;
}

void DelayTime::update(float /*t*/) {}

}  // namespace engine
