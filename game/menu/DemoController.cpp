#include "game/menu/DemoController.h"

#include "game/app/SceneManager.h"
#include "game/data/DataManager.h"
#include "game/menu/StoryScene.h"

namespace vastomer {

DemoController* DemoController::create() {
    auto* controller = new DemoController();
    if (!controller->init()) {
        delete controller;
        return nullptr;
    }
    controller->autorelease();
    return controller;
}

bool DemoController::init() {
    if (!StoryController::init()) return false;
    if (SceneManager* manager = SceneManager::peekInstance()) manager->setKeepBgmOnChange(true);
    return true;
}

std::string DemoController::chooseScript() {
    StoryScene* scene = getStoryScene();
    if (scene && !scene->getRequestedScript().empty()) return scene->getRequestedScript();
    return OPENING;
}

void DemoController::noScript() {
    // Without its scene the opening cannot be watched; the game goes on to the hub all the same.
    toHub();
}

void DemoController::scriptEnded() {
    removeScenario();
    toHub();
}

void DemoController::toHub() {
    if (DataManager* data = DataManager::getInstance()) data->setTutorialFlag(OPENING_WATCHED_FLAG, true);
    setActive(false);
    if (SceneManager* manager = SceneManager::peekInstance())
        manager->changeScene(SceneId::WORLD_MAP, TransitionKind::FadeThroughBlack, nullptr, SceneParam());
}

}  // namespace vastomer
