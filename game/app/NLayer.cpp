#include "game/app/NLayer.h"

namespace vastomer {

NLayer* NLayer::create() {
    auto* layer = new NLayer();
    if (!layer->init()) {
        delete layer;
        return nullptr;
    }
    layer->autorelease();
    return layer;
}

bool NLayer::init() {
    if (!Layer::init()) return false;
    const engine::Size size(WIDTH, HEIGHT);
    setContentSize(size);

    backgroundSprite_ = engine::Sprite::create();
    backgroundSprite_->setTextureRect(engine::Rect(0, 0, WIDTH, HEIGHT));
    backgroundSprite_->setColor(engine::Color3B(40, 40, 40));
    backgroundSprite_->setPosition(WIDTH / 2, HEIGHT / 2);
    addChild(backgroundSprite_, 0, 0);

    for (int i = 0; i < CONTENT_LAYER_COUNT; ++i) {
        engine::Node* plane = engine::Node::create();
        plane->setContentSize(size);
        plane->setCascadeOpacityEnabled(true);
        addChild(plane, i + 1, i + 1);
        contentLayers_[i] = plane;
    }
    return true;
}

void NLayer::setSceneParam(SceneParam /*param*/) {}

void NLayer::handOver(NLayer* /*incoming*/) {}

void NLayer::setupScene() {}

void NLayer::stopSceneActions() {
    stopAllActions();
}

void NLayer::startScene() {}

void NLayer::setOpacity(uint8_t opacity) {
    layerOpacity_ = opacity;
    for (engine::Node* child : getChildren())
        child->setOpacity(opacity);
}

engine::Node* NLayer::getContentLayer(int number) const {
    if (number < 1 || number > CONTENT_LAYER_COUNT) return nullptr;
    return contentLayers_[number - 1];
}

}  // namespace vastomer
