#include "game/menu/ShopScene.h"

#include "engine/actions/CallFunc.h"
#include "engine/actions/DelayTime.h"
#include "engine/actions/Sequence.h"
#include "engine/scene/Sprite.h"
#include "game/character/ActionMap.h"
#include "game/character/CharacterSprite.h"
#include "game/character/PlayerCharacter.h"
#include "game/data/DataManager.h"
#include "game/menu/ShopWindow.h"
#include "game/scenario/MessageWindow.h"

namespace vastomer {

ShopScene* ShopScene::create() {
    auto* scene = new ShopScene();
    if (scene->init()) {
        scene->autorelease();
        return scene;
    }
    delete scene;
    return nullptr;
}

bool ShopScene::init() {
    if (!NLayer::init()) return false;
    getBackgroundSprite()->setColor(engine::Color3B(20, 20, 20));
    return true;
}

int ShopScene::ownerCharacterId() {
    const DataManager* data = DataManager::getInstance();
    for (const auto& entry : data->getMasterTables().characterRows())
        if (entry.second.record.name == OWNER_RECORD_NAME) return entry.first;
    return -1;
}

void ShopScene::setupScene() {
    actionMap_ = ActionMap::create();
    actionMap_->setScale(MAP_SCALE);
    actionMap_->loadMap(MAP_FILE);
    actionMap_->buildCollision();
    getContentLayer(2)->addChild(actionMap_);

    cameraTarget_ = engine::Node::create();
    cameraTarget_->setPosition(240.0f, 136.0f);
    actionMap_->getCharacterLayer()->addChild(cameraTarget_);
    placeCharacters();

    scenarioHost_ = engine::Node::create();
    getContentLayer(3)->addChild(scenarioHost_);
    messageWindow_ = MessageWindow::create();
    if (messageWindow_) getContentLayer(3)->addChild(messageWindow_, 1);
    shopWindow_ = ShopWindow::create();
    if (shopWindow_) getContentLayer(3)->addChild(shopWindow_, WINDOW_Z);

    curtain_ = engine::Sprite::create();
    curtain_->setTextureRect(engine::Rect(0.0f, 0.0f, WIDTH, HEIGHT));
    curtain_->setColor(engine::Color3B(0, 0, 0));
    curtain_->setOpacity(0);
    curtain_->setPosition(WIDTH / 2, HEIGHT / 2);
    getContentLayer(3)->addChild(curtain_, CURTAIN_Z);
}

void ShopScene::placeCharacters() {
    DataManager* data = DataManager::getInstance();
    if (PlayerCharacter* player = data->getPlayerCharacter()) {
        player->removeFromParent();
        player->reset();
        player->setVisible(true);
        player->setFacingLeft(false);
        player->setPosition(PLAYER_X, PLAYER_Y);
        actionMap_->getCharacterLayer()->addChild(player);
        actionMap_->addCharacter(player);
        player_ = player;
    }
    int ownerId = ownerCharacterId();
    if (ownerId < 0) return;
    if (CharacterSprite* owner = CharacterSprite::create(ownerId, 0, OWNER_RECORD_NAME, 0)) {
        owner->setPosition(OWNER_X, OWNER_Y);
        actionMap_->getCharacterLayer()->addChild(owner);
        actionMap_->addCharacter(owner);
        owner->setActionLocked(true);
        owner_ = owner;
    }
}

CharacterSprite* ShopScene::getOwner() const {
    return owner_.get();
}

PlayerCharacter* ShopScene::getPlayer() const {
    return player_.get();
}

void ShopScene::stopSceneActions() {
    NLayer::stopSceneActions();
    if (actionMap_) actionMap_->removeAllCharacters();
}

void ShopScene::playTutorial(std::function<void()> onEnd) {
    tutorialRunning_ = true;
    tutorialEnd_ = std::move(onEnd);
    // Without a scene to play the shop goes on at once (on the next frame, as a scene would end).
    runAction(engine::Sequence::create(
        {engine::DelayTime::create(0.0f), engine::CallFunc::create([this]() { finishTutorial(); })}));
}

void ShopScene::finishTutorial() {
    tutorialRunning_ = false;
    std::function<void()> done = std::move(tutorialEnd_);
    tutorialEnd_ = nullptr;
    if (done) done();
}

}  // namespace vastomer
