#include "game/play/BossBattle.h"

#include "engine/actions/CallFunc.h"
#include "engine/actions/DelayTime.h"
#include "engine/actions/MoveTo.h"
#include "engine/actions/Sequence.h"
#include "engine/base/WeakRef.h"
#include "engine/physics/PhysicsBody.h"
#include "game/audio/NAudioManager.h"
#include "game/character/ActionMap.h"
#include "game/character/PlayerCharacter.h"
#include "game/data/DataManager.h"
#include "game/data/StringsManager.h"
#include "game/input/KeyInputManager.h"
#include "game/play/BossBattleInterface.h"
#include "game/play/PlayController.h"
#include "game/play/PlayScene.h"
#include "game/scenario/NSpriteAnimationManager.h"

namespace vastomer {

namespace {

// Runs `step` on the controller later if it is still there.
engine::CallFunc* callBack(PlayController& play, void (*step)(PlayController&)) {
    engine::WeakRef<PlayController> self(&play);
    return engine::CallFunc::create([self, step]() {
        if (PlayController* controller = self.get()) step(*controller);
    });
}

BossBattleInterface* overlayOf(PlayController& play) {
    PlayScene* scene = play.getPlayScene();
    return scene ? scene->getBossBattleInterface() : nullptr;
}

}  // namespace

std::string BossBattle::stageEndScript(int stage) {
    return "scenario/sed_" + NSpriteAnimationManager::padded(stage, 4) + ".bks";
}

bool BossBattle::start(PlayController& play) {
    PlayScene* scene = play.getPlayScene();
    ActionMap* map = scene ? scene->getActionMap() : nullptr;
    CharacterSprite* boss = map ? map->getBoss() : nullptr;
    if (!boss) return false;
    play.boss_ = boss;
    play.bossKnown_ = true;

    map->setActionLocked(true);
    if (PlayerCharacter* player = play.getPlayer()) {
        player->setFrozen(true);
        player->stopWalk();
    }
    if (KeyInputManager* input = KeyInputManager::getInstance()) input->clearActions();
    play.setActive(false);
    scene->setStaging(true);
    if (BossBattleInterface* overlay = scene->getBossBattleInterface()) overlay->setPhase("intro");
    scene->getCameraTarget()->runAction(
        engine::Sequence::create({engine::MoveTo::create(CAMERA_PAN_TIME, boss->getPosition()),
                                  callBack(play, &BossBattle::showGauge)}));
    return true;
}

void BossBattle::showGauge(PlayController& play) {
    BossBattleInterface* overlay = overlayOf(play);
    CharacterSprite* boss = play.getBoss();
    if (!overlay || !boss) {
        beginBattle(play);
        return;
    }
    engine::WeakRef<PlayController> self(&play);
    overlay->showBossGauge(boss->getMaxHp(), [self]() {
        if (PlayController* controller = self.get()) showName(*controller);
    });
}

void BossBattle::showName(PlayController& play) {
    BossBattleInterface* overlay = overlayOf(play);
    CharacterSprite* boss = play.getBoss();
    StringsManager* strings = StringsManager::getInstance();
    if (!overlay || !boss || !strings) {
        beginBattle(play);
        return;
    }
    const std::string key = "STAGING_BOSS_NAME_" + NSpriteAnimationManager::padded(boss->getCharacterId(), 4);
    engine::WeakRef<PlayController> self(&play);
    overlay->showBossName(BossBattleInterface::splitNameLines(strings->getString(key)), [self]() {
        if (PlayController* controller = self.get()) beginBattle(*controller);
    });
}

void BossBattle::beginBattle(PlayController& play) {
    PlayScene* scene = play.getPlayScene();
    if (PlayerCharacter* player = play.getPlayer()) player->setFrozen(false);
    if (scene) {
        scene->setStaging(false);
        scene->setPartReady();
    }
    play.bossBattle_ = true;
    play.setActive(true);
    if (ActionMap* map = scene ? scene->getActionMap() : nullptr) {
        map->landAllCharacters();
        map->setActionLocked(false);
    }
}

void BossBattle::watch(PlayController& play) {
    if (!play.bossBattle_ || !play.bossKnown_) return;
    CharacterSprite* boss = play.getBoss();
    if (boss && !boss->isDefeated()) {
        if (BossBattleInterface* overlay = overlayOf(play)) overlay->setBossHp(boss->getHp());
        return;
    }
    if (play.bossDefeatHandled_) return;
    play.setActive(false);
    play.onBossDefeated();
    play.bossDefeatHandled_ = true;
}

void BossBattle::defeated(PlayController& play) {
    if (KeyInputManager* input = KeyInputManager::getInstance()) input->clearActions();
    if (PlayerCharacter* player = play.getPlayer()) {
        player->stopWalk();
        player->endJump();
        player->endSpecialMode();
    }
    sweepCreatures(play);
    play.runAction(engine::Sequence::create(
        {engine::DelayTime::create(DEFEAT_PAUSE), callBack(play, [](PlayController& p) {
             NAudioManager::getInstance()->stopBgm();
             BossBattleInterface* overlay = overlayOf(p);
             if (!overlay) {
                 playStageEnd(p);
                 return;
             }
             engine::WeakRef<PlayController> self(&p);
             overlay->showBossDefeated([self]() {
                 if (PlayController* controller = self.get()) playStageEnd(*controller);
             });
         })}));
}

void BossBattle::sweepCreatures(PlayController& play) {
    PlayScene* scene = play.getPlayScene();
    ActionMap* map = scene ? scene->getActionMap() : nullptr;
    if (!map) return;
    // Only bodies named exactly "enemy" or "enemyBullet" fall: the player and a group boss's own body
    // stay. A character already down (the boss among them) is not defeated twice.
    for (CharacterSprite* character : map->getCharacters()) {
        engine::PhysicsBody* body = character->getPhysicsBody();
        if (!body || character->isDefeated()) continue;
        if (body->getName() == "enemy" || body->getName() == "enemyBullet") character->die();
    }
}

void BossBattle::playStageEnd(PlayController& play) {
    DataManager* data = DataManager::getInstance();
    const std::string script = stageEndScript(data ? data->getCurrentStage() : 0);
    play.stageEndScript_ = script;
    engine::WeakRef<PlayController> self(&play);
    const bool started = play.startScenario(
        script, -1,
        [self]() {
            if (PlayController* controller = self.get()) controller->showResult();
        },
        true);
    play.stageEndScriptStarted_ = started;
    if (!started) play.showResult();
}

void BossBattle::showResult(PlayController& play) {
    PlayScene* scene = play.getPlayScene();
    DataManager* data = DataManager::getInstance();
    if (!scene || !data) return;
    if (ActionMap* map = scene->getActionMap()) map->pauseCharacters();
    play.setActive(false);
    play.resultShown_ = true;
    BossBattleInterface* overlay = scene->getBossBattleInterface();
    engine::WeakRef<PlayController> self(&play);
    auto ready = [self]() {
        PlayController* controller = self.get();
        if (!controller) return;
        controller->setActive(true);
        if (PlayScene* shown = controller->getPlayScene())
            if (BossBattleInterface* panel = shown->getBossBattleInterface()) panel->select(0);
    };
    if (!overlay) {
        ready();
        return;
    }
    overlay->showResult(data->getCurrentStage(), data->getTotalScore(), data->getStageGain(), ready);
}

}  // namespace vastomer
