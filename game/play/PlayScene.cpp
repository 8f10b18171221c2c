#include "game/play/PlayScene.h"

#include <cstdio>

#include "engine/actions/CallFunc.h"
#include "engine/actions/FadeTo.h"
#include "engine/actions/Follow.h"
#include "engine/actions/Sequence.h"
#include "engine/actions/TargetedAction.h"
#include "engine/physics/PhysicsWorld.h"
#include "engine/scene/Director.h"
#include "game/app/SceneManager.h"
#include "game/audio/NAudioManager.h"
#include "game/character/ActionMap.h"
#include "game/character/PlayerCharacter.h"
#include "game/data/DataManager.h"
#include "game/play/BossBattleInterface.h"
#include "game/play/GameoverInterface.h"
#include "game/play/PauseScreenInterface.h"
#include "game/play/PlayController.h"
#include "game/play/PlayInterface.h"
#include "game/scenario/MessageWindow.h"
#include "game/scenario/NSpriteAnimationManager.h"

namespace vastomer {

namespace {

void setWorldSpeed(float speed) {
    engine::Scene* running = engine::Director::getInstance()->getRunningScene();
    if (engine::PhysicsWorld* world = running ? running->getPhysicsWorld() : nullptr) world->setSpeed(speed);
}

}  // namespace

PlayScene* PlayScene::create() {
    auto* scene = new PlayScene();
    if (!scene->init()) {
        delete scene;
        return nullptr;
    }
    scene->autorelease();
    return scene;
}

std::string PlayScene::mapFileName(int stage, int part) {
    return "data/map/md_" + NSpriteAnimationManager::padded(stage, 4) + "_" +
           NSpriteAnimationManager::padded(part, 2) + ".tmx";
}

std::string PlayScene::stageMusic(int stage) {
    return "audio/bgm/QUORIN_Stage" + NSpriteAnimationManager::padded(stage, 2) + ".mp3";
}

bool PlayScene::init() {
    if (!NLayer::init()) return false;
    DataManager* data = DataManager::getInstance();
    if (!data) return false;
    setWorldSpeed(1.0f);
    getBackgroundSprite()->setColor(engine::Color3B(20, 20, 20));
    getContentLayer(2)->setPositionZ(PLANE_Z);

    PlayerCharacter* player = data->getPlayerCharacter();
    if (!player) return false;
    player_ = player;
    player->setFrozen(true);

    playInterface_ = PlayInterface::create(player->getHp(), player->getMaxHp(), data->getSp(),
                                           DataManager::kSpMax, data->getLp());
    if (!playInterface_) return false;
    playInterface_->setPosition(WIDTH / 2, HEIGHT / 2);
    playInterface_->setWeapons(player->getGrappleWeaponId(), player->getShotWeaponId(), player->getAmmoMax());
    playInterface_->setAmmunition(player->getAmmo());
    playInterface_->scheduleUpdate();
    getContentLayer(3)->addChild(playInterface_, 0);
    player->setHud(playInterface_);
    // Added after the HUD at the same depth, so that the paused screen's veil covers the HUD too.
    pauseScreenInterface_ = PauseScreenInterface::create();
    if (!pauseScreenInterface_) return false;
    pauseScreenInterface_->setPosition(WIDTH / 2, HEIGHT / 2);
    getContentLayer(3)->addChild(pauseScreenInterface_, 0);

    messageWindow_ = MessageWindow::create();
    if (!messageWindow_) return false;
    getContentLayer(3)->addChild(messageWindow_, MESSAGE_WINDOW_Z);

    cameraTarget_ = engine::Node::create();
    actionMap_ = ActionMap::create();
    if (!actionMap_) return false;
    getContentLayer(2)->addChild(actionMap_);

    gameoverInterface_ = GameoverInterface::create();
    bossBattleInterface_ = BossBattleInterface::create();
    if (!gameoverInterface_ || !bossBattleInterface_) return false;
    gameoverInterface_->setPosition(WIDTH / 2, HEIGHT / 2);
    getContentLayer(3)->addChild(gameoverInterface_, GAMEOVER_Z);
    bossBattleInterface_->setPosition(WIDTH / 2, HEIGHT / 2);
    getContentLayer(3)->addChild(bossBattleInterface_, BOSS_BATTLE_Z);

    curtain_ = engine::Sprite::create();
    curtain_->setTextureRect(engine::Rect(0, 0, WIDTH, HEIGHT));
    curtain_->setColor(engine::Color3B::BLACK);
    curtain_->setOpacity(255);
    curtain_->setPosition(WIDTH / 2, HEIGHT / 2);
    getContentLayer(3)->addChild(curtain_, CURTAIN_Z);

    data->setPreviousPart(0);
    data->setCurrentPart(0);
    return true;
}

PlayerCharacter* PlayScene::getPlayer() const {
    return player_.get();
}

PlayController* PlayScene::controller() const {
    return PlayController::current();
}

void PlayScene::setSceneParam(SceneParam param) {
    startPartOverride_ = param.first > 0 ? param.first : 0;
}

void PlayScene::setupScene() {
    if (engine::Scene* running = engine::Director::getInstance()->getRunningScene())
        if (engine::PhysicsWorld* world = running->getPhysicsWorld())
            world->setDebugDrawMask(engine::PhysicsWorld::DEBUGDRAW_NONE);
    scheduleUpdateWithPriority(UPDATE_PRIORITY);
}

void PlayScene::startScene() {
    DataManager* data = DataManager::getInstance();
    PlayerCharacter* player = player_.get();
    if (!data || !player) return;
    // A stage that ended left the player paused (and a drama part hid it): the new stage wakes it.
    player->setPaused(false);
    if (player->getAnimation()) player->getAnimation()->setVisible(true);
    setWorldSpeed(1.0f);

    const StageRecord record = data->getStageRecord(data->getCurrentStage());
    if (record.stageNumber == -1) {
        refused_ = true;
        std::fprintf(stderr, "quorin: stage %d has no stage record; back to the hub\n",
                     data->getCurrentStage());
        if (PlayController* play = controller()) play->setActive(false);
        if (SceneManager* manager = SceneManager::peekInstance())
            manager->changeScene(SceneId::WORLD_MAP, TransitionKind::FadeThroughBlack, nullptr, SceneParam());
        return;
    }
    int part = record.startPart;
    if (data->getRetryFromBoss()) {
        part = record.bossPart;
        data->setRetryFromBoss(false);
    } else if (startPartOverride_ > 0) {
        part = startPartOverride_;
    }
    // A retry goes on counting the stage's score from where the stage was entered.
    if (!data->getStageRetry()) data->markStageStart();
    data->setStageRetry(false);
    if (!changeMap(data->getCurrentStage(), part, -1))
        std::fprintf(stderr, "quorin: stage %d has no part %d\n", data->getCurrentStage(), part);
}

void PlayScene::stopSceneActions() {
    stopAllActions();
    if (follow_) {
        getContentLayer(2)->stopAction(follow_);
        follow_.reset();
    }
    if (actionMap_) actionMap_->removeAllCharacters();
    if (PlayerCharacter* player = player_.get()) player->setHud(nullptr);
}

int PlayScene::getFollowCount() const {
    return static_cast<int>(getContentLayer(2)->getNumberOfRunningActions());
}

// ---------------------------------------------------------------- parts

bool PlayScene::changeMap(int stage, int part, int marker) {
    DataManager* data = DataManager::getInstance();
    PlayerCharacter* player = player_.get();
    if (!data || !player || !actionMap_) return false;
    const StageRecord record = data->getStageRecord(stage);
    if (record.stageNumber == -1 || record.parts.count(part) == 0) return false;

    engine::RefPtr<PlayerCharacter> keep(player);
    if (!actionMap_->getMapFile().empty()) stopAllActions();
    if (cameraTarget_->getParent()) cameraTarget_->removeFromParent();
    if (player->getParent()) player->removeFromParent();
    player->setupBody();
    if (follow_) {
        getContentLayer(2)->stopAction(follow_);
        follow_.reset();
    }

    partReady_ = false;
    player->setFrozen(true);
    NAudioManager::getInstance()->stopAllSe();

    stageNumber_ = stage;
    partBefore_ = data->getCurrentPart();
    data->setCurrentPart(part);

    actionMap_->loadMap(mapFileName(record.stageNumber, part));
    actionMap_->buildCollision();
    actionMap_->readObjects();

    player->setPosition(marker == -1 ? actionMap_->getStartPosition()
                                     : actionMap_->getAppearPosition(marker));
    actionMap_->getCharacterLayer()->addChild(player);
    actionMap_->addCharacter(player, true);
    if (!player->isFloating()) player->setGravityActive(false);
    player->setBlockedRight(false);
    player->setBlockedLeft(false);

    // The weapon in hand stays in hand across the change.
    const bool shotMode = player->getWeaponMode();
    player->clearTransientState();
    if (shotMode) {
        playInterface_->toggleWeaponDisplay();
        if (!player->isAttacking()) {
            player->setWeaponMode(true);
            playInterface_->toggleWeaponDisplay();
        }
    }

    scheduleUpdateWithPriority(UPDATE_PRIORITY);
    cameraTarget_->setPosition(player->getPosition());
    actionMap_->getCharacterLayer()->addChild(cameraTarget_);
    follow_ = engine::Follow::create(cameraTarget_);
    getContentLayer(2)->runAction(follow_);

    landedOnce_ = false;
    curtain_->setOpacity(255);
    enterPart(record);
    return true;
}

void PlayScene::enterPart(const StageRecord& record) {
    DataManager* data = DataManager::getInstance();
    PlayController* play = controller();
    engine::WeakRef<PlayScene> self(this);
    bool started = false;
    musicBeforeEntry_ = NAudioManager::getInstance()->getCurrentBgm();
    if (play) {
        started = play->startScenario(
            "scenario/wop_", 1,
            [self, record]() {
                if (PlayScene* scene = self.get()) scene->finishEntry(record, true);
            },
            false);
    }
    if (!started) {
        actionMap_->setActionLocked(true);
        auto* entry = engine::Sequence::create(
            {engine::TargetedAction::create(curtain_, engine::FadeTo::create(CURTAIN_FADE, 0)),
             engine::CallFunc::create([self, record]() {
                 if (PlayScene* scene = self.get()) scene->finishEntry(record, false);
             })});
        entry->setTag(ENTRY_TAG);
        runAction(entry);
    }
    if (data) data->setPreviousPart(partBefore_);
}

void PlayScene::finishEntry(const StageRecord& record, bool fromScript) {
    if (fromScript) {
        // After the entry script the curtain lifts the same way, then play starts.
        actionMap_->setActionLocked(true);
        engine::WeakRef<PlayScene> self(this);
        runAction(engine::Sequence::create(
            {engine::TargetedAction::create(curtain_, engine::FadeTo::create(CURTAIN_FADE, 0)),
             engine::CallFunc::create([self, record]() {
                 PlayScene* scene = self.get();
                 if (!scene) return;
                 PlayController* play = scene->controller();
                 if (play && play->startBossIfAny()) return;
                 // The characters are handed to play (and fall) once the curtain is up, as without a script.
                 scene->partReady_ = true;
                 if (PlayerCharacter* player = scene->getPlayer()) player->setFrozen(false);
                 scene->actionMap_->setActionLocked(false);
             })}));
        // A script that left the music as it found it has the part's own music follow, as a part
        // without a script does; music the script chose (or stopped) stays.
        if (NAudioManager::getInstance()->getCurrentBgm() == musicBeforeEntry_) startMusic(record);
        return;
    }
    PlayController* play = controller();
    const bool boss = play && play->startBossIfAny();
    if (!boss) {
        partReady_ = true;
        if (PlayerCharacter* player = player_.get()) player->setFrozen(false);
        actionMap_->setActionLocked(false);
    }
    startMusic(record);
}

void PlayScene::startMusic(const StageRecord& record) {
    DataManager* data = DataManager::getInstance();
    if (!data) return;
    if (partBefore_ == 0) {
        NAudioManager::getInstance()->playBgm(stageMusic(record.stageNumber), 1.0f);
    } else if (data->getCurrentPart() == record.bossPart) {
        NAudioManager::getInstance()->playBgm(BOSS_MUSIC, 1.0f);
    }
}

void PlayScene::update(float /*dt*/) {
    PlayerCharacter* player = player_.get();
    if (!actionMap_ || !player) return;
    if (!actionMap_->getMapFile().empty() && !scenarioRunning_ && !staging_)
        cameraTarget_->setPosition(player->getPosition());
    if (partReady_ && !landedOnce_ && actionMap_->allCharactersLanded()) {
        actionMap_->landAllCharacters();
        landedOnce_ = true;
        if (PlayController* play = controller()) play->setActive(true);
    }
}

}  // namespace vastomer
