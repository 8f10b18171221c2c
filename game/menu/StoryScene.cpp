#include "game/menu/StoryScene.h"

#include "engine/actions/Follow.h"
#include "game/character/ActionMap.h"
#include "game/scenario/MessageWindow.h"

namespace vastomer {

bool StoryScene::init() {
    if (!NLayer::init()) return false;
    getBackgroundSprite()->setColor(engine::Color3B(20, 20, 20));
    getContentLayer(2)->setPositionZ(PLANE_Z);

    actionMap_ = ActionMap::create();
    messageWindow_ = MessageWindow::create();
    if (!actionMap_ || !messageWindow_) return false;
    getContentLayer(2)->addChild(actionMap_);
    // On the stage from the start (the view follows it only while it is); a map change moves it into
    // the new map's character layer.
    cameraTarget_ = engine::Node::create();
    actionMap_->addChild(cameraTarget_.get());
    getContentLayer(3)->addChild(messageWindow_, MESSAGE_WINDOW_Z);

    curtain_ = engine::Sprite::create();
    curtain_->setTextureRect(engine::Rect(0, 0, WIDTH, HEIGHT));
    curtain_->setColor(engine::Color3B::BLACK);
    curtain_->setOpacity(255);
    curtain_->setPosition(WIDTH / 2, HEIGHT / 2);
    getContentLayer(3)->addChild(curtain_, CURTAIN_Z);
    return true;
}

void StoryScene::setSceneParam(SceneParam param) {
    requestedScript_ = param.text;
}

void StoryScene::startScene() {
    // The view follows the camera target from the moment the screen is uncovered.
    getContentLayer(2)->runAction(engine::Follow::create(cameraTarget_.get()));
}

void StoryScene::stopSceneActions() {
    stopAllActions();
    getContentLayer(2)->stopAllActions();
    if (actionMap_) actionMap_->removeAllCharacters();
}

}  // namespace vastomer
