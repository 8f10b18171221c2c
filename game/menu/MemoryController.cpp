#include "game/menu/MemoryController.h"

#include "engine/actions/CallFunc.h"
#include "engine/actions/DelayTime.h"
#include "engine/actions/Sequence.h"
#include "game/app/SceneManager.h"
#include "game/character/PlayerCharacter.h"
#include "game/data/DataManager.h"
#include "game/input/KeyInputManager.h"
#include "game/menu/MemoryScene.h"
#include "game/menu/MemorySceneOptionWindow.h"
#include "game/menu/MenuStyle.h"
#include "game/menu/SituationSelectWindow.h"
#include "game/scenario/DramaPart.h"
#include "game/scenario/MessageWindow.h"

namespace vastomer {

MemoryController* MemoryController::create() {
    auto* controller = new MemoryController();
    if (controller->init()) {
        controller->autorelease();
        return controller;
    }
    delete controller;
    return nullptr;
}

bool MemoryController::init() {
    if (!AbstractController::init()) return false;
    if (SceneManager* manager = SceneManager::peekInstance()) manager->setKeepBgmOnChange(true);
    return true;
}

MemoryScene* MemoryController::getScene() const {
    return scene_.get();
}

void MemoryController::setScene(NLayer* scene) {
    MemoryScene* gallery = dynamic_cast<MemoryScene*>(scene);
    scene_ = gallery;
    if (!gallery) return;
    engine::WeakRef<MemoryController> self(this);
    gallery->setOnDramaStarted([self](DramaPart* part) {
        if (MemoryController* controller = self.get()) controller->dramaStarting(part->getFile());
    });
    gallery->setOnDramaFinished([self](DramaPart*) {
        if (MemoryController* controller = self.get()) controller->dramaFinished();
    });
}

MessageWindow* MemoryController::getStoryMessageWindow() const {
    MemoryScene* scene = scene_.get();
    return scene ? scene->getMessageWindow() : nullptr;
}

DramaPart* MemoryController::getDramaPart() const {
    MemoryScene* scene = scene_.get();
    return scene ? scene->getDramaPart() : nullptr;
}

void MemoryController::start() {
    DataManager* data = DataManager::getInstance();
    savedWear_ = data->getEquippedWear();
    snapshot_ = data->getProgressState();
    snapshotTaken_ = true;
    router_.install();
    scheduleUpdate();
}

void MemoryController::stop() {
    router_.uninstall();
    unscheduleUpdate();
    if (!snapshotTaken_) return;
    DataManager* data = DataManager::getInstance();
    data->setEquippedWear(savedWear_);
    // Whatever a replay touched, the progress is the one the gallery was entered with.
    data->restoreProgressState(snapshot_);
    if (PlayerCharacter* player = data->getPlayerCharacter()) {
        player->setAnimationVariant(savedWear_);
        player->reset();
    }
}

void MemoryController::update(float /*dt*/) {
    MemoryScene* scene = scene_.get();
    if (!isActive() || !scene || scene->isBusy()) return;
    KeyInputManager* input = KeyInputManager::getInstance();
    if (situationWindowOpen_) {
        scene->pauseDrama(true);
        handleSituationWindow();
    } else if (optionWindowOpen_) {
        scene->pauseDrama(true);
        handleOptionWindow();
    } else if (!scene->isDramaRunning()) {
        // The replay has ended: back to the choice of what to see.
        situationWindowOpen_ = true;
        if (SituationSelectWindow* window = scene->getSituationWindow()) window->fadeIn();
    } else if (input->isActionOn(KeyActionType::CANCEL) || input->isActionOn(KeyActionType::PAUSE)) {
        // OK and the other keys are the drama's: its messages wait for OK.
        MenuStyle::playSe(MenuStyle::CURSOR_SOUND);
        openOptionWindow();
    }
}

void MemoryController::handleSituationWindow() {
    MemoryScene* scene = scene_.get();
    SituationSelectWindow* window = scene->getSituationWindow();
    KeyInputManager* input = KeyInputManager::getInstance();
    if (!window) return;
    if (input->isActionOn(KeyActionType::OK)) {
        int row = window->getRow();
        if (row == SituationSelectWindow::PLAY) {
            play();
        } else if (row == SituationSelectWindow::CANCEL || row == SituationSelectWindow::BACK) {
            MenuStyle::playSe(MenuStyle::BACK_SOUND);
            leave();
        }
    } else if (input->isActionOn(KeyActionType::CANCEL)) {
        MenuStyle::playSe(MenuStyle::BACK_SOUND);
        leave();
    } else if (input->isActionOn(KeyActionType::UP) || input->isActionOn(KeyActionType::DOWN)) {
        MenuStyle::playSe(MenuStyle::CURSOR_SOUND);
        window->moveRow(input->isActionOn(KeyActionType::UP) ? -1 : 1);
        pauseInput(INPUT_PAUSE);
    } else if (input->isActionOn(KeyActionType::LEFT) || input->isActionOn(KeyActionType::RIGHT)) {
        if (window->changeValue(input->isActionOn(KeyActionType::LEFT) ? -1 : 1)) {
            MenuStyle::playSe(MenuStyle::CURSOR_SOUND);
            if (window->getRow() == SituationSelectWindow::BACKGROUND)
                scene->loadBackground(window->getBackground());
            if (window->getRow() == SituationSelectWindow::STATE)
                scene->setStateIndex(window->getStateIndex());
            if (window->getRow() == SituationSelectWindow::COMPANION)
                scene->setCompanionMode(window->getCompanionMode());
        }
    } else {
        return;
    }
    if (KeyInputManager* still = KeyInputManager::getInstance()) still->clearActions();
}

void MemoryController::play() {
    MemoryScene* scene = scene_.get();
    // Nothing unlocked, or a part whose file is missing: nothing to show.
    if (!scene->canPlay()) {
        MenuStyle::playSe(MenuStyle::BACK_SOUND);
        return;
    }
    MenuStyle::playSe(MenuStyle::CONFIRM_SOUND);
    scene->setBusy(true);
    scene->getSituationWindow()->fadeOut([this]() {
        MemoryScene* shown = scene_.get();
        if (!shown) return;
        shown->setBusy(false);
        setActive(true);
        shown->takeSituation(false);
        situationWindowOpen_ = false;
    });
}

void MemoryController::openOptionWindow() {
    MemoryScene* scene = scene_.get();
    scene->pauseDrama(true);
    optionWindowOpen_ = true;
    setActive(false);
    KeyInputManager::getInstance()->clearActions();
    MemorySceneOptionWindow* window = scene->getOptionWindow();
    if (!window) {
        setActive(true);
        return;
    }
    window->setRow(MemorySceneOptionWindow::PLAY);
    window->setValues(scene->getBackdropOpacity(), scene->getZoomLevel());
    window->open([this]() { setActive(true); });
}

void MemoryController::closeOptionWindow(bool resume) {
    MemoryScene* scene = scene_.get();
    scene->setBusy(true);
    scene->getOptionWindow()->close([this, resume]() {
        MemoryScene* shown = scene_.get();
        if (!shown) return;
        shown->setBusy(false);
        optionWindowOpen_ = false;
        if (resume) shown->pauseDrama(false);
    });
}

void MemoryController::handleOptionWindow() {
    MemoryScene* scene = scene_.get();
    MemorySceneOptionWindow* window = scene->getOptionWindow();
    KeyInputManager* input = KeyInputManager::getInstance();
    if (!window) return;
    const int row = window->getRow();
    if (input->isActionOn(KeyActionType::OK)) {
        switch (row) {
            case MemorySceneOptionWindow::PLAY:
                MenuStyle::playSe(MenuStyle::CONFIRM_SOUND);
                closeOptionWindow(true);
                break;
            case MemorySceneOptionWindow::RESTART:
                MenuStyle::playSe(MenuStyle::BACK_SOUND);
                closeOptionWindow(false);
                scene->takeSituation(true);
                break;
            case MemorySceneOptionWindow::SITUATION:
                MenuStyle::playSe(MenuStyle::CONFIRM_SOUND);
                closeOptionWindow(false);
                situationWindowOpen_ = true;
                if (SituationSelectWindow* select = scene->getSituationWindow()) select->fadeIn();
                break;
            case MemorySceneOptionWindow::BACK:
                MenuStyle::playSe(MenuStyle::BACK_SOUND);
                leave();
                break;
            default:
                break;
        }
    } else if (input->isActionOn(KeyActionType::CANCEL)) {
        MenuStyle::playSe(MenuStyle::BACK_SOUND);
        closeOptionWindow(true);
    } else if (input->isActionOn(KeyActionType::UP) || input->isActionOn(KeyActionType::DOWN)) {
        MenuStyle::playSe(MenuStyle::CURSOR_SOUND);
        window->moveRow(input->isActionOn(KeyActionType::UP) ? -1 : 1);
        pauseInput(INPUT_PAUSE);
    } else if (input->isActionOn(KeyActionType::LEFT) || input->isActionOn(KeyActionType::RIGHT)) {
        int delta = input->isActionOn(KeyActionType::LEFT) ? -1 : 1;
        if (row == MemorySceneOptionWindow::OPACITY) {
            MenuStyle::playSe(MenuStyle::CURSOR_SOUND);
            scene->setBackdropOpacity(scene->getBackdropOpacity() +
                                      delta * MemorySceneOptionWindow::OPACITY_STEP);
        } else if (row == MemorySceneOptionWindow::ZOOM) {
            MenuStyle::playSe(MenuStyle::CURSOR_SOUND);
            scene->setZoomLevel(scene->getZoomLevel() + delta);
        }
        window->setValues(scene->getBackdropOpacity(), scene->getZoomLevel());
    } else {
        return;
    }
    if (KeyInputManager* still = KeyInputManager::getInstance()) still->clearActions();
}

void MemoryController::pauseInput(float seconds) {
    setActive(false);
    runAction(engine::Sequence::create(
        {engine::DelayTime::create(seconds), engine::CallFunc::create([this]() { setActive(true); })}));
}

void MemoryController::leave() {
    setActive(false);
    SceneManager::getInstance()->changeScene(SceneId::WORLD_MAP, TransitionKind::FadeThroughBlack, nullptr,
                                             SceneParam());
}

}  // namespace vastomer
