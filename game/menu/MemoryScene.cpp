#include "game/menu/MemoryScene.h"

#include <algorithm>
#include <cstdio>

#include "engine/actions/CallFunc.h"
#include "engine/actions/MoveTo.h"
#include "engine/actions/Sequence.h"
#include "engine/actions/Spawn.h"
#include "engine/base/RefPtr.h"
#include "engine/platform/FileUtils.h"
#include "engine/tilemap/TMXLayer.h"
#include "engine/tilemap/TMXTiledMap.h"
#include "game/character/ActionMap.h"
#include "game/character/CharacterSprite.h"
#include "game/character/EnemyFactory.h"
#include "game/character/PlayerCharacter.h"
#include "game/data/DataManager.h"
#include "game/menu/MemorySceneOptionWindow.h"
#include "game/menu/MenuStyle.h"
#include "game/menu/SituationSelectWindow.h"
#include "game/scenario/DramaPart.h"
#include "game/scenario/MessageWindow.h"
#include "game/scenario/ZPosMoveTo.h"

namespace vastomer {

namespace {

constexpr int MESSAGE_Z = 1;
constexpr int SELECT_Z = 10;
constexpr int OPTION_Z = 11;
const engine::Color3B SHADOW(40, 36, 64);

}  // namespace

MemoryScene* MemoryScene::create() {
    auto* scene = new MemoryScene();
    if (scene->init()) {
        scene->autorelease();
        return scene;
    }
    delete scene;
    return nullptr;
}

bool MemoryScene::init() {
    if (!NLayer::init()) return false;
    getBackgroundSprite()->setColor(engine::Color3B(0, 0, 0));
    return true;
}

std::string MemoryScene::stateSuffix(int state) {
    switch (state) {
        case 100:
            return "_02";
        case 250:
            return "_03";
        case 450:
            return "_04";
        case 500:
            return "_05";
        default:
            return "_01";
    }
}

std::string MemoryScene::dramaFileName(int situation, int state) {
    return "data/drama/dramaPart_" + MenuStyle::padded(situation, 3) + stateSuffix(state) + ".bds";
}

std::string MemoryScene::backgroundMapFile(int background) {
    return "data/map/md_9998_" + MenuStyle::padded(background, 2) + ".tmx";
}

void MemoryScene::setupScene() {
    actionMap_ = ActionMap::create();
    actionMap_->setScale(MAP_SCALE);
    getContentLayer(2)->addChild(actionMap_);

    engine::Node* plane = getContentLayer(3);
    messageWindow_ = MessageWindow::create();
    if (messageWindow_) plane->addChild(messageWindow_, MESSAGE_Z);
    situationWindow_ = SituationSelectWindow::create();
    if (situationWindow_) plane->addChild(situationWindow_, SELECT_Z);
    optionWindow_ = MemorySceneOptionWindow::create();
    if (optionWindow_) plane->addChild(optionWindow_, OPTION_Z);

    int background = situationWindow_ ? situationWindow_->getBackground() : -1;
    loadBackground(background > 0 ? background : 1);
}

void MemoryScene::startScene() {
    if (situationWindow_) situationWindow_->fadeIn();
}

void MemoryScene::stopSceneActions() {
    NLayer::stopSceneActions();
    stopDrama();
    if (actionMap_) actionMap_->removeAllCharacters();
}

void MemoryScene::loadBackground(int background) {
    background_ = background;
    std::string file = backgroundMapFile(background);
    // A background without its map keeps the stage it has.
    if (!engine::FileUtils::getInstance()->isFileExist(file) && actionMap_->getTiledMap()) return;
    bool hadCharacters = player_.get() != nullptr;
    stopDrama();
    actionMap_->loadMap(file);
    actionMap_->buildCollision();
    actionMap_->readObjects();
    placePlayer();
    if (hadCharacters && creatureId_ >= 0) placeCreature(creatureId_);
    applyLooks();
}

void MemoryScene::placePlayer() {
    PlayerCharacter* player = DataManager::getInstance()->getPlayerCharacter();
    if (!player) return;
    player->removeFromParent();
    player->reset();
    player->setVisible(true);
    player->setFacingLeft(false);
    engine::Vec2 start = actionMap_->getStartPosition();
    player->setPosition(start.x - STAND_APART, start.y);
    actionMap_->getCharacterLayer()->addChild(player);
    actionMap_->addCharacter(player);
    player->setActionLocked(true);
    player_ = player;
}

void MemoryScene::placeCreature(int characterId) {
    if (CharacterSprite* old = creature_.get()) old->removeFromParent();
    creature_ = nullptr;
    CharacterSprite* creature = EnemyFactory::create(characterId, 0, "enemy", 0);
    if (!creature) return;
    engine::Vec2 start = actionMap_->getStartPosition();
    creature->setPosition(start.x + STAND_APART, start.y);
    creature->setFacingLeft(true);
    actionMap_->getCharacterLayer()->addChild(creature);
    actionMap_->addCharacter(creature);
    creature->setActionLocked(true);
    creature_ = creature;
}

CharacterSprite* MemoryScene::getCreature() const {
    return creature_.get();
}

PlayerCharacter* MemoryScene::getPlayer() const {
    return player_.get();
}

void MemoryScene::setStateIndex(int index) {
    state_ = SituationSelectWindow::stateValue(index);
}

std::string MemoryScene::selectedDramaFile() const {
    if (!situationWindow_) return "";
    int situation = situationWindow_->getSituation();
    if (situation < 0) return "";
    return dramaFileName(situation, SituationSelectWindow::stateValue(situationWindow_->getStateIndex()));
}

bool MemoryScene::canPlay() const {
    std::string file = selectedDramaFile();
    return !file.empty() && engine::FileUtils::getInstance()->isFileExist(file);
}

void MemoryScene::takeSituation(bool restart) {
    if (!situationWindow_) return;
    DataManager* data = DataManager::getInstance();
    const int wear = situationWindow_->getWear();
    const std::string file = selectedDramaFile();
    // A new costume is a new picture: the part starts over in it.
    const bool sameWear = wear < 0 || wear == data->getEquippedWear();
    if (dramaRunning_ && file == dramaFile_ && sameWear && !restart) {
        pauseDrama(false);
        return;
    }
    stopDrama();
    int situation = situationWindow_->getSituation();
    CombineEntry event;
    for (const CombineEntry& entry : data->getAllCombines()) {
        if (entry.dramaNo == situation) {
            event = entry;
            break;
        }
    }
    if (event.characterId != creatureId_ || !creature_.get()) {
        creatureId_ = event.characterId;
        if (creatureId_ >= 0)
            placeCreature(creatureId_);
        else if (CharacterSprite* old = creature_.get())
            old->removeFromParent();
    }
    attachToPlayer_ = event.attachFlag;
    creatureVisible_ = event.enemyVisibleFlag;
    putOnWear(wear);
    startDrama(file);
}

void MemoryScene::putOnWear(int wear) {
    DataManager* data = DataManager::getInstance();
    if (wear < 0 || wear == data->getEquippedWear()) return;
    if (wornBefore_ < 0) wornBefore_ = data->getEquippedWear();
    data->setEquippedWear(wear);
    if (PlayerCharacter* player = player_.get()) {
        player->setAnimationVariant(wear);
        player->reset();
    }
}

void MemoryScene::takeOffWear() {
    if (wornBefore_ < 0) return;
    DataManager::getInstance()->setEquippedWear(wornBefore_);
    if (PlayerCharacter* player = player_.get()) {
        player->setAnimationVariant(wornBefore_);
        player->reset();
    }
    wornBefore_ = -1;
}

DramaPart* MemoryScene::getDramaPart() const {
    return drama_.get();
}

void MemoryScene::startDrama(const std::string& file) {
    dramaFile_ = file;
    dramaPaused_ = false;
    DramaPart* part = DramaPart::create();
    if (!part || !part->load(file)) {
        // Nothing to replay: the selection comes back, in the wear it had.
        std::fprintf(stderr, "quorin: drama part %s cannot be replayed\n", file.c_str());
        takeOffWear();
        applyLooks();
        return;
    }
    // The part hangs on the character it belongs to, at its middle, as on a stage.
    CharacterSprite* holder = player_.get();
    if (!attachToPlayer_ && creature_.get()) holder = creature_.get();
    part->setMessageWindow(messageWindow_);
    if (messageWindow_) messageWindow_->setVisible(true);
    if (holder) {
        const engine::Size& size = holder->getContentSize();
        part->setPosition(size.width * 0.5f, size.height * 0.5f);
        holder->addChild(part);
    } else {
        part->setPosition(actionMap_->getStartPosition());
        actionMap_->getCharacterLayer()->addChild(part);
    }
    drama_ = part;
    dramaRunning_ = true;
    applyLooks();
    if (onDramaStarted_) onDramaStarted_(part);
    engine::WeakRef<MemoryScene> self(this);
    part->start([self](DramaPart* finished) {
        if (MemoryScene* scene = self.get()) scene->dramaEnded(finished);
    });
}

void MemoryScene::dramaEnded(DramaPart* part) {
    if (part != drama_.get()) return;
    engine::RefPtr<DramaPart> keep(part);
    part->removeFromParent();
    drama_ = nullptr;
    dramaRunning_ = false;
    dramaPaused_ = false;
    if (messageWindow_ && messageWindow_->isOpen()) messageWindow_->closeWindow(nullptr);
    takeOffWear();
    applyLooks();
    if (onDramaFinished_) onDramaFinished_(part);
}

void MemoryScene::stopDrama() {
    if (DramaPart* drama = drama_.get()) {
        engine::RefPtr<DramaPart> keep(drama);
        drama->unscheduleUpdate();
        drama->removeFromParent();
    }
    drama_ = nullptr;
    dramaRunning_ = false;
    dramaPaused_ = false;
    if (messageWindow_ && messageWindow_->isOpen()) messageWindow_->closeWindow(nullptr);
    takeOffWear();
}

void MemoryScene::pauseDrama(bool paused) {
    dramaPaused_ = paused && dramaRunning_;
    if (DramaPart* drama = drama_.get()) drama->setPaused(dramaPaused_);
}

void MemoryScene::setBackdropOpacity(int opacity) {
    opacity_ = std::clamp(opacity, 0, 255);
    applyLooks();
}

void MemoryScene::setZoomLevel(int level) {
    zoomLevel_ = std::clamp(level, 1, 3);
    engine::Node* plane = getContentLayer(2);
    engine::Vec2 target = engine::Vec2::ZERO;
    if (zoomLevel_ > 1) {
        // Closer in, the pair is brought to the middle of the screen.
        engine::Vec2 focus = actionMap_->getStartPosition() * MAP_SCALE;
        target = engine::Vec2(WIDTH / 2, HEIGHT / 2) - focus;
    }
    zooming_ = true;
    plane->stopAllActions();
    plane->runAction(engine::Sequence::create(
        {engine::Spawn::create({ZPosMoveTo::create(ZOOM_TIME, ZOOM_DEPTH[zoomLevel_ - 1]),
                                engine::MoveTo::create(ZOOM_TIME, target)}),
         engine::CallFunc::create([this]() { zooming_ = false; })}));
}

void MemoryScene::setCompanionMode(int mode) {
    companionMode_ = std::clamp(mode, 0, SituationSelectWindow::COMPANION_MODES - 1);
    applyLooks();
}

void MemoryScene::applyLooks() {
    // The backdrop is the map's tile layers; the characters keep their own opacity.
    if (engine::TMXTiledMap* map = actionMap_ ? actionMap_->getTiledMap() : nullptr)
        for (engine::Node* child : map->getChildren())
            if (dynamic_cast<engine::TMXLayer*>(child)) child->setOpacity(static_cast<uint8_t>(opacity_));
    // The characters' own pictures make way for the drama part, which may hang on either of them.
    if (CharacterSprite* creature = creature_.get()) {
        if (engine::Node* look = creature->getAnimation()) {
            look->setVisible(companionMode_ != 2 && (!dramaRunning_ || creatureVisible_));
            look->setCascadeColorEnabled(true);
            look->setColor(companionMode_ == 1 ? SHADOW : engine::Color3B::WHITE);
        }
    }
    if (PlayerCharacter* player = player_.get())
        if (engine::Node* look = player->getAnimation()) look->setVisible(!dramaRunning_);
}

}  // namespace vastomer
