#include "game/menu/TitleController.h"

#include "engine/actions/CallFunc.h"
#include "engine/actions/FadeTo.h"
#include "engine/actions/Sequence.h"
#include "engine/actions/TargetedAction.h"
#include "engine/scene/Director.h"
#include "game/app/SceneManager.h"
#include "game/audio/NAudioManager.h"
#include "game/data/DataManager.h"
#include "game/input/KeyInputManager.h"
#include "game/menu/TitleScene.h"

namespace vastomer {

namespace {

constexpr const char* MOVE_SOUND = "audio/se/cursor20.mp3";
constexpr const char* CONFIRM_SOUND = "audio/se/cursor21.mp3";

}  // namespace

TitleController* TitleController::create() {
    auto* controller = new TitleController();
    if (!controller->init()) {
        delete controller;
        return nullptr;
    }
    controller->autorelease();
    return controller;
}

bool TitleController::init() {
    if (!AbstractController::init()) return false;
    // The title music plays on into the screens the title leads to until they choose their own.
    if (SceneManager* manager = SceneManager::peekInstance()) manager->setKeepBgmOnChange(true);
    return true;
}

void TitleController::setScene(NLayer* layer) {
    TitleScene* scene = dynamic_cast<TitleScene*>(layer);
    scene_ = scene;
    if (!scene) return;
    engine::WeakRef<TitleController> self(this);
    scene->setOnMenuShown([self]() {
        if (TitleController* controller = self.get()) {
            controller->menuShown_ = true;
            controller->setActive(true);
        }
    });
}

void TitleController::stop() {
    unscheduleUpdate();
    if (TitleScene* scene = scene_.get()) scene->setOnMenuShown(nullptr);
}

void TitleController::update(float /*dt*/) {
    TitleScene* scene = scene_.get();
    KeyInputManager* input = KeyInputManager::getInstance();
    if (!isActive() || !scene || !input) return;
    if (!menuShown_) {
        if (!input->isActionOn(KeyActionType::ANY)) return;
        setActive(false);
        // The key that skipped the intro must not also choose the first item on the next frame.
        input->clearActions();
        scene->showMenu();
        return;
    }
    if (scene->isLabelAnimating()) return;
    NAudioManager* audio = NAudioManager::getInstance();
    if (input->isActionOn(KeyActionType::LEFT)) {
        audio->playSe(MOVE_SOUND);
        selection_ = selection_ == 0 ? TitleScene::ITEM_COUNT - 1 : selection_ - 1;
        scene->moveSelection(selection_, true);
    } else if (input->isActionOn(KeyActionType::RIGHT)) {
        audio->playSe(MOVE_SOUND);
        selection_ = selection_ == TitleScene::ITEM_COUNT - 1 ? 0 : selection_ + 1;
        scene->moveSelection(selection_, false);
    } else if (input->isActionOn(KeyActionType::OK)) {
        audio->playSe(CONFIRM_SOUND);
        setActive(false);
        input->clearActions();
        act();
    }
}

void TitleController::act() {
    SceneManager* manager = SceneManager::peekInstance();
    NAudioManager* audio = NAudioManager::getInstance();
    DataManager* data = DataManager::getInstance();
    if (!manager) return;
    switch (selection_) {
        case START: {
            audio->stopBgm();
            // The opening plays once per save: until it has been watched, "start" leads to it.
            const bool openingSeen = data && data->getTutorialFlag(0);
            manager->changeScene(openingSeen ? SceneId::WORLD_MAP : SceneId::DEMO,
                                 TransitionKind::FadeThroughBlack, nullptr, SceneParam());
            break;
        }
        case SETTINGS:
            manager->changeScene(SceneId::OPTION, TransitionKind::FadeThroughBlack, nullptr, SceneParam());
            break;
        default: {
            ending_ = true;
            audio->stopBgm();
            manager->runAction(engine::Sequence::create(
                {engine::TargetedAction::create(manager->getCurtain(), engine::FadeTo::create(END_FADE, 255)),
                 engine::CallFunc::create([]() { engine::Director::getInstance()->end(); })}));
            break;
        }
    }
}

}  // namespace vastomer
