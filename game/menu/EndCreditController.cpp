#include "game/menu/EndCreditController.h"

#include "game/input/KeyInputManager.h"
#include "game/menu/EndCreditScene.h"

namespace vastomer {

EndCreditController* EndCreditController::create() {
    auto* controller = new EndCreditController();
    if (!controller->init()) {
        delete controller;
        return nullptr;
    }
    controller->autorelease();
    return controller;
}

void EndCreditController::setScene(NLayer* scene) {
    scene_ = dynamic_cast<EndCreditScene*>(scene);
}

void EndCreditController::stop() {
    unscheduleUpdate();
}

void EndCreditController::update(float /*dt*/) {
    KeyInputManager* input = KeyInputManager::getInstance();
    EndCreditScene* scene = scene_.get();
    if (!isActive() || !scene || !input || !input->isActionOn(KeyActionType::CANCEL)) return;
    setActive(false);
    input->clearActions();
    scene->leaveToTitle();
}

}  // namespace vastomer
