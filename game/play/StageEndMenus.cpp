#include "game/play/StageEndMenus.h"

#include "engine/actions/CallFunc.h"
#include "engine/actions/DelayTime.h"
#include "engine/actions/Sequence.h"
#include "engine/base/WeakRef.h"
#include "game/app/SceneManager.h"
#include "game/audio/NAudioManager.h"
#include "game/character/ActionMap.h"
#include "game/character/PlayerCharacter.h"
#include "game/data/DataManager.h"
#include "game/input/KeyInputManager.h"
#include "game/play/BossBattleInterface.h"
#include "game/play/GameoverInterface.h"
#include "game/play/PauseScreenInterface.h"
#include "game/play/PlayController.h"
#include "game/play/PlayScene.h"
#include "game/play/ResultPanel.h"

namespace vastomer {

namespace {

bool isOn(KeyActionType action) {
    KeyInputManager* input = KeyInputManager::getInstance();
    return input && input->isActionOn(action);
}

void clearActions() {
    if (KeyInputManager* input = KeyInputManager::getInstance()) input->clearActions();
}

bool isLeftOrUp() {
    return isOn(KeyActionType::LEFT) || isOn(KeyActionType::UP);
}

bool isRightOrDown() {
    return isOn(KeyActionType::RIGHT) || isOn(KeyActionType::DOWN);
}

}  // namespace

void StageEndMenus::lockBriefly(PlayController& play) {
    play.setActive(false);
    engine::WeakRef<PlayController> self(&play);
    play.runAction(
        engine::Sequence::create({engine::DelayTime::create(MOVE_LOCK), engine::CallFunc::create([self]() {
                                      if (PlayController* controller = self.get())
                                          controller->setActive(true);
                                  })}));
}

void StageEndMenus::leaveTo(PlayController& play, int sceneId) {
    play.setActive(false);
    if (SceneManager* manager = SceneManager::peekInstance())
        manager->changeScene(static_cast<SceneId>(sceneId), TransitionKind::FadeThroughBlack, nullptr,
                             SceneParam());
}

// ---------------------------------------------------------------- result

void StageEndMenus::resultInput(PlayController& play) {
    PlayScene* scene = play.getPlayScene();
    BossBattleInterface* overlay = scene ? scene->getBossBattleInterface() : nullptr;
    DataManager* data = DataManager::getInstance();
    if (!overlay || !data) return;
    if (isOn(KeyActionType::OK)) {
        // The clear is booked once, whichever choice leads on; the next stage starts from its start.
        const int next = data->finishStage();
        if (PlayerCharacter* player = play.getPlayer()) player->reset();
        if (overlay->getSelection() == ResultPanel::NEXT_STAGE && next != -1) {
            data->setCurrentStage(next);
            data->setRetryFromBoss(false);
            leaveTo(play, static_cast<int>(SceneId::PLAY));
        } else {
            leaveTo(play, static_cast<int>(SceneId::WORLD_MAP));
        }
        clearActions();
        return;
    }
    if (isLeftOrUp() || isRightOrDown()) {
        overlay->select(overlay->getSelection() == ResultPanel::BACK_TO_MENU ? ResultPanel::NEXT_STAGE
                                                                             : ResultPanel::BACK_TO_MENU);
        NAudioManager::getInstance()->playSe("audio/se/cursor20.mp3");
        lockBriefly(play);
    }
}

// ---------------------------------------------------------------- pause

void StageEndMenus::openPause(PlayController& play) {
    PlayScene* scene = play.getPlayScene();
    ActionMap* map = scene ? scene->getActionMap() : nullptr;
    if (!map) return;
    map->setActionLocked(true);
    map->pauseCharacters();
    play.setActive(false);
    play.pauseShown_ = true;
    PauseScreenInterface* pause = scene->getPauseScreenInterface();
    engine::WeakRef<PlayController> self(&play);
    auto ready = [self]() {
        PlayController* controller = self.get();
        if (!controller) return;
        controller->setActive(true);
        if (PlayScene* shown = controller->getPlayScene())
            if (PauseScreenInterface* screen = shown->getPauseScreenInterface()) screen->select(true);
    };
    if (pause) {
        pause->show(ready);
    } else {
        ready();
    }
}

void StageEndMenus::pauseInput(PlayController& play) {
    PlayScene* scene = play.getPlayScene();
    PauseScreenInterface* pause = scene ? scene->getPauseScreenInterface() : nullptr;
    if (!pause) {
        resume(play);
        return;
    }
    const bool leave = isOn(KeyActionType::OK) && !pause->getSelection();
    if (leave) {
        // The stage is abandoned: what it changed since the last save is dropped, so going back to
        // the hub leaves the save file as it was.
        if (DataManager* data = DataManager::getInstance()) data->discardUnsavedProgress();
        if (PlayerCharacter* player = play.getPlayer()) player->reset();
        clearActions();
        leaveTo(play, static_cast<int>(SceneId::WORLD_MAP));
        clearActions();
        return;
    }
    // OK on "continue", CANCEL, or PAUSE pressed anew closes the screen.
    if (isOn(KeyActionType::OK) || isOn(KeyActionType::CANCEL) || isOn(KeyActionType::PAUSE)) {
        play.setActive(false);
        engine::WeakRef<PlayController> self(&play);
        pause->close([self]() {
            if (PlayController* controller = self.get()) resume(*controller);
        });
        return;
    }
    if (isLeftOrUp() || isRightOrDown()) {
        pause->select(!pause->getSelection());
        NAudioManager::getInstance()->playSe("audio/se/cursor20.mp3");
        lockBriefly(play);
    }
}

void StageEndMenus::resume(PlayController& play) {
    PlayScene* scene = play.getPlayScene();
    if (ActionMap* map = scene ? scene->getActionMap() : nullptr) {
        map->setActionLocked(false);
        map->resumeCharacters();
    }
    play.setActive(true);
    play.pauseShown_ = false;
    clearActions();
}

// ---------------------------------------------------------------- game over

void StageEndMenus::showGameOver(PlayController& play) {
    PlayScene* scene = play.getPlayScene();
    if (ActionMap* map = scene ? scene->getActionMap() : nullptr) map->pauseCharacters();
    play.setActive(false);
    play.gameOverShown_ = true;
    GameoverInterface* screen = scene ? scene->getGameoverInterface() : nullptr;
    engine::WeakRef<PlayController> self(&play);
    auto ready = [self]() {
        if (PlayController* controller = self.get()) controller->setActive(true);
    };
    if (screen) {
        screen->show(ready);
    } else {
        ready();
    }
}

void StageEndMenus::gameOverInput(PlayController& play) {
    PlayScene* scene = play.getPlayScene();
    GameoverInterface* screen = scene ? scene->getGameoverInterface() : nullptr;
    DataManager* data = DataManager::getInstance();
    const int selection = screen ? screen->getSelection() : GameoverInterface::RETRY;
    if (isOn(KeyActionType::OK)) {
        if (PlayerCharacter* player = play.getPlayer()) player->reset();
        if (selection == GameoverInterface::RETRY) {
            // A defeat in the boss battle tries again from the boss; before it, from the start.
            if (data) {
                data->setRetryFromBoss(play.isBossBattle());
                data->setStageRetry(true);
            }
            clearActions();
            leaveTo(play, static_cast<int>(SceneId::PLAY));
        } else {
            leaveTo(play, static_cast<int>(SceneId::WORLD_MAP));
            clearActions();
        }
        return;
    }
    if (screen && (isLeftOrUp() || isRightOrDown())) {
        screen->select(selection == GameoverInterface::RETRY ? GameoverInterface::RETURN
                                                             : GameoverInterface::RETRY);
        NAudioManager::getInstance()->playSe("audio/se/cursor20.mp3");
        lockBriefly(play);
    }
}

}  // namespace vastomer
