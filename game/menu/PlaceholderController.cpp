#include "game/menu/PlaceholderController.h"

#include "game/app/SceneManager.h"
#include "game/audio/NAudioManager.h"
#include "game/input/KeyInputManager.h"
#include "game/menu/PlaceholderScene.h"

namespace vastomer {

PlaceholderController* PlaceholderController::create() {
    auto* controller = new PlaceholderController();
    if (!controller->init()) {
        delete controller;
        return nullptr;
    }
    controller->autorelease();
    return controller;
}

bool PlaceholderController::init() {
    if (!AbstractController::init()) return false;
    if (SceneManager* manager = SceneManager::peekInstance()) manager->setKeepBgmOnChange(true);
    return true;
}

void PlaceholderController::setScene(NLayer* scene) {
    scene_ = dynamic_cast<PlaceholderScene*>(scene);
}

void PlaceholderController::stop() {
    unscheduleUpdate();
}

void PlaceholderController::update(float /*dt*/) {
    KeyInputManager* input = KeyInputManager::getInstance();
    SceneManager* manager = SceneManager::peekInstance();
    if (!isActive() || !input || !manager || !input->isActionOn(KeyActionType::CANCEL)) return;
    NAudioManager::getInstance()->playSe("audio/se/cursor22.mp3");
    setActive(false);
    input->clearActions();
    PlaceholderScene* scene = scene_.get();
    const bool toTitle = scene && scene->isOpenedFromTitle();
    manager->changeScene(toTitle ? SceneId::TITLE : SceneId::WORLD_MAP, TransitionKind::FadeThroughBlack,
                         nullptr, SceneParam());
}

}  // namespace vastomer
