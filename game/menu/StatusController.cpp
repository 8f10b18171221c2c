#include "game/menu/StatusController.h"

#include "engine/actions/CallFunc.h"
#include "engine/actions/DelayTime.h"
#include "engine/actions/FadeTo.h"
#include "engine/actions/Sequence.h"
#include "engine/scene/Sprite.h"
#include "game/app/SceneManager.h"
#include "game/data/DataManager.h"
#include "game/input/KeyInputManager.h"
#include "game/menu/MenuStyle.h"
#include "game/menu/StatusScene.h"

namespace vastomer {

StatusController* StatusController::create() {
    auto* controller = new StatusController();
    if (controller->init()) {
        controller->autorelease();
        return controller;
    }
    delete controller;
    return nullptr;
}

StatusScene* StatusController::getScene() const {
    return scene_.get();
}

void StatusController::setScene(NLayer* scene) {
    scene_ = dynamic_cast<StatusScene*>(scene);
    if (SceneManager* manager = SceneManager::peekInstance()) manager->setKeepBgmOnChange(true);
}

void StatusController::start() {
    router_.install();
    scheduleUpdate();
}

void StatusController::stop() {
    router_.uninstall();
    unscheduleUpdate();
}

void StatusController::update(float /*dt*/) {
    StatusScene* scene = scene_.get();
    if (!isActive() || !scene || scene->isBusy()) return;
    KeyInputManager* input = KeyInputManager::getInstance();
    if (input->isActionOn(KeyActionType::UP) || input->isActionOn(KeyActionType::LEFT)) {
        MenuStyle::playSe(MenuStyle::CURSOR_SOUND);
        scene->cursorPrev();
    } else if (input->isActionOn(KeyActionType::DOWN) || input->isActionOn(KeyActionType::RIGHT)) {
        MenuStyle::playSe(MenuStyle::CURSOR_SOUND);
        scene->cursorNext();
    } else if (input->isActionOn(KeyActionType::OK)) {
        confirm();
        input->clearActions();
    } else if (input->isActionOn(KeyActionType::CANCEL)) {
        cancel();
        input->clearActions();
    }
}

void StatusController::confirm() {
    StatusScene* scene = scene_.get();
    switch (scene->getPage()) {
        case StatusScene::MENU:
            MenuStyle::playSe(MenuStyle::CONFIRM_SOUND);
            switch (scene->getCursor()) {
                case 0:
                case 1:
                case 2:
                    scene->setPage(StatusScene::GRAPPLE_LIST + scene->getCursor());
                    break;
                case 3:
                    scene->setPage(StatusScene::MEDITATION);
                    scene->openMeditationDialog(nullptr);
                    break;
                default:
                    leave();
                    break;
            }
            break;
        case StatusScene::GRAPPLE_LIST:
        case StatusScene::SHOT_LIST:
        case StatusScene::WEAR_LIST:
            equip();
            break;
        case StatusScene::MEDITATION:
            if (scene->dialogChoice() == 0) {
                meditate();
            } else {
                MenuStyle::playSe(MenuStyle::BACK_SOUND);
                setActive(false);
                scene->closeMeditationDialog([this]() {
                    if (StatusScene* shown = scene_.get()) shown->resetMenu();
                    setActive(true);
                });
            }
            break;
        default:
            break;
    }
}

void StatusController::equip() {
    StatusScene* scene = scene_.get();
    const int page = scene->getPage();
    const int id = scene->selectedItemId();
    // An empty list has nothing to put on.
    if (id < 0) {
        MenuStyle::playSe(MenuStyle::BACK_SOUND);
        return;
    }
    DataManager* data = DataManager::getInstance();
    if (page == StatusScene::WEAR_LIST) {
        MenuStyle::playSe(WEAR_SOUND);
        data->setEquippedWear(id);
        scene->setCursor(scene->getCursor());
        scene->showWear(id, false);
    } else {
        MenuStyle::playSe(WEAPON_SOUND);
        if (page == StatusScene::GRAPPLE_LIST)
            data->setEquippedWeapon1(id);
        else
            data->setEquippedWeapon2(id);
        scene->setCursor(scene->getCursor());
        if (page == StatusScene::GRAPPLE_LIST)
            scene->showGrappleWeapon(id, false);
        else
            scene->showShotWeapon(id, false);
    }
    pauseInput(EQUIP_PAUSE);
}

void StatusController::meditate() {
    setActive(false);
    engine::Sprite* curtain = SceneManager::getInstance()->getCurtain();
    curtain->runAction(engine::Sequence::create(
        {engine::FadeTo::create(MEDITATION_FADE_OUT, 255), engine::CallFunc::create([this]() {
             if (StatusScene* scene = scene_.get()) scene->meditate();
         }),
         engine::DelayTime::create(MEDITATION_HOLD), engine::FadeTo::create(MEDITATION_FADE_IN, 0),
         engine::CallFunc::create([this]() { setActive(true); })}));
}

void StatusController::cancel() {
    StatusScene* scene = scene_.get();
    MenuStyle::playSe(MenuStyle::BACK_SOUND);
    switch (scene->getPage()) {
        case StatusScene::MENU:
            leave();
            break;
        case StatusScene::MEDITATION:
            scene->closeMeditationDialog([this]() {
                if (StatusScene* shown = scene_.get()) shown->resetMenu();
            });
            break;
        default:
            scene->setPage(StatusScene::MENU);
            break;
    }
}

void StatusController::pauseInput(float seconds) {
    setActive(false);
    runAction(engine::Sequence::create(
        {engine::DelayTime::create(seconds), engine::CallFunc::create([this]() { setActive(true); })}));
}

void StatusController::leave() {
    setActive(false);
    SceneManager::getInstance()->changeScene(SceneId::WORLD_MAP, TransitionKind::FadeThroughBlack, nullptr,
                                             SceneParam());
}

}  // namespace vastomer
