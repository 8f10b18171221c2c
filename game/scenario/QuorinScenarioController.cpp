#include "game/scenario/QuorinScenarioController.h"

#include "engine/actions/CallFunc.h"
#include "engine/actions/FadeTo.h"
#include "engine/actions/Sequence.h"
#include "game/scenario/QuorinScenarioEngine.h"

namespace vastomer {

QuorinScenarioController* QuorinScenarioController::create() {
    auto* controller = new QuorinScenarioController();
    if (!controller->init()) {
        delete controller;
        return nullptr;
    }
    controller->autorelease();
    return controller;
}

void QuorinScenarioController::update(float /*dt*/) {}

QuorinScenarioEngine* QuorinScenarioController::getEngine() const {
    return engine_.get();
}

void QuorinScenarioController::setEngine(QuorinScenarioEngine* engine) {
    engine_ = engine;
}

void QuorinScenarioController::stop() {
    setActive(false);
    unscheduleUpdate();
}

bool QuorinScenarioController::playScenario(const std::string& file, FinishedCallback onFinished) {
    QuorinScenarioEngine* engine = engine_.get();
    if (!engine || !engine->loadScript(false, file)) return false;
    engine->start(std::move(onFinished));
    return true;
}

void QuorinScenarioController::fade(float seconds, uint8_t opacity, std::function<void()> done) {
    engine::Node* node = fadeNode_.get();
    if (!node) {
        if (done) done();
        return;
    }
    node->runAction(engine::Sequence::create(
        {engine::FadeTo::create(seconds > 0.0f ? seconds : 0.0f, opacity), engine::CallFunc::create([done]() {
             if (done) done();
         })}));
}

}  // namespace vastomer
