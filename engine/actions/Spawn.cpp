#include "engine/actions/Spawn.h"

#include <algorithm>

#include "engine/actions/DelayTime.h"
#include "engine/actions/Sequence.h"

namespace engine {

Spawn* Spawn::createWithTwoActions(FiniteTimeAction* first, FiniteTimeAction* second) {
    auto* spawn = new Spawn();
    float d1 = first->getDuration();
    float d2 = second->getDuration();
    spawn->initWithDuration(std::max(d1, d2));
    spawn->one_ = first;
    spawn->two_ = second;
    if (d1 > d2) {
        spawn->two_ = Sequence::createWithTwoActions(second, DelayTime::create(d1 - d2));
    } else if (d1 < d2) {
        spawn->one_ = Sequence::createWithTwoActions(first, DelayTime::create(d2 - d1));
    }
    spawn->autorelease();
    return spawn;
}

Spawn* Spawn::create(std::initializer_list<FiniteTimeAction*> actions) {
    return create(std::vector<FiniteTimeAction*>(actions));
}

Spawn* Spawn::create(const std::vector<FiniteTimeAction*>& actions) {
    std::vector<FiniteTimeAction*> list;
    for (FiniteTimeAction* action : actions)
        if (action) list.push_back(action);
    if (list.empty()) return createWithTwoActions(DelayTime::create(0), DelayTime::create(0));
    if (list.size() == 1) return createWithTwoActions(list[0], DelayTime::create(0));
    FiniteTimeAction* combined = list[0];
    for (std::size_t i = 1; i < list.size(); ++i)
        combined = createWithTwoActions(combined, list[i]);
    return static_cast<Spawn*>(combined);
}

void Spawn::startWithTarget(Node* target) {
    ActionInterval::startWithTarget(target);
    one_->startWithTarget(target);
    two_->startWithTarget(target);
}

void Spawn::stop() {
    one_->stop();
    two_->stop();
    ActionInterval::stop();
}

void Spawn::update(float t) {
    RefPtr<FiniteTimeAction> keepOne = one_;
    RefPtr<FiniteTimeAction> keepTwo = two_;
    one_->update(t);
    two_->update(t);
}

}  // namespace engine
