#include "engine/actions/Sequence.h"

#include <cfloat>

#include "engine/actions/ActionInstant.h"

namespace engine {

namespace {

// Zero-length filler that lets a one-action sequence behave like any other.
class EmptyAction : public ActionInstant {
public:
    static EmptyAction* create() {
        auto* action = new EmptyAction();
        action->autorelease();
        return action;
    }
};

}  // namespace

Sequence* Sequence::createWithTwoActions(FiniteTimeAction* first, FiniteTimeAction* second) {
    auto* sequence = new Sequence();
    sequence->initWithDuration(first->getDuration() + second->getDuration());
    sequence->actions_[0] = first;
    sequence->actions_[1] = second;
    sequence->autorelease();
    return sequence;
}

Sequence* Sequence::create(std::initializer_list<FiniteTimeAction*> actions) {
    return create(std::vector<FiniteTimeAction*>(actions));
}

Sequence* Sequence::create(const std::vector<FiniteTimeAction*>& actions) {
    std::vector<FiniteTimeAction*> list;
    for (FiniteTimeAction* action : actions)
        if (action) list.push_back(action);
    if (list.empty()) return createWithTwoActions(EmptyAction::create(), EmptyAction::create());
    if (list.size() == 1) return createWithTwoActions(list[0], EmptyAction::create());
    FiniteTimeAction* combined = list[0];
    for (std::size_t i = 1; i < list.size(); ++i)
        combined = createWithTwoActions(combined, list[i]);
    return static_cast<Sequence*>(combined);
}

void Sequence::startWithTarget(Node* target) {
    if (duration_ > FLT_EPSILON) {
        float first = actions_[0]->getDuration();
        split_ = first > FLT_EPSILON ? first / duration_ : 0.0f;
    }
    ActionInterval::startWithTarget(target);
    last_ = -1;
}

void Sequence::stop() {
    if (last_ != -1 && actions_[last_]) actions_[last_]->stop();
    ActionInterval::stop();
}

void Sequence::update(float t) {
    int found = 0;
    float localT = 0.0f;
    if (t < split_) {
        found = 0;
        localT = split_ != 0.0f ? t / split_ : 1.0f;
    } else {
        found = 1;
        localT = split_ == 1.0f ? 1.0f : (t - split_) / (1.0f - split_);
    }

    // Keep both children alive: a child may remove the target, which stops and drops this sequence.
    RefPtr<FiniteTimeAction> keepFirst = actions_[0];
    RefPtr<FiniteTimeAction> keepSecond = actions_[1];

    if (found == 1) {
        if (last_ == -1) {
            // The first action was jumped over: run it to its end now.
            actions_[0]->startWithTarget(target_);
            actions_[0]->update(1.0f);
            actions_[0]->stop();
        } else if (last_ == 0) {
            actions_[0]->update(1.0f);
            actions_[0]->stop();
        }
    } else if (last_ == 1) {
        actions_[1]->update(0.0f);
        actions_[1]->stop();
    }

    if (found == last_ && actions_[found]->isDone()) return;
    if (found != last_) actions_[found]->startWithTarget(target_);
    actions_[found]->update(localT);
    last_ = found;
}

}  // namespace engine
