#include "engine/scene/Layer.h"

#include "engine/scene/Director.h"

namespace engine {

Layer::Layer() {
    ignoreAnchorPointForPosition_ = true;
    anchorPoint_ = Vec2::ANCHOR_MIDDLE;
}

Layer* Layer::create() {
    auto* layer = new Layer();
    if (layer->init()) {
        layer->autorelease();
        return layer;
    }
    delete layer;
    return nullptr;
}

bool Layer::init() {
    if (!Node::init()) return false;
    setContentSize(Director::getInstance()->getWinSize());
    return true;
}

}  // namespace engine
