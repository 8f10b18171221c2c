#include "game/menu/HintController.h"

#include "game/app/SceneManager.h"
#include "game/data/DataManager.h"
#include "game/menu/StoryScene.h"
#include "game/scenario/NSpriteAnimationManager.h"

namespace vastomer {

HintController* HintController::create() {
    auto* controller = new HintController();
    if (!controller->init()) {
        delete controller;
        return nullptr;
    }
    controller->autorelease();
    return controller;
}

bool HintController::init() {
    if (!StoryController::init()) return false;
    if (SceneManager* manager = SceneManager::peekInstance()) manager->setKeepBgmOnChange(true);
    return true;
}

std::string HintController::hintFileName(int scriptNo) {
    return "scenario/hint_" + NSpriteAnimationManager::padded(scriptNo, 4) + ".bks";
}

std::string HintController::chooseScript() {
    DataManager* data = DataManager::getInstance();
    if (!data) return "";
    if (!data->getTutorialFlag(HINT_VISITED_FLAG)) data->setTutorialFlag(HINT_VISITED_FLAG, true);
    StoryScene* scene = getStoryScene();
    if (scene && !scene->getRequestedScript().empty()) return scene->getRequestedScript();
    const HintEntry hint = data->pickHint();
    // The picker found nothing the player may see yet: there is no hint_-001 to load.
    if (hint.scriptNo < 0) return "";
    return hintFileName(hint.scriptNo);
}

void HintController::noScript() {
    toHub();
}

void HintController::scriptEnded() {
    removeScenario();
    toHub();
}

void HintController::toHub() {
    setActive(false);
    if (SceneManager* manager = SceneManager::peekInstance())
        manager->changeScene(SceneId::WORLD_MAP, TransitionKind::FadeThroughBlack, nullptr, SceneParam());
}

}  // namespace vastomer
