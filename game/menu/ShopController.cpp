#include "game/menu/ShopController.h"

#include "game/app/SceneManager.h"
#include "game/data/DataManager.h"
#include "game/input/KeyInputManager.h"
#include "game/menu/ShopScene.h"
#include "game/menu/ShopWindow.h"

namespace vastomer {

ShopController* ShopController::create() {
    auto* controller = new ShopController();
    if (controller->init()) {
        controller->autorelease();
        return controller;
    }
    delete controller;
    return nullptr;
}

bool ShopController::init() {
    if (!AbstractController::init()) return false;
    // The hub's music plays on through the shop.
    if (SceneManager* manager = SceneManager::peekInstance()) manager->setKeepBgmOnChange(true);
    return true;
}

ShopScene* ShopController::getScene() const {
    return scene_.get();
}

void ShopController::setScene(NLayer* scene) {
    scene_ = dynamic_cast<ShopScene*>(scene);
}

void ShopController::start() {
    router_.install();
    scheduleUpdate();
}

void ShopController::stop() {
    router_.uninstall();
    unscheduleUpdate();
}

void ShopController::update(float /*dt*/) {
    ShopScene* scene = scene_.get();
    if (!isActive() || !scene) return;
    DataManager* data = DataManager::getInstance();
    KeyInputManager* input = KeyInputManager::getInstance();
    if (!data->getTutorialFlag(TUTORIAL_FLAG)) {
        if (tutorialStarted_) return;
        tutorialStarted_ = true;
        input->clearActions();
        scene->playTutorial([data, input]() {
            // Set when the scene has been seen to its end: the next visit opens the shop at once.
            data->setTutorialFlag(TUTORIAL_FLAG, true);
            input->clearActions();
        });
        return;
    }
    ShopWindow* window = scene->getShopWindow();
    if (!window) return;
    if (!windowOpened_) {
        windowOpened_ = true;
        window->open();
        input->clearActions();
        return;
    }
    if (window->isBusy()) return;
    ShopWindow::Outcome outcome = ShopWindow::Outcome::NONE;
    if (input->isActionOn(KeyActionType::UP) || input->isActionOn(KeyActionType::LEFT)) {
        window->moveCursor(-1);
    } else if (input->isActionOn(KeyActionType::DOWN) || input->isActionOn(KeyActionType::RIGHT)) {
        window->moveCursor(1);
    } else if (input->isActionOn(KeyActionType::OK)) {
        outcome = window->confirm();
    } else if (input->isActionOn(KeyActionType::CANCEL)) {
        outcome = window->cancel();
    } else {
        return;
    }
    input->clearActions();
    if (outcome == ShopWindow::Outcome::LEAVE) leave();
}

void ShopController::leave() {
    setActive(false);
    SceneManager::getInstance()->changeScene(SceneId::WORLD_MAP, TransitionKind::FadeThroughBlack, nullptr,
                                             SceneParam());
}

}  // namespace vastomer
