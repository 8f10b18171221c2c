#include "game/menu/WorldMapController.h"

#include <algorithm>

#include "engine/actions/CallFunc.h"
#include "engine/actions/DelayTime.h"
#include "engine/actions/Sequence.h"
#include "game/app/SceneManager.h"
#include "game/audio/NAudioManager.h"
#include "game/character/PlayerCharacter.h"
#include "game/data/DataManager.h"
#include "game/input/KeyInputManager.h"
#include "game/menu/StageSelectWindow.h"
#include "game/menu/WorldMapScene.h"
#include "game/scenario/CompositeAnimation.h"

namespace vastomer {

namespace {

constexpr const char* MOVE_SOUND = "audio/se/cursor20.mp3";
constexpr const char* CONFIRM_SOUND = "audio/se/cursor21.mp3";
constexpr const char* REFUSE_SOUND = "audio/se/cursor22.mp3";
constexpr const char* BONUS_SOUND = "audio/se/power21.mp3";

bool isOn(KeyInputManager* input, KeyActionType action) {
    return input && input->isActionOn(action);
}

}  // namespace

WorldMapController* WorldMapController::create() {
    auto* controller = new WorldMapController();
    if (!controller->init()) {
        delete controller;
        return nullptr;
    }
    controller->autorelease();
    return controller;
}

bool WorldMapController::init() {
    if (!AbstractController::init()) return false;
    DataManager* data = DataManager::getInstance();
    if (data) {
        if (data->getLp() == DataManager::kLpMax && !data->hasWear(FULL_RESOLVE_WEAR))
            data->addWear(FULL_RESOLVE_WEAR);
    }
    if (SceneManager* manager = SceneManager::peekInstance()) manager->setKeepBgmOnChange(true);
    // Every return to the hub is a save point.
    if (data) data->saveProgress();
    return true;
}

void WorldMapController::setScene(NLayer* layer) {
    WorldMapScene* scene = dynamic_cast<WorldMapScene*>(layer);
    scene_ = scene;
    if (scene) scene->setSelection(selection_);
}

void WorldMapController::start() {
    scheduleUpdate();
    // The player is kept for the next stage; nothing of it shows on the hub.
    DataManager* data = DataManager::getInstance();
    PlayerCharacter* player = data ? data->getPlayerCharacter() : nullptr;
    if (player && player->getAnimation()) player->getAnimation()->setVisible(false);
}

void WorldMapController::stop() {
    unscheduleUpdate();
    stopAllActions();
}

bool WorldMapController::hasUnlockedMemory() {
    DataManager* data = DataManager::getInstance();
    if (!data) return false;
    // A save can list a scene as still locked ("12@0"): only an unlocked one opens the memories.
    for (const auto& [dramaNo, unlocked] : data->getSituations())
        if (unlocked) return true;
    return false;
}

std::vector<int> WorldMapController::getEntries() const {
    WorldMapScene* scene = scene_.get();
    StageSelectWindow* window = scene ? scene->getStageSelectWindow() : nullptr;
    return window ? window->getEntries() : std::vector<int>();
}

void WorldMapController::update(float /*dt*/) {
    if (!isActive() || !scene_) return;
    if (menuMode_) {
        runMenu();
    } else {
        runStageSelect();
    }
}

void WorldMapController::lockBriefly(float seconds) {
    setActive(false);
    engine::WeakRef<WorldMapController> self(this);
    runAction(
        engine::Sequence::create({engine::DelayTime::create(seconds), engine::CallFunc::create([self]() {
                                      if (WorldMapController* controller = self.get())
                                          controller->setActive(true);
                                  })}));
}

void WorldMapController::runMenu() {
    KeyInputManager* input = KeyInputManager::getInstance();
    WorldMapScene* scene = scene_.get();
    NAudioManager* audio = NAudioManager::getInstance();
    countBonusPress();
    if (isOn(input, KeyActionType::UP) || isOn(input, KeyActionType::DOWN)) {
        const bool up = isOn(input, KeyActionType::UP);
        const int last = WorldMapScene::ITEM_COUNT - 1;
        selection_ =
            up ? (selection_ == 0 ? last : selection_ - 1) : (selection_ == last ? 0 : selection_ + 1);
        audio->playSe(MOVE_SOUND);
        scene->moveCursor(selection_);
        scene->showCaption(selection_);
        lockBriefly(MOVE_LOCK);
    } else if (isOn(input, KeyActionType::OK)) {
        actOnItem();
    }
}

void WorldMapController::countBonusPress() {
    KeyInputManager* input = KeyInputManager::getInstance();
    if (!isOn(input, KeyActionType::BUTTON3)) {
        bonusLatch_ = false;
        return;
    }
    if (bonusLatch_) return;
    bonusLatch_ = true;
    if (++bonusPressCount_ != BONUS_PRESSES) return;
    DataManager* data = DataManager::getInstance();
    if (!data) return;
    NAudioManager::getInstance()->playSe(BONUS_SOUND);
    for (const CombineEntry& entry : data->getAllCombines())
        if (entry.dramaNo != -1) data->setSituationUnlocked(entry.dramaNo, true);
    data->saveProgress();
}

void WorldMapController::actOnItem() {
    KeyInputManager* input = KeyInputManager::getInstance();
    NAudioManager* audio = NAudioManager::getInstance();
    WorldMapScene* scene = scene_.get();
    if (selection_ == MEMORY && !hasUnlockedMemory()) {
        audio->playSe(REFUSE_SOUND);
        input->clearActions();
        return;
    }
    audio->playSe(CONFIRM_SOUND);
    switch (selection_) {
        case STAGE_SELECT: {
            StageSelectWindow* window = scene->openStageSelect();
            if (!window) break;
            menuMode_ = false;
            entryIndex_ = window->openingIndex();
            window->showName(entryIndex_);
            window->showDescription(entryIndex_);
            break;
        }
        case HINT:
            changeTo(static_cast<int>(SceneId::HINT));
            break;
        case SHOP:
            changeTo(static_cast<int>(SceneId::SHOP));
            break;
        case STATUS:
            changeTo(static_cast<int>(SceneId::STATUS));
            break;
        case OPTION:
            changeTo(static_cast<int>(SceneId::OPTION));
            break;
        case MEMORY:
            changeTo(static_cast<int>(SceneId::MEMORY));
            break;
        default:
            // The hub's music ends here; the title starts its own once it is uncovered.
            if (SceneManager* manager = SceneManager::peekInstance()) manager->setKeepBgmOnChange(true);
            audio->stopBgm();
            changeTo(static_cast<int>(SceneId::TITLE));
            break;
    }
    input->clearActions();
}

void WorldMapController::changeTo(int sceneId) {
    SceneManager* manager = SceneManager::peekInstance();
    if (!manager) return;
    setActive(false);
    manager->changeScene(static_cast<SceneId>(sceneId), TransitionKind::FadeThroughBlack, nullptr,
                         SceneParam());
}

void WorldMapController::runStageSelect() {
    KeyInputManager* input = KeyInputManager::getInstance();
    NAudioManager* audio = NAudioManager::getInstance();
    WorldMapScene* scene = scene_.get();
    StageSelectWindow* window = scene->getStageSelectWindow();
    if (!window) {
        menuMode_ = true;
        return;
    }
    if (window->isAnimating()) return;
    const std::vector<int>& entries = window->getEntries();
    const int last = static_cast<int>(entries.size()) - 1;
    entryIndex_ = std::min(std::max(entryIndex_, 0), last);
    const int entry = entries[static_cast<std::size_t>(entryIndex_)];
    if (isOn(input, KeyActionType::LEFT) || isOn(input, KeyActionType::RIGHT)) {
        const bool left = isOn(input, KeyActionType::LEFT);
        entryIndex_ =
            left ? (entryIndex_ == 0 ? last : entryIndex_ - 1) : (entryIndex_ == last ? 0 : entryIndex_ + 1);
        audio->playSe(MOVE_SOUND);
        window->showName(entryIndex_);
        window->showDescription(entryIndex_);
    } else if (isOn(input, KeyActionType::CANCEL) ||
               (isOn(input, KeyActionType::OK) && entry == StageSelectWindow::BACK_ENTRY)) {
        audio->playSe(REFUSE_SOUND);
        menuMode_ = true;
        scene->closeStageSelect();
        input->clearActions();
    } else if (isOn(input, KeyActionType::OK)) {
        audio->playSe(CONFIRM_SOUND);
        setActive(false);
        audio->stopBgm();
        if (DataManager* data = DataManager::getInstance()) data->setCurrentStage(entry);
        if (SceneManager* manager = SceneManager::peekInstance())
            manager->changeScene(SceneId::PLAY, TransitionKind::FadeThroughBlack, nullptr, SceneParam());
        input->clearActions();
    }
}

}  // namespace vastomer
